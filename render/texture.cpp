#include "render/texture.h"
#include "render/bmp_reader.h"

#include "render/opengl.h"

#include <cstdlib>
#include <iostream>
#include <new>

void initDefaultTexture() {
  glBindTexture(GL_TEXTURE_2D, 0);
  // Contents left undefined: slot 0's file replaces them. The clamp stays.
  glTexImage2D(GL_TEXTURE_2D, 0, 3, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

void loadTexture(const char* fileName, int slot) {
  const std::unique_ptr<TextureImage> image(new (std::nothrow) TextureImage);
  if (!image) {
    std::printf("Error allocating space for image");
    std::exit(1);
  }
  std::cout << "trying to load " << fileName << std::endl;
  if (!readBmp(fileName, *image)) std::exit(1);

  glBindTexture(GL_TEXTURE_2D, slot);
  // The decoded rows are tightly packed whatever the width.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
               image->pixels.get());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

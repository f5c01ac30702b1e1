#pragma once

// Textures as the program names them (its slot numbers, 0 among them, which
// WebGL cannot bind), each with a copy of its image and parameters so that a
// lost context can be given them again.
#include <map>
#include <vector>

#include "web/gl/opengl.h"

struct StoredTexture {
  GLuint object = 0;  // the WebGL texture, made on first use
  bool hasImage = false;
  GLint internalFormat = 0;
  GLsizei width = 0;
  GLsizei height = 0;
  GLenum format = 0;
  GLenum type = 0;
  std::vector<unsigned char> pixels;  // tightly packed; empty for an image without data
  std::map<GLenum, GLint> parameters;
};

// The texture of that name, made (without an image) if it is new, with its
// WebGL object.
StoredTexture& storedTexture(GLuint name);
// The texture of that name if it has an image; nullptr otherwise (an
// incomplete texture draws as if texturing were off).
const StoredTexture* textureWithImage(GLuint name);

// Keeps a copy of the image, whose rows come laid out for the unpack
// alignment, and uploads it.
void storeImage(StoredTexture& texture, GLint internalFormat, GLsizei width, GLsizei height,
                GLenum format, GLenum type, const void* pixels, GLint unpackAlignment);
void storeParameter(StoredTexture& texture, GLenum pname, GLint value);

// After a lost context: every texture gets a new WebGL object with its image
// and parameters.
void restoreTextures(GLint unpackAlignment);

#include "web/gl/texture_store.h"

#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <cstring>

namespace {

std::map<GLuint, StoredTexture> textures;

// WebGL has no GL_CLAMP; under nearest filtering clamping to the edge takes
// the same texels.
GLint webglParameter(GLint value) { return value == GL_CLAMP ? GL_CLAMP_TO_EDGE : value; }

size_t bytesPerPixel(GLenum format) { return format == GL_RGBA ? 4 : format == GL_RGB ? 3 : 1; }

// Uploads the texture's image and parameters to its WebGL object, made on
// first use, and leaves it bound.
void upload(StoredTexture& texture, GLint unpackAlignment) {
  if (texture.object == 0) emscripten_glGenTextures(1, &texture.object);
  emscripten_glBindTexture(GL_TEXTURE_2D, texture.object);
  if (texture.hasImage) {
    // Format 3 is GL 1.0's "three components": 8-bit RGB.
    const GLint internal = texture.internalFormat == 3 ? GL_RGB8 : texture.internalFormat;
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, internal, texture.width, texture.height, 0,
                            texture.format, texture.type,
                            texture.pixels.empty() ? nullptr : texture.pixels.data());
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
  }
  for (const auto& [name, value] : texture.parameters)
    emscripten_glTexParameteri(GL_TEXTURE_2D, name, webglParameter(value));
}

}  // namespace

StoredTexture& storedTexture(GLuint name) {
  StoredTexture& texture = textures[name];
  if (texture.object == 0) emscripten_glGenTextures(1, &texture.object);
  return texture;
}

const StoredTexture* textureWithImage(GLuint name) {
  const auto found = textures.find(name);
  return found != textures.end() && found->second.hasImage ? &found->second : nullptr;
}

void storeImage(StoredTexture& texture, GLint internalFormat, GLsizei width, GLsizei height,
                GLenum format, GLenum type, const void* pixels, GLint unpackAlignment) {
  texture.hasImage = true;
  texture.internalFormat = internalFormat;
  texture.width = width;
  texture.height = height;
  texture.format = format;
  texture.type = type;
  texture.pixels.clear();
  if (pixels != nullptr && width > 0 && height > 0) {
    const auto* bytes = static_cast<const unsigned char*>(pixels);
    const size_t packedRow = width * bytesPerPixel(format);
    const size_t alignment = static_cast<size_t>(unpackAlignment);
    const size_t alignedRow = (packedRow + alignment - 1) / alignment * alignment;
    texture.pixels.resize(packedRow * height);
    for (GLsizei row = 0; row < height; ++row)
      std::memcpy(&texture.pixels[row * packedRow], bytes + row * alignedRow, packedRow);
  }
  upload(texture, unpackAlignment);
}

void storeParameter(StoredTexture& texture, GLenum pname, GLint value) {
  texture.parameters[pname] = value;
  emscripten_glBindTexture(GL_TEXTURE_2D, texture.object);
  emscripten_glTexParameteri(GL_TEXTURE_2D, pname, webglParameter(value));
}

void restoreTextures(GLint unpackAlignment) {
  for (auto& [name, texture] : textures) {
    texture.object = 0;
    upload(texture, unpackAlignment);
  }
}

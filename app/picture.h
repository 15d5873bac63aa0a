// The background picture: the JPEG embedded in the executable and its decoder.
#pragma once

#include <cstddef>

#include "app/buffer.h"
#include "platform/win32.h"

// A decoded picture: width x height pixels, 8-bit RGB, rows top to bottom, no padding.
struct Picture {
  int width = 0;
  int height = 0;
  int components = 0;
  Buffer rgb;
};

// Decodes a JPEG stream into `picture`. On any error or warning of the decoder
// (a corrupt or truncated stream) returns false and leaves `picture` empty.
bool DecodePicture(const void* bytes, size_t size, Picture* picture);

// The JPEG stream embedded in `module`'s resources; false when it is missing.
bool EmbeddedPictureBytes(HMODULE module, const void** bytes, size_t* size);

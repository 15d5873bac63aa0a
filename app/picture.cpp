// Decoding of the embedded background picture with libjpeg.
#include "app/picture.h"

#include <csetjmp>
#include <cstdio>

#include "resources/resource_ids.h"

#include <jpeglib.h>

namespace {

// The standard error manager, with an error exit that jumps back out of the
// decoder instead of ending the process; warnings are counted by libjpeg itself.
struct ErrorManager {
  jpeg_error_mgr standard;
  jmp_buf escape;
};

void ErrorExit(j_common_ptr decoder) {
  ErrorManager* errors = reinterpret_cast<ErrorManager*>(decoder->err);
  longjmp(errors->escape, 1);
}

void NoOutput(j_common_ptr) {}

// Runs the decoder; no C++ object with a destructor lives in this frame, so a
// longjmp out of libjpeg skips nothing. The caller owns `rgb`.
bool Decode(const unsigned char* bytes, size_t size, Picture* picture) {
  jpeg_decompress_struct decoder;
  ErrorManager errors;
  decoder.err = jpeg_std_error(&errors.standard);
  errors.standard.error_exit = ErrorExit;
  errors.standard.output_message = NoOutput;
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  jpeg_create_decompress(&decoder);
  jpeg_mem_src(&decoder, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(&decoder, TRUE);
  decoder.out_color_space = JCS_RGB;
  jpeg_start_decompress(&decoder);
  picture->width = static_cast<int>(decoder.output_width);
  picture->height = static_cast<int>(decoder.output_height);
  picture->components = decoder.num_components;
  const size_t stride = static_cast<size_t>(decoder.output_width) * 3;
  if (!picture->rgb.Allocate(stride * decoder.output_height)) {
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  while (decoder.output_scanline < decoder.output_height) {
    JSAMPROW row = &picture->rgb[stride * decoder.output_scanline];
    jpeg_read_scanlines(&decoder, &row, 1);
  }
  jpeg_finish_decompress(&decoder);
  // A stream cut short decodes with grey filler and only a warning: not a picture to show.
  const bool clean = errors.standard.num_warnings == 0 && decoder.output_components == 3;
  jpeg_destroy_decompress(&decoder);
  return clean;
}

}  // namespace

bool DecodePicture(const void* bytes, size_t size, Picture* picture) {
  *picture = Picture();
  if (bytes && size && Decode(static_cast<const unsigned char*>(bytes), size, picture)) return true;
  *picture = Picture();  // frees whatever a failed decode had filled in
  return false;
}

bool EmbeddedPictureBytes(HMODULE module, const void** bytes, size_t* size) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_BACKGROUND_PICTURE), RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  *bytes = loaded ? LockResource(loaded) : nullptr;
  *size = *bytes ? SizeofResource(module, found) : 0;
  return *bytes != nullptr;
}

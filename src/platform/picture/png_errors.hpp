// libpng's error and warning callbacks, shared by the PNG decoder and the
// frame writer: an error keeps libpng's text and jumps back to the caller's
// setjmp point; warnings are dropped.
#pragma once

#include <png.h>

namespace lumora {

// What png_create_*_struct gets as its error pointer.
struct PngErrorText {
  char message[256] = {};
};

void OnPngError(png_structp png, png_const_charp message);
void OnPngWarning(png_structp png, png_const_charp message);

}  // namespace lumora

#include "platform/picture/png_errors.hpp"

#include <cstdio>

namespace lumora {

void OnPngError(png_structp png, png_const_charp message) {
  auto* text = static_cast<PngErrorText*>(png_get_error_ptr(png));
  std::snprintf(text->message, sizeof text->message, "%s", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

}  // namespace lumora

#include "platform/color.hpp"

#include <array>

#include "platform/errors.hpp"

namespace lumora {

namespace {
// One palette for the whole runtime: a classic light desktop scheme.
constexpr std::array<ColorRef, 25> kSystemPalette = {
    Rgb(200, 200, 200),  // 0 scroll bar
    Rgb(58, 110, 165),   // 1 desktop
    Rgb(10, 36, 106),    // 2 active caption
    Rgb(128, 128, 128),  // 3 inactive caption
    Rgb(212, 208, 200),  // 4 menu bar
    Rgb(255, 255, 255),  // 5 window background
    Rgb(0, 0, 0),        // 6 window frame
    Rgb(0, 0, 0),        // 7 menu text
    Rgb(0, 0, 0),        // 8 window text
    Rgb(255, 255, 255),  // 9 active caption text
    Rgb(212, 208, 200),  // 10 active border
    Rgb(212, 208, 200),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(10, 36, 106),    // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(212, 208, 200),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(212, 208, 200),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(64, 64, 64),     // 21 3D dark shadow
    Rgb(212, 208, 200),  // 22 3D light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
};
}  // namespace

ColorRef ResolveColor(OleColor color) {
  if (IsSystemColor(color)) {
    const uint32_t index = color & 0x7FFFFFFFu;
    if (index >= kSystemPalette.size()) Fail(kErrInvalidPropertyValue);
    return kSystemPalette[index];
  }
  if (color & 0xFF000000u) Fail(kErrInvalidPropertyValue);
  return color;
}

}  // namespace lumora

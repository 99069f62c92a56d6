// OLE colours: 0x00BBGGRR, or with the top bit set the index of a system
// colour, resolved through one palette table.
#pragma once

#include <cstdint>

namespace lumora {

using OleColor = uint32_t;
using ColorRef = uint32_t;  // 0x00BBGGRR, always a real colour
using Argb = uint32_t;      // 0xAARRGGBB, the raster pixel format

constexpr OleColor kSysScrollBar = 0x80000000;
constexpr OleColor kSysDesktop = 0x80000001;
constexpr OleColor kSysWindowBackground = 0x80000005;
constexpr OleColor kSysWindowFrame = 0x80000006;
constexpr OleColor kSysWindowText = 0x80000008;
constexpr OleColor kSysApplicationWorkspace = 0x8000000C;
constexpr OleColor kSysHighlight = 0x8000000D;
constexpr OleColor kSysHighlightText = 0x8000000E;
constexpr OleColor kSysButtonFace = 0x8000000F;
constexpr OleColor kSysButtonShadow = 0x80000010;
constexpr OleColor kSysGrayText = 0x80000011;
constexpr OleColor kSysButtonText = 0x80000012;
constexpr OleColor kSysButtonHighlight = 0x80000014;
constexpr OleColor kSysButtonDarkShadow = 0x80000015;
constexpr OleColor kSysButtonLight = 0x80000016;

constexpr ColorRef Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return uint32_t{r} | (uint32_t{g} << 8) | (uint32_t{b} << 16);
}
constexpr uint8_t RedOf(ColorRef c) {
  return c & 0xFF;
}
constexpr uint8_t GreenOf(ColorRef c) {
  return (c >> 8) & 0xFF;
}
constexpr uint8_t BlueOf(ColorRef c) {
  return (c >> 16) & 0xFF;
}

constexpr bool IsSystemColor(OleColor c) {
  return (c & 0x80000000u) != 0;
}

// The real colour an OLE colour stands for; an unknown system colour or a
// value with stray high bits fails with error 380.
ColorRef ResolveColor(OleColor color);

constexpr Argb ToArgb(ColorRef c) {
  return 0xFF000000u | (uint32_t{RedOf(c)} << 16) | (uint32_t{GreenOf(c)} << 8) | BlueOf(c);
}
constexpr ColorRef FromArgb(Argb p) {
  return Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace lumora

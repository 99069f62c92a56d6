#include "frame/toolbox_bitmaps.hpp"

#include <cmath>
#include <string>

#include "frame/type_library.hpp"
#include "platform/errors.hpp"

namespace lumora {

namespace {

constexpr Argb kFace = 0xFFC0C0C0;  // the palette's background
constexpr Argb kBlack = 0xFF000000;
constexpr Argb kShadow = 0xFF808080;
constexpr Argb kWhite = 0xFFFFFFFF;

// Small drawing steps for 16 x 15 icons; everything is clipped.
struct Icon {
  Raster r{kToolboxBitmapWidth, kToolboxBitmapHeight, kFace};

  void Dot(int x, int y, Argb c) {
    if (r.Contains(x, y)) r.Set(x, y, c);
  }
  void Fill(int x0, int y0, int x1, int y1, Argb c) {  // inclusive corners
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) Dot(x, y, c);
  }
  void Frame(int x0, int y0, int x1, int y1, Argb c) {
    for (int x = x0; x <= x1; ++x) Dot(x, y0, c), Dot(x, y1, c);
    for (int y = y0; y <= y1; ++y) Dot(x0, y, c), Dot(x1, y, c);
  }
};

// A landscape picture with a magnifying glass over its lower right corner.
Raster DrawPicZoom() {
  Icon icon;
  icon.Fill(0, 0, 11, 3, 0xFF87CEEB);   // sky
  icon.Fill(0, 4, 11, 10, 0xFF3C9A3C);  // meadow
  icon.Fill(2, 3, 5, 4, 0xFF2E6B2E);    // a hill on the horizon
  icon.Fill(8, 1, 9, 2, 0xFFFFD700);    // sun
  icon.Frame(0, 0, 11, 10, kShadow);
  // The lens: a dark ring around a lightened view of the picture.
  const double cx = 9.5, cy = 8.5;
  for (int y = 0; y < kToolboxBitmapHeight; ++y) {
    for (int x = 0; x < kToolboxBitmapWidth; ++x) {
      const double d = std::hypot(x - cx, y - cy);
      if (d <= 2.4)
        icon.Dot(x, y, 0xFFD8F0FF);
      else if (d <= 3.6)
        icon.Dot(x, y, kBlack);
    }
  }
  icon.Dot(8, 7, kWhite);  // glint
  // The handle, two pixels thick, towards the lower right corner.
  for (int i = 0; i < 3; ++i) {
    icon.Dot(12 + i, 12 + i, 0xFF6B3A1E);
    icon.Dot(13 + i, 12 + i, 0xFF6B3A1E);
  }
  return icon.r;
}

// A panel holding two controls, with a vertical scroll bar on its right.
Raster DrawScrollContainer() {
  Icon icon;
  icon.Fill(0, 0, 15, 14, kWhite);
  icon.Frame(0, 0, 15, 14, kShadow);
  icon.Fill(2, 2, 7, 5, 0xFF4169E1);   // a contained control
  icon.Fill(2, 8, 7, 11, 0xFF3CB371);  // another, partly scrolled out of view
  // The bar: up button, track with the thumb, down button.
  for (int y = 1; y <= 13; ++y) icon.Dot(9, y, kShadow);
  icon.Fill(10, 1, 14, 13, 0xFFE0E0E0);
  icon.Fill(10, 1, 14, 4, kFace);
  icon.Fill(10, 10, 14, 13, kFace);
  icon.Dot(12, 2, kBlack), icon.Fill(11, 3, 13, 3, kBlack);     // up arrow
  icon.Fill(11, 11, 13, 11, kBlack), icon.Dot(12, 12, kBlack);  // down arrow
  icon.Fill(10, 5, 14, 7, 0xFF404040);                          // thumb
  return icon.r;
}

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

Raster ToolboxRaster(int32_t resourceId) {
  if (resourceId == kPicZoomBitmap) return DrawPicZoom();
  if (resourceId == kScrollContainerBitmap) return DrawScrollContainer();
  Fail(kErrResourceNotFound,
       "Resource with identifier '" + std::to_string(resourceId) + "' not found");
}

std::vector<uint8_t> ToolboxBitmapResource(int32_t resourceId) {
  const Raster r = ToolboxRaster(resourceId);
  const uint32_t rowBytes = (static_cast<uint32_t>(r.Width()) * 3 + 3) & ~3u;
  std::vector<uint8_t> out;
  PutLe(out, 40, 4);  // header size
  PutLe(out, static_cast<uint32_t>(r.Width()), 4);
  PutLe(out, static_cast<uint32_t>(r.Height()), 4);  // positive: bottom-up
  PutLe(out, 1, 2);                                  // planes
  PutLe(out, 24, 2);                                 // bits per pixel
  PutLe(out, 0, 4);                                  // uncompressed
  PutLe(out, rowBytes * static_cast<uint32_t>(r.Height()), 4);
  PutLe(out, 3780, 4);  // 96 dots per inch, in dots per metre
  PutLe(out, 3780, 4);
  PutLe(out, 0, 4);  // colours used
  PutLe(out, 0, 4);  // colours important
  for (int32_t y = r.Height() - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int32_t x = 0; x < r.Width(); ++x) {
      const Argb p = r.At(x, y);
      out.push_back(p & 0xFF);
      out.push_back((p >> 8) & 0xFF);
      out.push_back((p >> 16) & 0xFF);
    }
    out.resize(start + rowBytes, 0);
  }
  return out;
}

}  // namespace lumora

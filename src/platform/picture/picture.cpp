#include "platform/picture/picture.hpp"

#include <atomic>

#include "platform/numeric.hpp"

namespace lumora {

namespace {
uint32_t NextHandle() {
  static std::atomic<uint32_t> next{1};
  uint32_t h = next.fetch_add(1);
  if (h == 0) h = next.fetch_add(1);
  return h;
}
}  // namespace

const char* FormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::Bmp: return "BMP";
    case PictureFormat::Png: return "PNG";
    case PictureFormat::Jpeg: return "JPEG";
    case PictureFormat::Gif: return "GIF";
    case PictureFormat::None: break;
  }
  return "none";
}

Picture::Picture(Raster pixels, PictureFormat format, std::vector<uint8_t> bytes, bool empty)
    : m_Pixels(std::move(pixels)),
      m_Format(format),
      m_Bytes(std::move(bytes)),
      m_Handle(empty ? 0 : NextHandle()) {}

PicturePtr Picture::Empty() {
  static const PicturePtr empty =
      std::make_shared<Picture>(Raster(), PictureFormat::None, std::vector<uint8_t>{}, true);
  return empty;
}

PicturePtr Picture::FromRaster(Raster pixels, PictureFormat format, std::vector<uint8_t> bytes) {
  return std::make_shared<Picture>(std::move(pixels), format, std::move(bytes), false);
}

PicturePtr Picture::FromDecoded(Raster pixels, PictureFormat format, std::vector<uint8_t> bytes,
                                DecodeCharge charge) {
  auto picture = std::make_shared<Picture>(std::move(pixels), format, std::move(bytes), false);
  picture->m_Charge = std::move(charge);
  return picture;
}

double Picture::Width() const {
  return RoundHalfEven(PixelsToHimetric(PixelWidth()));
}
double Picture::Height() const {
  return RoundHalfEven(PixelsToHimetric(PixelHeight()));
}

Variant Picture::GetProperty(std::string_view name) {
  if (SameName(name, "Handle")) return static_cast<int32_t>(m_Handle);
  if (SameName(name, "Width")) return static_cast<int32_t>(Width());
  if (SameName(name, "Height")) return static_cast<int32_t>(Height());
  if (SameName(name, "Type")) return static_cast<int16_t>(m_Handle == 0 ? 0 : 1);
  return Object::GetProperty(name);
}

}  // namespace lumora

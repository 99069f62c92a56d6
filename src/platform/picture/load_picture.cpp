// LoadPicture: recognises the format by its first bytes and hands the data to
// that format's decoder.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/picture/codec_bmp.hpp"
#include "platform/picture/codec_common.hpp"
#include "platform/picture/codec_gif.hpp"
#include "platform/picture/codec_jpeg.hpp"
#include "platform/picture/codec_png.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

bool StartsWith(std::span<const uint8_t> bytes, size_t at, const char* magic) {
  const size_t length = std::strlen(magic);
  return bytes.size() >= at + length && std::memcmp(bytes.data() + at, magic, length) == 0;
}

// A PNG whose signature was damaged (for instance by a text-mode transfer)
// still goes to the PNG decoder, so that the error names the real fault.
bool LooksLikePng(std::span<const uint8_t> bytes) {
  return StartsWith(bytes, 1, "PNG") || StartsWith(bytes, 12, "IHDR");
}

PictureFormat Sniff(std::span<const uint8_t> bytes) {
  if (StartsWith(bytes, 0, "BM")) return PictureFormat::Bmp;
  if (StartsWith(bytes, 0, "\xFF\xD8")) return PictureFormat::Jpeg;
  if (StartsWith(bytes, 0, "GIF")) return PictureFormat::Gif;
  if (LooksLikePng(bytes)) return PictureFormat::Png;
  return PictureFormat::None;
}

[[noreturn]] void FailUnrecognised(std::span<const uint8_t> bytes) {
  std::string start;
  for (size_t i = 0; i < std::min<size_t>(bytes.size(), 4); ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
    start += hex;
  }
  Fail(kErrInvalidPicture, "Invalid picture: unrecognised format (starts with" + start + ")");
}

Raster Decode(std::span<const uint8_t> bytes, PictureFormat format) {
  switch (format) {
    case PictureFormat::Bmp: return DecodeBmp(bytes);
    case PictureFormat::Png: return DecodePng(bytes);
    case PictureFormat::Jpeg: return DecodeJpeg(bytes);
    case PictureFormat::Gif: return DecodeGif(bytes);
    case PictureFormat::None: break;
  }
  FailUnrecognised(bytes);
}

}  // namespace

PicturePtr LoadPicture(std::vector<uint8_t>&& bytes) {
  if (bytes.empty()) Fail(kErrInvalidPicture, "Invalid picture: no data");
  const PictureFormat format = Sniff(bytes);
  PendingDecodeCharge charge;
  Raster pixels = Decode(bytes, format);
  return Picture::FromDecoded(std::move(pixels), format, std::move(bytes), charge.Take());
}

PicturePtr LoadPicture(std::span<const uint8_t> bytes) {
  return LoadPicture(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

PicturePtr LoadPictureFile(const std::string& path) {
  return LoadPicture(ReadFileBytes(path));
}

}  // namespace lumora

// Picture objects: shared, immutable, compared by identity. They keep their
// original encoded bytes so that saving a form loses nothing. No picture is a
// null PicturePtr; an empty picture is an object whose Handle is 0.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/object.hpp"
#include "platform/raster.hpp"

namespace lumora {

enum class PictureFormat { None, Bmp, Png, Jpeg, Gif };

const char* FormatName(PictureFormat format);

// Memory for decoded pictures, in pixels (4 bytes each). One document (a form
// file, a property document) may decode at most `document` pixels in all, and
// the decoded pictures alive in the process may hold at most `process`. Past
// either, decoding fails with error 7 before anything is allocated.
struct DecodeBudget {
  int64_t document = int64_t{1} << 28;  // 1 GiB
  int64_t process = int64_t{1} << 30;   // 4 GiB
};
DecodeBudget GetDecodeBudget();
void SetDecodeBudget(const DecodeBudget& budget);

// While one lives, the pictures this thread decodes count against one
// document's budget; a scope inside another counts in the outer one.
class DocumentDecodeScope {
 public:
  DocumentDecodeScope();
  ~DocumentDecodeScope();
  DocumentDecodeScope(const DocumentDecodeScope&) = delete;
  DocumentDecodeScope& operator=(const DocumentDecodeScope&) = delete;

 private:
  bool m_Outer;
};

// A decoded picture's pixels, counted against the process's budget for as
// long as this lives.
class DecodeCharge {
 public:
  DecodeCharge() = default;
  explicit DecodeCharge(int64_t pixels) : m_Pixels(pixels) {}
  ~DecodeCharge();
  DecodeCharge(DecodeCharge&& other) noexcept : m_Pixels(std::exchange(other.m_Pixels, 0)) {}
  DecodeCharge& operator=(DecodeCharge&& other) noexcept {
    std::swap(m_Pixels, other.m_Pixels);
    return *this;
  }

 private:
  int64_t m_Pixels = 0;
};

class Picture final : public Object {
 public:
  // Use the factories; the constructor is public only for make_shared.
  Picture(Raster pixels, PictureFormat format, std::vector<uint8_t> bytes, bool empty);

  // The empty picture (Handle 0), one shared object.
  static PicturePtr Empty();
  // A picture of the given pixels; bytes are its encoding (may be empty for an
  // image made at run time, such as a persistent image).
  static PicturePtr FromRaster(Raster pixels, PictureFormat format = PictureFormat::Bmp,
                               std::vector<uint8_t> bytes = {});
  // A decoded picture, keeping its pixels counted while it lives.
  static PicturePtr FromDecoded(Raster pixels, PictureFormat format, std::vector<uint8_t> bytes,
                                DecodeCharge charge);

  uint32_t Handle() const { return m_Handle; }
  // Natural size in HIMETRIC (96 pixels per inch).
  double Width() const;
  double Height() const;
  int32_t PixelWidth() const { return m_Pixels.Width(); }
  int32_t PixelHeight() const { return m_Pixels.Height(); }
  const Raster& Pixels() const { return m_Pixels; }
  PictureFormat Format() const { return m_Format; }
  const std::vector<uint8_t>& Bytes() const { return m_Bytes; }

  std::string TypeName() const override { return "Picture"; }
  Variant GetProperty(std::string_view name) override;  // Handle, Width, Height, Type

 private:
  Raster m_Pixels;
  PictureFormat m_Format;
  std::vector<uint8_t> m_Bytes;
  uint32_t m_Handle;
  DecodeCharge m_Charge;
};

// Decodes BMP, PNG, JPEG or GIF (first frame) from memory or a file. Bad,
// truncated or empty data fails with error 481 and a message naming the format
// and the fault; a missing file with error 53. An empty input gives error 481.
PicturePtr LoadPicture(std::span<const uint8_t> bytes);
// The same, keeping the given bytes as the picture's encoding without a copy.
PicturePtr LoadPicture(std::vector<uint8_t>&& bytes);
PicturePtr LoadPictureFile(const std::string& path);

// Writes a picture's pixels as a 24-bit BMP file, atomically: on failure
// (error 75/76) no partial file is left and an existing file is untouched.
void SavePicture(const Picture& picture, const std::string& path);
// The 24-bit BMP encoding SavePicture writes.
std::vector<uint8_t> EncodeBmp24(const Raster& pixels);

}  // namespace lumora

// Picture objects: shared, immutable, compared by identity. They keep their
// original encoded bytes so that saving a form loses nothing. No picture is a
// null PicturePtr; an empty picture is an object whose Handle is 0.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/object.hpp"
#include "platform/raster.hpp"

namespace lumora {

enum class PictureFormat { None, Bmp, Png, Jpeg, Gif };

const char* FormatName(PictureFormat format);

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

#include "platform/picture/codec_png.hpp"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <string>

#include "platform/errors.hpp"
#include "platform/picture/codec_common.hpp"
#include "platform/picture/png_errors.hpp"

namespace lumora {

namespace {

constexpr PictureFormat kPng = PictureFormat::Png;
// The largest ratio deflate reaches; a picture needing more raw bytes than the
// rest of the file could inflate to is truncated, whatever it claims.
constexpr uint64_t kMaxDeflateRatio = 1032;

// What libpng's callbacks reach: the input and the last error's text.
struct PngContext {
  const uint8_t* data;
  size_t size;
  size_t pos;
  PngErrorText error;
};

void OnRead(png_structp png, png_bytep out, size_t length) {
  auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
  if (length > context->size - context->pos) png_error(png, "truncated data");
  std::memcpy(out, context->data + context->pos, length);
  context->pos += length;
}

// Owns libpng's read and info structures.
class PngReader {
 public:
  explicit PngReader(PngContext& context) {
    m_Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context.error, OnPngError, OnPngWarning);
    if (m_Png != nullptr) m_Info = png_create_info_struct(m_Png);
    if (m_Info == nullptr) {
      png_destroy_read_struct(&m_Png, nullptr, nullptr);
      Fail(kErrOutOfMemory);
    }
    png_set_read_fn(m_Png, &context, OnRead);
    png_set_benign_errors(m_Png, 0);
    png_set_crc_action(m_Png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    // Sizes are limited by kMaxPicturePixels, checked after the header.
    png_set_user_limits(m_Png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_cache_max(m_Png, 128);
    png_set_chunk_malloc_max(m_Png, 4u << 20);
    // The colour profile is never used: a profile merely listed as outdated
    // must not refuse the picture.
    png_set_option(m_Png, PNG_SKIP_sRGB_CHECK_PROFILE, PNG_OPTION_ON);
  }
  ~PngReader() { png_destroy_read_struct(&m_Png, &m_Info, nullptr); }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;

  png_structp Png() const { return m_Png; }
  png_infop Info() const { return m_Info; }

 private:
  png_structp m_Png = nullptr;
  png_infop m_Info = nullptr;
};

struct PngHeader {
  png_uint_32 width;
  png_uint_32 height;
  size_t rawRowBytes;
  size_t rowBytes;  // after the transforms
  int passes;
  bool alpha;
};

// The functions below call libpng under setjmp: libpng's errors longjmp
// back here, so they hold only trivially destructible locals.

// Reads the chunks up to the pixel data.
bool ReadInfo(png_structp png, png_infop info, PngHeader* header) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  header->width = png_get_image_width(png, info);
  header->height = png_get_image_height(png, info);
  header->rawRowBytes = png_get_rowbytes(png, info);
  header->alpha = png_get_valid(png, info, PNG_INFO_tRNS) != 0 ||
                  (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0;
  return true;
}

// Sets the transforms that give B, G, R, A bytes (0xAARRGGBB pixels, not yet
// premultiplied). This allocates libpng's row buffers.
bool SetTransforms(png_structp png, png_infop info, PngHeader* header) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_expand(png);  // palette to RGB, low-bit grey to 8 bits, tRNS to alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if (!header->alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  header->passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  header->rowBytes = png_get_rowbytes(png, info);
  return true;
}

// Reads every pass into the rows, then the chunks after the pixel data.
bool ReadPixels(png_structp png, png_bytep pixels, size_t stride, const PngHeader* header) {
  if (setjmp(png_jmpbuf(png))) return false;
  for (int pass = 0; pass < header->passes; ++pass) {
    for (png_uint_32 y = 0; y < header->height; ++y)
      png_read_row(png, pixels + y * stride, nullptr);
  }
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

Raster DecodePng(std::span<const uint8_t> bytes) {
  PngContext context{bytes.data(), bytes.size(), 0, {}};
  PngReader reader(context);
  PngHeader header{};
  if (!ReadInfo(reader.Png(), reader.Info(), &header)) FailDecode(kPng, context.error.message);
  CheckPictureSize(kPng, header.width, header.height);
  const uint64_t left = bytes.size() - context.pos;
  if (uint64_t{header.height} * header.rawRowBytes > left * kMaxDeflateRatio + 4096) {
    FailDecode(kPng, "truncated data");
  }
  if (!SetTransforms(reader.Png(), reader.Info(), &header)) FailDecode(kPng, context.error.message);
  if (header.rowBytes != uint64_t{header.width} * 4) FailDecode(kPng, "unsupported pixel layout");
  Raster out = NewPictureRaster(kPng, header.width, header.height);
  if (!ReadPixels(reader.Png(), reinterpret_cast<png_bytep>(out.Data()),
                  static_cast<size_t>(out.Stride()), &header)) {
    FailDecode(kPng, context.error.message);
  }
  if (header.alpha) {
    PremultiplyPixels({out.Data(), static_cast<size_t>(out.Width()) * out.Height()});
  }
  return out;
}

}  // namespace lumora

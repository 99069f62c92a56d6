#include "platform/render/png.hpp"

#include <png.h>

#include <algorithm>
#include <csetjmp>

#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/png_errors.hpp"

namespace lumora {

namespace {

// Frames are written often (every step of a recorded run) and read rarely:
// the fastest deflate level with one cheap filter is several times faster
// than the default settings. Up suits both pictures (files a few per cent
// larger) and flat controls (where every file is small) better than the
// other single filters.
constexpr int kCompressionLevel = 1;
constexpr int kFilter = PNG_FILTER_UP;

// What libpng's callbacks reach: the output and the last error's text.
struct PngSink {
  std::vector<uint8_t>* bytes;
  PngErrorText error;
};

void OnWrite(png_structp png, png_bytep data, size_t length) {
  auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
  sink->bytes->insert(sink->bytes->end(), data, data + length);
}

void OnFlush(png_structp) {}

// Owns libpng's write and info structures.
class PngWriter {
 public:
  explicit PngWriter(PngSink& sink) {
    m_Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink.error, OnPngError, OnPngWarning);
    if (m_Png != nullptr) m_Info = png_create_info_struct(m_Png);
    if (m_Info == nullptr) {
      png_destroy_write_struct(&m_Png, nullptr);
      Fail(kErrOutOfMemory);
    }
    png_set_write_fn(m_Png, &sink, OnWrite, OnFlush);
  }
  ~PngWriter() { png_destroy_write_struct(&m_Png, &m_Info); }
  PngWriter(const PngWriter&) = delete;
  PngWriter& operator=(const PngWriter&) = delete;

  png_structp Png() const { return m_Png; }
  png_infop Info() const { return m_Info; }

 private:
  png_structp m_Png = nullptr;
  png_infop m_Info = nullptr;
};

bool IsOpaque(const Raster& raster) {
  const uint32_t* p = raster.Data();
  const size_t n = raster.PixelCount();
  uint32_t all = 0xFF000000u;
  for (size_t i = 0; i < n; ++i) all &= p[i];
  return (all >> 24) == 0xFF;
}

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  if (alpha == 0) return 0;
  return static_cast<uint8_t>(std::min<uint32_t>(255, (channel * 255 + alpha / 2) / alpha));
}

// One row as R, G, B (opaque) or straight R, G, B, A bytes.
void PackRow(const uint32_t* row, int32_t width, bool opaque, uint8_t* out) {
  for (int32_t x = 0; x < width; ++x) {
    const uint32_t p = row[x];
    const uint32_t a = p >> 24;
    const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    if (opaque) {
      *out++ = static_cast<uint8_t>(r);
      *out++ = static_cast<uint8_t>(g);
      *out++ = static_cast<uint8_t>(b);
    } else {
      *out++ = Unpremultiply(r, a);
      *out++ = Unpremultiply(g, a);
      *out++ = Unpremultiply(b, a);
      *out++ = static_cast<uint8_t>(a);
    }
  }
}

// Writes the whole file under setjmp: libpng's errors longjmp back here, so
// it holds only trivially destructible locals.
bool WriteRows(png_structp png, png_infop info, const Raster* raster, bool opaque, uint8_t* line) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(raster->Width()),
               static_cast<png_uint_32>(raster->Height()), 8,
               opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, kCompressionLevel);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, kFilter);
  png_write_info(png, info);
  for (int32_t y = 0; y < raster->Height(); ++y) {
    PackRow(raster->Row(y), raster->Width(), opaque, line);
    png_write_row(png, line);
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Raster& raster) {
  if (raster.IsEmpty()) Fail(kErrInvalidCall, "PNG export: the image is empty (no pixels)");
  const bool opaque = IsOpaque(raster);
  std::vector<uint8_t> line(static_cast<size_t>(raster.Width()) * (opaque ? 3 : 4));
  std::vector<uint8_t> bytes;
  bytes.reserve(raster.PixelCount() + 1024);
  PngSink sink{&bytes, {}};
  PngWriter writer(sink);
  if (!WriteRows(writer.Png(), writer.Info(), &raster, opaque, line.data()))
    Fail(kErrInvalidCall, std::string("PNG export failed: ") + sink.error.message);
  return bytes;
}

void WritePng(const Raster& raster, const std::string& path) {
  WriteFileAtomically(path, EncodePng(raster));
}

}  // namespace lumora

#include "platform/picture/png_writer.hpp"

#include <png.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <memory>

#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/picture/png_errors.hpp"

namespace lumora {

namespace {

// Frames are written often (every step of a recorded run) and read rarely.
// Frames of plain controls have few colours: as palette indices they are a
// third of the data, which a middling deflate level packs to about the size
// of the RGB file at the default settings in a fraction of the time. Pictures have too many
// colours for a palette; for them the fastest deflate level with one cheap
// filter is several times faster than the default settings for a file a few
// per cent larger (Up suits them better than the other single filters).
constexpr int kIndexedLevel = 3;
constexpr int kIndexedFilter = PNG_FILTER_NONE;
constexpr int kRgbLevel = 1;
constexpr int kRgbFilter = PNG_FILTER_UP;

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

// Gives each colour of an opaque frame a palette index in order of first
// appearance; gives up at the 257th colour, which most pictures reach within
// their first row, so the attempt costs little when it fails.
class Palette {
 public:
  // The index of `argb`, or -1 when the palette is full.
  int IndexOf(uint32_t argb) {
    if (argb == m_Last) return m_LastIndex;
    size_t slot = (argb * 0x9E3779B1u) >> (32 - kSlotBits);
    while (m_Keys[slot] != 0 && m_Keys[slot] != argb) slot = (slot + 1) & (kSlots - 1);
    if (m_Keys[slot] == 0) {
      if (m_Count == 256) return -1;
      m_Keys[slot] = argb;
      m_Index[slot] = static_cast<uint8_t>(m_Count);
      m_Colours[m_Count] = png_color{static_cast<png_byte>(argb >> 16),
                                     static_cast<png_byte>(argb >> 8), static_cast<png_byte>(argb)};
      ++m_Count;
    }
    m_Last = argb;
    m_LastIndex = m_Index[slot];
    return m_LastIndex;
  }
  int Count() const { return m_Count; }
  const png_color* Colours() const { return m_Colours.data(); }

 private:
  // Four slots per colour keep probe chains short. Opaque colours are never
  // 0, which marks an empty slot.
  static constexpr int kSlotBits = 10;
  static constexpr size_t kSlots = size_t{1} << kSlotBits;
  std::array<uint32_t, kSlots> m_Keys{};
  std::array<uint8_t, kSlots> m_Index{};
  std::array<png_color, 256> m_Colours{};
  int m_Count = 0;
  uint32_t m_Last = 0;
  int m_LastIndex = 0;
};

// Fills `indices` (one per pixel) from `palette`; false when the frame has
// more than 256 colours.
bool IndexFrame(const Raster& raster, Palette& palette, uint8_t* indices) {
  const uint32_t* p = raster.Data();
  const size_t n = raster.PixelCount();
  for (size_t i = 0; i < n; ++i) {
    const int index = palette.IndexOf(p[i]);
    if (index < 0) return false;
    indices[i] = static_cast<uint8_t>(index);
  }
  return true;
}

// The fewest bits per index that hold `count` colours.
int BitDepthFor(int count) {
  if (count <= 2) return 1;
  if (count <= 4) return 2;
  if (count <= 16) return 4;
  return 8;
}

// Writes a palette frame, under setjmp as WriteRows below.
bool WriteIndexed(png_structp png, png_infop info, const Raster* raster, const Palette* palette,
                  const uint8_t* indices) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(raster->Width()),
               static_cast<png_uint_32>(raster->Height()), BitDepthFor(palette->Count()),
               PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, palette->Colours(), palette->Count());
  png_set_compression_level(png, kIndexedLevel);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, kIndexedFilter);
  png_write_info(png, info);
  png_set_packing(png);  // one index a byte in, fewer bits a pixel in the file
  for (int32_t y = 0; y < raster->Height(); ++y)
    png_write_row(png, indices + static_cast<size_t>(y) * raster->Width());
  png_write_end(png, info);
  return true;
}

// Writes the whole file under setjmp: libpng's errors longjmp back here, so
// it holds only trivially destructible locals.
bool WriteRows(png_structp png, png_infop info, const Raster* raster, bool opaque, uint8_t* line) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(raster->Width()),
               static_cast<png_uint_32>(raster->Height()), 8,
               opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, kRgbLevel);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, kRgbFilter);
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
  Palette palette;
  std::unique_ptr<uint8_t[]> indices;
  if (opaque) {
    // Left unfilled: most frames that will not fit a palette stop within a row.
    indices = std::make_unique_for_overwrite<uint8_t[]>(raster.PixelCount());
    if (!IndexFrame(raster, palette, indices.get())) indices.reset();
  }
  std::vector<uint8_t> line(indices ? 0 : static_cast<size_t>(raster.Width()) * (opaque ? 3 : 4));
  std::vector<uint8_t> bytes;
  bytes.reserve(raster.PixelCount() + 1024);
  PngSink sink{&bytes, {}};
  PngWriter writer(sink);
  const bool written =
      indices ? WriteIndexed(writer.Png(), writer.Info(), &raster, &palette, indices.get())
              : WriteRows(writer.Png(), writer.Info(), &raster, opaque, line.data());
  if (!written) Fail(kErrInvalidCall, std::string("PNG export failed: ") + sink.error.message);
  return bytes;
}

void WritePng(const Raster& raster, const std::string& path) {
  WriteFileAtomically(path, EncodePng(raster));
}

}  // namespace lumora

#include "platform/picture/codec_bmp.hpp"

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <vector>

#include "platform/picture/codec_common.hpp"

namespace lumora {

namespace {

enum Compression : uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kJpeg = 4,
  kPng = 5,
  kAlphaBitFields = 6,
};

constexpr size_t kFileHeaderSize = 14;

[[noreturn]] void Bad(const std::string& fault) {
  FailDecode(PictureFormat::Bmp, fault);
}

uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
int32_t I32(const uint8_t* p) {
  return static_cast<int32_t>(U32(p));
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
class Channel {
 public:
  Channel() = default;
  explicit Channel(uint32_t mask) : m_Mask(mask) {
    if (mask == 0) return;
    m_Shift = std::countr_zero(mask);
    m_Bits = std::popcount(mask);
    if ((uint64_t{mask} >> m_Shift) != (uint64_t{1} << m_Bits) - 1) {
      Bad("bit field mask is not contiguous");
    }
    if (m_Bits < 8) {
      const uint32_t max = (1u << m_Bits) - 1;
      for (uint32_t v = 0; v <= max; ++v)
        m_Scale[v] = static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
  }
  bool Present() const { return m_Bits > 0; }
  uint32_t Get(uint32_t pixel) const {
    const uint32_t v = (pixel & m_Mask) >> m_Shift;
    return m_Bits >= 8 ? v >> (m_Bits - 8) : m_Scale[v];
  }

 private:
  uint32_t m_Mask = 0;
  int m_Shift = 0;
  int m_Bits = 0;
  std::array<uint8_t, 256> m_Scale{};
};

// Everything the headers say about the pixels.
struct BmpLayout {
  int64_t width = 0;
  int64_t height = 0;
  bool topDown = false;
  uint32_t bitCount = 0;
  uint32_t compression = kRgb;
  std::array<uint32_t, 4> masks{};  // red, green, blue, alpha
  std::array<Argb, 256> palette{};
  size_t dataOffset = 0;
};

bool IsKnownHeaderSize(uint32_t size) {
  switch (size) {
    case 12:   // OS/2 v1
    case 16:   // OS/2 v2, shortened
    case 40:   // Windows v3 (and OS/2 v2 shortened to the same size)
    case 52:   // v3 with colour masks
    case 56:   // v3 with colour and alpha masks
    case 64:   // OS/2 v2
    case 108:  // v4
    case 124:  // v5
      return true;
    default: return false;
  }
}

void ReadMasks(BmpLayout& layout, std::span<const uint8_t> bytes, uint32_t headerSize,
               size_t& paletteStart) {
  const uint8_t* d = bytes.data();
  if (layout.compression == kRgb) {
    layout.masks = layout.bitCount == 16 ? std::array<uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                                         : std::array<uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, 0};
    return;
  }
  const bool withAlpha = layout.compression == kAlphaBitFields || headerSize >= 56;
  size_t at = kFileHeaderSize + 40;
  size_t count = withAlpha ? 4 : 3;
  if (headerSize == 40) {
    // The masks follow the header and come before the palette.
    paletteStart += 4 * count;
  } else {
    // Inside a longer header: only the masks it has room for.
    count = headerSize > 40 ? std::min<size_t>(count, (headerSize - 40) / 4) : 0;
  }
  if (at + 4 * count > bytes.size()) Bad("truncated bit field masks");
  for (size_t i = 0; i < count; ++i) layout.masks[i] = U32(d + at + 4 * i);
  if (layout.masks[0] == 0 && layout.masks[1] == 0 && layout.masks[2] == 0) {
    Bad("bit field masks are all zero");
  }
}

void ReadPalette(BmpLayout& layout, std::span<const uint8_t> bytes, size_t start,
                 uint32_t colorsUsed, size_t entrySize) {
  layout.palette.fill(0xFF000000u);  // indices beyond the palette show black
  if (layout.bitCount > 8) return;   // a palette beside true colour is only a hint
  const uint32_t maxColors = 1u << layout.bitCount;
  uint64_t count = maxColors;
  if (colorsUsed != 0) {
    if (start + uint64_t{colorsUsed} * entrySize > bytes.size()) {
      Bad("bad palette size " + std::to_string(colorsUsed));
    }
    count = colorsUsed;
  }
  // Some files (OS/2 ones especially) store a shorter palette than their bit
  // count implies; the pixel data offset tells.
  if (layout.dataOffset > start)
    count = std::min<uint64_t>(count, (layout.dataOffset - start) / entrySize);
  count = std::min<uint64_t>(count, maxColors);
  if (start + count * entrySize > bytes.size()) Bad("truncated palette");
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = bytes.data() + start + i * entrySize;
    layout.palette[i] = 0xFF000000u | (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
  }
}

BmpLayout ReadHeaders(std::span<const uint8_t> bytes) {
  const uint8_t* d = bytes.data();
  if (bytes.size() < kFileHeaderSize + 4) Bad("truncated header");
  if (d[0] != 'B' || d[1] != 'M') Bad("bad signature");
  BmpLayout layout;
  layout.dataOffset = U32(d + 10);
  const uint32_t headerSize = U32(d + kFileHeaderSize);
  if (!IsKnownHeaderSize(headerSize)) Bad("bad header size " + std::to_string(headerSize));
  if (kFileHeaderSize + headerSize > bytes.size()) Bad("truncated header");
  const uint8_t* h = d + kFileHeaderSize;
  uint32_t planes = 0;
  uint32_t colorsUsed = 0;
  size_t entrySize = 4;
  if (headerSize == 12) {
    layout.width = U16(h + 4);
    layout.height = U16(h + 6);
    planes = U16(h + 8);
    layout.bitCount = U16(h + 10);
    entrySize = 3;
  } else {
    layout.width = I32(h + 4);
    const int64_t height = I32(h + 8);
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
    planes = U16(h + 12);
    layout.bitCount = U16(h + 14);
    layout.compression = headerSize >= 20 ? U32(h + 16) : kRgb;
    colorsUsed = headerSize >= 36 ? U32(h + 32) : 0;
    const bool os2 = headerSize == 16 || headerSize == 64;
    if (os2 && layout.compression == 3) Bad("unsupported compression (Huffman 1D)");
    if (os2 && layout.compression == 4) Bad("unsupported compression (RLE24)");
  }
  // Embedded JPEG and PNG data come with a bit count of 0.
  if (layout.compression == kJpeg) Bad("unsupported compression (embedded JPEG)");
  if (layout.compression == kPng) Bad("unsupported compression (embedded PNG)");
  if (planes != 1) Bad("bad plane count " + std::to_string(planes));
  switch (layout.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: Bad("bad bit count " + std::to_string(layout.bitCount));
  }
  if (layout.width <= 0 || layout.height <= 0) {
    Bad("bad size " + std::to_string(layout.width) + "x" + std::to_string(layout.height));
  }
  const std::string mode = "compression " + std::to_string(layout.compression) + " with " +
                           std::to_string(layout.bitCount) + " bits";
  switch (layout.compression) {
    case kRgb: break;
    case kRle8:
    case kRle4:
      if (layout.bitCount != (layout.compression == kRle8 ? 8u : 4u)) Bad("bad " + mode);
      if (layout.topDown) Bad("top-down rows with RLE compression");
      break;
    case kBitFields:
    case kAlphaBitFields:
      if (layout.bitCount != 16 && layout.bitCount != 32) Bad("bad " + mode);
      break;
    default: Bad("unsupported compression " + std::to_string(layout.compression));
  }
  CheckPictureSize(PictureFormat::Bmp, layout.width, layout.height);
  size_t paletteStart = kFileHeaderSize + headerSize;
  if (layout.bitCount == 16 || layout.bitCount == 32)
    ReadMasks(layout, bytes, headerSize, paletteStart);
  if (layout.dataOffset < kFileHeaderSize + headerSize) Bad("bad pixel data offset");
  if (layout.dataOffset >= bytes.size()) Bad("truncated data");
  ReadPalette(layout, bytes, paletteStart, colorsUsed, entrySize);
  return layout;
}

// Indexed rows of 1, 2, 4 or 8 bits per pixel, the leftmost pixel in the
// high bits of each byte.
template <uint32_t kBits>
void DecodeIndexedRow(const uint8_t* src, uint32_t* dst, int32_t width,
                      const std::array<Argb, 256>& palette) {
  constexpr uint32_t kPerByte = 8 / kBits;
  constexpr uint32_t kMask = (1u << kBits) - 1;
  int32_t x = 0;
  for (; x + static_cast<int32_t>(kPerByte) <= width; x += kPerByte) {
    const uint32_t byte = *src++;
    for (uint32_t i = 0; i < kPerByte; ++i)
      dst[x + i] = palette[(byte >> (8 - kBits * (i + 1))) & kMask];
  }
  for (uint32_t i = 0; x < width; ++x, ++i)
    dst[x] = palette[(*src >> (8 - kBits * (i + 1))) & kMask];
}

// Opaque pixels from B, G, R byte triples.
void ExpandBgrScalar(const uint8_t* src, uint32_t* dst, int32_t from, int32_t width) {
  for (int32_t x = from; x < width; ++x) {
    const uint8_t* p = src + 3 * static_cast<ptrdiff_t>(x);
    dst[x] = 0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
  }
}

// Four pixels per step; each 16-byte load uses 12 and stays within the row.
__attribute__((target("ssse3"))) void ExpandBgrSsse3(const uint8_t* src, uint32_t* dst,
                                                     int32_t width) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int32_t>(0xFF000000u));
  int32_t x = 0;
  for (; x + 6 <= width; x += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x),
                     _mm_or_si128(_mm_shuffle_epi8(v, spread), opaque));
  }
  ExpandBgrScalar(src, dst, x, width);
}

void ExpandBgr(const uint8_t* src, uint32_t* dst, int32_t width) {
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3)
    ExpandBgrSsse3(src, dst, width);
  else
    ExpandBgrScalar(src, dst, 0, width);
}

// Every 16-bit value mapped to its pixel once, so each row is a table lookup.
std::vector<Argb> SixteenBitTable(const BmpLayout& layout) {
  const Channel r(layout.masks[0]), g(layout.masks[1]), b(layout.masks[2]), a(layout.masks[3]);
  std::vector<Argb> table(65536);
  for (uint32_t v = 0; v < 65536; ++v) {
    const uint32_t alpha = a.Present() ? a.Get(v) : 255;
    table[v] = Premultiply((alpha << 24) | (r.Get(v) << 16) | (g.Get(v) << 8) | b.Get(v));
  }
  return table;
}

void DecodeUncompressed(const BmpLayout& layout, std::span<const uint8_t> bytes, Raster& out) {
  const int32_t width = out.Width();
  const int32_t height = out.Height();
  const uint64_t stride = (uint64_t(width) * layout.bitCount + 31) / 32 * 4;
  std::vector<Argb> table16;
  if (layout.bitCount == 16) table16 = SixteenBitTable(layout);
  const bool plain32 = layout.masks == std::array<uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, 0};
  const Channel r(layout.masks[0]), g(layout.masks[1]), b(layout.masks[2]), a(layout.masks[3]);
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* src = bytes.data() + layout.dataOffset + stride * row;
    uint32_t* dst = out.Row(layout.topDown ? row : height - 1 - row);
    switch (layout.bitCount) {
      case 16:
        for (int32_t x = 0; x < width; ++x) dst[x] = table16[U16(src + 2 * x)];
        break;
      case 24: ExpandBgr(src, dst, width); break;
      case 32:
        if (plain32) {
          for (int32_t x = 0; x < width; ++x) dst[x] = 0xFF000000u | U32(src + 4 * x);
          break;
        }
        for (int32_t x = 0; x < width; ++x) {
          const uint32_t v = U32(src + 4 * x);
          const uint32_t alpha = a.Present() ? a.Get(v) : 255;
          dst[x] = Premultiply((alpha << 24) | (r.Get(v) << 16) | (g.Get(v) << 8) | b.Get(v));
        }
        break;
      case 8: DecodeIndexedRow<8>(src, dst, width, layout.palette); break;
      case 4: DecodeIndexedRow<4>(src, dst, width, layout.palette); break;
      case 2: DecodeIndexedRow<2>(src, dst, width, layout.palette); break;
      default: DecodeIndexedRow<1>(src, dst, width, layout.palette);
    }
  }
}

// RLE4 and RLE8: runs, absolute runs, end of line, end of picture and deltas.
// Rows run bottom-up; a run that would leave its row or the picture is an error.
void DecodeRle(const BmpLayout& layout, std::span<const uint8_t> bytes, Raster& out) {
  const bool four = layout.compression == kRle4;
  const uint8_t* d = bytes.data();
  const size_t size = bytes.size();
  const int64_t width = out.Width();
  const int64_t height = out.Height();
  size_t pos = layout.dataOffset;
  int64_t x = 0;
  int64_t y = 0;  // counted from the bottom row
  auto target = [&](int64_t count) {
    if (y >= height) Bad("RLE data beyond the last row");
    if (x + count > width) Bad("RLE run past the end of a row");
    uint32_t* row = out.Row(static_cast<int32_t>(height - 1 - y)) + x;
    x += count;
    return row;
  };
  for (;;) {
    if (pos + 2 > size) Bad("truncated data");
    const uint32_t first = d[pos];
    const uint32_t second = d[pos + 1];
    pos += 2;
    if (first > 0) {
      uint32_t* dst = target(first);
      for (uint32_t i = 0; i < first; ++i) {
        dst[i] = layout.palette[four ? ((i & 1) ? second & 15 : second >> 4) : second];
      }
    } else if (second == 0) {  // end of line
      x = 0;
      ++y;
    } else if (second == 1) {  // end of picture
      return;
    } else if (second == 2) {  // delta
      if (pos + 2 > size) Bad("truncated data");
      x += d[pos];
      y += d[pos + 1];
      pos += 2;
      if (x > width || y > height) Bad("RLE delta outside the picture");
    } else {  // absolute run of `second` pixels, padded to 16 bits
      const size_t length = four ? (second + 1) / 2 : second;
      if (pos + length > size) Bad("truncated data");
      uint32_t* dst = target(second);
      const uint8_t* src = d + pos;
      for (uint32_t i = 0; i < second; ++i) {
        dst[i] = layout.palette[four ? ((i & 1) ? src[i / 2] & 15 : src[i / 2] >> 4) : src[i]];
      }
      pos += (length + 1) & ~size_t{1};
    }
  }
}

}  // namespace

Raster DecodeBmp(std::span<const uint8_t> bytes) {
  const BmpLayout layout = ReadHeaders(bytes);
  const bool rle = layout.compression == kRle8 || layout.compression == kRle4;
  if (!rle) {
    // The data size is checked before the raster is allocated.
    const uint64_t rowBits = uint64_t(layout.width) * layout.bitCount;
    const uint64_t needed =
        (rowBits + 31) / 32 * 4 * uint64_t(layout.height - 1) + (rowBits + 7) / 8;
    if (layout.dataOffset + needed > bytes.size()) Bad("truncated data");
  }
  // Runs may skip pixels, which stay transparent; every other layout writes
  // every pixel.
  if (rle) {
    Raster out = NewPictureRaster(PictureFormat::Bmp, layout.width, layout.height, 0u);
    DecodeRle(layout, bytes, out);
    return out;
  }
  Raster out = NewPictureRaster(PictureFormat::Bmp, layout.width, layout.height);
  DecodeUncompressed(layout, bytes, out);
  return out;
}

}  // namespace lumora

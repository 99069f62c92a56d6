#include "platform/picture/codec_gif.hpp"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/errors.hpp"
#include "platform/picture/codec_common.hpp"

namespace lumora {

namespace {

constexpr PictureFormat kGif = PictureFormat::Gif;

[[noreturn]] void Bad(const std::string& fault) {
  FailDecode(kGif, fault);
}

[[noreturn]] void FailWithCode(int code) {
  switch (code) {
    case D_GIF_ERR_OPEN_FAILED:
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON: Bad("truncated data");
    case D_GIF_ERR_NOT_GIF_FILE: Bad("bad signature");
    // giflib reports these when the descriptors cannot be read in full.
    case D_GIF_ERR_NO_SCRN_DSCR: Bad("truncated screen descriptor");
    case D_GIF_ERR_NO_IMAG_DSCR: Bad("truncated image descriptor");
    case D_GIF_ERR_WRONG_RECORD: Bad("bad record type");
    case D_GIF_ERR_DATA_TOO_BIG: Bad("too much pixel data");
    case D_GIF_ERR_IMAGE_DEFECT: Bad("corrupt pixel data");
    case D_GIF_ERR_NOT_ENOUGH_MEM: Fail(kErrOutOfMemory);
    default: {
      const char* text = GifErrorString(code);
      Bad(text != nullptr ? text : "error " + std::to_string(code));
    }
  }
}

struct GifSource {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

// A short read is how giflib learns that the data ran out.
int OnRead(GifFileType* gif, GifByteType* out, int length) {
  auto* source = static_cast<GifSource*>(gif->UserData);
  const size_t count =
      std::min(static_cast<size_t>(std::max(length, 0)), source->size - source->pos);
  std::memcpy(out, source->data + source->pos, count);
  source->pos += count;
  return static_cast<int>(count);
}

// Owns giflib's decoder.
class GifReader {
 public:
  explicit GifReader(GifSource& source) {
    int error = 0;
    m_Gif = DGifOpen(&source, OnRead, &error);
    if (m_Gif == nullptr) FailWithCode(error);
  }
  ~GifReader() {
    int error = 0;
    DGifCloseFile(m_Gif, &error);
  }
  GifReader(const GifReader&) = delete;
  GifReader& operator=(const GifReader&) = delete;
  GifFileType* operator->() const { return m_Gif; }
  GifFileType* Get() const { return m_Gif; }
  void Check(int result) const {
    if (result == GIF_ERROR) FailWithCode(m_Gif->Error);
  }

 private:
  GifFileType* m_Gif = nullptr;
};

// Reads extensions up to the first image descriptor; returns the transparent
// colour index its graphic control extension names, or -1.
int SkipToFirstFrame(const GifReader& gif) {
  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    gif.Check(DGifGetRecordType(gif.Get(), &type));
    if (type == IMAGE_DESC_RECORD_TYPE) return transparent;
    if (type == TERMINATE_RECORD_TYPE) Bad("no frames");
    if (type != EXTENSION_RECORD_TYPE) Bad("bad record type");
    int code = 0;
    GifByteType* block = nullptr;
    gif.Check(DGifGetExtension(gif.Get(), &code, &block));
    // block[0] is the block's length; a graphic control block has 4 bytes.
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
      transparent = (block[1] & 1) != 0 ? block[4] : -1;
    }
    while (block != nullptr) gif.Check(DGifGetExtensionNext(gif.Get(), &block));
  }
}

std::array<Argb, 256> ColorTable(const ColorMapObject& map, int transparent) {
  std::array<Argb, 256> table;
  table.fill(0xFF000000u);
  const int count = std::clamp(map.ColorCount, 0, 256);
  for (int i = 0; i < count; ++i) {
    const GifColorType& c = map.Colors[i];
    table[i] = 0xFF000000u | (uint32_t{c.Red} << 16) | (uint32_t{c.Green} << 8) | c.Blue;
  }
  if (transparent >= 0) table[transparent] = 0;
  return table;
}

// The frame rows in the order they are stored.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(height);
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  }
  return rows;
}

}  // namespace

Raster DecodeGif(std::span<const uint8_t> bytes) {
  GifSource source{bytes.data(), bytes.size(), 0};
  GifReader gif(source);
  const int transparent = SkipToFirstFrame(gif);
  gif.Check(DGifGetImageDesc(gif.Get()));
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (map == nullptr) Bad("no colour table");
  // A screen of size 0 (written by some encoders) takes the frame's extent.
  const int64_t width = gif->SWidth > 0 ? gif->SWidth : int64_t{frame.Left} + frame.Width;
  const int64_t height = gif->SHeight > 0 ? gif->SHeight : int64_t{frame.Top} + frame.Height;
  if (frame.Width > 0 && frame.Height > 0) CheckPictureSize(kGif, frame.Width, frame.Height);
  Raster out = NewPictureRaster(kGif, width, height, 0);
  if (frame.Width <= 0 || frame.Height <= 0) return out;
  const std::array<Argb, 256> colors = ColorTable(*map, transparent);
  std::vector<GifPixelType> line(frame.Width);
  // The part of each frame row that lies on the screen.
  const int64_t first = std::clamp<int64_t>(frame.Left, 0, width);
  const int64_t last = std::clamp<int64_t>(int64_t{frame.Left} + frame.Width, 0, width);
  for (const int row : RowOrder(frame.Height, frame.Interlace)) {
    gif.Check(DGifGetLine(gif.Get(), line.data(), frame.Width));
    const int64_t y = int64_t{frame.Top} + row;
    if (y >= height) continue;
    uint32_t* dst = out.Row(static_cast<int32_t>(y));
    for (int64_t x = first; x < last; ++x) dst[x] = colors[line[x - frame.Left]];
  }
  return out;
}

}  // namespace lumora

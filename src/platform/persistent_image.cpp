#include "platform/persistent_image.hpp"

#include <algorithm>
#include <utility>

#include "platform/picture.hpp"

namespace lumora {

namespace {

thread_local int32_t t_TileBudget = kPersistentTileBudget;

// Past this many recorded draws the image keeps its pixels instead: tiles
// computed from a long record would cost more than they save.
constexpr size_t kMaxDraws = 64;

// The overlap of [at, at + n) with the tile [t0, t0 + size).
std::pair<int32_t, int32_t> Overlap(int32_t at, int32_t n, int32_t t0, int32_t size) {
  return {std::max(at, t0), std::min(at + n, t0 + size)};
}

}  // namespace

int32_t PersistentTileBudget() {
  return t_TileBudget;
}

void SetPersistentTileBudget(int32_t tiles) {
  t_TileBudget = std::max(tiles, 1);
}

PersistentImage::~PersistentImage() = default;

void PersistentImage::Reset(int32_t width, int32_t height, Argb fill, PicturePtr background) {
  Release();
  CheckPersistentImageSize(width, height);
  m_Width = std::max(width, 0);
  m_Height = std::max(height, 0);
  m_Exists = true;
  m_Slots.resize(static_cast<size_t>(Columns()) * static_cast<size_t>(Rows()));
  Clear(fill, std::move(background));
}

void PersistentImage::Release() {
  m_Width = m_Height = 0;
  m_Exists = false;
  m_Background.reset();
  m_Draws.clear();
  m_Slots.clear();
  m_Kept = 0;
  ++m_Version;
}

void PersistentImage::Clear(Argb fill, PicturePtr background) {
  m_Fill = fill;
  m_Background = background && background->Handle() != 0 ? std::move(background) : nullptr;
  m_Draws.clear();
  for (Slot& slot : m_Slots) slot = Slot{};
  m_Kept = 0;
  ++m_Version;
}

void PersistentImage::Add(Draw draw) {
  for (size_t i = 0; i < m_Slots.size(); ++i) {
    Raster& tile = m_Slots[i].pixels;
    if (tile.IsEmpty()) continue;
    const auto column = static_cast<int32_t>(i % static_cast<size_t>(Columns()));
    const auto row = static_cast<int32_t>(i / static_cast<size_t>(Columns()));
    ScaleIntoPart(tile, column * kTileSize, row * kTileSize, draw.dx, draw.dy, draw.dw, draw.dh,
                  draw.picture->Pixels(), draw.sx, draw.sy, draw.sw, draw.sh, draw.compose);
  }
  m_Draws.push_back(std::move(draw));
  ++m_Version;
  if (m_Draws.size() > kMaxDraws) Flatten();
}

void PersistentImage::Flatten() {
  for (int32_t row = 0; row < Rows(); ++row)
    for (int32_t column = 0; column < Columns(); ++column) Writable(column, row);
  m_Draws.clear();
  m_Background.reset();
}

void PersistentImage::Compute(Raster& tile, int32_t column, int32_t row) const {
  const int32_t x0 = column * kTileSize;
  const int32_t y0 = row * kTileSize;
  tile = Raster(std::min(kTileSize, m_Width - x0), std::min(kTileSize, m_Height - y0), m_Fill);
  if (m_Background) {
    const Raster& picture = m_Background->Pixels();
    const auto [xa, xb] = Overlap(0, picture.Width(), x0, tile.Width());
    const auto [ya, yb] = Overlap(0, picture.Height(), y0, tile.Height());
    for (int32_t y = ya; y < yb && xa < xb; ++y)
      std::copy(picture.Row(y) + xa, picture.Row(y) + xb, tile.Row(y - y0) + (xa - x0));
  }
  for (const Draw& d : m_Draws)
    ScaleIntoPart(tile, x0, y0, d.dx, d.dy, d.dw, d.dh, d.picture->Pixels(), d.sx, d.sy, d.sw, d.sh,
                  d.compose);
}

PersistentImage::Slot& PersistentImage::Made(int32_t column, int32_t row) {
  Slot& slot = m_Slots[static_cast<size_t>(row) * static_cast<size_t>(Columns()) +
                       static_cast<size_t>(column)];
  slot.used = ++m_Clock;
  if (slot.pixels.IsEmpty()) {
    Compute(slot.pixels, column, row);
    ++m_TilesComputed;
    ++m_Kept;
    KeepWithinBudget(slot);
  }
  return slot;
}

PersistentImage::Slot& PersistentImage::Writable(int32_t column, int32_t row) {
  Slot& slot = Made(column, row);
  if (!slot.written) {
    slot.written = true;
    --m_Kept;
  }
  ++m_Version;
  return slot;
}

void PersistentImage::KeepWithinBudget(const Slot& keep) {
  while (m_Kept > t_TileBudget) {
    Slot* oldest = nullptr;
    for (Slot& slot : m_Slots) {
      if (&slot == &keep || slot.written || slot.pixels.IsEmpty()) continue;
      if (!oldest || slot.used < oldest->used) oldest = &slot;
    }
    if (!oldest) return;
    oldest->pixels = Raster();
    --m_Kept;
  }
}

const Raster& PersistentImage::Tile(int32_t column, int32_t row) {
  return Made(column, row).pixels;
}

Argb PersistentImage::At(int32_t x, int32_t y) {
  return Tile(x / kTileSize, y / kTileSize).At(x % kTileSize, y % kTileSize);
}

void PersistentImage::Set(int32_t x, int32_t y, Argb p) {
  Writable(x / kTileSize, y / kTileSize).pixels.Set(x % kTileSize, y % kTileSize, p);
}

Raster PersistentImage::Read(int32_t x, int32_t y, int32_t w, int32_t h) {
  Raster out = Raster::Uninitialized(w, h);
  for (int32_t row = y / kTileSize; row * kTileSize < y + h; ++row) {
    for (int32_t column = x / kTileSize; column * kTileSize < x + w; ++column) {
      const Raster& tile = Tile(column, row);
      const auto [xa, xb] = Overlap(x, w, column * kTileSize, tile.Width());
      const auto [ya, yb] = Overlap(y, h, row * kTileSize, tile.Height());
      for (int32_t r = ya; r < yb; ++r) {
        const uint32_t* from = tile.Row(r - row * kTileSize) + (xa - column * kTileSize);
        std::copy(from, from + (xb - xa), out.Row(r - y) + (xa - x));
      }
    }
  }
  return out;
}

void PersistentImage::Write(int32_t x, int32_t y, const Raster& pixels) {
  const int32_t w = pixels.Width();
  const int32_t h = pixels.Height();
  for (int32_t row = y / kTileSize; row * kTileSize < y + h; ++row) {
    for (int32_t column = x / kTileSize; column * kTileSize < x + w; ++column) {
      Raster& tile = Writable(column, row).pixels;
      const auto [xa, xb] = Overlap(x, w, column * kTileSize, tile.Width());
      const auto [ya, yb] = Overlap(y, h, row * kTileSize, tile.Height());
      for (int32_t r = ya; r < yb; ++r) {
        const uint32_t* from = pixels.Row(r - y) + (xa - x);
        std::copy(from, from + (xb - xa),
                  tile.Row(r - row * kTileSize) + (xa - column * kTileSize));
      }
    }
  }
}

Raster PersistentImage::Whole() {
  Raster out = Raster::Uninitialized(m_Width, m_Height);
  Raster scratch;
  for (int32_t row = 0; row < Rows(); ++row) {
    for (int32_t column = 0; column < Columns(); ++column) {
      const Slot& slot = m_Slots[static_cast<size_t>(row) * static_cast<size_t>(Columns()) +
                                 static_cast<size_t>(column)];
      // Tiles not kept are computed for the copy only, so that reading the
      // whole image does not keep it twice.
      if (slot.pixels.IsEmpty()) Compute(scratch, column, row);
      const Raster& tile = slot.pixels.IsEmpty() ? scratch : slot.pixels;
      for (int32_t r = 0; r < tile.Height(); ++r)
        std::copy(tile.Row(r), tile.Row(r) + tile.Width(),
                  out.Row(row * kTileSize + r) + column * kTileSize);
    }
  }
  return out;
}

}  // namespace lumora

#include "platform/persistent_image.hpp"

#include <algorithm>
#include <utility>

#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

thread_local int32_t t_TileBudget = kPersistentTileBudget;

// Past this many recorded draws the image keeps its pixels instead: tiles
// computed from a long record would cost more than they save.
constexpr size_t kMaxDraws = 64;

// Full tiles' memory given back by images, for the next tiles to take: new
// memory costs a page fault per 4 KiB on first touch, more than computing a
// tile, and images come and go at every zoom step.
constexpr size_t kSpareTiles = 64;  // 16 MiB

// Images that outlive their thread's pool (a form held in a static or
// thread_local object, destroyed at exit after the pool) free their tiles
// instead; the flag has no destructor, so it outlives every object.
thread_local bool t_SpareGone = false;

struct SpareTiles {
  std::vector<Raster> tiles;
  ~SpareTiles() { t_SpareGone = true; }
};
thread_local SpareTiles t_Spare;

bool IsFullTile(int32_t w, int32_t h) {
  return w == PersistentImage::kTileSize && h == PersistentImage::kTileSize;
}

Raster TakeTile(int32_t w, int32_t h) {
  if (IsFullTile(w, h) && !t_SpareGone && !t_Spare.tiles.empty()) {
    Raster tile = std::move(t_Spare.tiles.back());
    t_Spare.tiles.pop_back();
    return tile;
  }
  return Raster::Uninitialized(w, h);
}

void GiveBack(Raster& tile) {
  if (IsFullTile(tile.Width(), tile.Height()) && !t_SpareGone && t_Spare.tiles.size() < kSpareTiles)
    t_Spare.tiles.push_back(std::move(tile));
  tile = Raster();
}

// The overlap of [at, at + n) with the tile [t0, t0 + size).
std::pair<int32_t, int32_t> Overlap(int32_t at, int32_t n, int32_t t0, int32_t size) {
  return {std::max(at, t0), std::min(at + n, t0 + size)};
}

// Whether a draw replaces every pixel of the rectangle: the whole picture
// drawn unmirrored over it, so that every pixel's centre shows the picture.
bool Covers(const PersistentImage::Draw& d, int32_t x, int32_t y, int32_t w, int32_t h) {
  const Raster& src = d.picture->Pixels();
  return d.compose.kind == Compose::Kind::Replace && d.sx == 0 && d.sy == 0 &&
         d.sw == src.Width() && d.sh == src.Height() && d.dw > 0 && d.dh > 0 && d.dx <= x &&
         d.dy <= y && int64_t{d.dx} + d.dw >= int64_t{x} + w &&
         int64_t{d.dy} + d.dh >= int64_t{y} + h;
}

}  // namespace

int32_t PersistentTileBudget() {
  return t_TileBudget;
}

void SetPersistentTileBudget(int32_t tiles) {
  t_TileBudget = std::max(tiles, 1);
}

PersistentImage::~PersistentImage() {
  Release();
}

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
  for (Slot& slot : m_Slots) GiveBack(slot.pixels);
  m_Slots.clear();
  m_Kept = 0;
  ++m_Version;
}

void PersistentImage::Clear(Argb fill, PicturePtr background) {
  m_Fill = fill;
  m_Background = background && background->Handle() != 0 ? std::move(background) : nullptr;
  m_Draws.clear();
  for (Slot& slot : m_Slots) {
    GiveBack(slot.pixels);
    slot = Slot{};
  }
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
  GiveBack(tile);
  tile = TakeTile(std::min(kTileSize, m_Width - x0), std::min(kTileSize, m_Height - y0));
  // A first draw that replaces every pixel of the tile (as a zoom's does)
  // leaves nothing of the background to show.
  if (m_Draws.empty() || !Covers(m_Draws.front(), x0, y0, tile.Width(), tile.Height()))
    DrawBackground(tile, x0, y0);
  for (const Draw& d : m_Draws)
    ScaleIntoPart(tile, x0, y0, d.dx, d.dy, d.dw, d.dh, d.picture->Pixels(), d.sx, d.sy, d.sw, d.sh,
                  d.compose);
}

void PersistentImage::DrawBackground(Raster& tile, int32_t x0, int32_t y0) const {
  tile.Fill(m_Fill);
  if (!m_Background) return;
  const Raster& picture = m_Background->Pixels();
  const auto [xa, xb] = Overlap(0, picture.Width(), x0, tile.Width());
  const auto [ya, yb] = Overlap(0, picture.Height(), y0, tile.Height());
  for (int32_t y = ya; y < yb && xa < xb; ++y)
    std::copy(picture.Row(y) + xa, picture.Row(y) + xb, tile.Row(y - y0) + (xa - x0));
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
    GiveBack(oldest->pixels);
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

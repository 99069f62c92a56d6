// A picture box's persistent image, made on demand. The image records its
// background and the scaled draws made on it, and computes each 256-pixel tile
// from that record the first time something needs it: showing the part of a
// very large image that a window holds costs what that part costs. A bounded
// number of tiles is kept; the least recently used are dropped and computed
// again, to the same pixels, when next needed. Tiles written through a device
// context keep their pixels for as long as the image lives.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi.hpp"
#include "platform/raster.hpp"
#include "platform/scale/scale.hpp"
#include "platform/variant.hpp"

namespace lumora {

// How many unwritten tiles one image keeps (each 256 x 256 pixels, 256 KiB):
// 64 MiB by default. Configurable per thread; tests lower it to make images
// drop tiles.
constexpr int32_t kPersistentTileBudget = 256;
int32_t PersistentTileBudget();
void SetPersistentTileBudget(int32_t tiles);

class PersistentImage final : public Surface {
 public:
  static constexpr int32_t kTileSize = 256;

  // A draw recorded on the image: ScaleInto's arguments, with the picture
  // kept alive for as long as tiles may be computed from it.
  struct Draw {
    PicturePtr picture;
    int32_t dx = 0, dy = 0, dw = 0, dh = 0;
    double sx = 0, sy = 0, sw = 0, sh = 0;
    Compose compose;
  };

  PersistentImage() = default;
  ~PersistentImage() override;
  PersistentImage(const PersistentImage&) = delete;
  PersistentImage& operator=(const PersistentImage&) = delete;

  // A new image of width x height filled with `fill`, `background` (may be
  // null) at its origin. Sizes above the persistent-image limit fail with
  // error 480 and leave no image.
  void Reset(int32_t width, int32_t height, Argb fill, PicturePtr background);
  // No image (Exists() false).
  void Release();
  // Everything drawn is forgotten: the background alone again.
  void Clear(Argb fill, PicturePtr background);
  bool Exists() const { return m_Exists; }

  // Records a draw; tiles already made get it at once.
  void Add(Draw draw);

  int32_t Width() const override { return m_Width; }
  int32_t Height() const override { return m_Height; }
  Argb At(int32_t x, int32_t y) override;
  void Set(int32_t x, int32_t y, Argb p) override;
  Raster Read(int32_t x, int32_t y, int32_t w, int32_t h) override;
  void Write(int32_t x, int32_t y, const Raster& pixels) override;

  // The tiles across and down, and one tile's pixels (made if needed). The
  // reference holds until the next request for a tile.
  int32_t Columns() const { return (m_Width + kTileSize - 1) / kTileSize; }
  int32_t Rows() const { return (m_Height + kTileSize - 1) / kTileSize; }
  const Raster& Tile(int32_t column, int32_t row);
  // The whole image, made tile by tile without keeping what was not kept.
  Raster Whole();

  // Changes with every change of the pixels.
  uint64_t Version() const { return m_Version; }
  // How many tiles were computed to be shown, read or written over the
  // image's life: the cost of what was asked for, for benchmarks and tests.
  int64_t TilesComputed() const { return m_TilesComputed; }

 private:
  struct Slot {
    Raster pixels;  // empty: not made
    uint64_t used = 0;
    bool written = false;
  };
  Slot& Made(int32_t column, int32_t row);
  Slot& Writable(int32_t column, int32_t row);
  void Compute(Raster& tile, int32_t column, int32_t row) const;
  void DrawBackground(Raster& tile, int32_t x0, int32_t y0) const;
  void KeepWithinBudget(const Slot& keep);
  // Every tile made and written: the record is no longer needed.
  void Flatten();

  int32_t m_Width = 0;
  int32_t m_Height = 0;
  bool m_Exists = false;
  Argb m_Fill = 0;
  PicturePtr m_Background;
  std::vector<Draw> m_Draws;
  std::vector<Slot> m_Slots;
  int32_t m_Kept = 0;  // made and not written
  uint64_t m_Clock = 0;
  uint64_t m_Version = 0;
  int64_t m_TilesComputed = 0;
};

}  // namespace lumora

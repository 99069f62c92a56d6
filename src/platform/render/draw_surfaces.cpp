// User controls, picture boxes and image controls: surfaces that show pixels.
#include <deque>
#include <memory>

#include "platform/controls/image.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/picture/picture.hpp"
#include "platform/render/borders.hpp"
#include "platform/render/draw_controls.hpp"
#include "platform/render/geometry.hpp"
#include "platform/scale/scale.hpp"

namespace lumora {

namespace {
// The border a surface draws for its BorderPixels: 2 a sunken 3D edge, 1 a
// flat frame in the window-frame colour.
void DrawSurfaceBorder(Canvas& canvas, const CanvasRect& outer, int32_t pixels) {
  if (pixels >= 2) {
    DrawEdge(canvas, outer, Edge::Sunken);
  } else if (pixels == 1) {
    DrawFlatBorder(canvas, outer, ArgbOf(kSysWindowFrame));
  }
}

// Copies the tiles of a persistent image that the canvas shows, and only
// those, with the image's top-left at (x, y).
void DrawShownTiles(Canvas& canvas, PersistentImage& image, int32_t x, int32_t y) {
  const CanvasRect seen = Intersect(canvas.Clip(), {x, y, image.Width(), image.Height()});
  if (seen.IsEmpty()) return;
  constexpr int32_t kTile = PersistentImage::kTileSize;
  for (int32_t row = (seen.y - y) / kTile; y + row * kTile < seen.Bottom(); ++row)
    for (int32_t column = (seen.x - x) / kTile; x + column * kTile < seen.Right(); ++column)
      canvas.CopyFrom(image.Tile(column, row), x + column * kTile, y + row * kTile);
}

}  // namespace

void DrawUserControl(Canvas& canvas, const UserControl& control) {
  const CanvasRect outer = OuterRect(control);
  const CanvasRect client = ClientRect(control, control);
  DrawSurfaceBorder(canvas, outer, control.BorderPixels());
  Canvas inside = canvas.ClippedTo(client);
  if (control.BackStyle() == 1) inside.FillRect(client, ArgbOf(control.BackColor()));
  // What PaintPicture drew: an opaque client-sized image.
  const Raster& surface = control.Surface();
  if (!surface.IsEmpty()) inside.CopyFrom(surface, client.x, client.y);
}

void DrawPictureBox(Canvas& canvas, const PictureBox& box) {
  const CanvasRect outer = OuterRect(box);
  const CanvasRect client = ClientRect(box, box);
  DrawSurfaceBorder(canvas, outer, box.BorderPixels());
  Canvas inside = canvas.ClippedTo(client);
  if (inside.IsClippedOut()) return;
  // The persistent image is opaque and client-sized.
  if (PersistentImage* image = box.ShownImage()) {
    DrawShownTiles(inside, *image, client.x, client.y);
    return;
  }
  inside.FillRect(client, ArgbOf(box.BackColor()));
  if (const PicturePtr picture = box.Picture()) {
    inside.BlendFrom(picture->Pixels(), client.x, client.y);
  }
}

namespace {
// Stretched pictures of image controls, scaled once and reused while the
// picture object and the size stay the same (frames are redrawn often).
struct Stretched {
  std::weak_ptr<const Picture> picture;
  const Picture* identity = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  Raster pixels;
};
constexpr size_t kStretchedKept = 8;

const Raster& StretchedPicture(const PicturePtr& picture, int32_t width, int32_t height) {
  thread_local std::deque<Stretched> g_Stretched;
  for (const Stretched& s : g_Stretched) {
    if (s.identity == picture.get() && !s.picture.expired() && s.width == width &&
        s.height == height) {
      return s.pixels;
    }
  }
  if (g_Stretched.size() >= kStretchedKept) g_Stretched.pop_back();
  g_Stretched.push_front(
      {picture, picture.get(), width, height, ScaleRaster(picture->Pixels(), width, height)});
  return g_Stretched.front().pixels;
}
}  // namespace

void DrawImage(Canvas& canvas, const ImageControl& image) {
  const PicturePtr picture = image.Picture();
  if (!picture || picture->Pixels().IsEmpty()) return;
  const CanvasRect outer = OuterRect(image);
  Canvas inside = canvas.ClippedTo(outer);
  if (inside.IsClippedOut()) return;
  if (image.Stretch() && (outer.w != picture->PixelWidth() || outer.h != picture->PixelHeight())) {
    inside.BlendFrom(StretchedPicture(picture, outer.w, outer.h), 0, 0);
  } else {
    inside.BlendFrom(picture->Pixels(), 0, 0);
  }
}

}  // namespace lumora

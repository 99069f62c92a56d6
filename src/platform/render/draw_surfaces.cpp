// User controls, picture boxes and image controls: surfaces that show pixels.
#include "platform/controls/image.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/picture.hpp"
#include "platform/render/borders.hpp"
#include "platform/render/draw_controls.hpp"
#include "platform/render/geometry.hpp"

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
  // The persistent image is opaque and client-sized: copy only its visible rows.
  if (const Raster* image = box.ShownImage()) {
    inside.CopyFrom(*image, client.x, client.y);
    return;
  }
  inside.FillRect(client, ArgbOf(box.BackColor()));
  if (const PicturePtr picture = box.Picture()) {
    inside.BlendFrom(picture->Pixels(), client.x, client.y);
  }
}

void DrawImage(Canvas& canvas, const ImageControl& image) {
  const PicturePtr picture = image.Picture();
  if (!picture || picture->Pixels().IsEmpty()) return;
  const CanvasRect outer = OuterRect(image);
  if (image.Stretch()) {
    canvas.StretchFrom(picture->Pixels(), outer);
  } else {
    canvas.ClippedTo(outer).BlendFrom(picture->Pixels(), 0, 0);
  }
}

}  // namespace lumora

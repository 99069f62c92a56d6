#include "platform/render/render_form.hpp"

#include <vector>

#include "platform/controls/label.hpp"
#include "platform/form/form.hpp"
#include "platform/picture/png_writer.hpp"
#include "platform/render/borders.hpp"
#include "platform/render/geometry.hpp"
#include "platform/render/painters.hpp"
#include "platform/render/text.hpp"

namespace lumora {

namespace {

// A shown child and its outer rectangle in form pixels, worked out once per pass.
struct Placed {
  const Control* control;
  CanvasRect outer;
};

// Past this many pieces, painting a background piece by piece saves nothing.
constexpr size_t kMaxPieces = 16;

bool Covers(const CanvasRect& outer, const CanvasRect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

std::vector<Placed> PlaceChildren(const Container& container) {
  std::vector<Placed> placed;
  placed.reserve(container.Children().size());
  for (const ControlPtr& child : container.Children()) {
    if (child->Visible() && child->HasExtent()) {
      placed.push_back({child.get(), ToCanvasRect(child->FormRect())});
    }
  }
  return placed;
}

// Calls paint for the parts of `visible` that no opaque child will cover
// inside `client` (children are drawn afterwards, over their container).
template <class Paint>
void PaintUncovered(const std::vector<Placed>& children, const CanvasRect& visible,
                    const CanvasRect& client, Paint&& paint) {
  std::vector<CanvasRect> parts{visible};
  for (const Placed& child : children) {
    if (!PaintsOpaquely(*child.control)) continue;
    Subtract(parts, Intersect(child.outer, client));
    if (parts.size() > kMaxPieces) {
      parts = {visible};
      break;
    }
  }
  for (const CanvasRect& part : parts) paint(part);
}

void DrawTree(Canvas& formCanvas, const Control& control, const CanvasRect& outer,
              const CanvasRect& visible);

// Children in z-order within clip, leaving out any that a later opaque
// sibling hides entirely.
void DrawPlaced(Canvas& formCanvas, const std::vector<Placed>& children, const CanvasRect& clip) {
  if (clip.IsEmpty()) return;
  for (size_t i = 0; i < children.size(); ++i) {
    const CanvasRect visible = Intersect(children[i].outer, clip);
    if (visible.IsEmpty()) continue;
    bool hidden = false;
    for (size_t j = i + 1; j < children.size() && !hidden; ++j) {
      hidden = Covers(children[j].outer, visible) && PaintsOpaquely(*children[j].control);
    }
    if (!hidden) DrawTree(formCanvas, *children[i].control, children[i].outer, visible);
  }
}

void DrawTree(Canvas& formCanvas, const Control& control, const CanvasRect& outer,
              const CanvasRect& visible) {
  const ControlPainter painter = PainterFor(control);
  const auto* container = dynamic_cast<const Container*>(&control);
  if (!container) {
    Canvas canvas = formCanvas.ClippedTo(visible).Within(outer);
    painter(canvas, control);
    return;
  }
  const CanvasRect client = Intersect(ToCanvasRect(container->ClientFormRect()), visible);
  const std::vector<Placed> children = PlaceChildren(*container);
  PaintUncovered(children, visible, client, [&](const CanvasRect& part) {
    Canvas canvas = formCanvas.ClippedTo(part).Within(outer);
    painter(canvas, control);
  });
  DrawPlaced(formCanvas, children, client);
}

}  // namespace

void DrawControlTree(Canvas& formCanvas, const Control& control, const CanvasRect& clip) {
  if (!control.Visible() || !control.HasExtent()) return;
  const CanvasRect outer = ToCanvasRect(control.FormRect());
  const CanvasRect visible = Intersect(outer, clip);
  if (!visible.IsEmpty()) DrawTree(formCanvas, control, outer, visible);
}

void DrawChildren(Canvas& formCanvas, const Container& container, const CanvasRect& clip) {
  DrawPlaced(formCanvas, PlaceChildren(container), clip);
}

void RenderFormInto(const Form& form, Raster& frame) {
  const int32_t w = form.ClientWidth();
  const int32_t h = form.ClientHeight();
  if (frame.Width() != w || frame.Height() != h) frame = Raster(w, h);
  Canvas canvas(frame);
  const CanvasRect client{0, 0, w, h};
  const std::vector<Placed> children = PlaceChildren(form);
  const Argb background = ArgbOf(form.BackColor());
  PaintUncovered(children, client, client,
                 [&](const CanvasRect& part) { canvas.FillRect(part, background); });
  DrawPlaced(canvas, children, client);
}

Raster RenderForm(const Form& form) {
  Raster frame;
  RenderFormInto(form, frame);
  return frame;
}

void RenderFormPng(const Form& form, const std::string& path) {
  WritePng(RenderForm(form), path);
}

void UseRendererTextMetrics() {
  SetTextMeasurer([](const std::string& text, float points, bool bold) {
    TextStyle style;
    style.points = points;
    style.bold = bold;
    const TextSize size = MeasureStyledText(text, style);
    return TextExtent{size.width, size.height};
  });
}

}  // namespace lumora

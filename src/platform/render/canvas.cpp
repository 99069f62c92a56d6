#include "platform/render/canvas.hpp"

#include <cstdlib>
#include <cstring>

namespace lumora {

CanvasRect Intersect(const CanvasRect& a, const CanvasRect& b) {
  const int32_t x0 = std::max(a.x, b.x);
  const int32_t y0 = std::max(a.y, b.y);
  const int32_t x1 = std::min(a.Right(), b.Right());
  const int32_t y1 = std::min(a.Bottom(), b.Bottom());
  if (x1 <= x0 || y1 <= y0) return {x0, y0, 0, 0};
  return {x0, y0, x1 - x0, y1 - y0};
}

void Subtract(std::vector<CanvasRect>& parts, const CanvasRect& hole) {
  if (hole.IsEmpty()) return;
  std::vector<CanvasRect> kept;
  kept.reserve(parts.size() + 4);
  for (const CanvasRect& p : parts) {
    const CanvasRect cut = Intersect(p, hole);
    if (cut.IsEmpty()) {
      kept.push_back(p);
      continue;
    }
    auto keep = [&](CanvasRect r) {
      if (!r.IsEmpty()) kept.push_back(r);
    };
    keep({p.x, p.y, p.w, cut.y - p.y});                          // above
    keep({p.x, cut.Bottom(), p.w, p.Bottom() - cut.Bottom()});   // below
    keep({p.x, cut.y, cut.x - p.x, cut.h});                      // left
    keep({cut.Right(), cut.y, p.Right() - cut.Right(), cut.h});  // right
  }
  parts = std::move(kept);
}

Canvas::Canvas(Raster& target) : m_Target(&target), m_Clip{0, 0, target.Width(), target.Height()} {}

CanvasRect Canvas::ToTarget(const CanvasRect& r) const {
  return Intersect(r.Offset(m_OriginX, m_OriginY), m_Clip);
}

Canvas Canvas::Within(const CanvasRect& r) const {
  return Canvas(m_Target, m_OriginX + r.x, m_OriginY + r.y, ToTarget(r));
}

Canvas Canvas::ClippedTo(const CanvasRect& r) const {
  return Canvas(m_Target, m_OriginX, m_OriginY, ToTarget(r));
}

void Canvas::FillRect(const CanvasRect& r, Argb color) {
  const CanvasRect t = ToTarget(r);
  if (t.IsEmpty() || (color >> 24) == 0) return;
  const bool opaque = (color >> 24) == 255;
  for (int32_t y = t.y; y < t.Bottom(); ++y) {
    uint32_t* row = m_Target->Row(y) + t.x;
    if (opaque) {
      std::fill(row, row + t.w, color);
    } else {
      for (int32_t i = 0; i < t.w; ++i) row[i] = BlendOver(color, row[i]);
    }
  }
}

void Canvas::SetPixel(int32_t x, int32_t y, Argb color) {
  FillRect({x, y, 1, 1}, color);
}

void Canvas::HLine(int32_t x0, int32_t x1, int32_t y, Argb color) {
  if (x1 < x0) std::swap(x0, x1);
  FillRect({x0, y, x1 - x0 + 1, 1}, color);
}

void Canvas::VLine(int32_t x, int32_t y0, int32_t y1, Argb color) {
  if (y1 < y0) std::swap(y0, y1);
  FillRect({x, y0, 1, y1 - y0 + 1}, color);
}

void Canvas::Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Argb color) {
  if (y0 == y1) return HLine(x0, x1, y0, color);
  if (x0 == x1) return VLine(x0, y0, y1, color);
  // Bresenham; lines are short (arrows, ticks), so a clip test per pixel is cheap.
  const int32_t dx = std::abs(x1 - x0);
  const int32_t dy = -std::abs(y1 - y0);
  const int32_t sx = x0 < x1 ? 1 : -1;
  const int32_t sy = y0 < y1 ? 1 : -1;
  int32_t err = dx + dy;
  for (;;) {
    const int32_t tx = x0 + m_OriginX;
    const int32_t ty = y0 + m_OriginY;
    if (m_Clip.Contains(tx, ty)) m_Target->Set(tx, ty, BlendOver(color, m_Target->At(tx, ty)));
    if (x0 == x1 && y0 == y1) break;
    const int32_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Canvas::FrameRect(const CanvasRect& r, Argb color) {
  if (r.IsEmpty()) return;
  HLine(r.x, r.Right() - 1, r.y, color);
  HLine(r.x, r.Right() - 1, r.Bottom() - 1, color);
  VLine(r.x, r.y, r.Bottom() - 1, color);
  VLine(r.Right() - 1, r.y, r.Bottom() - 1, color);
}

void Canvas::FocusRect(const CanvasRect& r) {
  if (r.IsEmpty()) return;
  auto invert = [&](int32_t x, int32_t y) {
    const int32_t tx = x + m_OriginX;
    const int32_t ty = y + m_OriginY;
    if (m_Clip.Contains(tx, ty)) m_Target->Set(tx, ty, m_Target->At(tx, ty) ^ 0x00FFFFFFu);
  };
  // Dots on the pixel grid's even checkerboard squares, each pixel at most once.
  for (int32_t x = r.x; x < r.Right(); ++x) {
    if (((x + r.y) & 1) == 0) invert(x, r.y);
    if (r.h > 1 && ((x + r.Bottom() - 1) & 1) == 0) invert(x, r.Bottom() - 1);
  }
  for (int32_t y = r.y + 1; y < r.Bottom() - 1; ++y) {
    if (((r.x + y) & 1) == 0) invert(r.x, y);
    if (r.w > 1 && ((r.Right() - 1 + y) & 1) == 0) invert(r.Right() - 1, y);
  }
}

namespace {
// The part of `from` (clipped to src) that lands inside the target clip when
// its top-left goes to (x, y) in raster coordinates; sets sx, sy to its source.
CanvasRect Placement(const Raster& src, CanvasRect from, int32_t x, int32_t y,
                     const CanvasRect& clip, int32_t& sx, int32_t& sy) {
  const CanvasRect inside = Intersect(from, {0, 0, src.Width(), src.Height()});
  x += inside.x - from.x;
  y += inside.y - from.y;
  const CanvasRect t = Intersect({x, y, inside.w, inside.h}, clip);
  sx = inside.x + (t.x - x);
  sy = inside.y + (t.y - y);
  return t;
}
}  // namespace

void Canvas::CopyFrom(const Raster& src, const CanvasRect& from, int32_t x, int32_t y) {
  int32_t sx = 0, sy = 0;
  const CanvasRect t = Placement(src, from, x + m_OriginX, y + m_OriginY, m_Clip, sx, sy);
  if (t.IsEmpty()) return;
  for (int32_t j = 0; j < t.h; ++j) {
    std::memcpy(m_Target->Row(t.y + j) + t.x, src.Row(sy + j) + sx, size_t(t.w) * 4);
  }
}

void Canvas::CopyFrom(const Raster& src, int32_t x, int32_t y) {
  CopyFrom(src, {0, 0, src.Width(), src.Height()}, x, y);
}

void Canvas::BlendFrom(const Raster& src, const CanvasRect& from, int32_t x, int32_t y) {
  int32_t sx = 0, sy = 0;
  const CanvasRect t = Placement(src, from, x + m_OriginX, y + m_OriginY, m_Clip, sx, sy);
  if (t.IsEmpty()) return;
  for (int32_t j = 0; j < t.h; ++j) {
    const uint32_t* s = src.Row(sy + j) + sx;
    uint32_t* d = m_Target->Row(t.y + j) + t.x;
    for (int32_t i = 0; i < t.w; ++i) d[i] = BlendOver(s[i], d[i]);
  }
}

void Canvas::BlendFrom(const Raster& src, int32_t x, int32_t y) {
  BlendFrom(src, {0, 0, src.Width(), src.Height()}, x, y);
}

void Canvas::BlendMask(const uint8_t* mask, int32_t width, int32_t height, int32_t stride,
                       int32_t x, int32_t y, Argb color) {
  const CanvasRect t = ToTarget({x, y, width, height});
  if (t.IsEmpty()) return;
  const int32_t mx = t.x - (x + m_OriginX);
  const int32_t my = t.y - (y + m_OriginY);
  for (int32_t j = 0; j < t.h; ++j) {
    const uint8_t* m = mask + size_t(my + j) * stride + mx;
    uint32_t* d = m_Target->Row(t.y + j) + t.x;
    for (int32_t i = 0; i < t.w; ++i) {
      if (m[i] == 0) continue;
      d[i] = m[i] == 255 ? color : BlendOver(CoverageTint(color, m[i]), d[i]);
    }
  }
}

}  // namespace lumora

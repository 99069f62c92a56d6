#include "host/commands/contact_sheet.hpp"

#include <algorithm>
#include <cmath>

#include "platform/errors.hpp"
#include "platform/render/canvas.hpp"
#include "platform/render/text.hpp"
#include "platform/scale/scale.hpp"

namespace lumora::host {

namespace {

constexpr int32_t kGap = 12;
constexpr int32_t kCaption = 20;
constexpr Argb kBackground = 0xFF20242Cu;
constexpr Argb kFrameEdge = 0xFF5A6272u;
constexpr Argb kCaptionColor = 0xFFE4E8F0u;

}  // namespace

Raster MakeContactSheet(const std::vector<Raster>& frames, const std::vector<std::string>& captions,
                        int32_t columns, int32_t thumbWidth) {
  if (frames.empty()) Fail(kErrInvalidCall, "a contact sheet needs at least one frame");
  if (columns < 1 || thumbWidth < 1) Fail(kErrInvalidCall, "columns and width must be positive");
  columns = std::min<int32_t>(columns, static_cast<int32_t>(frames.size()));
  std::vector<int32_t> heights;
  for (const Raster& frame : frames) {
    const double scale = frame.Width() > 0 ? double(thumbWidth) / frame.Width() : 0;
    heights.push_back(std::max(1, static_cast<int32_t>(std::lround(frame.Height() * scale))));
  }
  const auto rows = static_cast<int32_t>((frames.size() + columns - 1) / columns);
  std::vector<int32_t> rowHeight(static_cast<size_t>(rows), 0);
  for (size_t i = 0; i < frames.size(); ++i)
    rowHeight[i / columns] = std::max(rowHeight[i / columns], heights[i]);
  int32_t height = kGap;
  for (int32_t h : rowHeight) height += h + kCaption + kGap;
  const int32_t width = kGap + columns * (thumbWidth + kGap);
  Raster sheet(width, height, kBackground);
  Canvas canvas(sheet);
  TextStyle style;
  style.color = kCaptionColor;
  style.points = 9;
  style.valign = TextVAlign::Middle;
  int32_t y = kGap;
  for (int32_t row = 0; row < rows; ++row) {
    for (int32_t col = 0; col < columns; ++col) {
      const size_t i = static_cast<size_t>(row) * columns + col;
      if (i >= frames.size()) break;
      const int32_t x = kGap + col * (thumbWidth + kGap);
      const CanvasRect box{x, y, thumbWidth, heights[i]};
      if (!frames[i].IsEmpty())
        canvas.CopyFrom(ScaleRaster(frames[i], thumbWidth, heights[i]), x, y);
      canvas.FrameRect(box.Inset(-1), kFrameEdge);
      if (i < captions.size())
        DrawText(canvas, {x, y + rowHeight[row] + 2, thumbWidth, kCaption - 2}, captions[i], style);
    }
    y += rowHeight[row] + kCaption + kGap;
  }
  return sheet;
}

}  // namespace lumora::host

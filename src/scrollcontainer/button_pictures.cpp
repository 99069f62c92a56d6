#include "scrollcontainer/button_pictures.hpp"

#include "platform/color.hpp"
#include "platform/picture/picture.hpp"
#include "platform/raster.hpp"

namespace lumora {

namespace {

constexpr ColorRef kFace = Rgb(127, 143, 144);
constexpr ColorRef kLight = Rgb(191, 199, 207);
constexpr ColorRef kDark = Rgb(79, 95, 96);
constexpr ColorRef kBlack = Rgb(0, 0, 0);
constexpr ColorRef kGreyedArrow = Rgb(192, 200, 208);

constexpr int32_t kW = kButtonPixelWidth;
constexpr int32_t kH = kButtonPixelHeight;

enum class Direction { Up, Down };
enum class Look { Raised, Sunken };

void Row(Raster& r, int32_t y, int32_t x0, int32_t x1, ColorRef c) {
  for (int32_t x = x0; x <= x1; ++x) r.Set(x, y, ToArgb(c));
}

void Column(Raster& r, int32_t x, int32_t y0, int32_t y1, ColorRef c) {
  for (int32_t y = y0; y <= y1; ++y) r.Set(x, y, ToArgb(c));
}

// Two edges on each side: outer (the picture's border) and inner (one pixel
// in). Raised: face and light above and left, dark and black below and
// right. Sunken: dark and black above and left, light and face below and right.
void DrawEdges(Raster& r, Look look) {
  const bool raised = look == Look::Raised;
  const ColorRef outerTopLeft = raised ? kFace : kDark;
  const ColorRef innerTopLeft = raised ? kLight : kBlack;
  const ColorRef innerBottomRight = raised ? kDark : kFace;
  const ColorRef outerBottomRight = raised ? kBlack : kLight;
  Row(r, 0, 0, kW - 2, outerTopLeft);
  Column(r, 0, 0, kH - 2, outerTopLeft);
  Row(r, kH - 1, 0, kW - 1, outerBottomRight);
  Column(r, kW - 1, 0, kH - 1, outerBottomRight);
  Row(r, 1, 1, kW - 3, innerTopLeft);
  Column(r, 1, 1, kH - 3, innerTopLeft);
  Row(r, kH - 2, 1, kW - 2, innerBottomRight);
  Column(r, kW - 2, 1, kH - 2, innerBottomRight);
}

// A triangle three pixels wide at its base, two rows high, centred on the
// face; `shift` moves it right and down (the pressed look).
void DrawArrow(Raster& r, Direction direction, ColorRef color, int32_t shift) {
  const int32_t cx = kW / 2 + shift;
  const int32_t top = kH / 2 - 1 + shift;
  const int32_t pointRow = direction == Direction::Up ? top : top + 1;
  const int32_t baseRow = direction == Direction::Up ? top + 1 : top;
  r.Set(cx, pointRow, ToArgb(color));
  Row(r, baseRow, cx - 1, cx + 1, color);
}

PicturePtr MakeButton(Direction direction, Look look, ColorRef arrow) {
  Raster r(kW, kH, ToArgb(kFace));
  DrawEdges(r, look);
  DrawArrow(r, direction, arrow, look == Look::Sunken ? 1 : 0);
  std::vector<uint8_t> bytes = EncodeBmp24(r);
  return Picture::FromRaster(std::move(r), PictureFormat::Bmp, std::move(bytes));
}

ScrollButtonPictures MakeAll() {
  ScrollButtonPictures p;
  p.UpN = MakeButton(Direction::Up, Look::Raised, kGreyedArrow);
  p.UpU = MakeButton(Direction::Up, Look::Raised, kBlack);
  p.UpD = MakeButton(Direction::Up, Look::Sunken, kBlack);
  p.DownN = MakeButton(Direction::Down, Look::Raised, kGreyedArrow);
  p.DownU = MakeButton(Direction::Down, Look::Raised, kBlack);
  p.DownD = MakeButton(Direction::Down, Look::Sunken, kBlack);
  return p;
}

}  // namespace

const ScrollButtonPictures& ButtonPictures() {
  thread_local const ScrollButtonPictures g_ButtonPictures = MakeAll();
  return g_ButtonPictures;
}

}  // namespace lumora

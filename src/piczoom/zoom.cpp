// ZelPicZoom's zoom: every size is computed from the picture's natural size
// and every rendering scales the unscaled source once into a new persistent
// image, so repeated zooming never compounds rounding. A target size that
// does not fit in 16 bits is refused: a zoom step passes over such rungs, and
// an operation left without a size changes nothing, as at the ends of the
// ladder.
#include <optional>

#include "frame/dispids.hpp"
#include "piczoom/module_state.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/errors.hpp"
#include "platform/numeric.hpp"
#include "platform/services.hpp"

namespace lumora {

namespace {

struct TargetSize {
  int16_t width = 0;
  int16_t height = 0;
};

// Width and height rounded half to even, or nothing when either does not fit
// in 16 bits.
std::optional<TargetSize> Nearest(double width, double height) {
  const std::optional<int16_t> h = TryToInt16(height);
  const std::optional<int16_t> w = TryToInt16(width);
  if (!h || !w) return std::nullopt;
  return TargetSize{*w, *h};
}

// The size at a rung of the ladder: percent x natural size / 100, in single
// precision as the natural size is kept.
std::optional<TargetSize> RungSize(uint8_t index, float naturalWidth, float naturalHeight) {
  const float percent = g_ZoomLevels.at(index);
  return Nearest(percent * naturalWidth / 100.0f, percent * naturalHeight / 100.0f);
}

}  // namespace

// A step goes to the nearest rung that way whose size fits: a picture too
// large for some rungs still reaches the others.
void ZelPicZoom::ZoomIn() {
  std::optional<TargetSize> size;
  int index = 0;
  if (Met([&] { return HasPicture(); }))
    Step([&] {
      for (index = g_ZoomIndex + 1; !size && index <= kZoomIndexLast; ++index)
        size = RungSize(static_cast<uint8_t>(index), m_PictureWidth, m_PictureHeight);
    });
  if (size) ShowAtRung(static_cast<uint8_t>(index - 1), size->width, size->height);
}

void ZelPicZoom::ZoomOut() {
  std::optional<TargetSize> size;
  int index = 0;
  if (Met([&] { return HasPicture(); }))
    Step([&] {
      for (index = g_ZoomIndex - 1; !size && index >= 0; --index)
        size = RungSize(static_cast<uint8_t>(index), m_PictureWidth, m_PictureHeight);
    });
  if (size) ShowAtRung(static_cast<uint8_t>(index + 1), size->width, size->height);
}

void ZelPicZoom::ZoomReal() {
  std::optional<TargetSize> size;
  if (Met([&] { return HasPicture(); }))
    Step([&] { size = Nearest(m_PictureWidth, m_PictureHeight); });
  if (size) ShowAtRung(kZoomIndexNatural, size->width, size->height);
}

// Fits the side that overhangs (or falls short) by more pixels; equal
// overhangs fit the height. The whole inner area counts, bars included.
void ZelPicZoom::FeedBest() {
  std::optional<TargetSize> size;
  if (Met([&] { return HasPicture(); })) {
    float dx = 0;
    float dy = 0;
    Step([&] { dx = ToSingle(m_PictureWidth - ScaleWidth()); });
    Step([&] { dy = ToSingle(m_PictureHeight - ScaleHeight()); });
    if (Met([&] { return dy < dx; })) {
      Step([&] {
        const float r = ScaleWidth() / m_PictureWidth;
        size = Nearest(ScaleWidth(), r * m_PictureHeight);
      });
    } else {
      Step([&] {
        const float r = ScaleHeight() / m_PictureHeight;
        size = Nearest(r * m_PictureWidth, ScaleHeight());
      });
    }
  }
  if (size) ShowAtRung(kZoomIndexNatural, size->width, size->height);
}

// The whole inner area, proportions ignored.
void ZelPicZoom::Stretch() {
  std::optional<TargetSize> size;
  if (Met([&] { return HasPicture(); })) Step([&] { size = Nearest(ScaleWidth(), ScaleHeight()); });
  if (size) ShowAtRung(kZoomIndexNatural, size->width, size->height);
}

Variant ZelPicZoom::ZoomPercent() const {
  return Variant(g_ZoomLevels.at(g_ZoomIndex));
}

// The end every zoom operation shares once it has a size: the rung is
// recorded and the picture shown at that size.
void ZelPicZoom::ShowAtRung(uint8_t index, int16_t Width, int16_t Height) {
  Step([&] { g_ZoomIndex = index; });
  Step([&] { ShowPictureAtSize(Width, Height); });
}

void ZelPicZoom::ShowPictureAtSize(int16_t Width, int16_t Height) {
  Step([&] { Err().Clear(); });
  Step([&] { Screen().MousePointer(kPointerHourglass); });
  Step([&] { picScroll->Visible(false); });
  Step([&] { picScroll->Width(Width); });
  Step([&] { picScroll->Height(Height); });
  Step([&] { picScroll->AutoRedraw(true); });
  Step([&] { picScroll->PaintPicture(Picture(), 0, 0, Width, Height); });
  if (Met([&] { return Err().Number() != kErrPersistentImage; })) {
    Step([&] { picScroll->AutoRedraw(false); });
  } else {
    Step([&] { Err().Clear(); });
    Step([&] { FallBackToNaturalSize(); });
  }
  Step([&] { UserControl_Resize(); });
  Step([&] { RaiseEvent(PicZoomEvent::PictureSizeChanged, "PictureSizeChanged"); });
  Step([&] { Screen().MousePointer(kPointerDefault); });
}

// After a refused persistent image: the natural size instead, once. If even
// that is refused (or cannot be computed), picScroll shows the source
// unscaled without a persistent image, and the fallback ends there.
void ZelPicZoom::FallBackToNaturalSize() {
  if (m_InFallback) {
    Step([&] { picScroll->AutoRedraw(false); });
    return;
  }
  m_InFallback = true;
  Step([&] { ZoomReal(); });
  m_InFallback = false;
  Step([&] { picScroll->AutoRedraw(false); });
}

}  // namespace lumora

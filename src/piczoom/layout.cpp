// ZelPicZoom's layout, run on every resize, after a picture assignment, after
// BarsWidth or ScrollBars change and after every zoom. Sizes are pixels of
// the control's surface; the outer size is twips at a fixed 15 a pixel.
// Arithmetic on the bars' width is 16-bit and a step that overflows is skipped.
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/errors.hpp"
#include "platform/numeric.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

// A saved pointer icon that is empty, Nothing or a picture without a handle
// holds no picture.
bool HoldsPicture(const Variant& icon) {
  if (!icon.IsObject()) return false;
  const PicturePtr picture = icon.ToPicture();
  return picture && picture->Handle() != 0;
}

}  // namespace

void ZelPicZoom::UserControl_Resize() {
  const auto bw = [&] { return Int16{BarsWidth()}; };
  const Int16 two{2};
  const Int16 twips{kTwipsPerPixel};

  // 1, 2: at least two bars wide and high.
  if (Met([&] { return ScaleWidth() < two * bw(); }))
    Step([&] { UserControl::Width(two * bw() * twips); });
  if (Met([&] { return ScaleHeight() < two * bw(); }))
    Step([&] { UserControl::Height(two * bw() * twips); });

  // 3: which bars show; each compares with the whole inner size.
  if (Met([&] { return m_ScrollBars == sbAutomatic; })) {
    Step([&] { HScroll->Visible(picScroll->Width() > ScaleWidth() && HasPicture()); });
    Step([&] { VScroll->Visible(picScroll->Height() > ScaleHeight() && HasPicture()); });
  } else if (Met([&] { return m_ScrollBars == sbNone; })) {
    Step([&] { HScroll->Visible(false); });
    Step([&] { VScroll->Visible(false); });
  }

  // 4: the corner button goes with either bar.
  Step([&] { btnUserCommand->Visible(HScroll->Visible() || VScroll->Visible()); });

  // 5, 6: the bars, each leaving the corner free.
  Step([&] {
    HScroll->Move(0, ScaleHeight() - BarsWidth(), ScaleWidth() - BarsWidth(), BarsWidth());
  });
  Step([&] {
    VScroll->Move(ScaleWidth() - BarsWidth(), 0, BarsWidth(), ScaleHeight() - BarsWidth());
  });

  // 7, 8: ranges; negative when the picture is smaller than the bar.
  Step([&] {
    HScroll->Max(
        ToInt16((HasPicture() ? picScroll->Width() : HScroll->Width()) - HScroll->Width()));
  });
  Step([&] {
    VScroll->Max(
        ToInt16((HasPicture() ? picScroll->Height() : VScroll->Height()) - VScroll->Height()));
  });

  // 9: page sizes are the whole inner size.
  Step([&] { HScroll->LargeChange(ToInt16(ScaleWidth())); });
  Step([&] { VScroll->LargeChange(ToInt16(ScaleHeight())); });

  // 10, 11: a hidden bar leaves its strip to the picture.
  if (Met([&] { return !HScroll->Visible(); }))
    Step([&] { VScroll->Max(Int16{VScroll->Max()} - bw()); });
  if (Met([&] { return !VScroll->Visible(); }))
    Step([&] { HScroll->Max(Int16{HScroll->Max()} - bw()); });

  // 12: the corner button.
  Step(
      [&] { btnUserCommand->Move(HScroll->Width(), VScroll->Height(), BarsWidth(), BarsWidth()); });

  // 13: centre the picture (the change handlers move it), or fill the
  // control with the empty surface.
  if (Met([&] { return HasPicture(); })) {
    Step([&] { HScroll->Value(ToInt16(HScroll->Max() / 2.0)); });
    Step([&] { VScroll->Value(ToInt16(VScroll->Max() / 2.0)); });
  } else {
    Step([&] { picScroll->Width(ScaleWidth()); });
    Step([&] { picScroll->Height(ScaleHeight()); });
  }

  // 14: offer the scrolling pointer, or restore the saved one.
  if (Met([&] { return m_MouseScrolling && (HScroll->Visible() || VScroll->Visible()); })) {
    Step([&] { MousePointer(mpCustom); });
    Step([&] { MouseIcon(MouseScrollingIcon()); });
  } else if (Met([&] { return !HoldsPicture(m_SavedMouseIcon); })) {
    Step([&] { MousePointer(static_cast<PointerShape>(m_SavedMousePointer)); });
  } else {
    Step([&] { MousePointer(mpCustom); });
    Step([&] { MouseIcon(m_SavedMouseIcon.ToPicture()); });
  }

  // 15
  Step([&] { picScroll->Visible(true); });
}

}  // namespace lumora

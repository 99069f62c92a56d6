// ZelPicZoom's scrolling: the bars' values are the one record of the scroll
// offset. Every way of scrolling assigns a value; the bar's change handler
// then raises PictureScrolled and moves picScroll to the negated value.
#include "frame/dispids.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/errors.hpp"
#include "platform/numeric.hpp"

namespace lumora {

namespace {

// Half of a bar's Max, rounded half to even (7 gives 4, 5 gives 2).
int16_t Half(int16_t max) {
  return ToInt16(max / 2.0);
}

}  // namespace

// --- Handlers of the bars and the corner button -------------------------------

void ZelPicZoom::HScroll_Change() {
  Step([&] { RaiseEvent(PicZoomEvent::PictureScrolled, "PictureScrolled"); });
  Step([&] { picScroll->Left(-HScroll->Value()); });
}

void ZelPicZoom::VScroll_Change() {
  Step([&] { RaiseEvent(PicZoomEvent::PictureScrolled, "PictureScrolled"); });
  Step([&] { picScroll->Top(-VScroll->Value()); });
}

void ZelPicZoom::HScroll_Scroll() {
  Step([&] { HScroll_Change(); });
}

void ZelPicZoom::VScroll_Scroll() {
  Step([&] { VScroll_Change(); });
}

// The bars hand the focus straight back, so keys keep reaching picScroll.
void ZelPicZoom::HScroll_GotFocus() {
  Step([&] { picScroll->SetFocus(); });
}

void ZelPicZoom::VScroll_GotFocus() {
  Step([&] { picScroll->SetFocus(); });
}

void ZelPicZoom::btnUserCommand_Click() {
  Step([&] { picScroll->SetFocus(); });
  Step([&] { RaiseEvent(PicZoomEvent::ButtonClick, "ButtonClick"); });
}

// --- Programmatic scrolling ------------------------------------------------------

void ZelPicZoom::Go(GoDirection& Direction) {
  Step([&] { picScroll->Visible(false); });
  switch (Direction) {
    case gdTop:
      Step([&] { HScroll->Value(Half(HScroll->Max())); });
      Step([&] { VScroll->Value(0); });
      break;
    case gdBottom:
      Step([&] { HScroll->Value(Half(HScroll->Max())); });
      Step([&] { VScroll->Value(VScroll->Max()); });
      break;
    case gdLeft:
      Step([&] { HScroll->Value(0); });
      Step([&] { VScroll->Value(Half(VScroll->Max())); });
      break;
    case gdRight:
      Step([&] { HScroll->Value(HScroll->Max()); });
      Step([&] { VScroll->Value(Half(VScroll->Max())); });
      break;
    case gdCenter:
      Step([&] { HScroll->Value(Half(HScroll->Max())); });
      Step([&] { VScroll->Value(Half(VScroll->Max())); });
      break;
    case gdTopLeft:
      Step([&] { HScroll->Value(0); });
      Step([&] { VScroll->Value(0); });
      break;
    case gdTopRight:
      Step([&] { HScroll->Value(HScroll->Max()); });
      Step([&] { VScroll->Value(0); });
      break;
    case gdBottomLeft:
      Step([&] { HScroll->Value(0); });
      Step([&] { VScroll->Value(VScroll->Max()); });
      break;
    case gdBottomRight:
      Step([&] { HScroll->Value(HScroll->Max()); });
      Step([&] { VScroll->Value(VScroll->Max()); });
      break;
  }
  Step([&] { picScroll->Visible(true); });
}

void ZelPicZoom::Scroll(ScrollDirection& Direction, int16_t& PixelsStep) {
  ScrollStep(Direction, PixelsStep, false);
}

void ZelPicZoom::ScrollLoop(ScrollDirection& Direction, int16_t& PixelsStep) {
  ScrollStep(Direction, PixelsStep, true);
}

// One step of PixelsStep pixels. Sums and differences are formed in 32 bits
// before the comparison, so the value assigned always lies in 0..Max. At or
// past an end, Scroll stops there and ScrollLoop wraps to the other end.
void ZelPicZoom::ScrollStep(ScrollDirection Direction, int16_t PixelsStep, bool Wrap) {
  if (Met([&] { return !HasPicture(); })) return;
  if (Met([&] { return PixelsStep < 1; })) {
    // Absorbed here: the call returns normally and Err keeps number 1.
    Step([&] { Err().Raise(1, "PixelsStep must be > 0"); });
    return;
  }
  const auto v = [](const ScrollBar& bar) { return int32_t{bar.Value()}; };
  switch (Direction) {
    case sdcUp:
      if (Met([&] { return picScroll->Height() <= ScaleHeight(); })) return;
      if (Met([&] { return v(*VScroll) - PixelsStep > 0; }))
        Step([&] { VScroll->Value(ToInt16(v(*VScroll) - PixelsStep)); });
      else
        Step([&] { VScroll->Value(Wrap ? VScroll->Max() : int16_t{0}); });
      break;
    case sdDown:
      if (Met([&] { return picScroll->Height() <= ScaleHeight(); })) return;
      if (Met([&] { return v(*VScroll) + PixelsStep < VScroll->Max(); }))
        Step([&] { VScroll->Value(ToInt16(v(*VScroll) + PixelsStep)); });
      else
        Step([&] { VScroll->Value(Wrap ? int16_t{0} : VScroll->Max()); });
      break;
    case sdLeft:
      if (Met([&] { return picScroll->Width() <= ScaleWidth(); })) return;
      if (Met([&] { return v(*HScroll) - PixelsStep > 0; }))
        Step([&] { HScroll->Value(ToInt16(v(*HScroll) - PixelsStep)); });
      else
        Step([&] { HScroll->Value(Wrap ? HScroll->Max() : int16_t{0}); });
      break;
    case sdRight:
      if (Met([&] { return picScroll->Width() <= ScaleWidth(); })) return;
      if (Met([&] { return v(*HScroll) + PixelsStep < HScroll->Max(); }))
        Step([&] { HScroll->Value(ToInt16(v(*HScroll) + PixelsStep)); });
      else
        Step([&] { HScroll->Value(Wrap ? int16_t{0} : HScroll->Max()); });
      break;
  }
}

}  // namespace lumora

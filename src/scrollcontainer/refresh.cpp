// RefreshScrollBar: brings the drawn scroll bar into line with where the
// contained controls are now. It measures them, gives the buttons their
// pictures, places the track, sets the track's scale and the thumb, and
// paints the thumb. Every constituent property is written only when it
// differs (pictures compared by identity), since this runs after every step
// of a held button or a thumb drag.
#include <cmath>
#include <type_traits>

#include "platform/gdi.hpp"
#include "platform/numeric.hpp"
#include "scrollcontainer/late_bound.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

namespace {

// The track's drawing converts twips to pixels at a fixed 15, and its drawing
// area is 30 twips (2 pixels) shorter and narrower than the track.
constexpr double kTrackFrameTwips = 30;

// One step that writes a constituent's property only when it differs from
// value (pictures compare by identity).
template <class Box, class Owner, class T>
void WriteIfDiffers(Box& box, T (Owner::*get)() const, void (Owner::*let)(T),
                    const std::type_identity_t<T>& value) {
  Step([&] {
    if ((box.*get)() != value) (box.*let)(value);
  });
}

void ShowPicture(Image& button, const Image& picture) {
  WriteIfDiffers(button, &Image::Picture, &Image::Picture, picture.Picture());
}
void ShowButton(Image& button, bool visible) {
  WriteIfDiffers(button, &Image::Visible, &Image::Visible, visible);
}

// Steps 2 and 3: a button with somewhere to scroll to shows its released or
// held picture and is enabled; one without shows its greyed picture.
void SetButton(Image& button, bool scrolls, bool released, const Image& up, const Image& held,
               const Image& greyed) {
  ShowPicture(button, !scrolls ? greyed : released ? up : held);
  WriteIfDiffers(button, &Image::Enabled, &Image::Enabled, scrolls);
  ShowButton(button, true);
}

}  // namespace

void ZelScrollContainer::RefreshScrollBar() {
  RunScrollBarSteps(false);
}

// The steps of RefreshScrollBar. The layout runs them with fromLayout set,
// which differs twice: a button that is already shown is never enabled by the
// measuring, and the empty case hides and greys each button in turn.
void ZelScrollContainer::RunScrollBarSteps(bool fromLayout) {
  // Step 0: no contained controls.
  if (Met([&] { return ContainedControls().Count() <= 0; })) {
    if (fromLayout) {
      ShowButton(*sU, false);
      ShowPicture(*sU, *UpN);
      ShowButton(*sD, false);
      ShowPicture(*sD, *DownN);
    } else {
      ShowButton(*sU, false);
      ShowButton(*sD, false);
      ShowPicture(*sU, *UpN);
      ShowPicture(*sD, *DownN);
    }
    WriteIfDiffers(*picBar, &PictureBox::Visible, &PictureBox::Visible, false);
    return;
  }

  // Step 1: measure. Every control counts for the extent; only visible ones
  // beyond an edge set that edge's flag. A test that fails counts as met.
  bool upFlag = false;
  bool downFlag = false;
  double contentTop = 0;
  double contentBottom = 0;
  int32_t i = 0;
  do {
    ObjectPtr control;
    Step([&] { control = ContainedControls().Item(i); });
    if (Met([&] { return ShownBelow(control); })) {
      if (!fromLayout || Met([&] { return sD->Visible() == false; })) downFlag = true;
    }
    if (Met([&] { return ShownAbove(control); })) {
      if (!fromLayout || Met([&] { return sU->Visible() == false; })) upFlag = true;
    }
    if (Met([&] {
          return NumberLate(control, "Top") + NumberLate(control, "Height") > contentBottom;
        }))
      Step([&] { contentBottom = NumberLate(control, "Top") + NumberLate(control, "Height"); });
    if (Met([&] { return NumberLate(control, "Top") < contentTop; }))
      Step([&] { contentTop = NumberLate(control, "Top"); });
    control.reset();
    i = i + 1;
  } while (Continues([&] { return i < ContainedControls().Count(); }));

  // Steps 2 and 3: the up and the down button.
  SetButton(*sU, upFlag, m_UpReleased, *UpU, *UpD, *UpN);
  SetButton(*sD, downFlag, m_DownReleased, *DownU, *DownD, *DownN);

  // Step 4: the track between the buttons.
  WriteIfDiffers(*picBar, &PictureBox::Left, &PictureBox::Left, ScaleWidth() - picBar->Width());
  const bool upShown = Met([&] { return sU->Visible() == true; });
  WriteIfDiffers(*picBar, &PictureBox::Top, &PictureBox::Top, upShown ? sU->Height() : 0);
  WriteIfDiffers(*picBar, &PictureBox::Width, &PictureBox::Width, sU->Width());
  float extraLength = 0;
  if (Met([&] { return sU->Visible() == false; }))
    Step([&] { extraLength = extraLength + sU->Height(); });
  if (Met([&] { return sD->Visible() == false; }))
    Step([&] { extraLength = extraLength + sD->Height(); });
  WriteIfDiffers(*picBar, &PictureBox::Height, &PictureBox::Height,
                 ScaleHeight() - sU->Height() - sD->Height() + extraLength);

  // Step 5: the track's scale stands for the content plus both margins; the
  // thumb starts where the highest control has been scrolled to and is as
  // long as the view plus both margins.
  int32_t marginSum = 0;
  Step([&] { marginSum = Int32(m_LowerMargin) + Int32(m_UpperMargin); });
  Step([&] {
    const float scale = ToSingle((contentBottom - contentTop) + marginSum);
    if (picBar->ScaleHeight() != scale) picBar->ScaleHeight(scale);
  });
  Step([&] { m_ThumbTop = ToInt32(0 - contentTop); });
  Step([&] { m_ThumbHeight = ToInt32(static_cast<double>(ScaleHeight()) + marginSum); });
  WriteIfDiffers(*picSelected, &PictureBox::Height, &PictureBox::Height,
                 static_cast<float>(m_ThumbHeight));
  WriteIfDiffers(*picSelected, &PictureBox::Top, &PictureBox::Top, static_cast<float>(m_ThumbTop));

  // Step 6: paint the thumb and show the track.
  PaintThumb();
  WriteIfDiffers(*picBar, &PictureBox::Visible, &PictureBox::Visible, true);
}

// Steps 6.1 to 6.5: clear the track, take the thumb box's colour, set one
// pixel of it where the thumb starts and stretch that pixel over the thumb.
void ZelScrollContainer::PaintThumb() {
  float H = 0, W = 0, S = 0, T = 0, L = 0;
  Step([&] { H = picBar->Height(); });
  Step([&] { W = picBar->Width(); });
  Step([&] { S = picBar->ScaleHeight(); });
  Step([&] { T = picSelected->Top(); });
  Step([&] { L = picSelected->Height(); });
  // Pixel rows that stand for the whole track scale S.
  const double k = (double{H} - kTrackFrameTwips) / kTwipsPerPixel;

  Step([&] { picBar->Cls(); });
  ColorRef C = 0;
  Step([&] { C = GetPixel(picSelected->hDC(), 0, 0); });
  Step([&] { SetPixel(picBar->hDC(), 0, ToInt32(k * (double{T} / S)), C); });
  Step([&] {
    StretchBlt(picBar->hDC(), 0, ToInt32(k * (double{T} / S)),
               ToInt32((double{W} - kTrackFrameTwips) / kTwipsPerPixel),
               ToInt32(k * ((double{T} + L) / S) - k * (double{T} / S)), picBar->hDC(), 0,
               ToInt32(k * (double{T} / S)), 1, 1, kSrcCopy);
  });
  Step([&] { picBar->Refresh(); });
}

bool ZelScrollContainer::ShownBelow(const ObjectPtr& control) const {
  const bool visible = EqualsTrue(GetLate(control, "Visible"));
  const double bottom = NumberLate(control, "Top") + NumberLate(control, "Height") + m_LowerMargin;
  return visible && bottom > ScaleHeight();
}

bool ZelScrollContainer::ShownAbove(const ObjectPtr& control) const {
  const bool visible = EqualsTrue(GetLate(control, "Visible"));
  const double top = NumberLate(control, "Top");
  return visible && top - m_UpperMargin < 0;
}

}  // namespace lumora

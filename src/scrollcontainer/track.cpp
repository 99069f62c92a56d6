// The track and its thumb: a left press inside the thumb (edges included) arms
// a drag, a left press outside disarms it; each later move with the left
// button scrolls the contents by the distance the pointer moved in the
// track's scale, where one unit is one twip of content. The track raises none
// of the container's events.
#include "platform/numeric.hpp"
#include "scrollcontainer/late_bound.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

void ZelScrollContainer::picBar_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  (void)Shift;
  (void)X;
  if (Button != kLeftButton) return;
  if (Met([&] { return Y < m_ThumbTop || Y > Int32(m_ThumbTop) + Int32(m_ThumbHeight); })) {
    m_ThumbDragging = false;
    return;
  }
  Step([&] { m_DragLastY = ToInt32(double{Y}); });
  m_ThumbDragging = true;
}

void ZelScrollContainer::picBar_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  (void)Shift;
  (void)X;
  if (Button != kLeftButton || !m_ThumbDragging) return;
  int32_t d = 0;
  Step([&] { d = ToInt32(double{Y} - m_DragLastY); });
  Step([&] { m_DragLastY = ToInt32(double{Y}); });
  if (Met([&] { return d < 0 && sU->Picture() == UpN->Picture(); })) return;
  if (Met([&] { return d > 0 && sD->Picture() == DownN->Picture(); })) return;
  if (Met([&] { return ContainedControls().Count() == 0; })) return;
  int32_t i = 0;
  while (Continues([&] { return i < ContainedControls().Count(); })) {
    ObjectPtr control;
    Step([&] { control = ContainedControls().Item(i); });
    Step([&] { LetLate(control, "Top", NumberLate(control, "Top") - d); });
    i = i + 1;
  }
  RefreshScrollBar();
  Step([&] { UserControl::Refresh(); });
}

}  // namespace lumora

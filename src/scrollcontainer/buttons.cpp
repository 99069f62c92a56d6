// The scroll buttons. While a button is held (any mouse button) the container
// moves every contained control one twip per pass, refreshing the scroll bar
// and yielding between passes, until the release or until no visible control
// lies beyond that edge. Their pointer events reach the application as the
// container's own, in container coordinates.
#include "frame/dispids.hpp"
#include "platform/message_queue.hpp"
#include "scrollcontainer/late_bound.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

// --- Down button ----------------------------------------------------------------

void ZelScrollContainer::sD_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  const auto keepAlive = Shared();
  Step([&] { sD->Picture(DownD->Picture()); });
  Step([&] {
    RaiseButtonEvent(*sD, ScrollContainerEvent::MouseDown, "MouseDown", Button, Shift, X, Y);
  });
  m_DownReleased = false;
  if (Met([&] { return ContainedControls().Count() == 0; })) return;
  const bool beyond = MoveWhileHeld(-1, m_DownReleased);
  if (Met([&] { return !beyond && sD->Picture() != DownN->Picture(); }))
    Step([&] { sD->Picture(DownN->Picture()); });
}

void ZelScrollContainer::sD_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] {
    RaiseButtonEvent(*sD, ScrollContainerEvent::MouseMove, "MouseMove", Button, Shift, X, Y);
  });
}

void ZelScrollContainer::sD_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] {
    RaiseButtonEvent(*sD, ScrollContainerEvent::MouseUp, "MouseUp", Button, Shift, X, Y);
  });
  m_DownReleased = true;
  RefreshScrollBar();
}

void ZelScrollContainer::sD_Click() {
  UserControl_Click();
}

void ZelScrollContainer::sD_DblClick() {
  UserControl_DblClick();
}

// --- Up button ------------------------------------------------------------------

void ZelScrollContainer::sU_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  const auto keepAlive = Shared();
  Step([&] { sU->Picture(UpD->Picture()); });
  Step([&] {
    RaiseButtonEvent(*sU, ScrollContainerEvent::MouseDown, "MouseDown", Button, Shift, X, Y);
  });
  m_UpReleased = false;
  if (Met([&] { return ContainedControls().Count() == 0; })) return;
  const bool beyond = MoveWhileHeld(+1, m_UpReleased);
  if (Met([&] { return !beyond && sU->Picture() != UpN->Picture(); }))
    Step([&] { sU->Picture(UpN->Picture()); });
}

void ZelScrollContainer::sU_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] {
    RaiseButtonEvent(*sU, ScrollContainerEvent::MouseMove, "MouseMove", Button, Shift, X, Y);
  });
}

void ZelScrollContainer::sU_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] {
    RaiseButtonEvent(*sU, ScrollContainerEvent::MouseUp, "MouseUp", Button, Shift, X, Y);
  });
  m_UpReleased = true;
  RefreshScrollBar();
}

void ZelScrollContainer::sU_Click() {
  UserControl_Click();
}

void ZelScrollContainer::sU_DblClick() {
  UserControl_DblClick();
}

// --- Shared by both buttons -----------------------------------------------------

void ZelScrollContainer::RaiseButtonEvent(const Image& button, int32_t dispid,
                                          std::string_view name, int16_t& Button, int16_t& Shift,
                                          float X, float Y) {
  RaiseMouseEvent(dispid, name, Button, Shift, Coordinate(double{button.Left()} + X),
                  Coordinate(double{button.Top()} + Y));
}

bool ZelScrollContainer::MoveWhileHeld(int32_t step, const bool& released) {
  bool beyond = false;
  do {
    beyond = false;
    int32_t i = 0;
    do {
      ObjectPtr control;
      Step([&] { control = ContainedControls().Item(i); });
      if (Met([&] { return step > 0 ? ShownAbove(control) : ShownBelow(control); })) beyond = true;
      Step([&] { LetLate(control, "Top", NumberLate(control, "Top") + step); });
      i = i + 1;
    } while (Continues([&] { return i < ContainedControls().Count(); }));
    RefreshScrollBar();
    Step([] { DoEvents(); });
    // A container taken off its form meanwhile gets no release any more.
  } while (beyond && !released && IsSited());
  return beyond;
}

}  // namespace lumora

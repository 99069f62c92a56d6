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
    RaiseMouseEvent(ScrollContainerEvent::MouseDown, "MouseDown", Button, Shift,
                    Coordinate(double{sD->Left()} + X), Coordinate(double{sD->Top()} + Y));
  });
  m_DownReleased = false;
  if (Met([&] { return ContainedControls().Count() == 0; })) return;
  bool beyond = false;
  do {
    beyond = false;
    int32_t i = 0;
    do {
      ObjectPtr control;
      Step([&] { control = ContainedControls().Item(i); });
      if (Met([&] {
            const bool visible = EqualsTrue(GetLate(control, "Visible"));
            const double bottom =
                NumberLate(control, "Top") + NumberLate(control, "Height") + m_LowerMargin;
            return visible && bottom > ScaleHeight();
          }))
        beyond = true;
      Step([&] { LetLate(control, "Top", NumberLate(control, "Top") - 1); });
      i = i + 1;
    } while (Continues([&] { return i < ContainedControls().Count(); }));
    RefreshScrollBar();
    Step([] { DoEvents(); });
    // A container taken off its form meanwhile gets no release any more.
  } while (beyond && !m_DownReleased && IsSited());
  if (Met([&] { return !beyond && sD->Picture() != DownN->Picture(); }))
    Step([&] { sD->Picture(DownN->Picture()); });
}

void ZelScrollContainer::sD_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] {
    RaiseMouseEvent(ScrollContainerEvent::MouseMove, "MouseMove", Button, Shift,
                    Coordinate(double{sD->Left()} + X), Coordinate(double{sD->Top()} + Y));
  });
}

void ZelScrollContainer::sD_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] {
    RaiseMouseEvent(ScrollContainerEvent::MouseUp, "MouseUp", Button, Shift,
                    Coordinate(double{sD->Left()} + X), Coordinate(double{sD->Top()} + Y));
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
    RaiseMouseEvent(ScrollContainerEvent::MouseDown, "MouseDown", Button, Shift,
                    Coordinate(double{sU->Left()} + X), Coordinate(double{sU->Top()} + Y));
  });
  m_UpReleased = false;
  if (Met([&] { return ContainedControls().Count() == 0; })) return;
  bool beyond = false;
  do {
    beyond = false;
    int32_t i = 0;
    do {
      ObjectPtr control;
      Step([&] { control = ContainedControls().Item(i); });
      if (Met([&] {
            const bool visible = EqualsTrue(GetLate(control, "Visible"));
            const double top = NumberLate(control, "Top");
            return visible && top - m_UpperMargin < 0;
          }))
        beyond = true;
      Step([&] { LetLate(control, "Top", NumberLate(control, "Top") + 1); });
      i = i + 1;
    } while (Continues([&] { return i < ContainedControls().Count(); }));
    RefreshScrollBar();
    Step([] { DoEvents(); });
  } while (beyond && !m_UpReleased && IsSited());
  if (Met([&] { return !beyond && sU->Picture() != UpN->Picture(); }))
    Step([&] { sU->Picture(UpN->Picture()); });
}

void ZelScrollContainer::sU_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] {
    RaiseMouseEvent(ScrollContainerEvent::MouseMove, "MouseMove", Button, Shift,
                    Coordinate(double{sU->Left()} + X), Coordinate(double{sU->Top()} + Y));
  });
}

void ZelScrollContainer::sU_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] {
    RaiseMouseEvent(ScrollContainerEvent::MouseUp, "MouseUp", Button, Shift,
                    Coordinate(double{sU->Left()} + X), Coordinate(double{sU->Top()} + Y));
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

}  // namespace lumora

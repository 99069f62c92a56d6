// What the container passes through to the application and its host: the
// surface's pointer and click events as its own events, drawing and pop-up
// menus on its surface, Refresh (the layout), the About box, and
// ScrollToControl.
#include <algorithm>

#include "frame/about_hook.hpp"
#include "frame/dispids.hpp"
#include "frame/raise_by_ref.hpp"
#include "scrollcontainer/late_bound.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

void ZelScrollContainer::RaiseMouseEvent(int32_t dispid, std::string_view name, int16_t& Button,
                                         int16_t& Shift, float X, float Y) {
  RaiseByRef([&](std::span<Variant> args) { RaiseEvent(dispid, name, args); }, Button, Shift, X, Y);
}

// --- The surface's events -----------------------------------------------------

void ZelScrollContainer::UserControl_Click() {
  Step([&] { RaiseEvent(ScrollContainerEvent::Click, "Click"); });
  RefreshScrollBar();
}

void ZelScrollContainer::UserControl_DblClick() {
  Step([&] { RaiseEvent(ScrollContainerEvent::DblClick, "DblClick"); });
}

void ZelScrollContainer::UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X,
                                               float& Y) {
  Step([&] { RaiseMouseEvent(ScrollContainerEvent::MouseDown, "MouseDown", Button, Shift, X, Y); });
}

void ZelScrollContainer::UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X,
                                               float& Y) {
  Step([&] { RaiseMouseEvent(ScrollContainerEvent::MouseMove, "MouseMove", Button, Shift, X, Y); });
}

void ZelScrollContainer::UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Step([&] { RaiseMouseEvent(ScrollContainerEvent::MouseUp, "MouseUp", Button, Shift, X, Y); });
}

// --- Methods --------------------------------------------------------------------

void ZelScrollContainer::PaintPicture(PicturePtr Picture, float X1, float Y1, const Variant& Width1,
                                      const Variant& Height1, const Variant& X2, const Variant& Y2,
                                      const Variant& Width2, const Variant& Height2,
                                      const Variant& Opcode) {
  Step([&] {
    UserControl::PaintPicture(Variant(Picture), Variant(X1), Variant(Y1), Width1, Height1, X2, Y2,
                              Width2, Height2, Opcode);
  });
}

void ZelScrollContainer::PopupMenu(ObjectPtr Menu, const Variant& Flags, const Variant& X,
                                   const Variant& Y, const Variant& DefaultMenu) {
  Step([&] { UserControl::PopupMenu(Variant(Menu), Flags, X, Y, DefaultMenu); });
}

void ZelScrollContainer::Refresh() {
  UserControl_Resize();
}

void ZelScrollContainer::AboutBox() {
  Step([] { ShowAboutBox(); });
}

// Brings one of this container's contained controls fully into view with the
// least movement: its top at least UpperMargin below the view's top and its
// bottom at least LowerMargin above the view's bottom. A control that cannot
// fit with both margins is aligned at its top. Every contained control moves
// by the same amount, then the scroll bar follows. An armed thumb drag ends,
// since the thumb has left the pointer's last position.
void ZelScrollContainer::ScrollToControl(ObjectPtr& ContainedControl) {
  if (!ContainedControl) return;
  const auto keepAlive = Shared();
  bool contained = false;
  Step([&] {
    contained = std::ranges::any_of(ContainedList(), [&](const ControlPtr& control) {
      return static_cast<Object*>(control.get()) == ContainedControl.get();
    });
  });
  if (!contained) return;
  double top = 0;
  double height = 0;
  bool placed = false;
  Step([&] {
    top = NumberLate(ContainedControl, "Top");
    height = NumberLate(ContainedControl, "Height");
    placed = true;
  });
  if (!placed) return;

  const double upper = m_UpperMargin;
  const double lower = m_LowerMargin;
  const double view = ScaleHeight();
  double move = 0;
  if (upper + height + lower > view || top < upper)
    move = upper - top;
  else if (top + height + lower > view)
    move = view - lower - (top + height);
  if (move == 0) return;

  int32_t i = 0;
  while (Continues([&] { return i < ContainedControls().Count(); })) {
    ObjectPtr control;
    Step([&] { control = ContainedControls().Item(i); });
    Step([&] { LetLate(control, "Top", NumberLate(control, "Top") + move); });
    i = i + 1;
  }
  m_ThumbDragging = false;
  RefreshScrollBar();
}

}  // namespace lumora

// ZelScrollContainer: a container control that scrolls the controls placed in
// it vertically, under a scroll bar it draws itself (up and down buttons with
// a picture per state, a track and a painted thumb), keeping a margin above
// the highest and below the lowest contained control. Works in twips.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "frame/dispatch.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/user_control.hpp"

namespace lumora {

struct ZelScrollContainerProbe;

class ZelScrollContainer final : public UserControl, public Dispatchable {
 public:
  ZelScrollContainer();
  ~ZelScrollContainer() override;

  // --- _ZelScrollContainer ---------------------------------------------------
  // Every member runs with errors ignored: the caller always sees success.
  void AboutBox();  // shows the About box through the thread's hook
  int32_t UpperMargin() const;
  void UpperMargin(int32_t New_UpperMargin);
  int32_t LowerMargin() const;
  void LowerMargin(int32_t New_LowerMargin);
  OleColor BackColor() const;
  void BackColor(OleColor New_BackColor);
  int16_t Appearance() const;
  void Appearance(int16_t New_Appearance);
  int16_t BorderStyle() const;
  void BorderStyle(int16_t New_BorderStyle);
  int16_t BackStyle() const;
  void BackStyle(int16_t New_BackStyle);
  int32_t ContainerHwnd() const;
  bool Enabled() const;
  void Enabled(bool New_Enabled);
  int32_t hWnd() const;
  void PaintPicture(PicturePtr Picture, float X1, float Y1, const Variant& Width1,
                    const Variant& Height1, const Variant& X2, const Variant& Y2,
                    const Variant& Width2, const Variant& Height2, const Variant& Opcode);
  void PopupMenu(ObjectPtr Menu, const Variant& Flags, const Variant& X, const Variant& Y,
                 const Variant& DefaultMenu);
  // Brings a contained control fully into view (see services.cpp).
  void ScrollToControl(ObjectPtr& ContainedControl);
  // The default member: runs the layout, as a resize does.
  void Refresh() override;

  // The dispatch table of _ZelScrollContainer; late-bound access by name goes
  // through it for the interface's members and to the runtime for the rest
  // (extender properties such as Top).
  static const DispatchTable& Dispatch();
  const DispatchTable& DispatchInfo() const override { return Dispatch(); }
  Variant GetProperty(std::string_view name) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  Variant CallMethod(std::string_view name, std::span<Variant> args) override;

  // --- Lifecycle and the surface's events -------------------------------------
  void UserControl_InitProperties() override;
  void UserControl_ReadProperties(PropertyBag& PropBag) override;
  void UserControl_WriteProperties(PropertyBag& PropBag) override;
  void UserControl_Show() override;
  void UserControl_Resize() override;
  void UserControl_Click() override;
  void UserControl_DblClick() override;
  void UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
  void UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
  void UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override;

 private:
  friend struct ZelScrollContainerProbe;

  void CreateConstituents();
  void ConnectHandlers();

  // refresh.cpp: RefreshScrollBar, and the same steps as the layout runs them.
  void RefreshScrollBar();
  void RunScrollBarSteps(bool fromLayout);
  void PaintThumb();
  // Whether a visible control reaches below the lower margin or above the
  // upper one (Visible read first, then the extent; errors propagate).
  bool ShownBelow(const ObjectPtr& control) const;
  bool ShownAbove(const ObjectPtr& control) const;

  // buttons.cpp
  void sU_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void sU_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void sU_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void sU_Click();
  void sU_DblClick();
  void sD_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void sD_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void sD_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void sD_Click();
  void sD_DblClick();
  // Raises a button's pointer event in the container's coordinates.
  void RaiseButtonEvent(const Image& button, int32_t dispid, std::string_view name, int16_t& Button,
                        int16_t& Shift, float X, float Y);
  // The held loop: moves every contained control by step twips a pass until
  // released is set or no visible control lies beyond the edge it moves
  // from; returns whether one still did.
  bool MoveWhileHeld(int32_t step, const bool& released);

  // track.cpp
  void picBar_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void picBar_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);

  // services.cpp: raises a pointer event with arguments by reference; Button
  // and Shift take back what the application's handler left in them.
  void RaiseMouseEvent(int32_t dispid, std::string_view name, int16_t& Button, int16_t& Shift,
                       float X, float Y);

  // --- Fields -----------------------------------------------------------------
  int32_t m_UpperMargin = 0;
  int32_t m_LowerMargin = 0;
  int16_t m_BorderStyle = 0;
  bool m_UpReleased = false;
  bool m_DownReleased = false;
  int32_t m_ThumbTop = 0;
  int32_t m_ThumbHeight = 0;
  int32_t m_DragLastY = 0;
  bool m_ThumbDragging = false;

  // --- Constituent controls ---------------------------------------------------
  std::shared_ptr<PictureBox> picBar;       // the track
  std::shared_ptr<PictureBox> picSelected;  // the thumb box, hidden, inside picBar
  std::shared_ptr<Image> sU;                // the up button
  std::shared_ptr<Image> sD;                // the down button
  // Hidden holders of the button pictures: N cannot scroll, U can, D held.
  std::shared_ptr<Image> UpN, UpU, UpD;
  std::shared_ptr<Image> DownN, DownU, DownD;
};

}  // namespace lumora

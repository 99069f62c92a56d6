// ZelPicZoom: a picture viewer control. It shows one picture in the picture
// box picScroll, scrolled by two scroll bars (the bars' values are the one
// record of the scroll offset) and zoomed along a ladder shared by every
// instance on the thread. Every member runs with errors ignored.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "frame/dispatch.hpp"
#include "frame/records.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/variant.hpp"

namespace lumora {

class ZelPicZoom final : public UserControl, public Dispatchable {
 public:
  ZelPicZoom();
  ~ZelPicZoom() override;

  // --- Late-bound access through the type library (bindings.cpp) ------------
  // The table binding every member of _ZelPicZoom to the functions below.
  static const DispatchTable& Dispatch();
  const DispatchTable& DispatchInfo() const override { return Dispatch(); }
  // Calls a member by DISPID, as a dispatch client does.
  Variant Invoke(int32_t dispid, MemberKind kind, std::span<Variant> args);
  // Members of _ZelPicZoom go through the table; other names (the extender's
  // Left, Top, Visible ...) reach the runtime's members.
  Variant GetProperty(std::string_view name) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  Variant CallMethod(std::string_view name, std::span<Variant> args) override;

  // --- Properties (state.cpp) -------------------------------------------------
  int16_t Appearance() const;
  void Appearance(int16_t value);
  OleColor BackColor() const;
  void BackColor(OleColor value);
  int16_t BarsWidth() const;
  void BarsWidth(int16_t value);
  int16_t BorderStyle() const;
  void BorderStyle(int16_t value);
  bool Enabled() const;
  void Enabled(bool value);
  PicturePtr MouseIcon() const;
  void MouseIcon(PicturePtr value);
  PointerShape MousePointer() const;
  void MousePointer(PointerShape value);
  bool MouseScrolling() const;
  void MouseScrolling(bool value);
  PicturePtr MouseScrollingIcon() const;
  void MouseScrollingIcon(PicturePtr value);
  PicturePtr Picture() const;
  void Picture(PicturePtr value);
  lumora::ScrollBars ScrollBars() const;
  void ScrollBars(lumora::ScrollBars value);
  // The window of picScroll, not that of the control itself.
  int32_t hWnd() const;

  // --- Zoom (zoom.cpp) ----------------------------------------------------------
  void ZoomIn();
  void ZoomOut();
  void ZoomReal();
  void FeedBest();
  void Stretch();
  // The current rung of the shared ladder (a Byte), picture or not.
  Variant ZoomPercent() const;

  // --- Scrolling (scrolling.cpp) -------------------------------------------------
  void Go(GoDirection& Direction);
  void Scroll(ScrollDirection& Direction, int16_t& PixelsStep);
  void ScrollLoop(ScrollDirection& Direction, int16_t& PixelsStep);

  // --- Queries and services (services.cpp) --------------------------------------
  PicturePositions PicturePosition() const;
  PictureSizes PictureSize() const;
  PicturePtr Image() const;
  void SaveTo(std::string& PicturePath);
  void Clear();
  void AboutBox();

  // --- Lifecycle (state.cpp), persisted form (persistence.cpp), layout ---------
  void UserControl_Initialize() override;
  void UserControl_InitProperties() override;
  void UserControl_ReadProperties(PropertyBag& PropBag) override;
  void UserControl_WriteProperties(PropertyBag& PropBag) override;
  void UserControl_Terminate() override;
  // The layout: which bars show, where they go, their ranges, the picture
  // centred, the scrolling pointer offered or withdrawn.
  void UserControl_Resize() override;

 private:
  // The control's Picture has a non-zero handle.
  bool HasPicture() const;
  // Resizes picScroll and paints the picture scaled into it (zoom.cpp).
  void ShowPictureAtSize(int16_t Width, int16_t Height);
  void ShowAtRung(uint8_t index, int16_t Width, int16_t Height);
  // Shows the natural size after a refused persistent image, once.
  void FallBackToNaturalSize();

  // Handlers of the constituent controls' events.
  void HScroll_Change();
  void VScroll_Change();
  void HScroll_Scroll();
  void VScroll_Scroll();
  void HScroll_GotFocus();
  void VScroll_GotFocus();
  void btnUserCommand_Click();
  void picScroll_Click();
  void picScroll_DblClick();
  void picScroll_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void picScroll_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void picScroll_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void picScroll_KeyDown(int16_t& KeyCode, int16_t& Shift);
  void picScroll_KeyPress(int16_t& KeyAscii);
  void picScroll_KeyUp(int16_t& KeyCode, int16_t& Shift);
  void ConnectHandlers();
  // One pass of the arrow-key loop for KeyCode (input.cpp).
  void ArrowKeyStep(int16_t KeyCode);
  // Scroll and ScrollLoop: one step, stopping at the ends or wrapping.
  void ScrollStep(ScrollDirection Direction, int16_t PixelsStep, bool Wrap);

  std::shared_ptr<PictureBox> picScroll;
  std::shared_ptr<HScrollBar> HScroll;
  std::shared_ptr<VScrollBar> VScroll;
  std::shared_ptr<CommandButton> btnUserCommand;

  int16_t m_BarsWidth = 0;
  bool m_MouseScrolling = false;
  int32_t m_ScrollBars = 0;
  float m_PictureWidth = 0;
  float m_PictureHeight = 0;
  int32_t m_SavedMousePointer = 0;
  Variant m_SavedMouseIcon;  // empty or a picture
  // Set while the natural-size fallback renders, so that a second refusal
  // ends it instead of starting another.
  bool m_InFallback = false;
};

}  // namespace lumora

// The base of our controls: a windowed control with a surface of its own, a
// scale (pixels or twips, chosen by the subclass), constituent controls that
// the subclass creates, and for containers the controls a user placed inside
// it. The host drives it through the lifecycle virtuals; its own surface
// events arrive as UserControl_* virtuals; what it raises with RaiseEvent goes
// to its EventSource (Events()).
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/contained_controls.hpp"
#include "platform/controls/control.hpp"
#include "platform/raster.hpp"
#include "platform/variant.hpp"

namespace lumora {

class PropertyBag;

// Scale modes a control class may choose (ScaleMode values).
enum class ScaleUnit : int16_t { Twips = 1, Pixels = 3 };

class UserControl : public Control, public Container {
 public:
  // className is the control's class name (its TypeName); controlContainer
  // says whether users may place controls inside it.
  UserControl(std::string className, ScaleUnit scale, bool controlContainer);
  ~UserControl() override;

  // --- Lifecycle, called by the host in this order ---------------------------
  // Initialize; InitProperties (new) or ReadProperties (loaded); Resize; Show
  // (when the form is shown); WriteProperties on every save; Terminate on
  // removal. Resize also runs whenever the control's size changes.
  virtual void UserControl_Initialize() {}
  virtual void UserControl_InitProperties() {}
  virtual void UserControl_ReadProperties(PropertyBag& PropBag) { (void)PropBag; }
  virtual void UserControl_Resize() {}
  virtual void UserControl_Show() {}
  virtual void UserControl_WriteProperties(PropertyBag& PropBag) { (void)PropBag; }
  virtual void UserControl_Terminate() {}

  // --- Events of its own surface (not raised to the host) --------------------
  // X and Y are in this control's scale, relative to its client area.
  virtual void UserControl_Click() {}
  virtual void UserControl_DblClick() {}
  virtual void UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
  virtual void UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);
  virtual void UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);
  virtual void UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift);
  virtual void UserControl_KeyUp(int16_t& KeyCode, int16_t& Shift);
  virtual void UserControl_KeyPress(int16_t& KeyAscii);
  // The control itself got or lost the focus (it has no focusable constituent).
  virtual void UserControl_GotFocus() {}
  virtual void UserControl_LostFocus() {}
  // The focus entered or left the control or one of its constituents.
  virtual void UserControl_EnterFocus() {}
  virtual void UserControl_ExitFocus() {}

  // --- Scale and size -------------------------------------------------------
  int16_t ScaleMode() const { return static_cast<int16_t>(m_Scale); }
  // The client area (inside the border), in this control's scale.
  float ScaleWidth() const;
  float ScaleHeight() const;
  // The outer size in twips, whatever the container's scale. Setting it moves
  // the extender with it and runs UserControl_Resize when the size changes.
  // (Control::Width()/Height() give the extender's size in the container's
  // scale.)
  float Width() const;
  void Width(float twips);
  float Height() const;
  void Height(float twips);

  // --- Appearance ---------------------------------------------------------------
  int16_t Appearance() const { return m_Appearance; }
  // 0 flat, 1 3D; else error 380. A design-time property: on a form its host
  // runs, writing it fails with error 382.
  void Appearance(int16_t value);
  OleColor BackColor() const { return m_BackColor; }
  void BackColor(OleColor value);  // an unknown system colour: error 380
  OleColor ForeColor() const { return m_ForeColor; }
  void ForeColor(OleColor value);
  int16_t BackStyle() const { return m_BackStyle; }
  void BackStyle(int16_t value);  // 0 transparent, 1 opaque; else error 380
  int16_t BorderStyle() const { return m_BorderStyle; }
  void BorderStyle(int16_t value);  // 0 none, 1 fixed single; else error 380
  // Border thickness in pixels on each side: 0 without a border, 2 for a 3D
  // border, 1 for a flat one.
  int32_t BorderPixels() const;

  // --- Children -----------------------------------------------------------------
  bool ControlContainer() const { return m_ControlContainer; }
  // The controls a user placed inside it; error 438 unless it is a container.
  ContainedControlsCollection& ContainedControls();
  // Contained controls in placement order (empty unless a container).
  std::vector<ControlPtr> ContainedList() const;
  // The same one at a time, without copying the list (containers' code reads
  // them in loops): how many, and the one at index (null outside the range).
  int32_t ContainedCount() const { return static_cast<int32_t>(m_Contained.size()); }
  ControlPtr ContainedAt(int32_t index) const;
  // Constituent controls in creation order.
  const std::vector<ControlPtr>& Constituents() const { return m_Constituents; }
  // The constituent of that name (case-insensitive), or null.
  Control* FindConstituent(std::string_view name) const;

  // --- Drawing and services -----------------------------------------------------
  // Draws a picture on the control's own surface. Coordinates are in its
  // scale; left-out arguments (Missing) take the whole picture at its
  // natural size. Arguments: Picture, X1, Y1, Width1, Height1, X2, Y2, Width2,
  // Height2, Opcode.
  void PaintPicture(const Variant& Picture, const Variant& X1, const Variant& Y1,
                    const Variant& Width1 = Missing{}, const Variant& Height1 = Missing{},
                    const Variant& X2 = Missing{}, const Variant& Y2 = Missing{},
                    const Variant& Width2 = Missing{}, const Variant& Height2 = Missing{},
                    const Variant& Opcode = Missing{});
  // What PaintPicture drew (empty until something is drawn; cleared by a size
  // change).
  const Raster& Surface() const { return m_Surface; }
  // Shows a pop-up menu (a Menu object) at X, Y in this control's scale (the
  // pointer's position when left out). Headless hosts record it on the form.
  void PopupMenu(const Variant& Menu, const Variant& Flags = Missing{},
                 const Variant& X = Missing{}, const Variant& Y = Missing{},
                 const Variant& DefaultMenu = Missing{});
  void Refresh() override;
  // Tells the host that a property changed, so the form must be saved again.
  void PropertyChanged(std::string_view propertyName);
  // Names passed to PropertyChanged since the last save, each once, in the
  // order of their first change.
  const std::vector<std::string>& ChangedProperties() const { return m_Changed; }
  void ClearChangedProperties() { m_Changed.clear(); }
  // Raises an event of the control's event interface to its EventSource;
  // handlers may change args, which the caller then reads back.
  void RaiseEvent(int32_t dispid, std::string_view name, std::span<Variant> args);
  void RaiseEvent(int32_t dispid, std::string_view name);

  // --- Container interface ------------------------------------------------------
  ScaleMapping ClientScale() const override;
  PixelRect ClientFormRect() const override;
  Form* ContainerForm() const override { return ParentForm(); }
  int32_t ContainerWindow() const override { return hWnd(); }
  Control* ContainerControl() override { return this; }

  // --- Input routing (the form calls these; they call the virtuals above) ----
  void OnMouseDown(PointerInput& in) override;
  void OnMouseMove(PointerInput& in) override;
  void OnMouseUp(PointerInput& in) override;
  void OnClick() override;
  void OnDblClick() override;
  void OnKeyDown(int16_t& keyCode, int16_t& shift) override;
  void OnKeyUp(int16_t& keyCode, int16_t& shift) override;
  void OnKeyPress(int16_t& keyAscii) override;
  void OnGotFocus() override;
  void OnLostFocus() override;
  // Whether the focus lies on this control or one of its constituents.
  bool ContainsFocus() const;

  const MemberTable& Members() const override;
  static const MemberTable& UserControlMembers();

  // Lifecycle bookkeeping for the host (the form): whether Initialize has run
  // (size changes then run Resize) and whether Show has run.
  bool IsSited() const { return m_Sited; }
  void MarkSited(bool sited) { m_Sited = sited; }
  bool IsShown() const { return m_Shown; }
  void MarkShown(bool shown) { m_Shown = shown; }
  // Sites a control a user placed inside this container (not for control code).
  void AddContained(ControlPtr control);

 protected:
  // Creates a constituent control of this control, on top of the constituents
  // of its container. container is this control (default) or a constituent
  // container such as a picture box.
  template <class T>
  std::shared_ptr<T> AddConstituent(std::string name, Container* container = nullptr) {
    auto control = std::make_shared<T>();
    AdoptConstituent(control, std::move(name), container);
    return control;
  }
  void AdoptConstituent(ControlPtr control, std::string name, Container* container);

  void OnExtentChanged() override;
  void ChildRemoved(Control& child) override;

 private:
  void SizeChanged();

  ScaleUnit m_Scale;
  bool m_ControlContainer;
  int16_t m_Appearance = 1;
  OleColor m_BackColor = kSysButtonFace;
  OleColor m_ForeColor = kSysButtonText;
  int16_t m_BackStyle = 1;
  int16_t m_BorderStyle = 0;
  bool m_Sited = false;
  bool m_Shown = false;
  float m_KnownWidth = 0;  // the extender's size at the last Resize
  float m_KnownHeight = 0;
  std::vector<ControlPtr> m_Constituents;
  // Exactly the contained controls: entries are added when placed and dropped
  // when removed (ChildRemoved), so every entry is alive and contained here.
  std::vector<std::weak_ptr<Control>> m_Contained;
  std::unique_ptr<ContainedControlsCollection> m_ContainedControls;
  std::vector<std::string> m_Changed;
  Raster m_Surface;
};

}  // namespace lumora

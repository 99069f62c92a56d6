// The base of every control the runtime hosts: placed controls, constituent
// controls of a user control, and the user controls themselves. A control has
// extender properties (Name, Left, Top, Width, Height in its container's scale,
// Visible, TabIndex), input handlers the form calls, and events that go both
// to the generic EventSource (first; hosts and logs may change the arguments)
// and to the typed handler slots (then, seeing those changes); the raiser
// reads the arguments back afterwards. A user control's own surface events go
// to its UserControl_* virtuals instead (see user_control.hpp).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.hpp"
#include "platform/controls/coordinates.hpp"
#include "platform/controls/event.hpp"
#include "platform/controls/input_codes.hpp"
#include "platform/event_source.hpp"
#include "platform/object.hpp"

namespace lumora {

class Control;
class Container;
class Form;
class MemberTable;
class UserControl;
using ControlPtr = std::shared_ptr<Control>;

// A fresh window handle, unique on this thread (controls and forms).
int32_t NewWindowHandle();

class Control : public Object {
 public:
  using MouseEvent = Event<int16_t, int16_t, float, float>;  // Button, Shift, X, Y
  using KeyEvent = Event<int16_t, int16_t>;                  // KeyCode, Shift
  using KeyPressEvent = Event<int16_t>;                      // KeyAscii
  using PlainEvent = Event<>;

  explicit Control(std::string className);
  ~Control() override;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  std::string TypeName() const override { return m_ClassName; }
  // A shared reference to this control (null if it is not owned by one).
  ControlPtr Shared() { return std::static_pointer_cast<Control>(weak_from_this().lock()); }

  // --- Extender properties, in the container's scale -----------------------
  const std::string& Name() const { return m_Name; }
  void Name(std::string name);
  float Left() const { return m_Left; }
  void Left(float value);
  float Top() const { return m_Top; }
  void Top(float value);
  float Width() const { return m_Width; }
  void Width(float value);  // negative: error 380
  float Height() const { return m_Height; }
  void Height(float value);  // negative: error 380
  // Moves and sizes in one step; left-out arguments keep their value.
  void Move(float left, std::optional<float> top = {}, std::optional<float> width = {},
            std::optional<float> height = {});
  bool Visible() const { return m_Visible; }
  void Visible(bool value);
  bool Enabled() const { return m_Enabled; }
  void Enabled(bool value);
  int16_t TabIndex() const { return m_TabIndex; }
  void TabIndex(int16_t value);  // negative: error 380
  bool TabStop() const { return m_TabStop; }
  void TabStop(bool value);
  // 0 brings the control to the front of its z-order group, 1 sends it back.
  void ZOrder(int16_t position = 0);

  // --- Window -----------------------------------------------------------------
  // Windowed controls have a unique non-zero handle; windowless ones (Image,
  // Label, Menu) fail with error 438.
  virtual bool IsWindowed() const { return true; }
  int32_t hWnd() const;
  // False for objects without an extent (menus): never drawn nor hit.
  virtual bool HasExtent() const { return true; }

  // --- Pointer ----------------------------------------------------------------
  int16_t MousePointer() const { return m_MousePointer; }
  void MousePointer(int16_t value);  // invalid shape: error 380
  PicturePtr MouseIcon() const { return m_MouseIcon; }
  void MouseIcon(PicturePtr icon);

  // --- Focus ------------------------------------------------------------------
  // Whether this control type takes the focus at all (windowed input controls).
  virtual bool IsFocusable() const { return IsWindowed(); }
  // Whether it can take the focus now: focusable, sited on a shown form, and
  // it and every container up to the form visible and enabled.
  bool CanTakeFocus() const;
  // Gives this control the focus; error 5 when it cannot take it now.
  void SetFocus();
  bool HasFocus() const;

  // Repaints the control. Drawing is retained, so this only counts repaints
  // (the renderer shows the current state whenever it draws).
  virtual void Refresh();
  int32_t RefreshCount() const { return m_RefreshCount; }
  // How many times a property was assigned by code (changed or not): lets
  // tests prove that a routine skips writes of values already in place.
  int32_t PropertyWrites() const { return m_PropertyWrites; }

  // --- Where it lives -------------------------------------------------------
  // The container whose scale the extender properties use (the form, a user
  // control, a picture box); null while not sited.
  Container* GetContainer() const { return m_Container; }
  // The user control whose constituent this control is; null for placed controls.
  UserControl* Owner() const { return m_Owner; }
  bool IsConstituent() const { return m_Owner != nullptr; }
  // The form this control is on (through its containers); null while not sited.
  Form* ParentForm() const;
  // The hWnd of the window that holds this control (its container's window).
  int32_t ContainerHwnd() const;
  // The control's outer rectangle in pixels of the form's client area, and
  // the part of it its containers leave visible.
  PixelRect FormRect() const;
  PixelRect VisibleFormRect() const;
  // Visible here and in every container up to the form.
  bool IsEffectivelyVisible() const;
  bool IsEffectivelyEnabled() const;

  // --- Events -----------------------------------------------------------------
  // Every event this control raises, generically (for hosts, scripts, logs).
  EventSource& Events() { return m_Events; }
  PlainEvent Click;
  PlainEvent DblClick;
  MouseEvent MouseDown;
  MouseEvent MouseMove;
  MouseEvent MouseUp;
  KeyEvent KeyDown;
  KeyEvent KeyUp;
  KeyPressEvent KeyPress;
  PlainEvent GotFocus;
  PlainEvent LostFocus;

  // --- Input, as the form delivers it -----------------------------------------
  // The defaults raise the events of the same name; controls that act on
  // input (scroll bars, buttons, text) override and call the base.
  virtual void OnMouseDown(PointerInput& in);
  virtual void OnMouseMove(PointerInput& in);
  virtual void OnMouseUp(PointerInput& in);
  virtual void OnMouseWheel(int32_t delta, int16_t shift);
  virtual void OnClick();
  virtual void OnDblClick();
  virtual void OnKeyDown(int16_t& keyCode, int16_t& shift);
  virtual void OnKeyUp(int16_t& keyCode, int16_t& shift);
  virtual void OnKeyPress(int16_t& keyAscii);
  virtual void OnGotFocus();
  virtual void OnLostFocus();
  // Whether a press and release of this button inside the control is a Click.
  virtual bool ClicksOn(int16_t button) const;

  // --- Late-bound access (case-insensitive names; 438 for a missing member) ---
  Variant GetProperty(std::string_view name) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  Variant CallMethod(std::string_view name, std::span<Variant> args) override;
  virtual const MemberTable& Members() const;
  static const MemberTable& ControlMembers();

  // --- Scale conversions used by the form and the renderer ------------------
  // The container's scale (a form's twips while not sited).
  ScaleMapping ContainerScale() const;

  // Sited by containers; not for control code.
  void AttachTo(Container* container, UserControl* owner);
  void Detach();

 protected:
  // Raise an event: first to the generic sinks (which may change the
  // arguments), then to the typed handlers, which see the arguments as the
  // sinks left them; the raiser reads the final values back.
  void RaisePlain(PlainEvent& event, int32_t dispid, std::string_view name);
  void RaiseMouse(MouseEvent& event, int32_t dispid, std::string_view name, int16_t& button,
                  int16_t& shift, float& x, float& y);
  void RaiseKey(KeyEvent& event, int32_t dispid, std::string_view name, int16_t& keyCode,
                int16_t& shift);
  void RaiseKeyPress(int16_t& keyAscii);

  void CountPropertyWrite() { ++m_PropertyWrites; }

  // Called after the extent changed (in container units).
  virtual void OnExtentChanged() {}
  // Called after Visible or Enabled changed.
  virtual void OnStateChanged() {}

 private:
  std::string m_ClassName;
  std::string m_Name;
  float m_Left = 0;
  float m_Top = 0;
  float m_Width = 0;
  float m_Height = 0;
  bool m_Visible = true;
  bool m_Enabled = true;
  int16_t m_TabIndex = 0;
  bool m_TabStop = true;
  int16_t m_MousePointer = 0;
  PicturePtr m_MouseIcon;
  int32_t m_Handle = 0;
  int32_t m_RefreshCount = 0;
  int32_t m_PropertyWrites = 0;
  Container* m_Container = nullptr;
  UserControl* m_Owner = nullptr;
  EventSource m_Events;
};

// Something controls are placed in: the form, a user control, a picture box.
// It maps its scale to pixels of its client area and keeps its children in
// z-order (bottom first).
class Container {
 public:
  virtual ~Container();

  virtual ScaleMapping ClientScale() const = 0;
  // The client area's top-left corner in form client pixels, and its size.
  virtual PixelRect ClientFormRect() const = 0;
  virtual Form* ContainerForm() const = 0;
  virtual int32_t ContainerWindow() const = 0;
  // The control this container is, or null for the form.
  virtual Control* ContainerControl() { return nullptr; }

  const std::vector<ControlPtr>& Children() const { return m_Children; }
  // How many children are contained (placed) controls rather than constituents.
  size_t ContainedCount() const { return m_ContainedCount; }

  // Converts between this container's scale and form client pixels.
  double ToFormX(double x) const;
  double ToFormY(double y) const;
  double FromFormX(double px) const;
  double FromFormY(double py) const;

  // Sites child in this container, on top of its z-order group (constituents
  // always lie above contained controls). Not for control code.
  void AddChild(ControlPtr child, UserControl* owner);
  ControlPtr RemoveChild(Control& child);
  void Restack(Control& child, bool toFront);

 protected:
  // Called by RemoveChild after the child left this container.
  virtual void ChildRemoved(Control& child) { (void)child; }

 private:
  // Contained controls first, then constituents.
  std::vector<ControlPtr> m_Children;
  size_t m_ContainedCount = 0;
};

}  // namespace lumora

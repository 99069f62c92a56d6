// The host window: owns the controls placed on it (with their extender
// properties), runs their lifecycle, routes input to them (hit-testing,
// pointer capture, Click/DblClick, focus and Tab), records what the controls
// report to the host (changed properties, pop-up menus), and shows itself,
// modally or not. Forms are made with Form::Create and listed thread-wide
// while loaded.
//
// Pointer order: a click is MouseDown, MouseUp, Click; a double-click (the
// DblClick message that replaces the second press) is MouseDown, MouseUp,
// Click, DblClick, MouseUp. A press focuses a focusable control before its
// MouseDown. The control that got the press keeps the pointer until every
// button is released, so the release reaches it even if it was disabled or
// hidden meanwhile; Click follows only if the release of the button that
// began the press lies inside it and it is still visible and enabled (buttons
// and check boxes click with the left button only, scroll bars never).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/control.hpp"
#include "platform/form/placed_controls.hpp"
#include "platform/message_queue.hpp"
#include "platform/numeric.hpp"

namespace lumora {

class PropertyBag;
class UserControl;

// A pop-up menu a control showed, as a headless host records it.
struct ShownMenu {
  std::string control;  // name of the control that asked
  std::string menu;     // the menu's name
  int16_t flags = 0;
  float x = 0;  // in the asking control's scale
  float y = 0;
};

// What the application hosting a form says about it. A site's host is
// designing the form or running it; forms the runtime makes for itself
// (scripts, form files, tests) are neither and allow what both allow.
enum class HostMode { Any, Design, Run };

class Form final : public Object, public Container {
 public:
  // A new loaded (not yet shown) form with a client area of width x height
  // pixels, listed in the thread's forms under its name.
  static std::shared_ptr<Form> Create(std::string name, int32_t width = 640, int32_t height = 480);
  Form(std::string name, int32_t width, int32_t height);  // use Create
  ~Form() override;

  std::string TypeName() const override { return "Form"; }
  const std::string& Name() const { return m_Name; }
  const std::string& Caption() const { return m_Caption; }
  void Caption(std::string value) { m_Caption = std::move(value); }
  int32_t hWnd() const { return m_Handle; }
  OleColor BackColor() const { return m_BackColor; }
  void BackColor(OleColor value);
  HostMode Mode() const { return m_Mode; }
  void Mode(HostMode mode) { m_Mode = mode; }

  // Client area: pixels, and in the form's scale (twips).
  int32_t ClientWidth() const { return m_ClientWidth; }
  int32_t ClientHeight() const { return m_ClientHeight; }
  float ScaleWidth() const { return static_cast<float>(m_ClientWidth) * kTwipsPerPixel; }
  float ScaleHeight() const { return static_cast<float>(m_ClientHeight) * kTwipsPerPixel; }
  void ResizeClient(int32_t width, int32_t height);
  // Screen position of the client area's top-left pixel (for GetCursorPos).
  int32_t ScreenLeft() const { return m_ScreenLeft; }
  int32_t ScreenTop() const { return m_ScreenTop; }
  void MoveOnScreen(int32_t left, int32_t top);

  // --- Placing controls ------------------------------------------------------
  // Places a new control of class T named name, at left/top with the given
  // size in the container's scale (the form's twips, or the scale of the
  // container control), then runs its lifecycle: for user controls
  // Initialize, then InitProperties (bag null) or ReadProperties(*bag), then
  // Resize, then Show if the form is shown. container must be null (the form)
  // or a container control on this form: a user control with
  // ControlContainer (the new control becomes one of its ContainedControls)
  // or a picture box. A name already used on the form: error 5.
  template <class T>
  std::shared_ptr<T> Add(std::string name, float left, float top, float width, float height,
                         Control* container = nullptr, PropertyBag* bag = nullptr) {
    auto control = std::make_shared<T>();
    Place(control, std::move(name), left, top, width, height, container, bag);
    return control;
  }
  // Places a control of a class named at run time (see control_classes.hpp);
  // an unknown class fails with error 5.
  ControlPtr AddByClass(std::string_view className, std::string name, float left, float top,
                        float width, float height, Control* container = nullptr,
                        PropertyBag* bag = nullptr);
  // Places an object without extent (a menu): no position or size.
  template <class T>
  std::shared_ptr<T> AddObject(std::string name, Control* container = nullptr) {
    auto control = std::make_shared<T>();
    Place(control, std::move(name), 0, 0, 0, 0, container, nullptr);
    return control;
  }
  void Place(const ControlPtr& control, std::string name, float left, float top, float width,
             float height, Control* container, PropertyBag* bag);
  // Removes a placed control and everything inside it; user controls get
  // Terminate (contained controls first).
  void Remove(Control& control);

  // Placed controls (not constituents) in placement order.
  std::vector<ControlPtr> Controls() const;
  // A placed control by name (case-insensitive), or null.
  Control* Find(std::string_view name) const;
  // A control by dotted path: "z1" or "z1.HScroll" (a constituent of z1, and
  // so on down); null when any part is missing.
  Control* FindPath(std::string_view path) const;

  // --- Saving ----------------------------------------------------------------
  // Runs a user control's WriteProperties into bag and clears its changed
  // properties.
  void SaveControl(UserControl& control, PropertyBag& bag);
  // Whether any control reported a changed property since it was last saved.
  bool Dirty() const;
  // "control.Property" for every PropertyChanged since the last save.
  std::vector<std::string> ChangedProperties() const;

  // --- Showing -----------------------------------------------------------------
  // Shows the form (user controls get Show; the first control in Tab order
  // gets the focus). Style 0 returns at once; style 1 (modal) runs the
  // message loop until the form is unloaded or hidden, and fails with error 5
  // (leaving the form hidden) when headless with nothing pending, scheduled
  // or pumped, or when the form is already shown. Other styles: error 5.
  void Show(int16_t style = 0);
  void Hide();
  bool IsShown() const { return m_Shown; }
  bool IsModal() const { return m_ModalDepth > 0; }
  // Terminates every control, hides the form and drops it from the thread's
  // forms; a modal loop showing it ends.
  void Unload();
  bool IsLoaded() const { return m_Loaded; }

  // --- Input -------------------------------------------------------------------
  // Handles one message now (the message queue calls this).
  void Dispatch(const Message& message);
  // Convenience for hosts and tests: builds the message and dispatches it now.
  void MouseDown(int32_t x, int32_t y, int16_t button = kLeftButton, int16_t shift = 0);
  // button -1: the buttons the form knows are held.
  void MouseMove(int32_t x, int32_t y, int16_t button = -1, int16_t shift = 0);
  void MouseUp(int32_t x, int32_t y, int16_t button = kLeftButton, int16_t shift = 0);
  void DoubleClick(int32_t x, int32_t y, int16_t button = kLeftButton, int16_t shift = 0);
  void Click(int32_t x, int32_t y, int16_t button = kLeftButton, int16_t shift = 0);
  void KeyDown(int16_t keyCode, int16_t shift = 0);
  void KeyUp(int16_t keyCode, int16_t shift = 0);
  void KeyPress(int16_t keyAscii);
  // Presses and releases a key; printable keys also give KeyPress.
  void TypeKey(int16_t keyCode, int16_t shift = 0);

  // The topmost visible control at a client pixel that takes input there,
  // descending into user controls and containers; null for the form itself
  // or when a disabled windowed control absorbs the point (disabled
  // windowless controls let the point through).
  Control* HitTest(int32_t x, int32_t y) const;
  // The control under the point whether or not it takes input.
  Control* ControlAt(int32_t x, int32_t y) const;
  Control* Capture() const;
  int32_t PointerX() const { return m_PointerX; }
  int32_t PointerY() const { return m_PointerY; }

  // --- Focus -------------------------------------------------------------------
  Control* ActiveControl() const;
  // Moves the focus (the control must be able to take it: error 5).
  void MoveFocusTo(Control& control);
  // Controls in Tab order: siblings by TabIndex (then placement), each
  // followed by its constituents and contained controls in the same order;
  // only those that can take the focus and have TabStop.
  std::vector<Control*> TabOrder() const;
  // Tab / Shift+Tab.
  void FocusNext(bool backwards = false);

  // --- What controls reported --------------------------------------------------
  const std::vector<ShownMenu>& ShownMenus() const { return m_ShownMenus; }
  void RecordMenu(ShownMenu menu) { m_ShownMenus.push_back(std::move(menu)); }

  // --- Container interface -------------------------------------------------------
  ScaleMapping ClientScale() const override;
  PixelRect ClientFormRect() const override;
  Form* ContainerForm() const override { return const_cast<Form*>(this); }
  int32_t ContainerWindow() const override { return m_Handle; }

  // A control on this form was hidden, disabled or is going away: it loses
  // the focus (and the capture, when going away). Not for control code.
  void ControlStateChanged(Control& control);

  Variant GetProperty(std::string_view name) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  Variant CallMethod(std::string_view name, std::span<Variant> args) override;

 private:
  void DeliverMouseDown(const Message& m, bool doubleClick);
  void DeliverMouseMove(const Message& m);
  void DeliverMouseUp(const Message& m);
  void ShowControls();
  void RemoveTree(Control& control);
  void DropFocusWithin(Control& control, bool raise);
  std::shared_ptr<Form> Self();

  std::string m_Name;
  std::string m_Caption;
  int32_t m_Handle;
  OleColor m_BackColor = kSysButtonFace;
  HostMode m_Mode = HostMode::Any;
  int32_t m_ClientWidth;
  int32_t m_ClientHeight;
  int32_t m_ScreenLeft = 0;
  int32_t m_ScreenTop = 0;
  bool m_Loaded = true;
  bool m_Shown = false;
  int32_t m_ModalDepth = 0;
  PlacedControls m_Placed;
  std::weak_ptr<Control> m_Focus;
  std::weak_ptr<Control> m_Capture;
  int16_t m_ButtonsDown = 0;
  int16_t m_PressButton = 0;     // the button that began the current press
  bool m_SuppressClick = false;  // the press was the second of a double-click
  std::weak_ptr<Control> m_LastClick;
  int32_t m_PointerX = 0;
  int32_t m_PointerY = 0;
  std::vector<ShownMenu> m_ShownMenus;
};

// Unloads a form.
void Unload(Form& form);
// The thread's loaded forms, in creation order, and one by name.
std::vector<std::shared_ptr<Form>> Forms();
std::shared_ptr<Form> FindForm(std::string_view name);

}  // namespace lumora

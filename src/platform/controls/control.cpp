#include "platform/controls/control.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/controls/member_table.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/numeric.hpp"

namespace lumora {

namespace {

thread_local int32_t g_NextWindowHandle = 0x10010;

int32_t Round(double value) {
  return static_cast<int32_t>(RoundHalfEven(value));
}

void CheckCoordinate(float value) {
  if (!(std::fabs(value) <= kCoordinateLimit)) Fail(kErrInvalidPropertyValue);  // NaN too
}

}  // namespace

bool IsValidPointer(int16_t pointer) {
  return (pointer >= 0 && pointer <= 15) || pointer == kPointerCustom;
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  const int32_t left = std::max(a.left, b.left);
  const int32_t top = std::max(a.top, b.top);
  const int32_t right = std::min(a.Right(), b.Right());
  const int32_t bottom = std::min(a.Bottom(), b.Bottom());
  if (right <= left || bottom <= top) return {left, top, 0, 0};
  return {left, top, right - left, bottom - top};
}

int32_t NewWindowHandle() {
  const int32_t handle = g_NextWindowHandle;
  g_NextWindowHandle += 4;
  return handle;
}

Control::Control(std::string className) : m_ClassName(std::move(className)) {
  m_Handle = NewWindowHandle();
}

Control::~Control() = default;

void Control::Name(std::string name) {
  m_Name = std::move(name);
}

void Control::Left(float value) {
  CountPropertyWrite();
  CheckCoordinate(value);
  if (value == m_Left) return;
  m_Left = value;
  OnExtentChanged();
}

void Control::Top(float value) {
  CountPropertyWrite();
  CheckCoordinate(value);
  if (value == m_Top) return;
  m_Top = value;
  OnExtentChanged();
}

void Control::Width(float value) {
  CountPropertyWrite();
  CheckCoordinate(value);
  if (value < 0) Fail(kErrInvalidPropertyValue);
  if (value == m_Width) return;
  m_Width = value;
  OnExtentChanged();
}

void Control::Height(float value) {
  CountPropertyWrite();
  CheckCoordinate(value);
  if (value < 0) Fail(kErrInvalidPropertyValue);
  if (value == m_Height) return;
  m_Height = value;
  OnExtentChanged();
}

void Control::Move(float left, std::optional<float> top, std::optional<float> width,
                   std::optional<float> height) {
  CountPropertyWrite();
  const float newTop = top.value_or(m_Top);
  const float newWidth = width.value_or(m_Width);
  const float newHeight = height.value_or(m_Height);
  CheckCoordinate(left);
  CheckCoordinate(newTop);
  CheckCoordinate(newWidth);
  CheckCoordinate(newHeight);
  if (newWidth < 0 || newHeight < 0) Fail(kErrInvalidPropertyValue);
  if (left == m_Left && newTop == m_Top && newWidth == m_Width && newHeight == m_Height) return;
  m_Left = left;
  m_Top = newTop;
  m_Width = newWidth;
  m_Height = newHeight;
  OnExtentChanged();
}

void Control::Visible(bool value) {
  CountPropertyWrite();
  if (value == m_Visible) return;
  m_Visible = value;
  OnStateChanged();
  if (Form* form = ParentForm()) form->ControlStateChanged(*this);
}

void Control::Enabled(bool value) {
  CountPropertyWrite();
  if (value == m_Enabled) return;
  m_Enabled = value;
  OnStateChanged();
  if (Form* form = ParentForm()) form->ControlStateChanged(*this);
}

void Control::TabIndex(int16_t value) {
  if (value < 0) Fail(kErrInvalidPropertyValue);
  m_TabIndex = value;
}

void Control::TabStop(bool value) {
  m_TabStop = value;
}

void Control::ZOrder(int16_t position) {
  if (position != 0 && position != 1) Fail(kErrInvalidCall);
  if (m_Container) m_Container->Restack(*this, position == 0);
}

int32_t Control::hWnd() const {
  if (!IsWindowed()) Fail(kErrNoSuchMember);
  return m_Handle;
}

void Control::MousePointer(int16_t value) {
  if (!IsValidPointer(value)) Fail(kErrInvalidPropertyValue);
  m_MousePointer = value;
}

void Control::MouseIcon(PicturePtr icon) {
  m_MouseIcon = std::move(icon);
}

bool Control::CanTakeFocus() const {
  const Form* form = ParentForm();
  return IsFocusable() && form && form->IsShown() && IsEffectivelyVisible() &&
         IsEffectivelyEnabled();
}

void Control::SetFocus() {
  Form* form = ParentForm();
  if (!form)
    Fail(kErrInvalidCall, "Invalid procedure call or argument: the control is not on a form");
  form->MoveFocusTo(*this);
}

bool Control::HasFocus() const {
  const Form* form = ParentForm();
  return form && form->ActiveControl() == this;
}

void Control::Refresh() {
  ++m_RefreshCount;
}

Form* Control::ParentForm() const {
  return m_Container ? m_Container->ContainerForm() : nullptr;
}

int32_t Control::ContainerHwnd() const {
  return m_Container ? m_Container->ContainerWindow() : 0;
}

ScaleMapping Control::ContainerScale() const {
  // Unsited controls measure themselves as if placed on a form (twips).
  return m_Container ? m_Container->ClientScale() : ScaleMapping{0, 0, 15, 15};
}

PixelRect Control::FormRect() const {
  const ScaleMapping m = ContainerScale();
  // Unsited controls measure from their own top-left.
  const PixelRect client = m_Container ? m_Container->ClientFormRect() : PixelRect{};
  const double left = m_Container ? (m_Left - m.scaleLeft) / m.unitsPerPixelX : 0;
  const double top = m_Container ? (m_Top - m.scaleTop) / m.unitsPerPixelY : 0;
  double width = m_Width / m.unitsPerPixelX;
  double height = m_Height / m.unitsPerPixelY;
  // A negative scale (units growing leftwards or upwards) mirrors the extent.
  PixelRect r;
  r.left = client.left + Round(width < 0 ? left + width : left);
  r.top = client.top + Round(height < 0 ? top + height : top);
  r.width = Round(std::abs(width));
  r.height = Round(std::abs(height));
  return r;
}

PixelRect Control::VisibleFormRect() const {
  PixelRect r = FormRect();
  for (Container* c = m_Container; c;) {
    r = Intersect(r, c->ClientFormRect());
    Control* control = c->ContainerControl();
    c = control ? control->GetContainer() : nullptr;
  }
  return r;
}

bool Control::IsEffectivelyVisible() const {
  for (const Control* c = this; c;) {
    if (!c->m_Visible) return false;
    Container* container = c->m_Container;
    c = container ? container->ContainerControl() : nullptr;
  }
  return true;
}

bool Control::IsEffectivelyEnabled() const {
  for (const Control* c = this; c;) {
    if (!c->m_Enabled) return false;
    Container* container = c->m_Container;
    c = container ? container->ContainerControl() : nullptr;
  }
  return true;
}

void Control::RaisePlain(PlainEvent& event, int32_t dispid, std::string_view name) {
  const auto keepAlive = weak_from_this().lock();
  m_Events.Raise(*this, dispid, name, {});
  event.Raise();
}

void Control::RaiseMouse(MouseEvent& event, int32_t dispid, std::string_view name, int16_t& button,
                         int16_t& shift, float& x, float& y) {
  const auto keepAlive = weak_from_this().lock();
  if (m_Events.SinkCount() > 0) {
    std::array<Variant, 4> args{button, shift, x, y};
    m_Events.Raise(*this, dispid, name, args);
    button = args[0].ToInt16();
    shift = args[1].ToInt16();
    x = args[2].ToSingle();
    y = args[3].ToSingle();
  }
  event.Raise(button, shift, x, y);
}

void Control::RaiseKey(KeyEvent& event, int32_t dispid, std::string_view name, int16_t& keyCode,
                       int16_t& shift) {
  const auto keepAlive = weak_from_this().lock();
  if (m_Events.SinkCount() > 0) {
    std::array<Variant, 2> args{keyCode, shift};
    m_Events.Raise(*this, dispid, name, args);
    keyCode = args[0].ToInt16();
    shift = args[1].ToInt16();
  }
  event.Raise(keyCode, shift);
}

void Control::RaiseKeyPress(int16_t& keyAscii) {
  const auto keepAlive = weak_from_this().lock();
  if (m_Events.SinkCount() > 0) {
    std::array<Variant, 1> args{keyAscii};
    m_Events.Raise(*this, kDispidKeyPress, "KeyPress", args);
    keyAscii = args[0].ToInt16();
  }
  KeyPress.Raise(keyAscii);
}

void Control::OnMouseDown(PointerInput& in) {
  RaiseMouse(MouseDown, kDispidMouseDown, "MouseDown", in.button, in.shift, in.x, in.y);
}

void Control::OnMouseMove(PointerInput& in) {
  RaiseMouse(MouseMove, kDispidMouseMove, "MouseMove", in.button, in.shift, in.x, in.y);
}

void Control::OnMouseUp(PointerInput& in) {
  RaiseMouse(MouseUp, kDispidMouseUp, "MouseUp", in.button, in.shift, in.x, in.y);
}

void Control::OnMouseWheel(int32_t, int16_t) {}

void Control::OnClick() {
  RaisePlain(Click, kDispidClick, "Click");
}

void Control::OnDblClick() {
  RaisePlain(DblClick, kDispidDblClick, "DblClick");
}

void Control::OnKeyDown(int16_t& keyCode, int16_t& shift) {
  RaiseKey(KeyDown, kDispidKeyDown, "KeyDown", keyCode, shift);
}

void Control::OnKeyUp(int16_t& keyCode, int16_t& shift) {
  RaiseKey(KeyUp, kDispidKeyUp, "KeyUp", keyCode, shift);
}

void Control::OnKeyPress(int16_t& keyAscii) {
  RaiseKeyPress(keyAscii);
}

void Control::OnGotFocus() {
  RaisePlain(GotFocus, kDispidNone, "GotFocus");
}

void Control::OnLostFocus() {
  RaisePlain(LostFocus, kDispidNone, "LostFocus");
}

bool Control::ClicksOn(int16_t) const {
  return true;
}

Variant Control::GetProperty(std::string_view name) {
  return Members().Get(*this, name);
}

void Control::SetProperty(std::string_view name, const Variant& value) {
  Members().Set(*this, name, value);
}

Variant Control::CallMethod(std::string_view name, std::span<Variant> args) {
  return Members().Call(*this, name, args);
}

const MemberTable& Control::Members() const {
  return ControlMembers();
}

void Control::AttachTo(Container* container, UserControl* owner) {
  m_Container = container;
  m_Owner = owner;
}

void Control::Detach() {
  m_Container = nullptr;
  m_Owner = nullptr;
}

}  // namespace lumora

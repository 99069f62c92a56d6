#include "platform/controls/user_control.hpp"

#include <algorithm>

#include "platform/controls/member_rows.hpp"
#include "platform/controls/menu.hpp"
#include "platform/controls/paint_args.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/numeric.hpp"

namespace lumora {

namespace {

void CheckZeroOrOne(int16_t value) {
  if (value != 0 && value != 1) Fail(kErrInvalidPropertyValue);
}

}  // namespace

UserControl::UserControl(std::string className, ScaleUnit scale, bool controlContainer)
    : Control(std::move(className)),
      m_Scale(scale),
      m_ControlContainer(controlContainer),
      m_ContainedControls(std::make_unique<ContainedControlsCollection>(*this)) {}

UserControl::~UserControl() = default;

void UserControl::UserControl_MouseDown(int16_t&, int16_t&, float&, float&) {}
void UserControl::UserControl_MouseMove(int16_t&, int16_t&, float&, float&) {}
void UserControl::UserControl_MouseUp(int16_t&, int16_t&, float&, float&) {}
void UserControl::UserControl_KeyDown(int16_t&, int16_t&) {}
void UserControl::UserControl_KeyUp(int16_t&, int16_t&) {}
void UserControl::UserControl_KeyPress(int16_t&) {}

float UserControl::ScaleWidth() const {
  const ScaleMapping m = ClientScale();
  return static_cast<float>(ClientFormRect().width * m.unitsPerPixelX);
}

float UserControl::ScaleHeight() const {
  const ScaleMapping m = ClientScale();
  return static_cast<float>(ClientFormRect().height * m.unitsPerPixelY);
}

float UserControl::Width() const {
  return static_cast<float>(Control::Width() / ContainerScale().unitsPerPixelX * kTwipsPerPixel);
}

void UserControl::Width(float twips) {
  if (twips < 0) Fail(kErrInvalidPropertyValue);
  Control::Width(static_cast<float>(twips / kTwipsPerPixel * ContainerScale().unitsPerPixelX));
}

float UserControl::Height() const {
  return static_cast<float>(Control::Height() / ContainerScale().unitsPerPixelY * kTwipsPerPixel);
}

void UserControl::Height(float twips) {
  if (twips < 0) Fail(kErrInvalidPropertyValue);
  Control::Height(static_cast<float>(twips / kTwipsPerPixel * ContainerScale().unitsPerPixelY));
}

void UserControl::Appearance(int16_t value) {
  CheckZeroOrOne(value);
  if (const Form* form = ParentForm(); form && form->Mode() == HostMode::Run)
    Fail(kErrSetNotAtRunTime);
  m_Appearance = value;
}

void UserControl::BackColor(OleColor value) {
  ResolveColor(value);
  if (value != m_BackColor) m_Surface = Raster();
  m_BackColor = value;
}

void UserControl::ForeColor(OleColor value) {
  ResolveColor(value);
  m_ForeColor = value;
}

void UserControl::BackStyle(int16_t value) {
  CheckZeroOrOne(value);
  m_BackStyle = value;
}

void UserControl::BorderStyle(int16_t value) {
  CheckZeroOrOne(value);
  if (value == m_BorderStyle) return;
  m_BorderStyle = value;
  SizeChanged();  // the client area changed
}

int32_t UserControl::BorderPixels() const {
  if (m_BorderStyle == 0) return 0;
  return m_Appearance == 1 ? 2 : 1;
}

ContainedControlsCollection& UserControl::ContainedControls() {
  if (!m_ControlContainer) Fail(kErrNoSuchMember);
  return *m_ContainedControls;
}

std::vector<ControlPtr> UserControl::ContainedList() const {
  std::vector<ControlPtr> list;
  for (const auto& weak : m_Contained)
    if (auto control = weak.lock(); control && control->GetContainer() == this)
      list.push_back(control);
  return list;
}

ControlPtr UserControl::ContainedAt(int32_t index) const {
  if (index < 0 || index >= ContainedCount()) return nullptr;
  return m_Contained[static_cast<size_t>(index)].lock();
}

void UserControl::ChildRemoved(Control& child) {
  std::erase_if(m_Contained, [&](const std::weak_ptr<Control>& weak) {
    const auto control = weak.lock();
    return !control || control.get() == &child;
  });
}

Control* UserControl::FindConstituent(std::string_view name) const {
  for (const ControlPtr& c : m_Constituents)
    if (SameName(c->Name(), name)) return c.get();
  return nullptr;
}

void UserControl::PaintPicture(const Variant& Picture, const Variant& X1, const Variant& Y1,
                               const Variant& Width1, const Variant& Height1, const Variant& X2,
                               const Variant& Y2, const Variant& Width2, const Variant& Height2,
                               const Variant& Opcode) {
  const PaintRequest request = ResolvePaint(ClientScale(), Picture, X1, Y1, Width1, Height1, X2, Y2,
                                            Width2, Height2, Opcode);
  const PixelRect client = ClientFormRect();
  if (m_Surface.Width() != client.width || m_Surface.Height() != client.height)
    m_Surface = NewPersistentImage(client.width, client.height, ToArgb(ResolveColor(m_BackColor)));
  ExecutePaint(m_Surface, request);
}

void UserControl::PopupMenu(const Variant& Menu, const Variant& Flags, const Variant& X,
                            const Variant& Y, const Variant& DefaultMenu) {
  (void)DefaultMenu;
  if (Menu.IsMissing()) Fail(kErrInvalidCall);
  const ObjectPtr object = Menu.ToObject();
  if (!object) Fail(kErrNoObject);
  const auto* menu = dynamic_cast<const lumora::Menu*>(object.get());
  if (!menu) Fail(kErrTypeMismatch, "PopupMenu needs a menu");
  Form* form = ParentForm();
  if (!form) Fail(kErrInvalidCall, "PopupMenu needs a control on a form");
  ShownMenu shown;
  shown.control = Name();
  shown.menu = menu->Name();
  shown.flags = Flags.IsMissing() ? int16_t{0} : Flags.ToInt16();
  shown.x = X.IsMissing() ? static_cast<float>(FromFormX(form->PointerX())) : X.ToSingle();
  shown.y = Y.IsMissing() ? static_cast<float>(FromFormY(form->PointerY())) : Y.ToSingle();
  form->RecordMenu(std::move(shown));
}

void UserControl::Refresh() {
  Control::Refresh();
}

void UserControl::PropertyChanged(std::string_view propertyName) {
  for (const std::string& name : m_Changed)
    if (SameName(name, propertyName)) return;
  m_Changed.emplace_back(propertyName);
}

void UserControl::RaiseEvent(int32_t dispid, std::string_view name, std::span<Variant> args) {
  const auto keepAlive = weak_from_this().lock();
  Events().Raise(*this, dispid, name, args);
}

void UserControl::RaiseEvent(int32_t dispid, std::string_view name) {
  RaiseEvent(dispid, name, std::span<Variant>{});
}

ScaleMapping UserControl::ClientScale() const {
  const double upp = m_Scale == ScaleUnit::Twips ? kTwipsPerPixel : 1.0;
  return {0, 0, upp, upp};
}

PixelRect UserControl::ClientFormRect() const {
  PixelRect r = FormRect();
  const int32_t b = BorderPixels();
  r.left += b;
  r.top += b;
  r.width = std::max(0, r.width - 2 * b);
  r.height = std::max(0, r.height - 2 * b);
  return r;
}

void UserControl::OnMouseDown(PointerInput& in) {
  UserControl_MouseDown(in.button, in.shift, in.x, in.y);
}

void UserControl::OnMouseMove(PointerInput& in) {
  UserControl_MouseMove(in.button, in.shift, in.x, in.y);
}

void UserControl::OnMouseUp(PointerInput& in) {
  UserControl_MouseUp(in.button, in.shift, in.x, in.y);
}

void UserControl::OnClick() {
  UserControl_Click();
}

void UserControl::OnDblClick() {
  UserControl_DblClick();
}

void UserControl::OnKeyDown(int16_t& keyCode, int16_t& shift) {
  UserControl_KeyDown(keyCode, shift);
}

void UserControl::OnKeyUp(int16_t& keyCode, int16_t& shift) {
  UserControl_KeyUp(keyCode, shift);
}

void UserControl::OnKeyPress(int16_t& keyAscii) {
  UserControl_KeyPress(keyAscii);
}

void UserControl::OnGotFocus() {
  UserControl_GotFocus();
}

void UserControl::OnLostFocus() {
  UserControl_LostFocus();
}

bool UserControl::ContainsFocus() const {
  const Form* form = ParentForm();
  const Control* focus = form ? form->ActiveControl() : nullptr;
  for (const Control* c = focus; c;) {
    if (c == this) return true;
    if (c->Owner()) {
      c = c->Owner();
      continue;
    }
    Container* container = c->GetContainer();
    c = container ? container->ContainerControl() : nullptr;
  }
  return false;
}

void UserControl::AddContained(ControlPtr control) {
  if (!m_ControlContainer) Fail(kErrInvalidCall, "This control is not a container");
  m_Contained.push_back(control);
  AddChild(std::move(control), nullptr);
}

void UserControl::AdoptConstituent(ControlPtr control, std::string name, Container* container) {
  control->Name(std::move(name));
  m_Constituents.push_back(control);
  (container ? container : this)->AddChild(std::move(control), this);
}

void UserControl::OnExtentChanged() {
  // Moving is no resize.
  if (Control::Width() == m_KnownWidth && Control::Height() == m_KnownHeight) return;
  m_KnownWidth = Control::Width();
  m_KnownHeight = Control::Height();
  SizeChanged();
}

void UserControl::SizeChanged() {
  const PixelRect client = ClientFormRect();
  if (m_Surface.Width() != client.width || m_Surface.Height() != client.height)
    m_Surface = Raster();
  if (m_Sited) UserControl_Resize();
}

const MemberTable& UserControl::Members() const {
  return UserControlMembers();
}

const MemberTable& UserControl::UserControlMembers() {
  static const MemberTable table(
      &ControlMembers(),
      {
          Property("ScaleWidth", &UserControl::ScaleWidth),
          Property("ScaleHeight", &UserControl::ScaleHeight),
          Property("ScaleMode", &UserControl::ScaleMode),
          Property("Appearance", &UserControl::Appearance, &UserControl::Appearance),
          Property("BackColor", &UserControl::BackColor, &UserControl::BackColor),
          Property("ForeColor", &UserControl::ForeColor, &UserControl::ForeColor),
          Property("BackStyle", &UserControl::BackStyle, &UserControl::BackStyle),
          Property("BorderStyle", &UserControl::BorderStyle, &UserControl::BorderStyle),
          Property("ContainerHwnd", &UserControl::ContainerHwnd),
      });
  return table;
}

}  // namespace lumora

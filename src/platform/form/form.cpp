#include "platform/form/form.hpp"

#include <algorithm>
#include <string>

#include "platform/controls/picture_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"
#include "platform/form/control_classes.hpp"
#include "platform/gdi.hpp"
#include "platform/numeric.hpp"

namespace lumora {

namespace {

// TabIndex is a 16-bit integer: a container's automatic numbering ends here.
constexpr size_t kMaxTabIndex = 32767;

// The thread's loaded forms. Built after the device-context table (touched
// first), so that at thread exit the forms, and the picture boxes' device
// contexts with them, go before the table they release their handles into.
std::vector<std::shared_ptr<Form>>& MakeOpenForms() {
  SurfaceOf(1);
  thread_local std::vector<std::shared_ptr<Form>> forms;
  return forms;
}

std::vector<std::shared_ptr<Form>>& OpenForms() {
  thread_local std::vector<std::shared_ptr<Form>>& forms = MakeOpenForms();
  return forms;
}

}  // namespace

std::shared_ptr<Form> Form::Create(std::string name, int32_t width, int32_t height) {
  auto form = std::make_shared<Form>(std::move(name), width, height);
  OpenForms().push_back(form);
  return form;
}

Form::Form(std::string name, int32_t width, int32_t height)
    : m_Name(std::move(name)),
      m_Caption(m_Name),
      m_Handle(NewWindowHandle()),
      m_ClientWidth(std::max(0, width)),
      m_ClientHeight(std::max(0, height)) {}

Form::~Form() = default;

std::shared_ptr<Form> Form::Self() {
  return std::static_pointer_cast<Form>(weak_from_this().lock());
}

void Form::BackColor(OleColor value) {
  ResolveColor(value);
  m_BackColor = value;
}

void Form::ResizeClient(int32_t width, int32_t height) {
  m_ClientWidth = std::max(0, width);
  m_ClientHeight = std::max(0, height);
}

void Form::MoveOnScreen(int32_t left, int32_t top) {
  m_ScreenLeft = left;
  m_ScreenTop = top;
}

void Form::Place(const ControlPtr& control, std::string name, float left, float top, float width,
                 float height, Control* container, PropertyBag* bag) {
  if (!m_Loaded) Fail(kErrInvalidCall, "The form was unloaded");
  if (!control) Fail(kErrNoObject);
  if (name.empty() || Find(name))
    Fail(kErrInvalidCall, "A control named \"" + name + "\" is already on the form");
  if (container && container->ParentForm() != this)
    Fail(kErrInvalidCall, "The container is not on this form");
  control->Name(std::move(name));
  control->Move(left, top, width, height);

  Container* target = this;
  if (container) {
    auto* userControl = dynamic_cast<UserControl*>(container);
    auto* pictureBox = dynamic_cast<PictureBox*>(container);
    if (userControl && userControl->ControlContainer()) {
      target = userControl;
    } else if (pictureBox) {
      target = pictureBox;
    } else {
      Fail(kErrInvalidCall, container->Name() + " cannot contain controls");
    }
  }
  // The new control comes last in its container's Tab order.
  const size_t tabIndex = target->ContainedCount();
  if (tabIndex > kMaxTabIndex)
    Fail(kErrInvalidPropertyValue,
         "Invalid property value: TabIndex cannot exceed " + std::to_string(kMaxTabIndex) + " (" +
             std::to_string(kMaxTabIndex + 1) + " controls already in the container)");
  control->TabIndex(static_cast<int16_t>(tabIndex));
  if (auto* userControl = dynamic_cast<UserControl*>(target))
    userControl->AddContained(control);
  else
    target->AddChild(control, nullptr);
  m_Placed.Add(control);

  auto* userControl = dynamic_cast<UserControl*>(control.get());
  if (!userControl) return;
  try {
    userControl->UserControl_Initialize();
    userControl->MarkSited(true);
    if (bag)
      userControl->UserControl_ReadProperties(*bag);
    else
      userControl->UserControl_InitProperties();
    userControl->UserControl_Resize();
    if (m_Shown) {
      userControl->MarkShown(true);
      userControl->UserControl_Show();
    }
  } catch (...) {
    // A control that could not start is not left half-placed.
    if (control->ParentForm() == this) Remove(*control);
    throw;
  }
}

ControlPtr Form::AddByClass(std::string_view className, std::string name, float left, float top,
                            float width, float height, Control* container, PropertyBag* bag) {
  ControlPtr control = CreateControl(className);
  if (!control->HasExtent()) left = top = width = height = 0;
  Place(control, std::move(name), left, top, width, height, container, bag);
  return control;
}

void Form::Remove(Control& control) {
  if (!m_Placed.Contains(control)) Fail(kErrInvalidCall, "The control is not placed on this form");
  const auto keepAlive = control.Shared();
  RemoveTree(control);
}

void Form::RemoveTree(Control& control) {
  // Contained controls go first, innermost first.
  if (auto* container = dynamic_cast<Container*>(&control)) {
    std::vector<ControlPtr> contained;
    for (const ControlPtr& child : container->Children())
      if (!child->IsConstituent()) contained.push_back(child);
    for (auto it = contained.rbegin(); it != contained.rend(); ++it) RemoveTree(**it);
  }
  if (auto* userControl = dynamic_cast<UserControl*>(&control);
      userControl && userControl->IsSited()) {
    Step([&] { userControl->UserControl_Terminate(); });
    userControl->MarkSited(false);
    userControl->MarkShown(false);
  }
  DropFocusWithin(control, false);
  if (auto capture = m_Capture.lock(); capture) {
    for (Control* c = capture.get(); c;) {
      if (c == &control) {
        m_Capture.reset();
        m_ButtonsDown = 0;
        break;
      }
      Container* container = c->GetContainer();
      c = container ? container->ContainerControl() : nullptr;
    }
  }
  m_Placed.Remove(control);
  if (Container* container = control.GetContainer()) container->RemoveChild(control);
}

std::vector<ControlPtr> Form::Controls() const {
  return m_Placed.List();
}

Control* Form::Find(std::string_view name) const {
  return m_Placed.Find(name);
}

Control* Form::FindPath(std::string_view path) const {
  size_t dot = path.find('.');
  Control* control = Find(path.substr(0, dot));
  while (control && dot != std::string_view::npos) {
    path = path.substr(dot + 1);
    dot = path.find('.');
    auto* userControl = dynamic_cast<UserControl*>(control);
    control = userControl ? userControl->FindConstituent(path.substr(0, dot)) : nullptr;
  }
  return control;
}

void Form::SaveControl(UserControl& control, PropertyBag& bag) {
  control.UserControl_WriteProperties(bag);
  control.ClearChangedProperties();
}

bool Form::Dirty() const {
  for (const ControlPtr& control : Controls())
    if (auto* uc = dynamic_cast<UserControl*>(control.get());
        uc && !uc->ChangedProperties().empty())
      return true;
  return false;
}

std::vector<std::string> Form::ChangedProperties() const {
  std::vector<std::string> names;
  for (const ControlPtr& control : Controls())
    if (auto* uc = dynamic_cast<UserControl*>(control.get()))
      for (const std::string& p : uc->ChangedProperties()) names.push_back(uc->Name() + "." + p);
  return names;
}

void Form::Show(int16_t style) {
  if (style != 0 && style != 1) Fail(kErrInvalidCall, "Show: style must be 0 or 1");
  if (!m_Loaded) Fail(kErrInvalidCall, "Show: the form was unloaded");
  if (style == 1 && m_Shown) Fail(kErrInvalidCall, "Form already displayed; can't show modally");
  const auto keepAlive = Self();
  m_Shown = true;
  ShowControls();
  if (!ActiveControl()) {
    const auto order = TabOrder();
    if (!order.empty()) Step([&] { MoveFocusTo(*order.front()); });
  }
  if (style == 0) return;
  ++m_ModalDepth;
  struct Leave {
    int32_t& depth;
    ~Leave() { --depth; }
  } leave{m_ModalDepth};
  try {
    RunMessageLoop([this] { return !m_Loaded || !m_Shown; }, "the modal form to be unloaded");
  } catch (...) {
    // A modal show that could not run leaves the form hidden, as before.
    m_Shown = false;
    throw;
  }
}

void Form::ShowControls() {
  for (const ControlPtr& control : Controls()) {
    auto* userControl = dynamic_cast<UserControl*>(control.get());
    if (userControl && userControl->IsSited() && !userControl->IsShown()) {
      userControl->MarkShown(true);
      userControl->UserControl_Show();
    }
  }
}

void Form::Hide() {
  m_Shown = false;
}

void Form::Unload() {
  if (!m_Loaded) return;
  const auto keepAlive = Self();
  const auto controls = Controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it)
    if ((*it)->GetContainer() == this) RemoveTree(**it);
  // Whatever is left (placed inside containers that were removed) goes too.
  for (const ControlPtr& control : Controls()) RemoveTree(*control);
  m_Shown = false;
  m_Loaded = false;
  std::erase_if(OpenForms(), [this](const std::shared_ptr<Form>& f) { return f.get() == this; });
}

void Unload(Form& form) {
  form.Unload();
}

std::vector<std::shared_ptr<Form>> Forms() {
  return OpenForms();
}

std::shared_ptr<Form> FindForm(std::string_view name) {
  for (const auto& form : OpenForms())
    if (SameName(form->Name(), name)) return form;
  return nullptr;
}

ScaleMapping Form::ClientScale() const {
  return {0, 0, kTwipsPerPixel, kTwipsPerPixel};
}

PixelRect Form::ClientFormRect() const {
  return {0, 0, m_ClientWidth, m_ClientHeight};
}

Variant Form::GetProperty(std::string_view name) {
  if (SameName(name, "Name")) return m_Name;
  if (SameName(name, "Caption")) return m_Caption;
  if (SameName(name, "hWnd")) return m_Handle;
  if (SameName(name, "ScaleWidth")) return ScaleWidth();
  if (SameName(name, "ScaleHeight")) return ScaleHeight();
  if (SameName(name, "Visible")) return m_Shown;
  if (SameName(name, "BackColor")) return m_BackColor;
  if (Control* control = Find(name)) return ObjectPtr(control->weak_from_this().lock());
  Fail(kErrNoSuchMember);
}

void Form::SetProperty(std::string_view name, const Variant& value) {
  if (SameName(name, "Caption")) return Caption(value.ToString());
  if (SameName(name, "BackColor")) return BackColor(static_cast<OleColor>(value.ToInt32()));
  Fail(kErrNoSuchMember);
}

Variant Form::CallMethod(std::string_view name, std::span<Variant> args) {
  if (SameName(name, "Show")) {
    Show(args.empty() || args[0].IsMissing() ? int16_t{0} : args[0].ToInt16());
    return {};
  }
  if (SameName(name, "Hide")) {
    Hide();
    return {};
  }
  if (SameName(name, "Unload")) {
    Unload();
    return {};
  }
  Fail(kErrNoSuchMember);
}

}  // namespace lumora

#include "qt/scroll_container_widget.hpp"

#include "forms/control_classes.hpp"
#include "forms/form_file.hpp"
#include "frame/connection_point.hpp"
#include "frame/dispids.hpp"
#include "frame/marshal.hpp"
#include "frame/type_library.hpp"
#include "platform/color.hpp"
#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "qt/form_placing.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora::qt {

namespace {

QString Described(const Failure& failure) {
  return QStringLiteral("%1 (error %2)")
      .arg(QString::fromStdString(failure.Description()))
      .arg(failure.Number());
}

}  // namespace

ScrollContainerWidget::ScrollContainerWidget(QWidget* parent) : FormView(parent) {
  KeepTabInside(true);
  auto form = Form::Create(FreshFormName("ScrollContainerWidget"), 320, 240);
  m_Container = std::make_shared<ZelScrollContainer>();
  m_Events = std::make_unique<ConnectionPoint>(*m_Container, m_Container->Events(),
                                               ScrollContainerEvents());
  m_Events->Advise([this](int32_t dispid, std::string_view, std::span<Variant> args) {
    RaiseSignal(dispid, args);
  });
  form->Place(m_Container, "c1", 0, 0, form->ScaleWidth(), form->ScaleHeight(), nullptr, nullptr);
  resize(320, 240);
  SetForm(std::move(form));
}

ScrollContainerWidget::~ScrollContainerWidget() {
  m_Events.reset();
}

void ScrollContainerWidget::RaiseSignal(int32_t dispid, std::span<Variant> args) {
  if (dispid == ScrollContainerEvent::Click) {
    emit Click();
    return;
  }
  if (dispid == ScrollContainerEvent::DblClick) {
    emit DblClick();
    return;
  }
  if (args.size() < 4) return;
  int16_t button = 0;
  int16_t shift = 0;
  float x = 0;
  float y = 0;
  FromVariant(args[0], button);
  FromVariant(args[1], shift);
  FromVariant(args[2], x);
  FromVariant(args[3], y);
  if (dispid == ScrollContainerEvent::MouseDown)
    emit MouseDown(button, shift, x, y);
  else if (dispid == ScrollContainerEvent::MouseMove)
    emit MouseMove(button, shift, x, y);
  else if (dispid == ScrollContainerEvent::MouseUp)
    emit MouseUp(button, shift, x, y);
  args[0] = ToVariant(button);
  args[1] = ToVariant(shift);
  args[2] = ToVariant(x);
  args[3] = ToVariant(y);
}

void ScrollContainerWidget::FormResized() {
  const std::shared_ptr<Form>& form = GetForm();
  m_Container->Move(0, 0, form->ScaleWidth(), form->ScaleHeight());
}

template <class F>
void ScrollContainerWidget::Act(F&& member) {
  member();
  Redraw();
}

lumora::Control* ScrollContainerWidget::AddControl(const QString& className, const QString& name,
                                                   float left, float top, float width,
                                                   float height) {
  const ControlPtr control = NewControl(className.toStdString());
  if (!control) {
    m_Error = QStringLiteral("unknown class \"%1\"; known: %2")
                  .arg(className, QString::fromStdString(ControlClassList()));
    return nullptr;
  }
  try {
    GetForm()->Place(control, name.toStdString(), left, top, width, height, m_Container.get(),
                     nullptr);
  } catch (const Failure& failure) {
    m_Error = Described(failure);
    return nullptr;
  }
  Redraw();
  return control.get();
}

bool ScrollContainerWidget::LoadControls(const QString& path) {
  const std::string file = path.toStdString();
  try {
    const std::vector<uint8_t> bytes = ReadFileBytes(file);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    PlaceDescribed(*GetForm(), ParseFormFile(text, file), *m_Container, file);
  } catch (const Failure& failure) {
    m_Error = path + ": " + Described(failure);
    return false;
  } catch (const FormFileError& error) {
    m_Error = QString::fromStdString(error.what());
    return false;
  }
  Act([&] { m_Container->Refresh(); });
  return true;
}

lumora::Control* ScrollContainerWidget::FindControl(const QString& name) const {
  return GetForm()->Find(name.toStdString());
}

void ScrollContainerWidget::setControlsPath(const QString& path) {
  if (LoadControls(path)) m_ControlsPath = path;
}

int ScrollContainerWidget::UpperMargin() const {
  return m_Container->UpperMargin();
}
void ScrollContainerWidget::setUpperMargin(int value) {
  Act([&] { m_Container->UpperMargin(value); });
}
int ScrollContainerWidget::LowerMargin() const {
  return m_Container->LowerMargin();
}
void ScrollContainerWidget::setLowerMargin(int value) {
  Act([&] { m_Container->LowerMargin(value); });
}
QColor ScrollContainerWidget::BackColor() const {
  ColorRef c = 0;
  Step([&] { c = ResolveColor(m_Container->BackColor()); });
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
void ScrollContainerWidget::setBackColor(const QColor& value) {
  const QColor rgb = value.toRgb();
  Act([&] {
    m_Container->BackColor(Rgb(static_cast<uint8_t>(rgb.red()), static_cast<uint8_t>(rgb.green()),
                               static_cast<uint8_t>(rgb.blue())));
  });
}
short ScrollContainerWidget::Appearance() const {
  return m_Container->Appearance();
}
void ScrollContainerWidget::setAppearance(short value) {
  Act([&] { m_Container->Appearance(value); });
}
short ScrollContainerWidget::BorderStyle() const {
  return m_Container->BorderStyle();
}
void ScrollContainerWidget::setBorderStyle(short value) {
  Act([&] { m_Container->BorderStyle(value); });
}
short ScrollContainerWidget::BackStyle() const {
  return m_Container->BackStyle();
}
void ScrollContainerWidget::setBackStyle(short value) {
  Act([&] { m_Container->BackStyle(value); });
}
bool ScrollContainerWidget::Enabled() const {
  return m_Container->Enabled();
}
void ScrollContainerWidget::setEnabled(bool value) {
  QWidget::setEnabled(value);  // Qt's own state agrees
  Act([&] { m_Container->Enabled(value); });
}
int ScrollContainerWidget::hWnd() const {
  return m_Container->hWnd();
}
int ScrollContainerWidget::ContainerHwnd() const {
  return m_Container->ContainerHwnd();
}

void ScrollContainerWidget::ScrollToControl(const QString& name) {
  Control* control = FindControl(name);
  ObjectPtr object = control ? control->Shared() : nullptr;
  Act([&] { m_Container->ScrollToControl(object); });
}
void ScrollContainerWidget::Refresh() {
  Act([&] { m_Container->Refresh(); });
}
void ScrollContainerWidget::AboutBox() {
  Act([&] { m_Container->AboutBox(); });
}

}  // namespace lumora::qt

#include "qt/pic_zoom_widget.hpp"

#include "frame/connection_point.hpp"
#include "frame/dispids.hpp"
#include "frame/marshal.hpp"
#include "frame/type_library.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/color.hpp"
#include "platform/errors.hpp"
#include "platform/picture/picture.hpp"
#include "qt/pictures.hpp"

namespace lumora::qt {

// The Qt enumerations carry the type library's values (the pointer shapes
// take the runtime's by definition).
static_assert(int{PicZoomWidget::gdBottomRight} == int{lumora::gdBottomRight} &&
              int{PicZoomWidget::sbNone} == int{lumora::sbNone} &&
              int{PicZoomWidget::sdRight} == int{lumora::sdRight});

namespace {

// Argument i of an event as T (its default when the event has fewer).
template <class T>
T Arg(std::span<Variant> args, size_t i) {
  T value{};
  if (i < args.size()) FromVariant(args[i], value);
  return value;
}

}  // namespace

PicZoomWidget::PicZoomWidget(QWidget* parent) : FormView(parent) {
  auto form = Form::Create(FreshFormName("PicZoomWidget"), 320, 240);
  m_Zoom = std::make_shared<ZelPicZoom>();
  // Connected before the lifecycle runs, so that the events of loading reach
  // the signals too.
  m_Events = std::make_unique<ConnectionPoint>(*m_Zoom, m_Zoom->Events(), PicZoomEvents());
  m_Events->Advise([this](int32_t dispid, std::string_view, std::span<Variant> args) {
    RaiseSignal(dispid, args);
  });
  form->Place(m_Zoom, "z1", 0, 0, form->ScaleWidth(), form->ScaleHeight(), nullptr, nullptr);
  resize(320, 240);
  SetForm(std::move(form));
}

PicZoomWidget::~PicZoomWidget() {
  m_Events.reset();
}

void PicZoomWidget::RaiseSignal(int32_t dispid, std::span<Variant> args) {
  switch (dispid) {
    case PicZoomEvent::ButtonClick: emit ButtonClick(); break;
    case PicZoomEvent::Click: emit Click(); break;
    case PicZoomEvent::DblClick: emit DblClick(); break;
    case PicZoomEvent::PictureScrolled: emit PictureScrolled(); break;
    case PicZoomEvent::PictureSizeChanged: emit PictureSizeChanged(); break;
    case PicZoomEvent::KeyPress: {
      auto keyAscii = Arg<int16_t>(args, 0);
      emit KeyPress(keyAscii);
      args[0] = ToVariant(keyAscii);
      break;
    }
    case PicZoomEvent::KeyDown:
    case PicZoomEvent::KeyUp: {
      auto keyCode = Arg<int16_t>(args, 0);
      auto shift = Arg<int16_t>(args, 1);
      if (dispid == PicZoomEvent::KeyDown)
        emit KeyDown(keyCode, shift);
      else
        emit KeyUp(keyCode, shift);
      args[0] = ToVariant(keyCode);
      args[1] = ToVariant(shift);
      break;
    }
    case PicZoomEvent::MouseDown:
    case PicZoomEvent::MouseMove:
    case PicZoomEvent::MouseUp: {
      auto button = Arg<int16_t>(args, 0);
      auto shift = Arg<int16_t>(args, 1);
      auto x = Arg<float>(args, 2);
      auto y = Arg<float>(args, 3);
      if (dispid == PicZoomEvent::MouseDown)
        emit MouseDown(button, shift, x, y);
      else if (dispid == PicZoomEvent::MouseMove)
        emit MouseMove(button, shift, x, y);
      else
        emit MouseUp(button, shift, x, y);
      args[0] = ToVariant(button);
      args[1] = ToVariant(shift);
      args[2] = ToVariant(x);
      args[3] = ToVariant(y);
      break;
    }
    default: break;
  }
}

void PicZoomWidget::FormResized() {
  const std::shared_ptr<Form>& form = GetForm();
  m_Zoom->Move(0, 0, form->ScaleWidth(), form->ScaleHeight());
}

template <class F>
void PicZoomWidget::Act(F&& member) {
  member();
  // Zooming hides the picture surface for a moment, which takes the focus
  // from it; the arrows should go on scrolling.
  if (lumora::Control* surface = m_Zoom->FindConstituent("picScroll");
      surface && GetForm()->ActiveControl() == nullptr && surface->CanTakeFocus())
    Step([&] { surface->SetFocus(); });
  Redraw();
}

// --- Properties ---------------------------------------------------------------

short PicZoomWidget::Appearance() const {
  return m_Zoom->Appearance();
}
void PicZoomWidget::setAppearance(short value) {
  Act([&] { m_Zoom->Appearance(value); });
}

QColor PicZoomWidget::BackColor() const {
  ColorRef c = 0;
  Step([&] { c = ResolveColor(m_Zoom->BackColor()); });
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
void PicZoomWidget::setBackColor(const QColor& value) {
  const QColor rgb = value.toRgb();
  Act([&] {
    m_Zoom->BackColor(Rgb(static_cast<uint8_t>(rgb.red()), static_cast<uint8_t>(rgb.green()),
                          static_cast<uint8_t>(rgb.blue())));
  });
}

short PicZoomWidget::BarsWidth() const {
  return m_Zoom->BarsWidth();
}
void PicZoomWidget::setBarsWidth(short value) {
  Act([&] { m_Zoom->BarsWidth(value); });
}

short PicZoomWidget::BorderStyle() const {
  return m_Zoom->BorderStyle();
}
void PicZoomWidget::setBorderStyle(short value) {
  Act([&] { m_Zoom->BorderStyle(value); });
}

bool PicZoomWidget::Enabled() const {
  return m_Zoom->Enabled();
}
void PicZoomWidget::setEnabled(bool value) {
  QWidget::setEnabled(value);  // Qt's own state agrees
  Act([&] { m_Zoom->Enabled(value); });
}

QImage PicZoomWidget::MouseIcon() const {
  return ToImage(m_Zoom->MouseIcon());
}
void PicZoomWidget::setMouseIcon(const QImage& value) {
  Act([&] { m_Zoom->MouseIcon(ToPicture(value)); });
}

PicZoomWidget::MousePointerConstants PicZoomWidget::MousePointer() const {
  return static_cast<MousePointerConstants>(m_Zoom->MousePointer());
}
void PicZoomWidget::setMousePointer(MousePointerConstants value) {
  Act([&] { m_Zoom->MousePointer(static_cast<PointerShape>(value)); });
}

bool PicZoomWidget::MouseScrolling() const {
  return m_Zoom->MouseScrolling();
}
void PicZoomWidget::setMouseScrolling(bool value) {
  Act([&] { m_Zoom->MouseScrolling(value); });
}

QImage PicZoomWidget::MouseScrollingIcon() const {
  return ToImage(m_Zoom->MouseScrollingIcon());
}
void PicZoomWidget::setMouseScrollingIcon(const QImage& value) {
  Act([&] { m_Zoom->MouseScrollingIcon(ToPicture(value)); });
}

QImage PicZoomWidget::Picture() const {
  return ToImage(m_Zoom->Picture());
}
void PicZoomWidget::setPicture(const QImage& value) {
  Act([&] { m_Zoom->Picture(ToPicture(value)); });
}

bool PicZoomWidget::LoadPicture(const QString& path) {
  PicturePtr picture = LoadPictureFile(path, &m_Error);
  if (!picture) return false;
  m_PicturePath = path;
  Act([&] { m_Zoom->Picture(std::move(picture)); });
  return true;
}

void PicZoomWidget::setPicturePath(const QString& path) {
  LoadPicture(path);
}

void PicZoomWidget::SetIcon(QString& path, const QString& value,
                            void (PicZoomWidget::*set)(const QImage&)) {
  const PicturePtr picture = LoadPictureFile(value, &m_Error);
  if (!picture) return;
  path = value;
  (this->*set)(ToImage(picture));
}

void PicZoomWidget::setMouseIconPath(const QString& path) {
  SetIcon(m_MouseIconPath, path, &PicZoomWidget::setMouseIcon);
}

void PicZoomWidget::setMouseScrollingIconPath(const QString& path) {
  SetIcon(m_MouseScrollingIconPath, path, &PicZoomWidget::setMouseScrollingIcon);
}

QVariantMap PicZoomWidget::PicturePosition() const {
  const PicturePositions p = m_Zoom->PicturePosition();
  return {{"ppTop", p.ppTop != 0},
          {"ppBottom", p.ppBottom != 0},
          {"ppLeft", p.ppLeft != 0},
          {"ppRight", p.ppRight != 0}};
}

QSizeF PicZoomWidget::PictureSize() const {
  const PictureSizes s = m_Zoom->PictureSize();
  return {s.psWidth, s.psHeight};
}

PicZoomWidget::ScrollBarsConstants PicZoomWidget::ScrollBars() const {
  return static_cast<ScrollBarsConstants>(m_Zoom->ScrollBars());
}
void PicZoomWidget::setScrollBars(ScrollBarsConstants value) {
  Act([&] { m_Zoom->ScrollBars(static_cast<lumora::ScrollBars>(value)); });
}

int PicZoomWidget::ZoomPercent() const {
  return m_Zoom->ZoomPercent().ToInt32();
}

QImage PicZoomWidget::Image() const {
  return ToImage(m_Zoom->Image());
}

int PicZoomWidget::hWnd() const {
  return m_Zoom->hWnd();
}

// --- Methods ------------------------------------------------------------------

void PicZoomWidget::ZoomIn() {
  Act([&] { m_Zoom->ZoomIn(); });
}
void PicZoomWidget::ZoomOut() {
  Act([&] { m_Zoom->ZoomOut(); });
}
void PicZoomWidget::ZoomReal() {
  Act([&] { m_Zoom->ZoomReal(); });
}
void PicZoomWidget::FeedBest() {
  Act([&] { m_Zoom->FeedBest(); });
}
void PicZoomWidget::Stretch() {
  Act([&] { m_Zoom->Stretch(); });
}
void PicZoomWidget::Clear() {
  Act([&] { m_Zoom->Clear(); });
}
void PicZoomWidget::Go(GoDirection Direction) {
  auto direction = static_cast<lumora::GoDirection>(Direction);
  Act([&] { m_Zoom->Go(direction); });
}
void PicZoomWidget::Scroll(ScrollDirection Direction, short PixelsStep) {
  auto direction = static_cast<lumora::ScrollDirection>(Direction);
  int16_t step = PixelsStep;
  Act([&] { m_Zoom->Scroll(direction, step); });
}
void PicZoomWidget::ScrollLoop(ScrollDirection Direction, short PixelsStep) {
  auto direction = static_cast<lumora::ScrollDirection>(Direction);
  int16_t step = PixelsStep;
  Act([&] { m_Zoom->ScrollLoop(direction, step); });
}
void PicZoomWidget::SaveTo(const QString& PicturePath) {
  std::string path = PicturePath.toStdString();
  Act([&] { m_Zoom->SaveTo(path); });
}
void PicZoomWidget::AboutBox() {
  Act([&] { m_Zoom->AboutBox(); });
}

}  // namespace lumora::qt

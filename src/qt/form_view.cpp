#include "qt/form_view.hpp"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <new>

#include "about/about_box.hpp"
#include "platform/errors.hpp"
#include "platform/render/render_form.hpp"
#include "qt/event_pump.hpp"
#include "qt/key_map.hpp"
#include "qt/pointer_cursor.hpp"

namespace lumora::qt {

std::string FreshFormName(const std::string& stem) {
  for (int n = 1;; ++n) {
    std::string name = stem + std::to_string(n);
    if (!FindForm(name)) return name;
  }
}

FormView::FormView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  UseRendererTextMetrics();
  InstallAboutBox();  // AboutBox on the controls shows the dialog in a window
  EventPump::Attach(*this);
}

FormView::~FormView() {
  EventPump::Detach(*this);
  if (m_Owned && m_Form && m_Form->IsLoaded()) Step([&] { m_Form->Unload(); });
}

void FormView::SetForm(std::shared_ptr<Form> form, bool followSize, bool owned) {
  if (m_Owned && m_Form && m_Form->IsLoaded()) Step([&] { m_Form->Unload(); });
  m_Form = std::move(form);
  m_Owned = owned;
  if (!m_Form) return;
  if (followSize) {
    FollowWidgetSize();
  } else {
    const qreal ratio = devicePixelRatioF();
    resize(static_cast<int>(std::lround(m_Form->ClientWidth() / ratio)),
           static_cast<int>(std::lround(m_Form->ClientHeight() / ratio)));
  }
  if (!m_Form->IsShown()) Step([&] { m_Form->Show(0); });
  Redraw();
}

Raster FormView::Frame() const {
  return m_Form ? RenderForm(*m_Form) : Raster();
}

QSize FormView::DeviceSize() const {
  const qreal ratio = devicePixelRatioF();
  return {static_cast<int>(std::lround(width() * ratio)),
          static_cast<int>(std::lround(height() * ratio))};
}

void FormView::FollowWidgetSize() {
  if (!m_Form) return;
  const QSize size = DeviceSize();
  if (size.width() == m_Form->ClientWidth() && size.height() == m_Form->ClientHeight()) return;
  Deliver(Message::Resize(m_Form, size.width(), size.height()));
  Step([&] { FormResized(); });
  Redraw();
}

void FormView::Redraw() {
  update();
  ShowPointer();
}

void FormView::Deliver(Message message) {
  if (!m_Form || !m_Form->IsLoaded()) return;
  if (EventPump::Pumping()) {
    Post(std::move(message));
    return;
  }
  // Nothing of the runtime's is running: the message is handled now, as
  // the form's own input helpers do.
  try {
    m_Form->Dispatch(message);
  } catch (const Failure& failure) {
    Err().Record(failure);
  } catch (const std::bad_alloc&) {
    Err().Record(Failure(kErrOutOfMemory, DefaultDescription(kErrOutOfMemory)));
  }
  Redraw();
}

void FormView::paintEvent(QPaintEvent*) {
  FollowWidgetSize();  // the device pixel ratio may have changed
  QPainter painter(this);
  if (!m_Form) {
    painter.fillRect(rect(), palette().window());
    return;
  }
  RenderFormInto(*m_Form, m_Frame);
  // Frames are opaque 0xAARRGGBB words.
  QImage image(reinterpret_cast<const uchar*>(m_Frame.Data()), m_Frame.Width(), m_Frame.Height(),
               m_Frame.Stride(), QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatioF());
  painter.drawImage(QPointF(0, 0), image);
}

void FormView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FollowWidgetSize();
}

void FormView::Pointer(MessageKind kind, const QPointF& position, int16_t button, int16_t shift) {
  if (!m_Form) return;
  const qreal ratio = devicePixelRatioF();
  m_PointerAt = QPoint(static_cast<int>(std::floor(position.x() * ratio)),
                       static_cast<int>(std::floor(position.y() * ratio)));
  // Where the client area lies on the screen, for GetCursorPos.
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  m_Form->MoveOnScreen(static_cast<int32_t>(std::lround(origin.x() * ratio)),
                       static_cast<int32_t>(std::lround(origin.y() * ratio)));
  Deliver(Message::Mouse(kind, m_Form, m_PointerAt.x(), m_PointerAt.y(), button, shift));
}

void FormView::mousePressEvent(QMouseEvent* event) {
  const int16_t button = RuntimeButton(event->button());
  if (button != 0)
    Pointer(MessageKind::MouseDown, event->position(), button, RuntimeShift(event->modifiers()));
}

void FormView::mouseDoubleClickEvent(QMouseEvent* event) {
  const int16_t button = RuntimeButton(event->button());
  if (button != 0)
    Pointer(MessageKind::DblClick, event->position(), button, RuntimeShift(event->modifiers()));
}

void FormView::mouseMoveEvent(QMouseEvent* event) {
  Pointer(MessageKind::MouseMove, event->position(), RuntimeButtons(event->buttons()),
          RuntimeShift(event->modifiers()));
}

void FormView::mouseReleaseEvent(QMouseEvent* event) {
  const int16_t button = RuntimeButton(event->button());
  if (button != 0)
    Pointer(MessageKind::MouseUp, event->position(), button, RuntimeShift(event->modifiers()));
}

void FormView::wheelEvent(QWheelEvent* event) {
  const int32_t delta = WheelDelta(event->angleDelta().y(), event->inverted());
  if (!m_Form || delta == 0) return;
  const qreal ratio = devicePixelRatioF();
  Deliver(Message::Wheel(m_Form, static_cast<int32_t>(std::floor(event->position().x() * ratio)),
                         static_cast<int32_t>(std::floor(event->position().y() * ratio)), delta,
                         RuntimeShift(event->modifiers())));
}

void FormView::keyPressEvent(QKeyEvent* event) {
  if (!m_Form) return;
  // Auto-repeat gives further key-downs (the runtime raises them and starts
  // nothing new), but no key-ups between them.
  if (const int16_t code = RuntimeKeyCode(event->key(), event->modifiers()))
    Deliver(Message::Key(MessageKind::KeyDown, m_Form, code, RuntimeShift(event->modifiers())));
  for (const int16_t c : KeyAsciiOf(event->text()))
    Deliver(Message::Key(MessageKind::KeyPress, m_Form, c));
}

void FormView::keyReleaseEvent(QKeyEvent* event) {
  if (!m_Form || event->isAutoRepeat()) return;
  if (const int16_t code = RuntimeKeyCode(event->key(), event->modifiers()))
    Deliver(Message::Key(MessageKind::KeyUp, m_Form, code, RuntimeShift(event->modifiers())));
}

void FormView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (m_Form) Deliver(Message::Focus(true, m_Form));
}

void FormView::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (m_Form) Deliver(Message::Focus(false, m_Form));
}

bool FormView::focusNextPrevChild(bool next) {
  return m_TabInside ? false : QWidget::focusNextPrevChild(next);
}

void FormView::ShowPointer() {
  if (!m_Form || !m_Form->IsLoaded()) return;
  ShownPointer shown;
  Step([&] { shown = EffectivePointerAt(*m_Form, m_PointerAt.x(), m_PointerAt.y()); });
  if (m_PointerSet && shown.pointer == m_Pointer.pointer && shown.icon == m_Pointer.icon) return;
  setCursor(CursorFor(shown));
  m_Pointer = shown;
  m_PointerSet = true;
}

}  // namespace lumora::qt

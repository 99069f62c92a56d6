// The part the widgets share: a QWidget showing one runtime form. It draws
// the runtime renderer's frame of the form (at the screen's device pixel
// ratio: the form's client area has as many pixels as the widget has device
// pixels), turns Qt's pointer, wheel, key and focus input into the runtime's
// messages, keeps the form's client area the widget's size and shows the
// pointer the runtime asks for. It decides nothing itself: what input does
// is the runtime's affair.
#pragma once

#include <QWidget>

#include <memory>

#include "platform/form/form.hpp"
#include "platform/raster.hpp"
#include "platform/services.hpp"

namespace lumora::qt {

class FormView : public QWidget {
  Q_OBJECT

 public:
  explicit FormView(QWidget* parent = nullptr);
  // Unloads the form.
  ~FormView() override;

  // The form shown (null until a subclass gives one).
  const std::shared_ptr<Form>& GetForm() const { return m_Form; }
  // The frame as the renderer draws the form now (device pixels).
  Raster Frame() const;
  // The runtime's state may have changed: redraw, and show the pointer anew.
  void Redraw();

 protected:
  // Shows a loaded form from now on, sized to the widget when followSize is
  // set, else the widget to the form. An owned form is unloaded with the
  // view (or when another replaces it); one shown for someone else is not.
  void SetForm(std::shared_ptr<Form> form, bool followSize = true, bool owned = true);
  // Keeps Tab and Shift+Tab for the runtime form instead of moving Qt's focus.
  void KeepTabInside(bool keep) { m_TabInside = keep; }
  // The form's client area took the widget's size: a subclass lays out what
  // fills it.
  virtual void FormResized() {}
  // Hands one message to the runtime: at once, or into the queue when a yield
  // is running (it empties the queue). Failures are recorded on Err.
  void Deliver(Message message);

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  // The client size the widget's device pixels make.
  QSize DeviceSize() const;
  void FollowWidgetSize();
  void Pointer(MessageKind kind, const QPointF& position, int16_t button, int16_t shift);
  void ShowPointer();

  std::shared_ptr<Form> m_Form;
  Raster m_Frame;
  bool m_Owned = true;
  bool m_TabInside = false;
  QPoint m_PointerAt;  // the pointer's last client position (device pixels)
  ShownPointer m_Pointer;
  bool m_PointerSet = false;
};

// A form name no loaded form has yet, from a stem ("PicZoomWidget1" ...).
std::string FreshFormName(const std::string& stem);

}  // namespace lumora::qt

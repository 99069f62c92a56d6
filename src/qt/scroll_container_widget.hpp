// ScrollContainerWidget: a QWidget holding one ZelScrollContainer that fills
// it. The container scrolls controls of the runtime (labels, command
// buttons, text boxes, picture boxes, images, nested ZelPicZoom ...), not
// QWidgets: they are placed through AddControl or read from a form file,
// and the runtime draws them and handles their input. Its properties are
// Qt properties, its methods slots and its events signals, arguments by
// reference as mutable references.
#pragma once

#include <QColor>
#include <QString>

#include <memory>
#include <span>

#include "platform/variant.hpp"
#include "qt/form_view.hpp"

namespace lumora {
class ConnectionPoint;
class ZelScrollContainer;
}  // namespace lumora

namespace lumora::qt {

class ScrollContainerWidget : public FormView {
  Q_OBJECT
  Q_PROPERTY(int UpperMargin READ UpperMargin WRITE setUpperMargin)
  Q_PROPERTY(int LowerMargin READ LowerMargin WRITE setLowerMargin)
  Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
  Q_PROPERTY(short Appearance READ Appearance WRITE setAppearance)
  Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)
  Q_PROPERTY(short BackStyle READ BackStyle WRITE setBackStyle)
  Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
  Q_PROPERTY(QString ControlsPath READ ControlsPath WRITE setControlsPath)
  Q_PROPERTY(int hWnd READ hWnd STORED false DESIGNABLE false)
  Q_PROPERTY(int ContainerHwnd READ ContainerHwnd STORED false DESIGNABLE false)

 public:
  explicit ScrollContainerWidget(QWidget* parent = nullptr);
  ~ScrollContainerWidget() override;

  ZelScrollContainer& Container() const { return *m_Container; }

  // Places a runtime control of a class (as form files name them: "Label",
  // "CommandButton", "TextBox", "PictureBox", "ZelPicZoom" ...) inside the
  // container, position and size in twips. Null, with the reason in
  // ErrorString(), for an unknown class or a name already used.
  lumora::Control* AddControl(const QString& className, const QString& name, float left, float top,
                              float width, float height);
  // Places every control of a form file inside the container (all or
  // nothing): false, with the reason in ErrorString(), for a bad file.
  bool LoadControls(const QString& path);
  // A placed control by name, or null.
  lumora::Control* FindControl(const QString& name) const;
  QString ErrorString() const { return m_Error; }

  int UpperMargin() const;
  void setUpperMargin(int value);
  int LowerMargin() const;
  void setLowerMargin(int value);
  QColor BackColor() const;
  void setBackColor(const QColor& value);
  short Appearance() const;
  void setAppearance(short value);
  short BorderStyle() const;
  void setBorderStyle(short value);
  short BackStyle() const;
  void setBackStyle(short value);
  bool Enabled() const;
  // Also QWidget's enabled state, which this hides.
  void setEnabled(bool value);
  QString ControlsPath() const { return m_ControlsPath; }
  void setControlsPath(const QString& path);
  int hWnd() const;
  int ContainerHwnd() const;

 public slots:
  // Brings the named contained control fully into view.
  void ScrollToControl(const QString& name);
  void Refresh();
  void AboutBox();

 signals:
  void Click();
  void DblClick();
  void MouseDown(short& Button, short& Shift, float& X, float& Y);
  void MouseMove(short& Button, short& Shift, float& X, float& Y);
  void MouseUp(short& Button, short& Shift, float& X, float& Y);

 protected:
  void FormResized() override;

 private:
  template <class F>
  void Act(F&& member);
  void RaiseSignal(int32_t dispid, std::span<Variant> args);

  std::shared_ptr<ZelScrollContainer> m_Container;
  std::unique_ptr<ConnectionPoint> m_Events;
  QString m_ControlsPath;
  QString m_Error;
};

}  // namespace lumora::qt

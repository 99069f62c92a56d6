// PicZoomWidget: a QWidget holding one ZelPicZoom that fills it. Every
// property of _ZelPicZoom is a Qt property (enumerations as Q_ENUMs,
// pictures as QImages, with a path property beside each for forms made in
// Qt Designer), its methods are slots and its events are signals with
// their arguments; arguments the control passes by reference arrive as
// mutable references, and what a directly connected slot leaves in them is
// what the control acts on (a KeyDown slot that sets KeyCode to 0 stops the
// arrow-key scrolling).
#pragma once

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <span>

#include "platform/controls/input_codes.hpp"
#include "platform/variant.hpp"
#include "qt/form_view.hpp"

namespace lumora {
class ConnectionPoint;
class ZelPicZoom;
}  // namespace lumora

namespace lumora::qt {

class PicZoomWidget : public FormView {
  Q_OBJECT
  Q_PROPERTY(short Appearance READ Appearance WRITE setAppearance)
  Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
  Q_PROPERTY(short BarsWidth READ BarsWidth WRITE setBarsWidth)
  Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)
  Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
  Q_PROPERTY(QImage MouseIcon READ MouseIcon WRITE setMouseIcon DESIGNABLE false)
  Q_PROPERTY(QString MouseIconPath READ MouseIconPath WRITE setMouseIconPath)
  Q_PROPERTY(MousePointerConstants MousePointer READ MousePointer WRITE setMousePointer)
  Q_PROPERTY(bool MouseScrolling READ MouseScrolling WRITE setMouseScrolling)
  Q_PROPERTY(QImage MouseScrollingIcon READ MouseScrollingIcon WRITE setMouseScrollingIcon
                 DESIGNABLE false)
  Q_PROPERTY(
      QString MouseScrollingIconPath READ MouseScrollingIconPath WRITE setMouseScrollingIconPath)
  Q_PROPERTY(
      QImage Picture READ Picture WRITE setPicture DESIGNABLE false NOTIFY PictureSizeChanged)
  Q_PROPERTY(QString PicturePath READ PicturePath WRITE setPicturePath)
  Q_PROPERTY(QVariantMap PicturePosition READ PicturePosition STORED false NOTIFY PictureScrolled)
  Q_PROPERTY(QSizeF PictureSize READ PictureSize STORED false NOTIFY PictureSizeChanged)
  Q_PROPERTY(ScrollBarsConstants ScrollBars READ ScrollBars WRITE setScrollBars)
  Q_PROPERTY(int ZoomPercent READ ZoomPercent STORED false NOTIFY PictureSizeChanged)
  Q_PROPERTY(QImage Image READ Image STORED false DESIGNABLE false)
  Q_PROPERTY(int hWnd READ hWnd STORED false DESIGNABLE false)

 public:
  // The type library's enumerations, with the same values.
  enum GoDirection {
    gdTop = 0,
    gdBottom = 1,
    gdLeft = 2,
    gdRight = 3,
    gdCenter = 4,
    gdTopLeft = 5,
    gdTopRight = 6,
    gdBottomLeft = 7,
    gdBottomRight = 8,
  };
  Q_ENUM(GoDirection)
  enum ScrollBarsConstants { sbAutomatic = 0, sbNone = 1 };
  Q_ENUM(ScrollBarsConstants)
  enum ScrollDirection { sdcUp = 0, sdDown = 1, sdLeft = 2, sdRight = 3 };
  Q_ENUM(ScrollDirection)
  // The runtime's pointer shapes (MousePointer), with its values.
  enum MousePointerConstants {
    mpDefault = kPointerDefault,
    mpArrow = kPointerArrow,
    mpCross = kPointerCross,
    mpIBeam = kPointerIBeam,
    mpIcon = kPointerIcon,
    mpSize = kPointerSize,
    mpSizeNESW = kPointerSizeNESW,
    mpSizeNS = kPointerSizeNS,
    mpSizeNWSE = kPointerSizeNWSE,
    mpSizeWE = kPointerSizeWE,
    mpUpArrow = kPointerUpArrow,
    mpHourglass = kPointerHourglass,
    mpNoDrop = kPointerNoDrop,
    mpArrowHourglass = kPointerArrowHourglass,
    mpArrowQuestion = kPointerArrowQuestion,
    mpSizeAll = kPointerSizeAll,
    mpCustom = kPointerCustom,
  };
  Q_ENUM(MousePointerConstants)

  explicit PicZoomWidget(QWidget* parent = nullptr);
  ~PicZoomWidget() override;

  // The control itself, for what Qt's interface does not cover.
  ZelPicZoom& Control() const { return *m_Zoom; }

  short Appearance() const;
  void setAppearance(short value);
  QColor BackColor() const;
  void setBackColor(const QColor& value);
  short BarsWidth() const;
  void setBarsWidth(short value);
  short BorderStyle() const;
  void setBorderStyle(short value);
  bool Enabled() const;
  // Also QWidget's enabled state, which this hides.
  void setEnabled(bool value);
  QImage MouseIcon() const;
  void setMouseIcon(const QImage& value);
  QString MouseIconPath() const { return m_MouseIconPath; }
  void setMouseIconPath(const QString& path);
  MousePointerConstants MousePointer() const;
  void setMousePointer(MousePointerConstants value);
  bool MouseScrolling() const;
  void setMouseScrolling(bool value);
  QImage MouseScrollingIcon() const;
  void setMouseScrollingIcon(const QImage& value);
  QString MouseScrollingIconPath() const { return m_MouseScrollingIconPath; }
  void setMouseScrollingIconPath(const QString& path);
  QImage Picture() const;
  void setPicture(const QImage& value);
  QString PicturePath() const { return m_PicturePath; }
  // Loads the file as the Picture; a file that cannot be read leaves the
  // picture as it was (LoadPicture tells why).
  void setPicturePath(const QString& path);
  // {"ppTop", "ppBottom", "ppLeft", "ppRight"}: which edges are in view.
  QVariantMap PicturePosition() const;
  QSizeF PictureSize() const;  // psWidth x psHeight, pixels as shown
  ScrollBarsConstants ScrollBars() const;
  void setScrollBars(ScrollBarsConstants value);
  int ZoomPercent() const;
  QImage Image() const;
  int hWnd() const;

  // Loads a picture file as the Picture: false, with the reason in
  // ErrorString(), when it cannot be read; the picture then stays.
  bool LoadPicture(const QString& path);
  QString ErrorString() const { return m_Error; }

 public slots:
  void ZoomIn();
  void ZoomOut();
  void ZoomReal();
  void FeedBest();
  void Stretch();
  void Clear();
  void Go(lumora::qt::PicZoomWidget::GoDirection Direction);
  void Scroll(lumora::qt::PicZoomWidget::ScrollDirection Direction, short PixelsStep);
  void ScrollLoop(lumora::qt::PicZoomWidget::ScrollDirection Direction, short PixelsStep);
  void SaveTo(const QString& PicturePath);
  void AboutBox();

 signals:
  void ButtonClick();
  void Click();
  void DblClick();
  void KeyDown(short& KeyCode, short& Shift);
  void KeyPress(short& KeyAscii);
  void KeyUp(short& KeyCode, short& Shift);
  void MouseDown(short& Button, short& Shift, float& X, float& Y);
  void MouseMove(short& Button, short& Shift, float& X, float& Y);
  void MouseUp(short& Button, short& Shift, float& X, float& Y);
  void PictureScrolled();
  void PictureSizeChanged();

 protected:
  void FormResized() override;

 private:
  // Runs a member, then gives the picture the runtime's focus back when the
  // control dropped it and redraws.
  template <class F>
  void Act(F&& member);
  void RaiseSignal(int32_t dispid, std::span<Variant> args);
  void SetIcon(QString& path, const QString& value, void (PicZoomWidget::*set)(const QImage&));

  std::shared_ptr<ZelPicZoom> m_Zoom;
  std::unique_ptr<ConnectionPoint> m_Events;
  QString m_PicturePath;
  QString m_MouseIconPath;
  QString m_MouseScrollingIconPath;
  QString m_Error;
};

}  // namespace lumora::qt

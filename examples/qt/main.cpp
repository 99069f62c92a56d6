// A picture viewer over PicZoomWidget: open a picture, zoom in and out, show
// it at 100 %, fit it or stretch it, and read its size and which of its
// edges are in view in the status bar. Drag it with the left button, or
// scroll it with the arrow keys.
//
// Usage: lumora_qt_viewer [PICTURE]
// On closing it prints its last status line.
#include <QApplication>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include <iostream>

#include "qt/pic_zoom_widget.hpp"

using lumora::qt::PicZoomWidget;

namespace {

class Viewer : public QMainWindow {
 public:
  Viewer() {
    setCentralWidget(m_Zoom);
    QToolBar* tools = addToolBar(tr("View"));
    Add(tools, tr("&Open..."), QKeySequence::keyBindings(QKeySequence::Open), [this] { Open(); });
    tools->addSeparator();
    Add(tools, tr("Zoom &in"), {Qt::Key_Plus, Qt::Key_Equal}, [this] { m_Zoom->ZoomIn(); });
    Add(tools, tr("Zoom &out"), {Qt::Key_Minus}, [this] { m_Zoom->ZoomOut(); });
    Add(tools, tr("&100 %"), {Qt::Key_0}, [this] { m_Zoom->ZoomReal(); });
    Add(tools, tr("&Fit"), {Qt::Key_F}, [this] { m_Zoom->FeedBest(); });
    Add(tools, tr("&Stretch"), {Qt::Key_S}, [this] { m_Zoom->Stretch(); });
    statusBar()->addWidget(m_Status, 1);
    connect(m_Zoom, &PicZoomWidget::PictureSizeChanged, this, &Viewer::ShowStatus);
    connect(m_Zoom, &PicZoomWidget::PictureScrolled, this, &Viewer::ShowStatus);
    resize(800, 600);
    ShowStatus();
  }

  bool Load(const QString& path) {
    if (!m_Zoom->LoadPicture(path)) {
      QMessageBox::warning(this, tr("Cannot open the picture"), m_Zoom->ErrorString());
      return false;
    }
    setWindowTitle(path);
    m_Zoom->setFocus();
    return true;
  }

  QString Status() const { return m_Status->text(); }

 private:
  template <class F>
  void Add(QToolBar* tools, const QString& text, const QList<QKeySequence>& keys, F action) {
    tools->addAction(text, this, action)->setShortcuts(keys);
  }

  void Open() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open a picture"), {}, tr("Pictures (*.bmp *.png *.jpg *.jpeg *.gif)"));
    if (!path.isEmpty()) Load(path);
  }

  // "W x H pixels at Z %; edges in view: top left", as PictureSize,
  // ZoomPercent and PicturePosition say.
  void ShowStatus() {
    const QSizeF size = m_Zoom->PictureSize();
    const QVariantMap edges = m_Zoom->PicturePosition();
    QStringList shown;
    for (const char* edge : {"ppTop", "ppBottom", "ppLeft", "ppRight"})
      if (edges.value(edge).toBool()) shown << QString::fromLatin1(edge + 2).toLower();
    m_Status->setText(tr("%1 x %2 pixels at %3 %; edges in view: %4")
                          .arg(size.width())
                          .arg(size.height())
                          .arg(m_Zoom->ZoomPercent())
                          .arg(shown.isEmpty() ? tr("none") : shown.join(QLatin1Char(' '))));
  }

  PicZoomWidget* m_Zoom = new PicZoomWidget(this);
  QLabel* m_Status = new QLabel(this);
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Viewer viewer;
  viewer.show();
  if (argc > 1 && !viewer.Load(QString::fromLocal8Bit(argv[1]))) return 1;
  const int code = QApplication::exec();
  std::cout << viewer.Status().toStdString() << std::endl;
  return code;
}

// Shows both_widgets.ui, a form made in Qt Designer with both widgets on it,
// through the code uic generates for it; with a picture file as argument
// the viewer on the form shows it.
//
// Usage: lumora_qt_form [PICTURE]
#include <QApplication>
#include <QWidget>

#include "ui_both_widgets.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  Ui::BothWidgets ui;
  ui.setupUi(&window);
  if (argc > 1) ui.zoom->setPicturePath(QString::fromLocal8Bit(argv[1]));
  ui.container->AddControl("Label", "caption", 120, 120, 1800, 300);
  window.show();
  return QApplication::exec();
}

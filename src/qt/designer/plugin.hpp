// The Qt Designer plugin: PicZoomWidget and ScrollContainerWidget in the
// widget box under "Orvane Lumora", with the type library's toolbox bitmaps
// as their icons. Designer edits their Qt properties and saves them in the
// .ui file; uic's code includes the installed headers.
#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

namespace lumora::qt {

// One widget class as Designer sees it.
class DesignerWidget final : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  // className as uic writes it, the header uic includes, the type library's
  // class whose toolbox bitmap is the icon, and how to make one.
  DesignerWidget(QString className, QString header, const char* libraryClass,
                 std::function<QWidget*(QWidget*)> create, QObject* parent);

  QString name() const override { return m_ClassName; }
  QString group() const override { return QStringLiteral("Orvane Lumora"); }
  QIcon icon() const override { return m_Icon; }
  QString toolTip() const override;
  QString whatsThis() const override { return toolTip(); }
  QString includeFile() const override { return m_Header; }
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* parent) override { return m_Create(parent); }
  QString domXml() const override;

 private:
  QString m_ClassName;
  QString m_Header;
  QString m_LibraryClass;
  QIcon m_Icon;
  std::function<QWidget*(QWidget*)> m_Create;
};

class DesignerPlugin final : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

 public:
  explicit DesignerPlugin(QObject* parent = nullptr);
  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return m_Widgets; }

 private:
  QList<QDesignerCustomWidgetInterface*> m_Widgets;
};

}  // namespace lumora::qt

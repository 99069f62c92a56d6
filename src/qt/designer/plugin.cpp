#include "qt/designer/plugin.hpp"

#include <QIcon>
#include <QPixmap>

#include "frame/toolbox_bitmaps.hpp"
#include "frame/type_library.hpp"
#include "qt/pic_zoom_widget.hpp"
#include "qt/pictures.hpp"
#include "qt/scroll_container_widget.hpp"

namespace lumora::qt {

namespace {

QIcon ToolboxIcon(const char* libraryClass) {
  const ClassInfo* info = TypeLibrary().FindClass(libraryClass);
  if (!info) return {};
  return QIcon(QPixmap::fromImage(ToImage(ToolboxRaster(info->toolboxBitmap))));
}

// The object name Designer gives new widgets: the class without namespace,
// first letter lower-case.
QString ObjectStem(const QString& className) {
  QString stem = className.section(QStringLiteral("::"), -1);
  stem[0] = stem[0].toLower();
  return stem;
}

}  // namespace

DesignerWidget::DesignerWidget(QString className, QString header, const char* libraryClass,
                               std::function<QWidget*(QWidget*)> create, QObject* parent)
    : QObject(parent),
      m_ClassName(std::move(className)),
      m_Header(std::move(header)),
      m_LibraryClass(QString::fromLatin1(libraryClass)),
      m_Icon(ToolboxIcon(libraryClass)),
      m_Create(std::move(create)) {}

QString DesignerWidget::toolTip() const {
  return QStringLiteral("%1 (Orvane Lumora)").arg(m_LibraryClass);
}

QString DesignerWidget::domXml() const {
  return QStringLiteral(
             "<ui language=\"c++\">\n"
             " <widget class=\"%1\" name=\"%2\">\n"
             "  <property name=\"geometry\"><rect><x>0</x><y>0</y>"
             "<width>320</width><height>240</height></rect></property>\n"
             " </widget>\n"
             "</ui>\n")
      .arg(m_ClassName, ObjectStem(m_ClassName));
}

DesignerPlugin::DesignerPlugin(QObject* parent) : QObject(parent) {
  m_Widgets.append(new DesignerWidget(
      QStringLiteral("lumora::qt::PicZoomWidget"), QStringLiteral("qt/pic_zoom_widget.hpp"),
      "ZelPicZoom", [](QWidget* p) { return new PicZoomWidget(p); }, this));
  m_Widgets.append(new DesignerWidget(
      QStringLiteral("lumora::qt::ScrollContainerWidget"),
      QStringLiteral("qt/scroll_container_widget.hpp"), "ZelScrollContainer",
      [](QWidget* p) { return new ScrollContainerWidget(p); }, this));
}

}  // namespace lumora::qt

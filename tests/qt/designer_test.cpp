// Qt Designer's side: the plugin loads and makes both widgets with the type
// library's toolbox bitmaps as icons, and a .ui form using both (through
// uic) shows what the runtime renders for the properties it sets.
#include <QFile>
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include "frame/toolbox_bitmaps.hpp"
#include "platform/render/render_form.hpp"
#include "qt_fixture.hpp"
#include "ui_both_widgets.h"

namespace lumora::testing {
namespace {

class QtDesigner : public QtTest {};

TEST_F(QtDesigner, ThePluginMakesBothWidgetsWithTheirIcons) {
  QPluginLoader loader(QStringLiteral(LUMORA_DESIGNER_PLUGIN));
  auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
  ASSERT_NE(collection, nullptr) << loader.errorString().toStdString();
  const struct {
    const char* className;
    int32_t bitmap;
  } expected[] = {{"lumora::qt::PicZoomWidget", kPicZoomBitmap},
                  {"lumora::qt::ScrollContainerWidget", kScrollContainerBitmap}};
  const auto widgets = collection->customWidgets();
  ASSERT_EQ(static_cast<size_t>(widgets.size()), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    QDesignerCustomWidgetInterface* w = widgets[static_cast<int>(i)];
    SCOPED_TRACE(expected[i].className);
    EXPECT_EQ(w->name(), expected[i].className);
    EXPECT_EQ(w->group(), "Orvane Lumora");
    EXPECT_TRUE(QFile::exists(QStringLiteral(LUMORA_SOURCE_DIR "/src/") + w->includeFile()));
    EXPECT_TRUE(w->domXml().contains(expected[i].className));
    const QPixmap icon = w->icon().pixmap(kToolboxBitmapWidth, kToolboxBitmapHeight);
    EXPECT_EQ(qt::ToPicture(icon.toImage())->Pixels(), ToolboxRaster(expected[i].bitmap));
    const std::unique_ptr<QWidget> made(w->createWidget(nullptr));
    EXPECT_EQ(QString(made->metaObject()->className()), w->name());
  }
}

TEST_F(QtDesigner, AUiFormShowsBothWidgetsAsTheRuntimeRendersThem) {
  QWidget host;
  Ui::BothWidgets ui;
  ui.setupUi(&host);
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));

  auto zoom = Twin(200, 150);
  zoom->BackColor(Rgb(32, 96, 160));
  zoom->BorderStyle(1);
  EXPECT_EQ(Grabbed(*ui.zoom), RenderForm(*zoom->ParentForm()));

  auto form = Form::Create(qt::FreshFormName("Twin"), 160, 150);
  form->Show();
  auto container =
      form->Add<ZelScrollContainer>("c1", 0, 0, form->ScaleWidth(), form->ScaleHeight());
  container->BackColor(Rgb(200, 180, 40));
  EXPECT_EQ(Grabbed(*ui.container), RenderForm(*form));
}

}  // namespace
}  // namespace lumora::testing

// The widgets show exactly the renderer's frame of a headless form brought
// into the same state, and publish every member of the type library.
#include <QApplication>
#include <QMetaMethod>

#include "about/about_contents.hpp"
#include "forms/form_file.hpp"
#include "platform/controls/label.hpp"
#include "platform/render/render_form.hpp"
#include "qt/form_widget.hpp"
#include "qt_fixture.hpp"

namespace lumora::testing {
namespace {

using qt::PicZoomWidget;
using qt::ScrollContainerWidget;

struct FrameCase {
  const char* name;
  std::function<void(ZelPicZoom&)> act;
};

const FrameCase kFrameCases[] = {
    {"natural size", [](ZelPicZoom&) {}},
    {"one rung in", [](ZelPicZoom& z) { z.ZoomIn(); }},
    {"two rungs out",
     [](ZelPicZoom& z) {
       z.ZoomOut();
       z.ZoomOut();
     }},
    {"scrolled to a corner",
     [](ZelPicZoom& z) {
       z.ZoomIn();
       GoDirection corner = gdBottomRight;
       z.Go(corner);
     }},
    {"fit", [](ZelPicZoom& z) { z.FeedBest(); }},
    {"stretched", [](ZelPicZoom& z) { z.Stretch(); }},
    {"wide bars", [](ZelPicZoom& z) { z.BarsWidth(30); }},
};

class QtWidgets : public QtTest {};

TEST_F(QtWidgets, PicZoomShowsTheRenderersFrame) {
  const PicturePtr picture = PatternPicture(300, 250);
  auto widget = Shown<PicZoomWidget>(200, 150);
  for (const FrameCase& c : kFrameCases) {
    SCOPED_TRACE(c.name);
    // The zoom ladder is the thread's: the twin goes first, the widget then
    // starts again from the same rung (a new picture resets it).
    auto twin = Twin(200, 150);
    twin->Picture(picture);
    c.act(*twin);
    const Raster expected = RenderForm(*twin->ParentForm());
    twin->ParentForm()->Unload();
    widget->Control().Picture(picture);
    c.act(widget->Control());
    EXPECT_EQ(Grabbed(*widget), expected);
  }
}

TEST_F(QtWidgets, ResizingTheWidgetResizesTheControl) {
  auto widget = Shown<PicZoomWidget>(200, 150);
  widget->resize(260, 170);
  EXPECT_EQ(widget->Control().Width(), 260 * 15);
  EXPECT_EQ(widget->Control().Height(), 170 * 15);
  EXPECT_EQ(Grabbed(*widget), widget->Frame());
}

TEST_F(QtWidgets, ContainerScrolledShowsTheRenderersFrame) {
  auto widget = Shown<ScrollContainerWidget>(200, 150);
  auto twin = Form::Create("Twin", 200, 150);
  auto c = twin->Add<ZelScrollContainer>("c1", 0, 0, twin->ScaleWidth(), twin->ScaleHeight());
  twin->Show();
  for (int i = 0; i < 6; ++i) {
    const std::string name = "l" + std::to_string(i);
    auto label = twin->Add<Label>(name, 120, 120 + i * 900.0f, 2000, 600, c.get());
    label->Caption("Label " + std::to_string(i));
    auto* mine = dynamic_cast<Label*>(widget->AddControl("Label", QString::fromStdString(name), 120,
                                                         120 + i * 900.0f, 2000, 600));
    ASSERT_NE(mine, nullptr);
    mine->Caption(label->Caption());
  }
  ObjectPtr last = twin->Find("l5")->Shared();
  c->ScrollToControl(last);
  widget->ScrollToControl("l5");
  EXPECT_LT(widget->FindControl("l0")->Top(), 0);
  EXPECT_EQ(Grabbed(*widget), RenderForm(*twin));
  EXPECT_EQ(widget->AddControl("Gizmo", "g", 0, 0, 10, 10), nullptr);
  EXPECT_TRUE(widget->ErrorString().contains("Gizmo"));
}

// Qt's names for the type library's types, by-reference ones with '&'.
QByteArray QtType(const ParamInfo& p) {
  QByteArray name = p.type.code == TypeCode::Int16 ? "short" : "float";
  return p.byRef ? name + "&" : name;
}

TEST_F(QtWidgets, EveryMemberOfTheTypeLibraryIsPublished) {
  const QMetaObject& meta = PicZoomWidget::staticMetaObject;
  auto method = [&](std::string_view name, QMetaMethod::MethodType type) {
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
      if (meta.method(i).name() == QByteArray(name.data(), name.size()) &&
          meta.method(i).methodType() == type)
        return meta.method(i);
    return QMetaMethod();
  };
  for (const MemberInfo& m : PicZoomInterface().members) {
    SCOPED_TRACE(std::string(m.name));
    if (m.kind == MemberKind::Method)
      EXPECT_TRUE(method(m.name, QMetaMethod::Slot).isValid());
    else
      EXPECT_GE(meta.indexOfProperty(std::string(m.name).c_str()), 0);
  }
  for (const MemberInfo& e : PicZoomEvents().members) {
    SCOPED_TRACE(std::string(e.name));
    const QMetaMethod signal = method(e.name, QMetaMethod::Signal);
    ASSERT_TRUE(signal.isValid());
    QList<QByteArray> expected;
    for (const ParamInfo& p : e.params) expected.append(QtType(p));
    EXPECT_EQ(signal.parameterTypes(), expected);
  }
}

TEST_F(QtWidgets, AFormShownModallyGetsAWindowWhoseClosingEndsTheWait) {
  auto widget = Shown<PicZoomWidget>(200, 150);
  QString title;
  QTimer::singleShot(100, widget.get(), [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<qt::FormWindow*>(w) && w->isVisible()) {
        title = w->windowTitle();
        w->close();
      }
  });
  widget->AboutBox();  // the About box's modal loop ends with its window
  EXPECT_EQ(title.toStdString(), kAboutCaption);
}

// The pointer shapes the control asks for, as Qt shows them over it.
TEST_F(QtWidgets, ThePointerIsTheOneTheControlAsksFor) {
  auto widget = Shown<PicZoomWidget>(200, 150);
  const std::pair<PicZoomWidget::MousePointerConstants, Qt::CursorShape> shapes[] = {
      {PicZoomWidget::mpCross, Qt::CrossCursor},
      {PicZoomWidget::mpHourglass, Qt::WaitCursor},
      {PicZoomWidget::mpSizeWE, Qt::SizeHorCursor},
      {PicZoomWidget::mpDefault, Qt::ArrowCursor}};
  for (const auto& [pointer, shape] : shapes) {
    widget->setMousePointer(pointer);
    EXPECT_EQ(widget->cursor().shape(), shape) << pointer;
  }
  widget->setMouseIcon(qt::ToImage(PatternPicture(24, 20)));
  widget->setMousePointer(PicZoomWidget::mpCustom);
  EXPECT_EQ(widget->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(widget->cursor().pixmap().size(), QSize(24, 20));
  EXPECT_EQ(widget->cursor().hotSpot(), QPoint(12, 10));
}

TEST_F(QtWidgets, PictureFilesLoadOrSayWhyNot) {
  auto widget = Shown<PicZoomWidget>(200, 150);
  const QString good = QStringLiteral(LUMORA_SOURCE_DIR "/src/about/resources/logo.gif");
  ASSERT_TRUE(widget->LoadPicture(good)) << widget->ErrorString().toStdString();
  const QSizeF shown = widget->PictureSize();
  EXPECT_FALSE(widget->LoadPicture(QStringLiteral("no/such/picture.png")));
  EXPECT_TRUE(widget->ErrorString().contains("no/such/picture.png"));
  EXPECT_EQ(widget->PictureSize(), shown);  // the picture stayed
  EXPECT_EQ(widget->PicturePath(), good);
}

// A form file shown whole, or its controls placed in the container; a bad
// file is refused with the place it names, leaving the widget as it was.
TEST_F(QtWidgets, FormFilesShowInTheWidgetsOrAreRefused) {
  const std::string forms = LUMORA_SOURCE_DIR "/tests/host/forms/";
  const QString good = QString::fromStdString(forms + "buttons.json");
  const QString bad = QString::fromStdString(forms + "unknown_class.json");

  qt::FormWidget whole;
  ASSERT_TRUE(whole.LoadForm(good)) << whole.ErrorString().toStdString();
  EXPECT_EQ(whole.size(), QSize(300, 150));  // 4500 x 2250 twips
  auto expected = LoadFormFile(good.toStdString(), "Expected");
  expected->Show();
  EXPECT_EQ(Grabbed(whole), RenderForm(*expected));
  EXPECT_FALSE(whole.LoadForm(bad));
  EXPECT_TRUE(whole.ErrorString().contains("unknown class")) << whole.ErrorString().toStdString();
  EXPECT_EQ(whole.FormPath(), good);

  auto widget = Shown<ScrollContainerWidget>(200, 150);
  EXPECT_FALSE(widget->LoadControls(bad));
  EXPECT_TRUE(widget->Container().ContainedList().empty());
  ASSERT_TRUE(widget->LoadControls(good)) << widget->ErrorString().toStdString();
  ASSERT_NE(widget->FindControl("cmdOK"), nullptr);
  EXPECT_EQ(widget->FindControl("cmdOK")->GetContainer()->ContainerControl(), &widget->Container());
}

}  // namespace
}  // namespace lumora::testing

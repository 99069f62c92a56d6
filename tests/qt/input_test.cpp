// Qt's input reaches the controls as the runtime's own input does: the same
// events with the same arguments and the same resulting state; arguments a
// connected slot changes are what the control acts on; and the yielding
// loops let Qt's events run without spinning.
#include <QApplication>
#include <QElapsedTimer>
#include <QWheelEvent>

#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/render/render_form.hpp"
#include "qt/event_pump.hpp"
#include "qt_fixture.hpp"

namespace lumora::testing {
namespace {

using qt::PicZoomWidget;
using qt::ScrollContainerWidget;

void Wheel(QWidget& widget, QPoint at, int angle) {
  QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
}

constexpr int16_t kShiftKey = 16;

struct Gesture {
  const char* name;
  std::function<void(QWidget&)> qt;
  std::function<void(Form&)> runtime;
};

const Gesture kGestures[] = {
    {"left drag",
     [](QWidget& w) {
       QTest::mousePress(&w, Qt::LeftButton, {}, {100, 80});
       QTest::mouseMove(&w, {107, 77});
       QTest::mouseRelease(&w, Qt::LeftButton, {}, {107, 77});
     },
     [](Form& f) {
       f.MouseDown(100, 80);
       f.MouseMove(107, 77, kLeftButton);
       f.MouseUp(107, 77);
     }},
    {"shift right click",
     [](QWidget& w) {
       QTest::mouseClick(&w, Qt::RightButton, Qt::ShiftModifier, {50, 60});
     },
     [](Form& f) { f.Click(50, 60, kRightButton, kShiftMask); }},
    {"double click",
     [](QWidget& w) {
       QTest::mouseClick(&w, Qt::LeftButton, {}, {120, 90});
       QTest::mouseDClick(&w, Qt::LeftButton, {}, {120, 90});
       QTest::mouseRelease(&w, Qt::LeftButton, {}, {120, 90});
     },
     [](Form& f) { f.DoubleClick(120, 90); }},
    {"wheel a notch towards the user",
     [](QWidget& w) {
       Wheel(w, {100, 80}, -120);
     },
     [](Form& f) {
       f.Dispatch(
           Message::Wheel(std::static_pointer_cast<Form>(f.shared_from_this()), 100, 80, -120));
     }},
    // QTest presses and releases Shift around the key, as a keyboard does.
    {"shift A", [](QWidget& w) { QTest::keyClick(&w, 'A', Qt::ShiftModifier); },
     [](Form& f) {
       f.KeyDown(kShiftKey, kShiftMask);
       f.KeyDown('A', kShiftMask);
       f.KeyPress('A');
       f.KeyUp('A', kShiftMask);
       f.KeyUp(kShiftKey);
     }},
    {"page down", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_PageDown); },
     [](Form& f) { f.TypeKey(34); }},
};

class QtInput : public QtTest {};

TEST_F(QtInput, QtInputGivesTheRuntimesEventsAndState) {
  const PicturePtr picture = PatternPicture(300, 250);
  for (const Gesture& g : kGestures) {
    SCOPED_TRACE(g.name);
    auto twin = Twin(200, 150);
    twin->Picture(picture);
    EventLog expected(*twin, twin->Events(), PicZoomEvents());
    g.runtime(*twin->ParentForm());

    auto widget = Shown<PicZoomWidget>(200, 150);
    widget->Control().Picture(picture);
    EventLog got(widget->Control(), widget->Control().Events(), PicZoomEvents());
    g.qt(*widget);
    EXPECT_EQ(got.entries, expected.entries);
    EXPECT_EQ(Bar(widget->Control(), "HScroll").Value(), Bar(*twin, "HScroll").Value());
    EXPECT_EQ(Bar(widget->Control(), "VScroll").Value(), Bar(*twin, "VScroll").Value());
    EXPECT_EQ(widget->Frame(), RenderForm(*twin->ParentForm()));
    twin->ParentForm()->Unload();
  }
}

struct ByRefCase {
  const char* name;
  bool rewrite;  // the slot changes the argument
};

TEST_F(QtInput, ArgumentsChangedByASlotAreActedOn) {
  for (const ByRefCase& c : {ByRefCase{"as sent", false}, ByRefCase{"rewritten", true}}) {
    SCOPED_TRACE(c.name);
    auto widget = Shown<PicZoomWidget>(200, 150);
    widget->Control().Picture(PatternPicture(300, 250));
    auto& h = Bar(widget->Control(), "HScroll");
    auto& v = Bar(widget->Control(), "VScroll");
    const int16_t h0 = h.Value();
    const int16_t v0 = v.Value();
    int scrolled = 0;
    QObject::connect(widget.get(), &PicZoomWidget::PictureScrolled, [&] { ++scrolled; });
    QObject::connect(widget.get(), &PicZoomWidget::KeyDown, [&](short& KeyCode, short&) {
      if (c.rewrite) KeyCode = 0;
    });
    QObject::connect(widget.get(), &PicZoomWidget::MouseMove,
                     [&](short& Button, short&, float&, float&) {
                       if (c.rewrite) Button = 0;
                     });
    ReleaseLater(*widget, Qt::Key_Right, 40);
    QTest::keyPress(widget.get(), Qt::Key_Right);
    QTest::qWait(60);  // the release has come either way
    EXPECT_EQ(h.Value() - h0, scrolled);
    EXPECT_EQ(scrolled > 0, !c.rewrite);
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, {100, 80});
    QTest::mouseMove(widget.get(), {100, 60});
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, {100, 60});
    EXPECT_EQ(v.Value(), c.rewrite ? v0 : v0 + 20);
  }
}

TEST_F(QtInput, AHeldArrowYieldsToQtWithoutSpinning) {
  auto widget = Shown<PicZoomWidget>(200, 150);
  widget->Control().Picture(PatternPicture(900, 900));
  const int64_t yields = YieldCount();
  QElapsedTimer clock;
  clock.start();
  ReleaseLater(*widget, Qt::Key_Down, 200);
  QTest::keyPress(widget.get(), Qt::Key_Down);  // returns once Qt has delivered the release
  const int64_t passes = YieldCount() - yields;
  const int64_t most = clock.elapsed() / qt::EventPump::YieldInterval().count() + 2;
  EXPECT_GE(passes, 3);  // it went on yielding until the release came
  EXPECT_LE(passes, most) << "yields closer together than the interval";
}

TEST_F(QtInput, AHeldContainerButtonScrollsToTheEndAsTheRuntimesInputDoes) {
  std::vector<std::string> logs[2];
  float tops[2];
  for (int qtInput = 0; qtInput < 2; ++qtInput) {
    auto widget = Shown<ScrollContainerWidget>(200, 150);
    ZelScrollContainer& c = widget->Container();
    // The label's bottom lies 10 twips below the view: 11 passes.
    const float top = c.ScaleHeight() - 600 - static_cast<float>(c.LowerMargin()) + 10;
    ASSERT_NE(widget->AddControl("Label", "low", 120, top, 1500, 600), nullptr);
    c.Refresh();
    EventLog log(c, c.Events(), ScrollContainerEvents());
    const PixelRect down = c.FindConstituent("sD")->FormRect();
    const QPoint at(down.left + 4, down.top + 8);
    if (qtInput) {
      QTest::mousePress(widget.get(), Qt::LeftButton, {}, at);
      QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, at);
    } else {
      widget->GetForm()->Click(at.x(), at.y());
    }
    logs[qtInput] = log.entries;
    tops[qtInput] = widget->FindControl("low")->Top() - top;
  }
  EXPECT_EQ(logs[1], logs[0]);
  EXPECT_EQ(tops[1], -11);
  EXPECT_EQ(tops[0], tops[1]);
}

}  // namespace
}  // namespace lumora::testing

// What the Qt tests share: widgets shown on the offscreen platform, their
// grabbed pixels as the runtime's rasters, a log of what a control raised
// (the same for a widget and for a headless twin), and input through QTest.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "frame/connection_point.hpp"
#include "frame/type_library.hpp"
#include "piczoom/piczoom_fixture.hpp"
#include "qt/form_window.hpp"
#include "qt/pic_zoom_widget.hpp"
#include "qt/pictures.hpp"
#include "qt/scroll_container_widget.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora::testing {

// A widget's pixels as the screen shows them.
inline Raster Grabbed(QWidget& widget) {
  const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  Raster pixels(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) pixels.Set(x, y, image.pixel(x, y) | 0xFF000000u);
  return pixels;
}

// Every event an object raises, as "Name(arg, arg ...)".
class EventLog {
 public:
  EventLog(Object& source, EventSource& events, const InterfaceInfo& iface)
      : m_Point(source, events, iface) {
    m_Point.Advise([this](int32_t, std::string_view name, std::span<Variant> args) {
      std::string entry(name);
      for (size_t i = 0; i < args.size(); ++i)
        entry += (i == 0 ? "(" : ", ") + args[i].ToString() + (i + 1 == args.size() ? ")" : "");
      entries.push_back(std::move(entry));
    });
  }
  std::vector<std::string> entries;

 private:
  ConnectionPoint m_Point;
};

class QtTest : public PicZoomTest {
 protected:
  // Windows the pump opened for forms shown without a widget go with them.
  ~QtTest() override {
    ResetThreadState();
    qt::FormWindow::Sync();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // A shown widget of width x height pixels.
  template <class W>
  std::unique_ptr<W> Shown(int width, int height) {
    auto widget = std::make_unique<W>();
    widget->resize(width, height);
    widget->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
    widget->activateWindow();
    widget->setFocus();
    return widget;
  }
  // A ZelPicZoom filling a shown headless form of width x height pixels,
  // driven by the runtime alone.
  static std::shared_ptr<ZelPicZoom> Twin(int32_t width, int32_t height) {
    auto form = Form::Create(qt::FreshFormName("Twin"), width, height);
    form->Show();
    return form->Add<ZelPicZoom>("z1", 0, 0, form->ScaleWidth(), form->ScaleHeight());
  }
  static ScrollBar& Bar(ZelPicZoom& z, const char* name) {
    return dynamic_cast<ScrollBar&>(*z.FindConstituent(name));
  }
  // Releases key after ms milliseconds, from Qt's event loop.
  static void ReleaseLater(QWidget& widget, Qt::Key key, int ms) {
    QTimer::singleShot(ms, &widget, [&widget, key] { QTest::keyRelease(&widget, key); });
  }
};

}  // namespace lumora::testing

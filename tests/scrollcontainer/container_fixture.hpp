// Shared by the container's tests: a narrow window onto the container's
// private fields, a form with one container on it, contained controls in a
// column, and a log of the events the container raises.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/label.hpp"
#include "platform/errors.hpp"
#include "platform/event_source.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/picture.hpp"
#include "platform/raster.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"

namespace lumora {

// The private fields and routines the tests look at.
struct ZelScrollContainerProbe {
  explicit ZelScrollContainerProbe(ZelScrollContainer& c) : c(c) {}
  ZelScrollContainer& c;

  int32_t& UpperMarginField() { return c.m_UpperMargin; }
  int32_t& LowerMarginField() { return c.m_LowerMargin; }
  int16_t& BorderStyleField() { return c.m_BorderStyle; }
  bool& UpReleased() { return c.m_UpReleased; }
  bool& DownReleased() { return c.m_DownReleased; }
  int32_t& ThumbTop() { return c.m_ThumbTop; }
  int32_t& ThumbHeight() { return c.m_ThumbHeight; }
  int32_t& DragLastY() { return c.m_DragLastY; }
  bool& ThumbDragging() { return c.m_ThumbDragging; }
  void RefreshScrollBar() { c.RefreshScrollBar(); }

  PictureBox& picBar() { return *c.picBar; }
  PictureBox& picSelected() { return *c.picSelected; }
  Image& sU() { return *c.sU; }
  Image& sD() { return *c.sD; }
  Image& UpN() { return *c.UpN; }
  Image& UpU() { return *c.UpU; }
  Image& UpD() { return *c.UpD; }
  Image& DownN() { return *c.DownN; }
  Image& DownU() { return *c.DownU; }
  Image& DownD() { return *c.DownD; }

  // Which holder's picture a button shows: "N", "U", "D" or "?".
  std::string UpState() { return State(sU(), UpN(), UpU(), UpD()); }
  std::string DownState() { return State(sD(), DownN(), DownU(), DownD()); }

 private:
  static std::string State(Image& button, Image& n, Image& u, Image& d) {
    if (button.Picture() == n.Picture()) return "N";
    if (button.Picture() == u.Picture()) return "U";
    if (button.Picture() == d.Picture()) return "D";
    return "?";
  }
};

// Records the container's events with their arguments, e.g. "MouseDown 1 0 2040 3100".
class ContainerEventLog : public EventSink {
 public:
  std::vector<std::string> entries;
  void OnEvent(Object&, int32_t dispid, std::string_view name, std::span<Variant> args) override {
    std::string entry = std::string(name) + "#" + std::to_string(dispid);
    for (const Variant& a : args) {
      char text[32];
      std::snprintf(text, sizeof text, " %g", a.ToDouble());
      entry += text;
    }
    entries.push_back(entry);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const std::string& e : entries) names.push_back(e.substr(0, e.find('#')));
    return names;
  }
};

// A shown form (640 x 480 pixels) with one container at its top-left corner.
class ContainerTest : public ::testing::Test {
 protected:
  ContainerTest() { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    for (const auto& f : Forms()) f->Unload();
    ClearMessages();
    Err().Clear();
  }

  // Makes the container, width x height twips, on a form shown before or
  // after it is placed.
  void Make(float width, float height, bool showFirst = true) {
    form = Form::Create("ContainerForm");
    if (showFirst) form->Show();
    sc = form->Add<ZelScrollContainer>("sc", 0, 0, width, height);
    probe = std::make_unique<ZelScrollContainerProbe>(*sc);
    log = std::make_shared<ContainerEventLog>();
    sc->Events().Advise(log);
  }

  // A label placed in the container (not refreshed).
  std::shared_ptr<Label> Place(float top, float height, bool visible = true) {
    auto label =
        form->Add<Label>("c" + std::to_string(++m_Placed), 100, top, 600, height, sc.get());
    label->Visible(visible);
    return label;
  }

  // Tops of the contained controls that have a position, in placement order.
  std::vector<float> Tops() const {
    std::vector<float> tops;
    for (const ControlPtr& c : sc->ContainedList())
      if (c->HasExtent()) tops.push_back(c->Top());
    return tops;
  }

  // Form pixel at the centre of a constituent.
  static int32_t CenterX(const Control& c) { return c.FormRect().left + c.FormRect().width / 2; }
  static int32_t CenterY(const Control& c) { return c.FormRect().top + c.FormRect().height / 2; }

  // The rows of the track's image in which column x has the colour.
  static std::vector<int32_t> RowsOf(const Raster& image, int32_t x, Argb color) {
    std::vector<int32_t> rows;
    for (int32_t y = 0; y < image.Height(); ++y)
      if (image.At(x, y) == color) rows.push_back(y);
    return rows;
  }

  std::shared_ptr<Form> form;
  std::shared_ptr<ZelScrollContainer> sc;
  std::unique_ptr<ZelScrollContainerProbe> probe;
  std::shared_ptr<ContainerEventLog> log;

 private:
  int m_Placed = 0;
};

}  // namespace lumora

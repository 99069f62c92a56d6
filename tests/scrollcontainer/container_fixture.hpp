// Shared by the container's tests: a form with one container on it, labels
// placed in it, the drawn bar read back as one line, and a log of the events
// the container raises.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/label.hpp"
#include "platform/event_source.hpp"
#include "platform/message_queue.hpp"
#include "scrollcontainer/button_pictures.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"
#include "support/fixture.hpp"

namespace lumora {

// The bar's refresh on its own (every input runs it too, but tests that move
// the contents themselves need it alone), and the release a held loop waits
// for, as a safety net against a loop that would never end.
struct ZelScrollContainerProbe {
  static void RefreshScrollBar(ZelScrollContainer& c) { c.RefreshScrollBar(); }
  static void Release(ZelScrollContainer& c) { c.m_UpReleased = c.m_DownReleased = true; }
};

// Records the container's events with their arguments, e.g. "MouseDown#3 1 0 2040 3100",
// and runs onEvent, as an application's handler would, as each is raised.
class ContainerEventLog : public EventSink {
 public:
  std::vector<std::string> entries;
  std::function<void()> onEvent = [] {};
  void OnEvent(Object&, int32_t dispid, std::string_view name, std::span<Variant> args) override {
    onEvent();
    std::string entry = std::string(name) + "#" + std::to_string(dispid);
    for (const Variant& a : args) entry += " " + Number(a.ToDouble());
    entries.push_back(entry);
  }
  static std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
  }
};

class ContainerTest : public testing::LumoraTest {
 protected:
  // The container, width x height twips at the form's top-left corner, on a
  // 640 x 480 form shown before or after it is placed.
  void Make(float width, float height, bool showFirst = true) {
    form = Form::Create("ContainerForm");
    if (showFirst) form->Show();
    sc = form->Add<ZelScrollContainer>("sc", 0, 0, width, height);
    sc->Events().Advise(log);
  }
  // A label placed in the container (the bar not refreshed).
  std::shared_ptr<Label> Place(float top, float height, bool visible = true) {
    auto label =
        form->Add<Label>("c" + std::to_string(++m_Placed), 100, top, 600, height, sc.get());
    label->Visible(visible);
    return label;
  }
  // Starts over within a test, for the next row of a table.
  void Fresh() {
    testing::ResetThreadState();
    log = std::make_shared<ContainerEventLog>();
    m_Placed = 0;
  }
  void RefreshBar() { ZelScrollContainerProbe::RefreshScrollBar(*sc); }

  // Tops of the contained controls that have a position, in placement order.
  std::vector<float> Tops() const {
    std::vector<float> tops;
    for (const ControlPtr& c : sc->ContainedList())
      if (c->HasExtent()) tops.push_back(c->Top());
    return tops;
  }

  template <typename T = Image>
  T& Constituent(const char* name) const {
    return dynamic_cast<T&>(*sc->FindConstituent(name));
  }
  Image& Up() const { return Constituent("sU"); }
  Image& Down() const { return Constituent("sD"); }
  PictureBox& Track() const { return Constituent<PictureBox>("picBar"); }
  PictureBox& Thumb() const { return Constituent<PictureBox>("picSelected"); }

  // A button as its picture (N cannot scroll, U can, D held), then + when
  // enabled, - when not, with ~ in front when hidden: "U+", "~N-".
  static std::string State(const Image& button, bool up) {
    const ScrollButtonPictures& p = ButtonPictures();
    const PicturePtr shown = button.Picture();
    std::string s = button.Visible() ? "" : "~";
    s += shown == (up ? p.UpN : p.DownN)   ? "N"
         : shown == (up ? p.UpU : p.DownU) ? "U"
         : shown == (up ? p.UpD : p.DownD) ? "D"
                                           : "?";
    return s + (button.Enabled() ? "+" : "-");
  }
  std::string Buttons() const { return State(Up(), true) + " " + State(Down(), false); }
  // The buttons, then the track's top, height and scale (~ when hidden), then
  // the thumb's top and height in that scale: "N- U+ | 255 2490 5120 | 0 3120".
  std::string Bar() const {
    const PictureBox& t = Track();
    return Buttons() + " | " + (t.Visible() ? "" : "~") + Twips({t.Top(), t.Height()}) + " " +
           Twips({t.ScaleHeight()}) + " | " + Twips({Thumb().Top(), Thumb().Height()});
  }
  // Left, top, width and height of a control.
  static std::string Box(const Control& c) {
    return Twips({c.Left(), c.Top(), c.Width(), c.Height()});
  }
  static std::string Twips(std::initializer_list<float> values) {
    std::string s;
    for (float v : values) s += (s.empty() ? "" : " ") + ContainerEventLog::Number(v);
    return s;
  }

  // Form pixel at the centre of a control.
  static int32_t CenterX(const Control& c) { return c.FormRect().left + c.FormRect().width / 2; }
  static int32_t CenterY(const Control& c) { return c.FormRect().top + c.FormRect().height / 2; }
  // Pointer input as the track receives it, Y in the track's scale.
  void TrackDown(float y, int16_t button = kLeftButton) {
    PointerInput in{button, 0, 10, y};
    Track().OnMouseDown(in);
  }
  void TrackMove(float y, int16_t button = kLeftButton) {
    PointerInput in{button, 0, 10, y};
    Track().OnMouseMove(in);
  }

  std::shared_ptr<Form> form;
  std::shared_ptr<ZelScrollContainer> sc;
  std::shared_ptr<ContainerEventLog> log = std::make_shared<ContainerEventLog>();

 private:
  int m_Placed = 0;
};

}  // namespace lumora

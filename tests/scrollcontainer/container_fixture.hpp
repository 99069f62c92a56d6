// Shared by the container's tests: a form with one container, labels placed
// in it, the drawn bar read back as one line, and a log of the container's events.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/controls/label.hpp"
#include "platform/event_source.hpp"
#include "platform/message_queue.hpp"
#include "scrollcontainer/button_pictures.hpp"
#include "scrollcontainer/zel_scroll_container.hpp"
#include "support/fixture.hpp"

namespace lumora {

// The bar's refresh alone, and the release a held loop waits for (a safety net).
struct ZelScrollContainerProbe {
  static void RefreshScrollBar(ZelScrollContainer& c) { c.RefreshScrollBar(); }
  static void Release(ZelScrollContainer& c) { c.m_UpReleased = c.m_DownReleased = true; }
};

// Records the container's events with their arguments: "MouseDown#3 1 0 2040 3100".
class ContainerEventLog : public EventSink {
 public:
  std::vector<std::string> entries;
  void OnEvent(Object&, int32_t dispid, std::string_view name, std::span<Variant> args) override {
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
  void SetUp() override { Make(); }
  // The container, 2175 x 3000 twips at the top-left of a form shown before or
  // after it is placed.
  void Make(bool showFirst = true) {
    form = Form::Create("ContainerForm");
    if (showFirst) form->Show();
    sc = form->Add<ZelScrollContainer>("sc", 0, 0, 2175, 3000);
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
  void Fresh(bool showFirst = true) {
    testing::ResetThreadState();
    log = std::make_shared<ContainerEventLog>();
    m_Placed = 0;
    Make(showFirst);
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
  T& Part(const char* name) const {
    return dynamic_cast<T&>(*sc->FindConstituent(name));
  }
  Image& Up() const { return Part("sU"); }
  Image& Down() const { return Part("sD"); }
  PictureBox& Track() const { return Part<PictureBox>("picBar"); }
  PictureBox& Thumb() const { return Part<PictureBox>("picSelected"); }

  // A button's picture (N cannot scroll, U can, D held), + enabled, ~ hidden: "~N+".
  static std::string State(const Image& button, bool up) {
    const ScrollButtonPictures& p = ButtonPictures();
    const PicturePtr looks[] = {up ? p.UpN : p.DownN, up ? p.UpU : p.DownU, up ? p.UpD : p.DownD};
    const auto look = std::ranges::find(looks, button.Picture()) - std::begin(looks);
    return (button.Visible() ? "" : "~") + std::string(1, "NUD?"[look]) +
           (button.Enabled() ? "+" : "-");
  }
  std::string Buttons() const { return State(Up(), true) + " " + State(Down(), false); }
  // Buttons | the track's top, height, scale (~ hidden) | the thumb's top, height.
  std::string Bar() const {
    const PictureBox& t = Track();
    return Buttons() + " | " + (t.Visible() ? "" : "~") + Twips({t.Top(), t.Height()}) + " " +
           Twips({t.ScaleHeight()}) + " | " + Twips({Thumb().Top(), Thumb().Height()});
  }
  static std::string Twips(std::initializer_list<float> values) {
    std::string s;
    for (float v : values) s += (s.empty() ? "" : " ") + ContainerEventLog::Number(v);
    return s;
  }

  // Form pixel at the centre of a control.
  static int32_t CenterX(const Control& c) { return c.FormRect().left + c.FormRect().width / 2; }
  static int32_t CenterY(const Control& c) { return c.FormRect().top + c.FormRect().height / 2; }
  // Passes a press on a button's centre makes (each pass yields once).
  int64_t Hold(Image& button) {
    const int64_t before = YieldCount();
    form->MouseDown(CenterX(button), CenterY(button));
    return YieldCount() - before;
  }
  // The release, yields into a press, dx pixels right of the centre.
  void ReleaseAfter(int32_t yields, Image& button, int32_t dx = 0) {
    ScheduleAfterYields(yields, Message::Mouse(MessageKind::MouseUp, form, CenterX(button) + dx,
                                               CenterY(button), kLeftButton));
  }
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

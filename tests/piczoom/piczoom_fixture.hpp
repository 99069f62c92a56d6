// What the ZelPicZoom tests share: a shown form with the control placed on it
// in pixels, its constituents, a log of the events it raises to a dispatch
// client (which may rewrite their arguments), and pictures whose pixels tell
// where they came from: one colour per 16-pixel block, so block centres
// survive filtered scaling.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/connection_point.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "support/fixture.hpp"

namespace lumora::testing {

// One colour per 16-pixel block, so block centres survive filtered scaling and
// tell where in the picture they came from.
inline Argb BlockColour(int32_t bx, int32_t by) {
  return 0xFF000000u | static_cast<uint32_t>(bx * 23 % 256) << 16 |
         static_cast<uint32_t>(by * 41 % 256) << 8 | static_cast<uint32_t>((bx + by) * 11 % 256);
}
inline PicturePtr PatternPicture(int32_t width, int32_t height) {
  Raster pixels(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) pixels.Set(x, y, BlockColour(x / 16, y / 16));
  return Picture::FromRaster(std::move(pixels));
}
inline PicturePtr SolidPicture(int32_t width, int32_t height, Argb fill = 0xFF336699u) {
  return Picture::FromRaster(Raster(width, height, fill));
}

struct LoggedEvent {
  int32_t dispid = 0;
  std::string name;
  std::vector<Variant> args;
};

class PicZoomTest : public LumoraTest {
 protected:
  ~PicZoomTest() override {
    onEvent = nullptr;  // it may refer to the test's own locals, gone by now
    ResetThreadState();
  }

  // A ZelPicZoom of width x height pixels at (left, top) on a shown 640 x 480 form,
  // loaded from `bag` when given; connected first, so loading's events are logged too.
  std::shared_ptr<ZelPicZoom> Place(int32_t width, int32_t height, int32_t left = 0,
                                    int32_t top = 0, PropertyBag* bag = nullptr) {
    if (!form) (form = Form::Create("PicZoomForm", 640, 480))->Show();
    auto control = std::make_shared<ZelPicZoom>();
    auto point = std::make_unique<ConnectionPoint>(*control, control->Events(), PicZoomEvents());
    point->Advise([this](int32_t dispid, std::string_view eventName, std::span<Variant> args) {
      events.push_back({dispid, std::string(eventName), {args.begin(), args.end()}});
      if (onEvent) onEvent(eventName, args);
    });
    form->Place(control, "z" + std::to_string(m_Points.size()), left * 15.0f, top * 15.0f,
                width * 15.0f, height * 15.0f, nullptr, bag);
    m_Points.push_back(std::move(point));
    return control;
  }

  template <class T>
  static T& Part(ZelPicZoom& z, const char* name) {
    return dynamic_cast<T&>(*z.FindConstituent(name));
  }
  static PictureBox& Pic(ZelPicZoom& z) { return Part<PictureBox>(z, "picScroll"); }
  static ScrollBar& HBar(ZelPicZoom& z) { return Part<ScrollBar>(z, "HScroll"); }
  static ScrollBar& VBar(ZelPicZoom& z) { return Part<ScrollBar>(z, "VScroll"); }
  static CommandButton& Button(ZelPicZoom& z) { return Part<CommandButton>(z, "btnUserCommand"); }
  // Sets both bars and forgets the events that raised.
  void SetValues(ZelPicZoom& z, int16_t h, int16_t v) {
    HBar(z).Value(h);
    VBar(z).Value(v);
    events.clear();
  }
  static std::pair<int, int> Values(ZelPicZoom& z) { return {HBar(z).Value(), VBar(z).Value()}; }

  int Count(std::string_view name) const {
    return static_cast<int>(std::ranges::count(events, name, &LoggedEvent::name));
  }

  std::shared_ptr<Form> form;
  std::vector<LoggedEvent> events;
  // Called for every event after it is logged; may change the arguments.
  std::function<void(std::string_view, std::span<Variant>)> onEvent;

 private:
  std::vector<std::unique_ptr<ConnectionPoint>> m_Points;
};

}  // namespace lumora::testing

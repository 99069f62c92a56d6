// What the ZelPicZoom tests share: a shown headless form with the control
// placed on it at a size in pixels, its constituents, a log of the events it
// raises to a dispatch client (which may rewrite their arguments), pictures
// whose pixels tell where they came from, and a fresh thread state per test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/connection_point.hpp"
#include "frame/type_library.hpp"
#include "piczoom/module_state.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/picture.hpp"
#include "platform/property_bag.hpp"
#include "platform/raster.hpp"
#include "platform/services.hpp"

namespace lumora::testing {

// A picture whose pixel at (x, y) encodes x and y (red: x / 4, green: y / 4,
// blue: which 16-pixel block), so a shown pixel tells where it came from.
inline Argb PatternPixel(int32_t x, int32_t y) {
  const auto r = static_cast<uint32_t>((x / 4) & 0xFF);
  const auto g = static_cast<uint32_t>((y / 4) & 0xFF);
  const auto b = static_cast<uint32_t>(((x / 16) * 7 + (y / 16) * 13) & 0xFF);
  return 0xFF000000u | r << 16 | g << 8 | b;
}

inline PicturePtr PatternPicture(int32_t width, int32_t height) {
  Raster pixels(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) pixels.Set(x, y, PatternPixel(x, y));
  return Picture::FromRaster(std::move(pixels));
}

inline PicturePtr SolidPicture(int32_t width, int32_t height, Argb fill = 0xFF336699u) {
  return Picture::FromRaster(Raster(width, height, fill));
}

// One event as a dispatch client saw it, with its arguments as received.
struct LoggedEvent {
  int32_t dispid = 0;
  std::string name;
  std::vector<Variant> args;
};

class PicZoomTest : public ::testing::Test {
 protected:
  PicZoomTest() { Reset(); }
  ~PicZoomTest() override {
    onEvent = nullptr;  // it may refer to the test's own locals, gone by now
    Reset();
  }

  static void Reset() {
    for (const auto& f : Forms()) f->Unload();
    ClearMessages();
    Screen().MousePointer(0);
    SetPersistentImageLimit(int64_t{1} << 28);
    SetCursorPos(0, 0);
    g_ButtonHeld = false;
    g_KeyHeld = false;
    Err().Clear();
  }

  // Places a ZelPicZoom of width x height pixels at (left, top) pixels on a
  // shown 640 x 480 form, with a dispatch client logging its events; loaded
  // from `bag` when one is given, else new.
  std::shared_ptr<ZelPicZoom> Place(int32_t width, int32_t height, int32_t left = 0,
                                    int32_t top = 0, PropertyBag* bag = nullptr) {
    if (!form) {
      form = Form::Create("PicZoomForm", 640, 480);
      form->Show();
    }
    const std::string name = "z" + std::to_string(++m_Placed);
    // Connected before the lifecycle runs, so the events of loading count.
    auto control = std::make_shared<ZelPicZoom>();
    auto point = std::make_unique<ConnectionPoint>(*control, control->Events(), PicZoomEvents());
    point->Advise([this](int32_t dispid, std::string_view eventName, std::span<Variant> args) {
      events.push_back({dispid, std::string(eventName), {args.begin(), args.end()}});
      if (onEvent) onEvent(eventName, args);
    });
    form->Place(control, name, static_cast<float>(left * 15), static_cast<float>(top * 15),
                static_cast<float>(width * 15), static_cast<float>(height * 15), nullptr, bag);
    m_Points.push_back(std::move(point));
    return control;
  }

  static PictureBox& Pic(ZelPicZoom& z) {
    return dynamic_cast<PictureBox&>(*z.FindConstituent("picScroll"));
  }
  static ScrollBar& HBar(ZelPicZoom& z) {
    return dynamic_cast<ScrollBar&>(*z.FindConstituent("HScroll"));
  }
  static ScrollBar& VBar(ZelPicZoom& z) {
    return dynamic_cast<ScrollBar&>(*z.FindConstituent("VScroll"));
  }
  static CommandButton& Button(ZelPicZoom& z) {
    return dynamic_cast<CommandButton&>(*z.FindConstituent("btnUserCommand"));
  }

  // The names of the logged events, in order, and how many carry `name`.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const LoggedEvent& e : events) names.push_back(e.name);
    return names;
  }
  int Count(std::string_view name) const {
    int n = 0;
    for (const LoggedEvent& e : events) n += e.name == name ? 1 : 0;
    return n;
  }

  std::shared_ptr<Form> form;
  std::vector<LoggedEvent> events;
  // Called for every event after it is logged; may change the arguments.
  std::function<void(std::string_view, std::span<Variant>)> onEvent;

 private:
  int m_Placed = 0;
  std::vector<std::unique_ptr<ConnectionPoint>> m_Points;
};

}  // namespace lumora::testing

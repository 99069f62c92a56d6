// What the window tests share: SDL's offscreen video driver (windows
// without a display), the windows an application opens and the presenter
// behind them, a fresh thread state per test, and builders of the SDL events
// the window system would deliver.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "platform/form/form.hpp"
#include "support/fixture.hpp"
#include "window/presenter.hpp"
#include "window/windows.hpp"

namespace lumora::window::testing {

// Input and window events as the window system makes them, for no window
// (PresenterTest::Push addresses them to one). Fields not named stay zero.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
inline SDL_Event ButtonEvent(uint32_t type, int x, int y, uint8_t clicks = 1,
                             uint8_t button = SDL_BUTTON_LEFT) {
  return {.button = {.type = type, .button = button, .clicks = clicks, .x = x, .y = y}};
}
inline SDL_Event MotionEvent(int x, int y, uint32_t buttons) {
  return {.motion = {.type = SDL_MOUSEMOTION, .state = buttons, .x = x, .y = y}};
}
inline SDL_Event KeyEvent(uint32_t type, SDL_Keycode key, uint16_t mod = KMOD_NONE) {
  return {.key = {.type = type, .keysym = {.sym = key, .mod = mod}}};
}
inline SDL_Event WheelEvent(float notches, int x, int y, uint32_t dir = SDL_MOUSEWHEEL_NORMAL) {
  return {
      .wheel = {
          .type = SDL_MOUSEWHEEL, .direction = dir, .preciseY = notches, .mouseX = x, .mouseY = y}};
}
inline SDL_Event TextEvent(const char* utf8) {
  SDL_Event e{.type = SDL_TEXTINPUT};
  std::snprintf(e.text.text, sizeof e.text.text, "%s", utf8);
  return e;
}
inline SDL_Event WindowEvent(SDL_WindowEventID id) {
  return {.window = {.type = SDL_WINDOWEVENT, .event = static_cast<Uint8>(id)}};
}
#pragma GCC diagnostic pop

class PresenterTest : public lumora::testing::LumoraTest {
 protected:
  PresenterTest() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    windows.emplace();
    presenter = &PresenterOf(*windows);
  }

  // A shown form whose window opens at (100, 50) on the screen.
  std::shared_ptr<Form> ShownForm(int32_t width, int32_t height) {
    auto form = Form::Create("Shown", width, height);
    windows->Show(*form, {.resizable = true, .left = 100, .top = 50});
    return form;
  }
  FormWindow& Window(const Form& form) {
    if (FormWindow* w = presenter->WindowOf(form)) return *w;
    throw std::logic_error("no window");
  }
  // Delivers e to the form's window. Every input and window event keeps its
  // window's id in the same place, after its type and time.
  void Push(const Form& form, SDL_Event e) {
    e.window.windowID = Window(form).Id();
    SDL_PushEvent(&e);
  }

  std::optional<Windows> windows;
  Presenter* presenter = nullptr;
};

}  // namespace lumora::window::testing

// What the window tests share: SDL's offscreen video driver (windows
// without a display), the windows an application opens and the presenter
// behind them, a fresh thread state per test, and builders of the SDL events
// the window system would deliver.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "piczoom/module_state.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/services.hpp"
#include "support/fixture.hpp"
#include "window/presenter.hpp"
#include "window/windows.hpp"

namespace lumora::window::testing {

// Input events as the window system makes them, for the window windowId.
inline SDL_Event ButtonEvent(uint32_t type, int x, int y, uint8_t clicks = 1,
                             uint8_t button = SDL_BUTTON_LEFT, uint32_t windowId = 0) {
  SDL_Event e{};
  e.type = type;
  e.button.windowID = windowId;
  e.button.button = button;
  e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = clicks;
  e.button.x = x;
  e.button.y = y;
  return e;
}
inline SDL_Event MotionEvent(int x, int y, uint32_t buttons, uint32_t windowId = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = windowId;
  e.motion.state = buttons;
  e.motion.x = x;
  e.motion.y = y;
  return e;
}
inline SDL_Event KeyEvent(uint32_t type, SDL_Keycode key, uint16_t mod = KMOD_NONE,
                          uint32_t windowId = 0) {
  SDL_Event e{};
  e.type = type;
  e.key.windowID = windowId;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  e.key.keysym.mod = mod;
  return e;
}
inline SDL_Event WheelEvent(float preciseY,
                            SDL_MouseWheelDirection direction = SDL_MOUSEWHEEL_NORMAL, int x = 30,
                            int y = 20, uint32_t windowId = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = windowId;
  e.wheel.y = static_cast<Sint32>(preciseY);
  e.wheel.preciseY = preciseY;
  e.wheel.direction = direction;
  e.wheel.mouseX = x;
  e.wheel.mouseY = y;
  return e;
}
inline SDL_Event TextEvent(const char* utf8, uint32_t windowId = 0) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = windowId;
  std::snprintf(e.text.text, sizeof e.text.text, "%s", utf8);
  return e;
}

class PresenterTest : public lumora::testing::LumoraTest {
 protected:
  PresenterTest() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    windows.emplace();
    presenter = &PresenterOf(*windows);
  }
  ~PresenterTest() override { windows.reset(); }

  // A shown form whose window opens at (left, top) on the screen.
  std::shared_ptr<Form> ShownForm(int32_t width, int32_t height, int32_t left = 100,
                                  int32_t top = 50) {
    auto form = Form::Create("PresenterForm" + std::to_string(++m_Forms), width, height);
    presenter->SetWindowOptions(*form, WindowOptions{.resizable = true, .left = left, .top = top});
    form->Show();
    presenter->Present();
    return form;
  }
  FormWindow& Window(const Form& form) {
    FormWindow* w = presenter->WindowOf(form);
    if (!w) throw std::logic_error("no window");
    return *w;
  }

  // Events delivered to a form's window.
  void Push(SDL_Event e) { SDL_PushEvent(&e); }
  SDL_Event Button(const Form& form, uint32_t type, int x, int y, uint8_t clicks = 1) {
    return ButtonEvent(type, x, y, clicks, SDL_BUTTON_LEFT, Window(form).Id());
  }
  SDL_Event Motion(const Form& form, int x, int y, uint32_t buttons = SDL_BUTTON_LMASK) {
    return MotionEvent(x, y, buttons, Window(form).Id());
  }
  SDL_Event Key(const Form& form, uint32_t type, SDL_Keycode key) {
    return KeyEvent(type, key, KMOD_NONE, Window(form).Id());
  }
  SDL_Event Text(const Form& form, const char* utf8) { return TextEvent(utf8, Window(form).Id()); }
  SDL_Event WindowEvent(const Form& form, SDL_WindowEventID id, int32_t a = 0, int32_t b = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = Window(form).Id();
    e.window.event = id;
    e.window.data1 = a;
    e.window.data2 = b;
    return e;
  }

  std::optional<Windows> windows;
  Presenter* presenter = nullptr;

 private:
  int m_Forms = 0;
};

}  // namespace lumora::window::testing

#include "window/input_events.hpp"

#include <cmath>

#include "window/key_map.hpp"

namespace lumora::window {

int32_t WheelDelta(const SDL_MouseWheelEvent& wheel) {
  float notches = wheel.preciseY;
  if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
  return static_cast<int32_t>(std::lround(notches * 120.0f));
}

std::vector<Message> InputMessages(const SDL_Event& event, const std::shared_ptr<Form>& form,
                                   uint16_t modifiers) {
  std::vector<Message> out;
  const int16_t shift = RuntimeShift(modifiers);
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN: {
      const int16_t button = RuntimeButton(event.button.button);
      if (button == 0) break;
      // Every second press of a run of clicks is the double-click.
      const MessageKind kind = event.button.clicks >= 2 && event.button.clicks % 2 == 0
                                   ? MessageKind::DblClick
                                   : MessageKind::MouseDown;
      out.push_back(Message::Mouse(kind, form, event.button.x, event.button.y, button, shift));
      break;
    }
    case SDL_MOUSEBUTTONUP: {
      const int16_t button = RuntimeButton(event.button.button);
      if (button == 0) break;
      out.push_back(Message::Mouse(MessageKind::MouseUp, form, event.button.x, event.button.y,
                                   button, shift));
      break;
    }
    case SDL_MOUSEMOTION:
      out.push_back(Message::Mouse(MessageKind::MouseMove, form, event.motion.x, event.motion.y,
                                   RuntimeButtons(event.motion.state), shift));
      break;
    case SDL_MOUSEWHEEL: {
      const int32_t delta = WheelDelta(event.wheel);
      if (delta != 0)
        out.push_back(Message::Wheel(form, event.wheel.mouseX, event.wheel.mouseY, delta, shift));
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int16_t code = RuntimeKeyCode(event.key.keysym.sym);
      if (code == 0) break;
      const int16_t keyShift = RuntimeShift(event.key.keysym.mod);
      const bool down = event.type == SDL_KEYDOWN;
      out.push_back(
          Message::Key(down ? MessageKind::KeyDown : MessageKind::KeyUp, form, code, keyShift));
      // Keys that type a character without text input (Return, Ctrl+C ...).
      if (down) {
        if (const int16_t c = ControlCharacter(event.key.keysym.sym, event.key.keysym.mod))
          out.push_back(Message::Key(MessageKind::KeyPress, form, c));
      }
      break;
    }
    case SDL_TEXTINPUT:
      for (const int16_t c : KeyAsciiOf(event.text.text))
        out.push_back(Message::Key(MessageKind::KeyPress, form, c));
      break;
    default: break;
  }
  return out;
}

}  // namespace lumora::window

// The window system's input values as the runtime's: key codes, Shift and
// button masks, KeyPress characters, and whole events as messages.
#include <gtest/gtest.h>

#include "presenter_fixture.hpp"
#include "window/input_events.hpp"
#include "window/key_map.hpp"

namespace lumora::window::testing {
namespace {

TEST(KeyMap, KeysAndTypedTextGetTheRuntimeCodes) {
  // The ends of each run of codes, and named keys.
  const std::pair<SDL_Keycode, int16_t> keys[] = {
      {SDLK_z, 90},      {SDLK_9, 57},    {SDLK_KP_0, 96}, {SDLK_KP_9, 105},
      {SDLK_F1, 112},    {SDLK_F12, 123}, {SDLK_F24, 135}, {SDLK_SPACE, 32},
      {SDLK_PAGEUP, 33}, {SDLK_HOME, 36}, {SDLK_UP, 38},   {SDLK_DELETE, 46},
  };
  for (const auto& [key, code] : keys) EXPECT_EQ(RuntimeKeyCode(key), code) << SDL_GetKeyName(key);
  EXPECT_EQ(KeyAsciiOf("\xC2\xA0"), (std::vector<int16_t>{0xA0}));  // typed Latin-1 as it is
  // Outside Latin-1, and malformed sequences: '?' each, nothing swallowed after.
  EXPECT_EQ(KeyAsciiOf("\xE2\x82\xAC!"), (std::vector<int16_t>{'?', '!'}));  // euro sign
  EXPECT_EQ(KeyAsciiOf("\xF0\x9F\x98\x80"), (std::vector<int16_t>{'?'}));    // emoji
  EXPECT_EQ(KeyAsciiOf("\xC3x"), (std::vector<int16_t>{'?', 'x'}));          // cut short
  EXPECT_EQ(KeyAsciiOf("\xFF"), (std::vector<int16_t>{'?'}));
  EXPECT_EQ(KeyAsciiOf("\xC0\xAB"), (std::vector<int16_t>{'?', '?'}));  // overlong '+'
}

// Messages as "kind x y button shift key delta", comma-separated, kinds by their order.
std::string Describe(const std::vector<Message>& messages) {
  static const char* const kKinds[] = {"MouseDown", "MouseMove", "MouseUp", "DblClick",
                                       "Wheel",     "KeyDown",   "KeyUp",   "KeyPress"};
  std::string out;
  for (const Message& m : messages) {
    const auto kind = static_cast<size_t>(m.kind);
    out += std::string(out.empty() ? "" : ", ") + (kind < std::size(kKinds) ? kKinds[kind] : "?");
    for (const int v : {m.x, m.y, int{m.button}, int{m.shift}, int{m.key}, m.delta})
      out += " " + std::to_string(v);
  }
  return out;
}

TEST(InputEvents, EventsBecomeTheRuntimesMessages) {
  const struct {
    SDL_Event event;
    uint16_t modifiers;
    const char* messages;
  } cases[] = {
      {ButtonEvent(SDL_MOUSEBUTTONDOWN, 5, 6), KMOD_LSHIFT | KMOD_NUM, "MouseDown 5 6 1 1 0 0"},
      // Every second press of a run is the double-click.
      {ButtonEvent(SDL_MOUSEBUTTONDOWN, 0, 0, 2, SDL_BUTTON_RIGHT), 0, "DblClick 0 0 2 0 0 0"},
      {ButtonEvent(SDL_MOUSEBUTTONDOWN, 0, 0, 3, SDL_BUTTON_RIGHT), 0, "MouseDown 0 0 2 0 0 0"},
      {ButtonEvent(SDL_MOUSEBUTTONUP, 7, 8, 2, SDL_BUTTON_MIDDLE), 0, "MouseUp 7 8 4 0 0 0"},
      {ButtonEvent(SDL_MOUSEBUTTONDOWN, 0, 0, 1, SDL_BUTTON_X1), 0, ""},  // a button without a mask
      {MotionEvent(-3, 40, SDL_BUTTON_RMASK | SDL_BUTTON_MMASK | SDL_BUTTON_X2MASK), KMOD_LCTRL,
       "MouseMove -3 40 6 2 0 0"},
      {WheelEvent(-2, 30, 20), 0, "Wheel 30 20 0 0 0 -240"},  // two notches towards the user
      {WheelEvent(-2, 30, 20, SDL_MOUSEWHEEL_FLIPPED), 0, "Wheel 30 20 0 0 0 240"},
      {KeyEvent(SDL_KEYDOWN, SDLK_RIGHT, KMOD_LSHIFT), 0, "KeyDown 0 0 0 1 39 0"},
      {KeyEvent(SDL_KEYDOWN, SDLK_RETURN), 0, "KeyDown 0 0 0 0 13 0, KeyPress 0 0 0 0 13 0"},
      {KeyEvent(SDL_KEYUP, SDLK_RETURN), 0, "KeyUp 0 0 0 0 13 0"},
      {KeyEvent(SDL_KEYDOWN, SDLK_a, KMOD_LCTRL), 0, "KeyDown 0 0 0 2 65 0, KeyPress 0 0 0 0 1 0"},
      {KeyEvent(SDL_KEYDOWN, SDLK_a, KMOD_RCTRL | KMOD_LALT | KMOD_RSHIFT), 0,
       "KeyDown 0 0 0 7 65 0"},
      {KeyEvent(SDL_KEYDOWN, SDLK_AUDIOPLAY), 0, ""},  // no key code
      {TextEvent("+\xC3\xA9"), 0, "KeyPress 0 0 0 0 43 0, KeyPress 0 0 0 0 233 0"},
  };
  const auto form = Form::Create("InputEventsForm", 200, 100);
  for (const auto& c : cases) {
    EXPECT_EQ(Describe(InputMessages(c.event, form, c.modifiers)), c.messages);
  }
  form->Unload();
}

}  // namespace
}  // namespace lumora::window::testing

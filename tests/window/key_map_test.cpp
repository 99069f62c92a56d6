// The window system's input values as the runtime's: key codes, Shift and
// button masks, KeyPress characters, and whole events as messages.
#include <gtest/gtest.h>

#include "platform/controls/control.hpp"
#include "platform/form/form.hpp"
#include "presenter_fixture.hpp"
#include "window/input_events.hpp"
#include "window/key_map.hpp"

namespace lumora::window::testing {
namespace {

TEST(KeyMap, KeysGetTheRuntimeCodes) {
  // The ends of each run of codes, and named keys from each part of the keyboard.
  const std::pair<SDL_Keycode, int16_t> keys[] = {
      {SDLK_a, 65},      {SDLK_z, 90},        {SDLK_0, 48},         {SDLK_9, 57},
      {SDLK_KP_0, 96},   {SDLK_KP_1, 97},     {SDLK_KP_9, 105},     {SDLK_F1, 112},
      {SDLK_F12, 123},   {SDLK_F13, 124},     {SDLK_F24, 135},      {SDLK_LEFT, 37},
      {SDLK_UP, 38},     {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},      {SDLK_PAGEUP, 33},
      {SDLK_HOME, 36},   {SDLK_TAB, 9},       {SDLK_RETURN, 13},    {SDLK_KP_ENTER, 13},
      {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32},    {SDLK_LSHIFT, 16},    {SDLK_RCTRL, 17},
      {SDLK_LALT, 18},   {SDLK_DELETE, 46},   {SDLK_EQUALS, 187},   {SDLK_PLUS, 187},
      {SDLK_MINUS, 189}, {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109}, {SDLK_AUDIOPLAY, 0},
  };
  for (const auto& [key, code] : keys) EXPECT_EQ(RuntimeKeyCode(key), code) << SDL_GetKeyName(key);
}

TEST(KeyMap, ModifiersAndButtonsBecomeMasks) {
  EXPECT_EQ(RuntimeShift(KMOD_NONE), 0);
  EXPECT_EQ(RuntimeShift(KMOD_LSHIFT), kShiftMask);
  EXPECT_EQ(RuntimeShift(KMOD_RCTRL), kCtrlMask);
  EXPECT_EQ(RuntimeShift(KMOD_LALT | KMOD_RSHIFT), kAltMask | kShiftMask);
  EXPECT_EQ(RuntimeShift(KMOD_NUM | KMOD_CAPS), 0);
  EXPECT_EQ(RuntimeButton(SDL_BUTTON_LEFT), kLeftButton);
  EXPECT_EQ(RuntimeButton(SDL_BUTTON_RIGHT), kRightButton);
  EXPECT_EQ(RuntimeButton(SDL_BUTTON_MIDDLE), kMiddleButton);
  EXPECT_EQ(RuntimeButton(SDL_BUTTON_X1), 0);
  EXPECT_EQ(RuntimeButtons(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK), kLeftButton | kRightButton);
  EXPECT_EQ(RuntimeButtons(SDL_BUTTON_MMASK | SDL_BUTTON_X2MASK), kMiddleButton);
}

TEST(KeyMap, TextInputGivesOneKeyPressPerCharacter) {
  EXPECT_EQ(KeyAsciiOf("+a0"), (std::vector<int16_t>{'+', 'a', '0'}));
  EXPECT_EQ(KeyAsciiOf("\xC3\xA9\xC2\xA0"),
            (std::vector<int16_t>{0xE9, 0xA0}));  // é, no-break space
  // Outside Latin-1, and malformed sequences: '?' each, nothing swallowed after.
  EXPECT_EQ(KeyAsciiOf("\xE2\x82\xAC!"), (std::vector<int16_t>{'?', '!'}));  // euro sign
  EXPECT_EQ(KeyAsciiOf("\xF0\x9F\x98\x80"), (std::vector<int16_t>{'?'}));    // emoji
  EXPECT_EQ(KeyAsciiOf("\xC3x"), (std::vector<int16_t>{'?', 'x'}));          // cut short
  EXPECT_EQ(KeyAsciiOf("\xFF"), (std::vector<int16_t>{'?'}));
  EXPECT_EQ(KeyAsciiOf("\xC0\xAB"), (std::vector<int16_t>{'?', '?'}));  // overlong '+'
  EXPECT_EQ(KeyAsciiOf("\xC2\x85"), (std::vector<int16_t>{'?'}));       // C1 control
  EXPECT_TRUE(KeyAsciiOf("").empty());
}

// A message as "kind x y button shift key delta", kinds by their order.
std::string Describe(const Message& m) {
  static const char* const kKinds[] = {"MouseDown", "MouseMove", "MouseUp", "DblClick",
                                       "Wheel",     "KeyDown",   "KeyUp",   "KeyPress"};
  const auto kind = static_cast<size_t>(m.kind);
  return std::string(kind < std::size(kKinds) ? kKinds[kind] : "?") + " " + std::to_string(m.x) +
         " " + std::to_string(m.y) + " " + std::to_string(m.button) + " " +
         std::to_string(m.shift) + " " + std::to_string(m.key) + " " + std::to_string(m.delta);
}

TEST(InputEvents, EventsBecomeTheRuntimesMessages) {
  const uint32_t down = SDL_MOUSEBUTTONDOWN;
  const uint32_t up = SDL_MOUSEBUTTONUP;
  const struct {
    const char* name;
    SDL_Event event;
    uint16_t modifiers;
    std::vector<std::string> messages;
  } cases[] = {
      {"press", ButtonEvent(down, 5, 6), KMOD_LSHIFT, {"MouseDown 5 6 1 1 0 0"}},
      {"second press", ButtonEvent(down, 0, 0, 2, SDL_BUTTON_RIGHT), 0, {"DblClick 0 0 2 0 0 0"}},
      {"third press", ButtonEvent(down, 0, 0, 3, SDL_BUTTON_RIGHT), 0, {"MouseDown 0 0 2 0 0 0"}},
      {"fourth press", ButtonEvent(down, 0, 0, 4, SDL_BUTTON_RIGHT), 0, {"DblClick 0 0 2 0 0 0"}},
      {"release", ButtonEvent(up, 7, 8, 2, SDL_BUTTON_MIDDLE), 0, {"MouseUp 7 8 4 0 0 0"}},
      {"a button without a mask", ButtonEvent(down, 0, 0, 1, SDL_BUTTON_X1), 0, {}},
      {"held outside",
       MotionEvent(-3, 40, SDL_BUTTON_LMASK | SDL_BUTTON_MMASK),
       KMOD_LCTRL,
       {"MouseMove -3 40 5 2 0 0"}},
      {"two notches towards the user", WheelEvent(-2), 0, {"Wheel 30 20 0 0 0 -240"}},
      {"flipped", WheelEvent(-2, SDL_MOUSEWHEEL_FLIPPED), 0, {"Wheel 30 20 0 0 0 240"}},
      {"a touchpad", WheelEvent(0.5f), 0, {"Wheel 30 20 0 0 0 60"}},
      {"sideways", WheelEvent(0), 0, {}},
      {"key down", KeyEvent(SDL_KEYDOWN, SDLK_RIGHT, KMOD_LSHIFT), 0, {"KeyDown 0 0 0 1 39 0"}},
      {"a key that types",
       KeyEvent(SDL_KEYDOWN, SDLK_RETURN),
       0,
       {"KeyDown 0 0 0 0 13 0", "KeyPress 0 0 0 0 13 0"}},
      {"key up", KeyEvent(SDL_KEYUP, SDLK_RETURN), 0, {"KeyUp 0 0 0 0 13 0"}},
      {"no key code", KeyEvent(SDL_KEYDOWN, SDLK_AUDIOPLAY), 0, {}},
      {"text", TextEvent("+\xC3\xA9"), 0, {"KeyPress 0 0 0 0 43 0", "KeyPress 0 0 0 0 233 0"}},
  };
  const auto form = Form::Create("InputEventsForm", 200, 100);
  for (const auto& c : cases) {
    std::vector<std::string> messages;
    for (const Message& m : InputMessages(c.event, form, c.modifiers)) {
      EXPECT_EQ(m.form.lock(), form);
      messages.push_back(Describe(m));
    }
    EXPECT_EQ(messages, c.messages) << c.name;
  }
  form->Unload();
}

}  // namespace
}  // namespace lumora::window::testing

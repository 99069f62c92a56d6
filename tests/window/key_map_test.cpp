// The window system's input values as the runtime's: key codes, Shift and
// button masks, KeyPress characters, pointer shapes, and whole events as
// messages.
#include <gtest/gtest.h>

#include "platform/controls/control.hpp"
#include "platform/form/form.hpp"
#include "window/input_events.hpp"
#include "window/key_map.hpp"
#include "window/pointer_shapes.hpp"

namespace lumora::window {
namespace {

TEST(KeyMap, KeysGetTheRuntimeCodes) {
  EXPECT_EQ(RuntimeKeyCode(SDLK_a), 65);
  EXPECT_EQ(RuntimeKeyCode(SDLK_z), 90);
  EXPECT_EQ(RuntimeKeyCode(SDLK_0), 48);
  EXPECT_EQ(RuntimeKeyCode(SDLK_9), 57);
  EXPECT_EQ(RuntimeKeyCode(SDLK_LEFT), kKeyLeft);
  EXPECT_EQ(RuntimeKeyCode(SDLK_UP), kKeyUp);
  EXPECT_EQ(RuntimeKeyCode(SDLK_RIGHT), kKeyRight);
  EXPECT_EQ(RuntimeKeyCode(SDLK_DOWN), kKeyDown);
  EXPECT_EQ(RuntimeKeyCode(SDLK_PAGEUP), kKeyPageUp);
  EXPECT_EQ(RuntimeKeyCode(SDLK_HOME), kKeyHome);
  EXPECT_EQ(RuntimeKeyCode(SDLK_TAB), kKeyTab);
  EXPECT_EQ(RuntimeKeyCode(SDLK_RETURN), kKeyReturn);
  EXPECT_EQ(RuntimeKeyCode(SDLK_KP_ENTER), kKeyReturn);
  EXPECT_EQ(RuntimeKeyCode(SDLK_ESCAPE), kKeyEscape);
  EXPECT_EQ(RuntimeKeyCode(SDLK_SPACE), kKeySpace);
  EXPECT_EQ(RuntimeKeyCode(SDLK_F1), 112);
  EXPECT_EQ(RuntimeKeyCode(SDLK_F12), 123);
  EXPECT_EQ(RuntimeKeyCode(SDLK_F13), 124);
  EXPECT_EQ(RuntimeKeyCode(SDLK_KP_0), 96);
  EXPECT_EQ(RuntimeKeyCode(SDLK_KP_9), 105);
  EXPECT_EQ(RuntimeKeyCode(SDLK_LSHIFT), 16);
  EXPECT_EQ(RuntimeKeyCode(SDLK_RCTRL), 17);
  EXPECT_EQ(RuntimeKeyCode(SDLK_LALT), 18);
  EXPECT_EQ(RuntimeKeyCode(SDLK_DELETE), 46);
  // + and - on the main keyboard and on the keypad.
  EXPECT_EQ(RuntimeKeyCode(SDLK_EQUALS), 187);
  EXPECT_EQ(RuntimeKeyCode(SDLK_PLUS), 187);
  EXPECT_EQ(RuntimeKeyCode(SDLK_MINUS), 189);
  EXPECT_EQ(RuntimeKeyCode(SDLK_KP_PLUS), 107);
  EXPECT_EQ(RuntimeKeyCode(SDLK_KP_MINUS), 109);
  EXPECT_EQ(RuntimeKeyCode(SDLK_AUDIOPLAY), 0);
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

TEST(KeyMap, KeysThatTypeWithoutTextInput) {
  EXPECT_EQ(ControlCharacter(SDLK_RETURN, KMOD_NONE), 13);
  EXPECT_EQ(ControlCharacter(SDLK_KP_ENTER, KMOD_NONE), 13);
  EXPECT_EQ(ControlCharacter(SDLK_BACKSPACE, KMOD_NONE), 8);
  EXPECT_EQ(ControlCharacter(SDLK_ESCAPE, KMOD_NONE), 27);
  EXPECT_EQ(ControlCharacter(SDLK_c, KMOD_LCTRL), 3);
  EXPECT_EQ(ControlCharacter(SDLK_z, KMOD_RCTRL | KMOD_SHIFT), 26);
  EXPECT_EQ(ControlCharacter(SDLK_c, KMOD_LCTRL | KMOD_RALT), 0);  // AltGr combinations type text
  EXPECT_EQ(ControlCharacter(SDLK_c, KMOD_NONE), 0);               // comes as text input
  EXPECT_EQ(ControlCharacter(SDLK_LEFT, KMOD_NONE), 0);
}

TEST(PointerShapes, ShapesMapToTheClosestSystemCursor) {
  EXPECT_EQ(SystemCursorFor(kPointerDefault), SDL_SYSTEM_CURSOR_ARROW);
  EXPECT_EQ(SystemCursorFor(kPointerArrow), SDL_SYSTEM_CURSOR_ARROW);
  EXPECT_EQ(SystemCursorFor(kPointerCross), SDL_SYSTEM_CURSOR_CROSSHAIR);
  EXPECT_EQ(SystemCursorFor(kPointerIBeam), SDL_SYSTEM_CURSOR_IBEAM);
  EXPECT_EQ(SystemCursorFor(kPointerSizeNESW), SDL_SYSTEM_CURSOR_SIZENESW);
  EXPECT_EQ(SystemCursorFor(kPointerSizeNS), SDL_SYSTEM_CURSOR_SIZENS);
  EXPECT_EQ(SystemCursorFor(kPointerSizeNWSE), SDL_SYSTEM_CURSOR_SIZENWSE);
  EXPECT_EQ(SystemCursorFor(kPointerSizeWE), SDL_SYSTEM_CURSOR_SIZEWE);
  EXPECT_EQ(SystemCursorFor(kPointerSizeAll), SDL_SYSTEM_CURSOR_SIZEALL);
  EXPECT_EQ(SystemCursorFor(kPointerHourglass), SDL_SYSTEM_CURSOR_WAIT);
  EXPECT_EQ(SystemCursorFor(kPointerArrowHourglass), SDL_SYSTEM_CURSOR_WAITARROW);
  EXPECT_EQ(SystemCursorFor(kPointerNoDrop), SDL_SYSTEM_CURSOR_NO);
  EXPECT_EQ(SystemCursorFor(kPointerCustom), SDL_SYSTEM_CURSOR_ARROW);
}

class InputEvents : public ::testing::Test {
 protected:
  ~InputEvents() override { form->Unload(); }

  static SDL_Event Button(uint32_t type, uint8_t button, int x, int y, uint8_t clicks = 1) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
  }
  static SDL_Event Key(uint32_t type, SDL_Keycode key, uint16_t mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    return e;
  }

  std::shared_ptr<Form> form = Form::Create("InputEventsForm", 200, 100);
};

TEST_F(InputEvents, PressesAlternateBetweenDownAndDoubleClick) {
  const auto down =
      InputMessages(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 6), form, KMOD_LSHIFT);
  ASSERT_EQ(down.size(), 1u);
  EXPECT_EQ(down[0].kind, MessageKind::MouseDown);
  EXPECT_EQ(down[0].form.lock(), form);
  EXPECT_EQ(down[0].x, 5);
  EXPECT_EQ(down[0].y, 6);
  EXPECT_EQ(down[0].button, kLeftButton);
  EXPECT_EQ(down[0].shift, kShiftMask);
  const auto kinds = [&](uint8_t clicks) {
    return InputMessages(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 0, 0, clicks), form, 0)
        .at(0)
        .kind;
  };
  EXPECT_EQ(kinds(2), MessageKind::DblClick);
  EXPECT_EQ(kinds(3), MessageKind::MouseDown);
  EXPECT_EQ(kinds(4), MessageKind::DblClick);
  const auto up = InputMessages(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 7, 8, 2), form, 0);
  ASSERT_EQ(up.size(), 1u);
  EXPECT_EQ(up[0].kind, MessageKind::MouseUp);
  EXPECT_EQ(up[0].button, kMiddleButton);
  // Buttons the runtime has no mask for give nothing.
  EXPECT_TRUE(InputMessages(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 0, 0), form, 0).empty());
}

TEST_F(InputEvents, MotionCarriesTheHeldButtons) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = -3;  // outside the window while the button is held
  e.motion.y = 40;
  e.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_MMASK;
  const auto m = InputMessages(e, form, KMOD_LCTRL);
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].kind, MessageKind::MouseMove);
  EXPECT_EQ(m[0].x, -3);
  EXPECT_EQ(m[0].y, 40);
  EXPECT_EQ(m[0].button, kLeftButton | kMiddleButton);
  EXPECT_EQ(m[0].shift, kCtrlMask);
}

TEST_F(InputEvents, WheelNotchesAre120AwayFromTheUser) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = -2;
  e.wheel.preciseY = -2.0f;
  e.wheel.mouseX = 30;
  e.wheel.mouseY = 20;
  auto m = InputMessages(e, form, 0);
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].kind, MessageKind::Wheel);
  EXPECT_EQ(m[0].delta, -240);
  EXPECT_EQ(m[0].x, 30);
  EXPECT_EQ(m[0].y, 20);
  e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  EXPECT_EQ(InputMessages(e, form, 0).at(0).delta, 240);
  e.wheel.preciseY = 0.5f;  // a fine-grained touchpad
  e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  EXPECT_EQ(InputMessages(e, form, 0).at(0).delta, 60);
  e.wheel.preciseY = 0;  // sideways only
  EXPECT_TRUE(InputMessages(e, form, 0).empty());
}

TEST_F(InputEvents, KeysGiveKeyDownKeyUpAndTheirCharacters) {
  auto m = InputMessages(Key(SDL_KEYDOWN, SDLK_RIGHT, KMOD_LSHIFT), form, 0);
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].kind, MessageKind::KeyDown);
  EXPECT_EQ(m[0].key, kKeyRight);
  EXPECT_EQ(m[0].shift, kShiftMask);
  m = InputMessages(Key(SDL_KEYDOWN, SDLK_RETURN), form, 0);
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[1].kind, MessageKind::KeyPress);
  EXPECT_EQ(m[1].key, 13);
  m = InputMessages(Key(SDL_KEYUP, SDLK_RETURN), form, 0);
  ASSERT_EQ(m.size(), 1u);  // no character on the way up
  EXPECT_EQ(m[0].kind, MessageKind::KeyUp);
  EXPECT_TRUE(InputMessages(Key(SDL_KEYDOWN, SDLK_AUDIOPLAY), form, 0).empty());

  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  std::snprintf(text.text.text, sizeof text.text.text, "%s", "+\xC3\xA9");
  m = InputMessages(text, form, 0);
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].kind, MessageKind::KeyPress);
  EXPECT_EQ(m[0].key, '+');
  EXPECT_EQ(m[1].key, 0xE9);
}

}  // namespace
}  // namespace lumora::window

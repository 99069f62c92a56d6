// Input a script injects into a form, in pixels of its client area. Each call
// is dispatched at once, as if the host's main loop picked it up, and returns
// when its handlers return (a held-button loop runs inside it).
#include <memory>
#include <vector>

#include "host/lua/lua_form.hpp"
#include "host/lua/lua_state.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"

namespace lumora::host {

namespace {

constexpr int32_t kFar = 1000000;

// A failure escaping a handler is recorded on Err, as the main loop does.
void Deliver(Form& form, const Message& message) {
  Step([&] {
    if (form.IsLoaded()) form.Dispatch(message);
  });
}

// Messages that arrive together (a click's press and release): the first is
// dispatched at once while the others wait in the queue, so a handler that
// yields receives them at its first yield; those no handler took are then
// dispatched in order.
void DeliverTogether(Form& form, std::vector<Message> messages) {
  std::vector<std::shared_ptr<bool>> taken;
  for (size_t i = 1; i < messages.size(); ++i) {
    auto flag = std::make_shared<bool>(false);
    taken.push_back(flag);
    Post([flag, message = messages[i]] {
      if (*flag) return;
      *flag = true;
      if (auto target = message.form.lock(); target && target->IsLoaded())
        target->Dispatch(message);
    });
  }
  Deliver(form, messages[0]);
  for (size_t i = 1; i < messages.size(); ++i) {
    if (*taken[i - 1]) continue;
    *taken[i - 1] = true;
    Deliver(form, messages[i]);
  }
}

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

// Arguments (x, y) at index, index + 1.
Point PointArgs(lua_State* L, int index, const char* function) {
  return {ArgInt32(L, index, -kFar, kFar, function, "argument 1 (x)"),
          ArgInt32(L, index + 1, -kFar, kFar, function, "argument 2 (y)")};
}

// The centre of the visible part of the control named at index.
Point CentreOf(lua_State* L, int index, Form& form, const char* function) {
  std::string path;
  const Control& control = ControlArg(L, index, form, function, path);
  const PixelRect r = control.VisibleFormRect();
  if (r.width <= 0 || r.height <= 0 || !control.IsEffectivelyVisible())
    throw ScriptError(std::string(function) + ": " + path + " is not visible on " + form.Name());
  return {r.left + r.width / 2, r.top + r.height / 2};
}

int16_t Button(lua_State* L, int index, int16_t fallback, const char* function) {
  return static_cast<int16_t>(OptInt32(L, index, fallback, -1, 7, function, "button"));
}

int16_t Shift(lua_State* L, int index, const char* function) {
  return static_cast<int16_t>(OptInt32(L, index, 0, 0, 7, function, "shift"));
}

Message Mouse(MessageKind kind, Form& form, Point p, int16_t button, int16_t shift) {
  return Message::Mouse(kind, SharedForm(form), p.x, p.y, button, shift);
}

template <MessageKind Kind, int16_t DefaultButton>
int PointerAt(lua_State* L) {
  static constexpr const char* kName = Kind == MessageKind::MouseDown   ? "form:mouse_down"
                                       : Kind == MessageKind::MouseMove ? "form:mouse_move"
                                                                        : "form:mouse_up";
  Form& form = CheckForm(L, 1, kName);
  const Point p = PointArgs(L, 2, kName);
  Deliver(form, Mouse(Kind, form, p, Button(L, 4, DefaultButton, kName), Shift(L, 5, kName)));
  return 0;
}

template <MessageKind Kind, int16_t DefaultButton>
int PointerOn(lua_State* L) {
  static constexpr const char* kName = Kind == MessageKind::MouseDown   ? "form:mouse_down_on"
                                       : Kind == MessageKind::MouseMove ? "form:mouse_move_on"
                                                                        : "form:mouse_up_on";
  Form& form = CheckForm(L, 1, kName);
  const Point p = CentreOf(L, 2, form, kName);
  Deliver(form, Mouse(Kind, form, p, Button(L, 3, DefaultButton, kName), Shift(L, 4, kName)));
  return 0;
}

void Click(Form& form, Point p, int16_t button, int16_t shift, bool twice) {
  std::vector<Message> messages{Mouse(MessageKind::MouseDown, form, p, button, shift),
                                Mouse(MessageKind::MouseUp, form, p, button, shift)};
  if (twice) {
    messages.push_back(Mouse(MessageKind::DblClick, form, p, button, shift));
    messages.push_back(Mouse(MessageKind::MouseUp, form, p, button, shift));
  }
  DeliverTogether(form, std::move(messages));
}

template <bool Twice>
int ClickAt(lua_State* L) {
  static constexpr const char* kName = Twice ? "form:dbl_click" : "form:click";
  Form& form = CheckForm(L, 1, kName);
  const Point p = PointArgs(L, 2, kName);
  Click(form, p, Button(L, 4, kLeftButton, kName), Shift(L, 5, kName), Twice);
  return 0;
}

template <bool Twice>
int ClickOn(lua_State* L) {
  static constexpr const char* kName = Twice ? "form:dbl_click_on" : "form:click_on";
  Form& form = CheckForm(L, 1, kName);
  const Point p = CentreOf(L, 2, form, kName);
  Click(form, p, Button(L, 3, kLeftButton, kName), Shift(L, 4, kName), Twice);
  return 0;
}

template <MessageKind Kind>
int Key(lua_State* L) {
  static constexpr const char* kName = Kind == MessageKind::KeyDown ? "form:key_down"
                                       : Kind == MessageKind::KeyUp ? "form:key_up"
                                                                    : "form:key_press";
  Form& form = CheckForm(L, 1, kName);
  const auto key = static_cast<int16_t>(ArgInt32(L, 2, 0, 32767, kName, "argument 1 (key)"));
  const int16_t shift = Kind == MessageKind::KeyPress ? int16_t{0} : Shift(L, 3, kName);
  Deliver(form, Message::Key(Kind, SharedForm(form), key, shift));
  return 0;
}

// form:bounds(path): left, top, width and height of a control in form pixels,
// for aiming input at a part of it.
int Bounds(lua_State* L) {
  Form& form = CheckForm(L, 1, "form:bounds");
  std::string path;
  const PixelRect r = ControlArg(L, 2, form, "form:bounds", path).FormRect();
  lua_pushinteger(L, r.left);
  lua_pushinteger(L, r.top);
  lua_pushinteger(L, r.width);
  lua_pushinteger(L, r.height);
  return 4;
}

}  // namespace

void AddInputMethods(lua_State* L, int methods) {
  static const luaL_Reg input[] = {
      {"mouse_down", Guarded<PointerAt<MessageKind::MouseDown, kLeftButton>>},
      {"mouse_move", Guarded<PointerAt<MessageKind::MouseMove, -1>>},
      {"mouse_up", Guarded<PointerAt<MessageKind::MouseUp, kLeftButton>>},
      {"mouse_down_on", Guarded<PointerOn<MessageKind::MouseDown, kLeftButton>>},
      {"mouse_move_on", Guarded<PointerOn<MessageKind::MouseMove, -1>>},
      {"mouse_up_on", Guarded<PointerOn<MessageKind::MouseUp, kLeftButton>>},
      {"click", Guarded<ClickAt<false>>},
      {"dbl_click", Guarded<ClickAt<true>>},
      {"click_on", Guarded<ClickOn<false>>},
      {"dbl_click_on", Guarded<ClickOn<true>>},
      {"key_down", Guarded<Key<MessageKind::KeyDown>>},
      {"key_up", Guarded<Key<MessageKind::KeyUp>>},
      {"key_press", Guarded<Key<MessageKind::KeyPress>>},
      {"bounds", Guarded<Bounds>},
      {nullptr, nullptr},
  };
  for (const luaL_Reg* r = input; r->name; ++r) {
    lua_pushcfunction(L, r->func);
    lua_setfield(L, methods, r->name);
  }
}

}  // namespace lumora::host

// The thread's message queue. Input (pointer, keys, focus, resize) and posted
// calls wait here until the thread yields: DoEvents dispatches what was
// pending when it was called and returns. It is re-entrant: a handler may
// call DoEvents again, and the inner call dispatches the messages after the
// one being handled. Messages can also be scheduled to become pending after a
// number of yields, which makes yielding loops deterministic to test.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace lumora {

class Form;

enum class MessageKind {
  MouseDown,  // x, y, button, shift
  MouseMove,  // x, y, button (held buttons), shift
  MouseUp,    // x, y, button, shift
  DblClick,   // x, y, button, shift: the second press of a double-click
  Wheel,      // x, y, delta (positive away from the user), shift
  KeyDown,    // key (key code), shift
  KeyUp,      // key (key code), shift
  KeyPress,   // key (character code)
  FocusIn,    // the form's window got the input focus
  FocusOut,   // the form's window lost the input focus
  Resize,     // x, y: the new client size in pixels
  Call,       // call: any callback
};

// One message. Positions are in pixels of the target form's client area.
struct Message {
  MessageKind kind = MessageKind::Call;
  std::weak_ptr<Form> form;
  int32_t x = 0;
  int32_t y = 0;
  int16_t button = 0;
  int16_t shift = 0;
  int16_t key = 0;
  int32_t delta = 0;
  std::function<void()> call;

  static Message Mouse(MessageKind kind, const std::shared_ptr<Form>& form, int32_t x, int32_t y,
                       int16_t button = 0, int16_t shift = 0);
  static Message Key(MessageKind kind, const std::shared_ptr<Form>& form, int16_t key,
                     int16_t shift = 0);
  static Message Wheel(const std::shared_ptr<Form>& form, int32_t x, int32_t y, int32_t delta,
                       int16_t shift = 0);
  static Message Focus(bool in, const std::shared_ptr<Form>& form);
  static Message Resize(const std::shared_ptr<Form>& form, int32_t width, int32_t height);
  static Message Call(std::function<void()> call);
};

// Appends a message to the pending ones.
void Post(Message message);
void Post(std::function<void()> call);
// Makes the message pending after `yields` more yields (calls of DoEvents):
// it is handled inside the yields-th DoEvents from now. 0 posts it at once.
void ScheduleAfterYields(int32_t yields, Message message);
void ScheduleAfterYields(int32_t yields, std::function<void()> call);

// Yields: lets the presenter move its input into the queue, promotes
// scheduled messages that are due, then dispatches the messages pending at
// that point (not those posted while it runs) and returns how many it
// dispatched. A failure escaping a handler is recorded on Err and the
// dispatching goes on.
int32_t DoEvents();

size_t PendingCount();
size_t ScheduledCount();
// How many times DoEvents has been called on this thread.
int64_t YieldCount();
// Drops every pending and scheduled message (tests, and a closing host).
void ClearMessages();

// A window presenter plugs in here to turn real input into messages.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // Moves whatever input arrived into the queue; never blocks.
  virtual void Poll() = 0;
  // Blocks until input arrives (then Poll moves it); false if no more input
  // can ever come (the window was closed).
  virtual bool Wait() = 0;
};
// Installs the thread's pump (null: none) and returns the previous one.
MessagePump* SetMessagePump(MessagePump* pump);
MessagePump* CurrentMessagePump();

// Runs DoEvents until done() is true. When nothing is pending or scheduled
// it waits on the pump; with no pump it fails with error 5 and a description
// naming what it waited for, since nothing could ever make done() true.
void RunMessageLoop(const std::function<bool()>& done, const char* waitingFor);

}  // namespace lumora

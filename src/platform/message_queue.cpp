#include "platform/message_queue.hpp"

#include <deque>
#include <new>
#include <string>
#include <vector>

#include "platform/errors.hpp"
#include "platform/form/form.hpp"

namespace lumora {

namespace {

struct PendingMessage {
  uint64_t sequence;
  Message message;
};

struct ScheduledMessage {
  int32_t yieldsLeft;
  Message message;
};

struct Queue {
  std::deque<PendingMessage> pending;
  std::vector<ScheduledMessage> scheduled;
  uint64_t nextSequence = 1;
  int64_t yields = 0;
  MessagePump* pump = nullptr;
};

// Built after the forms' registry (touched first): pending messages may hold
// forms, and at thread exit they must go while everything a form uses is
// still there.
Queue& MakeQueue() {
  Forms();
  thread_local Queue queue;
  return queue;
}

Queue& TheQueue() {
  thread_local Queue& queue = MakeQueue();
  return queue;
}

void Enqueue(Message message) {
  TheQueue().pending.push_back({TheQueue().nextSequence++, std::move(message)});
}

void DispatchOne(const Message& message) {
  try {
    if (message.kind == MessageKind::Call) {
      if (message.call) message.call();
      return;
    }
    if (auto form = message.form.lock(); form && form->IsLoaded()) form->Dispatch(message);
  } catch (const Failure& failure) {
    Err().Record(failure);
  } catch (const std::bad_alloc&) {
    Err().Record(Failure(kErrOutOfMemory, DefaultDescription(kErrOutOfMemory)));
  }
}

}  // namespace

Message Message::Mouse(MessageKind kind, const std::shared_ptr<Form>& form, int32_t x, int32_t y,
                       int16_t button, int16_t shift) {
  Message m;
  m.kind = kind;
  m.form = form;
  m.x = x;
  m.y = y;
  m.button = button;
  m.shift = shift;
  return m;
}

Message Message::Key(MessageKind kind, const std::shared_ptr<Form>& form, int16_t key,
                     int16_t shift) {
  Message m;
  m.kind = kind;
  m.form = form;
  m.key = key;
  m.shift = shift;
  return m;
}

Message Message::Wheel(const std::shared_ptr<Form>& form, int32_t x, int32_t y, int32_t delta,
                       int16_t shift) {
  Message m = Mouse(MessageKind::Wheel, form, x, y, 0, shift);
  m.delta = delta;
  return m;
}

Message Message::Focus(bool in, const std::shared_ptr<Form>& form) {
  Message m;
  m.kind = in ? MessageKind::FocusIn : MessageKind::FocusOut;
  m.form = form;
  return m;
}

Message Message::Resize(const std::shared_ptr<Form>& form, int32_t width, int32_t height) {
  Message m;
  m.kind = MessageKind::Resize;
  m.form = form;
  m.x = width;
  m.y = height;
  return m;
}

Message Message::Call(std::function<void()> call) {
  Message m;
  m.kind = MessageKind::Call;
  m.call = std::move(call);
  return m;
}

void Post(Message message) {
  Enqueue(std::move(message));
}

void Post(std::function<void()> call) {
  Enqueue(Message::Call(std::move(call)));
}

void ScheduleAfterYields(int32_t yields, Message message) {
  if (yields < 0) Fail(kErrInvalidCall);
  if (yields == 0) {
    Enqueue(std::move(message));
    return;
  }
  TheQueue().scheduled.push_back({yields, std::move(message)});
}

void ScheduleAfterYields(int32_t yields, std::function<void()> call) {
  ScheduleAfterYields(yields, Message::Call(std::move(call)));
}

int32_t DoEvents() {
  ++TheQueue().yields;
  if (TheQueue().pump) TheQueue().pump->Poll();
  // Promote what is due, in the order it was scheduled.
  std::vector<ScheduledMessage> due;
  for (auto it = TheQueue().scheduled.begin(); it != TheQueue().scheduled.end();) {
    if (--it->yieldsLeft <= 0) {
      due.push_back(std::move(*it));
      it = TheQueue().scheduled.erase(it);
    } else {
      ++it;
    }
  }
  for (ScheduledMessage& s : due) Enqueue(std::move(s.message));
  // Dispatch what is pending now; an inner DoEvents (from a handler) takes
  // the following messages itself, so each is handled exactly once.
  const uint64_t last = TheQueue().nextSequence - 1;
  int32_t count = 0;
  while (!TheQueue().pending.empty() && TheQueue().pending.front().sequence <= last) {
    Message message = std::move(TheQueue().pending.front().message);
    TheQueue().pending.pop_front();
    DispatchOne(message);
    ++count;
  }
  return count;
}

size_t PendingCount() {
  return TheQueue().pending.size();
}

size_t ScheduledCount() {
  return TheQueue().scheduled.size();
}

int64_t YieldCount() {
  return TheQueue().yields;
}

void ClearMessages() {
  TheQueue().pending.clear();
  TheQueue().scheduled.clear();
}

MessagePump* SetMessagePump(MessagePump* pump) {
  MessagePump* previous = TheQueue().pump;
  TheQueue().pump = pump;
  return previous;
}

MessagePump* CurrentMessagePump() {
  return TheQueue().pump;
}

void RunMessageLoop(const std::function<bool()>& done, const char* waitingFor) {
  while (!done()) {
    DoEvents();
    if (done()) return;
    if (!TheQueue().pending.empty() || !TheQueue().scheduled.empty()) continue;
    if (!TheQueue().pump)
      Fail(kErrInvalidCall, std::string("Waiting for ") + waitingFor +
                                " with no message pending or scheduled and no window presenter: "
                                "it could never happen");
    if (!TheQueue().pump->Wait())
      Fail(kErrInvalidCall,
           std::string("Waiting for ") + waitingFor + ", but the window presenter has closed");
  }
}

}  // namespace lumora

// Blocking until the window system or another thread has something for the
// presenter, without SDL's own blocking wait on X11: that wait wakes itself by
// sending its window a client message over a second connection, and when the
// window is destroyed just after, the server can see the message second and
// the program dies of an X error. Here the presenter's thread polls the X
// connection itself, with a wake-up descriptor beside it for other threads;
// other video drivers keep SDL's wait, a few milliseconds at a time.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <mutex>
#include <vector>

namespace lumora::window {

// Codes handed over from any thread, and a descriptor that is readable while
// there are some.
class WakeQueue {
 public:
  static WakeQueue& Instance();
  void Push(int32_t code);
  std::vector<int32_t> Take();
  int Descriptor() const { return m_EventFd; }

 private:
  WakeQueue();
  ~WakeQueue();

  std::mutex m_Mutex;
  std::vector<int32_t> m_Codes;
  int m_EventFd = -1;
};

// Sleeps until window holds input to read or WakeQueue has codes. Call only
// after SDL_PollEvent found nothing, so nothing waits unread in Xlib's queue.
void SleepUntilEvent(SDL_Window* window);

}  // namespace lumora::window

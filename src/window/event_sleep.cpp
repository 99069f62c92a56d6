#include "window/event_sleep.hpp"

#include <SDL_syswm.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <utility>

namespace lumora::window {

namespace {

// How long a wait blocks in SDL (drivers other than X11) before looking at
// the wake queue again.
constexpr int kWakePollMs = 10;

// The X connection's descriptor, or -1 when the window is not on X11.
int XConnection(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE) return -1;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (info.subsystem == SDL_SYSWM_X11) return ConnectionNumber(info.info.x11.display);
#endif
  return -1;
}

}  // namespace

WakeQueue& WakeQueue::Instance() {
  static WakeQueue queue;
  return queue;
}

WakeQueue::WakeQueue() : m_EventFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeQueue::~WakeQueue() {
  if (m_EventFd >= 0) close(m_EventFd);
}

void WakeQueue::Push(int32_t code) {
  const std::lock_guard lock(m_Mutex);
  m_Codes.push_back(code);
  if (m_EventFd >= 0) {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(m_EventFd, &one, sizeof one);
  }
}

std::vector<int32_t> WakeQueue::Take() {
  const std::lock_guard lock(m_Mutex);
  if (m_EventFd >= 0) {
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t n = read(m_EventFd, &count, sizeof count);
  }
  return std::exchange(m_Codes, {});
}

void SleepUntilEvent(SDL_Window* window) {
  WakeQueue& wakes = WakeQueue::Instance();
  const int x = XConnection(window);
  if (x < 0 || wakes.Descriptor() < 0) {
    SDL_WaitEventTimeout(nullptr, kWakePollMs);
    return;
  }
  pollfd fds[] = {{x, POLLIN, 0}, {wakes.Descriptor(), POLLIN, 0}};
  poll(fds, 2, -1);
}

}  // namespace lumora::window

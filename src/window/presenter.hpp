// The window presenter: every shown form gets a window whose pixels are the
// runtime renderer's frame, and real input becomes the runtime's messages.
// It installs itself as the thread's message pump, so DoEvents (and every
// loop that yields) also reads the window system's events and redraws what
// changed. It holds no behaviour: what a message does is the runtime's affair.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/message_queue.hpp"
#include "window/form_window.hpp"
#include "window/pointer_shapes.hpp"
#include "window/sdl_handles.hpp"

namespace lumora::window {

class Presenter final : public MessagePump {
 public:
  // Starts SDL's video (std::runtime_error when there is no display) and
  // becomes the thread's message pump.
  Presenter();
  // Closes every window and puts the previous pump back.
  ~Presenter() override;
  Presenter(const Presenter&) = delete;
  Presenter& operator=(const Presenter&) = delete;

  // How the window of form opens when it is first shown (default: a fixed
  // size, centred).
  void SetWindowOptions(const Form& form, const WindowOptions& options);
  // Called, as a message after the Resize message, when a window the user
  // resized has given the form its new size (a host lays its form out here).
  void OnResized(std::function<void(Form&)> handler) { m_OnResized = std::move(handler); }
  // Called, as a message, for each Wake(code) from any thread.
  void OnWake(std::function<void(int32_t)> handler) { m_OnWake = std::move(handler); }
  // Thread-safe: wakes the presenter's thread (within a few milliseconds),
  // which then runs the OnWake handler with code. Not async-signal-safe.
  static void Wake(int32_t code);

  // MessagePump: redraws what changed, then moves the waiting input into the
  // queue (never blocks).
  void Poll() override;
  // Redraws what changed, then blocks until an event arrives and queues its
  // messages; false when no window is open (no input can come).
  bool Wait() override;

  // Opens windows for newly shown forms, closes those of hidden or unloaded
  // ones and follows captions and sizes set by the program.
  void Sync();
  // Syncs, then redraws each window whose frame changed and shows the
  // pointer the runtime asks for.
  void Present();
  // The window of a form, or null while it has none.
  FormWindow* WindowOf(const Form& form);
  size_t WindowCount() const { return m_Windows.size(); }
  // The pointer last shown over a window.
  const ShownPointer& PointerShown() const { return m_Pointer.Current(); }
  // Handles one event as if SDL had just delivered it (Poll and Wait use it;
  // tests and benchmarks feed synthetic events through it too).
  void Handle(const SDL_Event& event);

 private:
  // Posts the OnWake handler for each code Wake queued; true if there were any.
  bool TakeWakes();
  // A form whose window could not be opened or drawn is reported once and
  // left without a window until it is shown again.
  bool IsUnshowable(const Form& form) const;
  void GiveUp(Form& form, const char* reason);
  void HandleWindowEvent(FormWindow& window, const SDL_WindowEvent& event);
  FormWindow* WindowById(uint32_t id);
  bool InputBlocked(const FormWindow& window) const;
  // Shows the pointer the runtime asks for where the pointer last was.
  void ShowPointer();
  void TrackPointer(const SDL_Event& event);

  SdlVideo m_Video;
  MessagePump* m_PreviousPump = nullptr;
  std::vector<std::unique_ptr<FormWindow>> m_Windows;
  std::vector<std::weak_ptr<Form>> m_Unshowable;
  std::map<const Form*, WindowOptions> m_Options;
  PointerShapes m_Pointer;
  uint32_t m_PointerWindow = 0;  // the window the pointer is over (0: none)
  int32_t m_PointerX = 0;
  int32_t m_PointerY = 0;
  std::function<void(Form&)> m_OnResized;
  std::function<void(int32_t)> m_OnWake;
  // Messages this presenter posted check it before reaching back into it.
  std::shared_ptr<bool> m_Alive = std::make_shared<bool>(true);
};

}  // namespace lumora::window

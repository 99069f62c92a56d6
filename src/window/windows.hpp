// Windows for forms. While a Windows object lives, every form the thread
// shows gets a window that shows the runtime renderer's frames, and the
// user's input in it reaches the form as the runtime's messages: DoEvents
// and every loop that yields read it. Closing a window unloads its form.
// The windows only show and translate; what input does is the runtime's.
//
//   lumora::Windows windows;                  // fails without a display
//   windows.Show(*form, {.resizable = true});
//   windows.Run();                            // until the last window closes
//
// One Windows per thread, on the thread that owns the forms (the program's
// main thread). Link OrvaneLumora::Window (pkg-config: orvane-lumora-window).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace lumora {

class Form;
class Windows;

namespace window {
class Presenter;
// The presenter behind a Windows object (the program's measurements and
// the tests feed it synthetic window-system events).
Presenter& PresenterOf(Windows& windows);
}  // namespace window

struct WindowOptions {
  // Whether the user may resize the window (the form then gets a Resize).
  bool resizable = false;
  // Where the window's client area opens, in screen pixels; unset: centred.
  std::optional<int32_t> left = std::nullopt;
  std::optional<int32_t> top = std::nullopt;
};

class Windows {
 public:
  // Whether windows could open at all: a display is named in the
  // environment (DISPLAY, WAYLAND_DISPLAY) or SDL_VIDEODRIVER names a driver.
  static bool DisplayAvailable();

  // Opens the display and takes over the thread's message pump. Fails with
  // Failure (error 5) saying why: no display, or windows already open on
  // this thread. Text is measured with the renderer's font from then on.
  Windows();
  // Closes every window and gives the pump back; the forms stay loaded.
  ~Windows();
  Windows(const Windows&) = delete;
  Windows& operator=(const Windows&) = delete;

  // How form's window opens when the form is next shown (default: fixed
  // size, centred).
  void SetOptions(const Form& form, const WindowOptions& options);
  // Shows form modeless and opens its window now. A window that cannot open
  // is reported on stderr and the form goes on without one.
  void Show(Form& form, const WindowOptions& options = {});
  // Runs the message loop until no window is open any more (the user closed
  // them, or the program hid or unloaded their forms).
  void Run();
  // Redraws now every window whose frame changed (each yield does it too).
  void Present();
  size_t WindowCount() const;

  // Called, as a message after the Resize message, when a window the user
  // resized has given its form the new size: lay the form out here.
  void OnResized(std::function<void(Form&)> handler);
  // Called, as a message, for each Wake(code), after the input that reached
  // the windows before that Wake.
  void OnWake(std::function<void(int32_t)> handler);
  // Thread-safe (not async-signal-safe): wakes the windows' thread within
  // a few milliseconds, which then runs the OnWake handler with code.
  static void Wake(int32_t code);

 private:
  friend window::Presenter& window::PresenterOf(Windows& windows);
  std::unique_ptr<window::Presenter> m_Presenter;
};

}  // namespace lumora

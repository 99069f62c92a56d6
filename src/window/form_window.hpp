// One shown form's window: an SDL window whose surface receives the runtime
// renderer's frame. The window only shows the frame; it redraws when the
// frame differs from the one on screen. Frames are drawn in software, so
// they go to the window system's own framebuffer (shared memory on X11)
// rather than through a GPU texture, which measured several times faster.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/raster.hpp"
#include "window/sdl_handles.hpp"
#include "window/windows.hpp"

namespace lumora {
class Form;
}

namespace lumora::window {

class FormWindow {
 public:
  // Opens a window whose client area is the form's; fails with
  // std::runtime_error naming SDL's reason.
  FormWindow(const std::shared_ptr<Form>& form, const WindowOptions& options);

  // Null once the form is gone.
  std::shared_ptr<Form> GetForm() const { return m_Form.lock(); }
  uint32_t Id() const { return m_Id; }
  SDL_Window* Window() const { return m_Window.get(); }

  // Renders the form and shows the frame when it differs from the one on
  // screen, or always when force is set or the window asked to be redrawn.
  // Returns whether it drew.
  bool Present(bool force = false);
  // The frame on screen (the last one Present drew).
  const Raster& Shown() const { return m_Shown; }
  // The window's pixels as its surface holds them (for tests).
  Raster ReadBack() const;
  // How many frames Present has drawn.
  int64_t PresentCount() const { return m_PresentCount; }
  // The window needs drawing again (it was exposed or resized).
  void Invalidate() { m_Invalid = true; }

  // Follows changes the program made: the caption as the title, a new
  // client size as the window's size (unless a size the user chose is on its
  // way to the form).
  void FollowForm();
  // The user resized the window; a Resize message is on its way to the form.
  void UserResized();
  // That size reached the form.
  void ResizeDelivered() {
    if (m_ResizesInFlight > 0) --m_ResizesInFlight;
  }
  // The window moved on screen: the form learns where its client area is.
  void Moved();

 private:
  std::weak_ptr<Form> m_Form;
  int32_t m_FormWidth;  // the form's size when last looked at
  int32_t m_FormHeight;
  WindowHandle m_Window;
  uint32_t m_Id = 0;
  Raster m_Shown;
  Raster m_Next;
  bool m_Invalid = true;
  int32_t m_ResizesInFlight = 0;
  int64_t m_PresentCount = 0;
  std::string m_Title;
};

}  // namespace lumora::window

#include "window/form_window.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/form/form.hpp"
#include "platform/render/render_form.hpp"

namespace lumora::window {

namespace {

[[noreturn]] void SdlFailed(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

std::string TitleOf(const Form& form) {
  return form.Caption().empty() ? form.Name() : form.Caption();
}

}  // namespace

FormWindow::FormWindow(const std::shared_ptr<Form>& form, const WindowOptions& options)
    : m_Form(form),
      m_FormWidth(form->ClientWidth()),
      m_FormHeight(form->ClientHeight()),
      m_Title(TitleOf(*form)) {
  const uint32_t flags = options.resizable ? SDL_WINDOW_RESIZABLE : 0;
  m_Window.reset(SDL_CreateWindow(m_Title.c_str(), options.left.value_or(SDL_WINDOWPOS_CENTERED),
                                  options.top.value_or(SDL_WINDOWPOS_CENTERED),
                                  std::max(1, form->ClientWidth()),
                                  std::max(1, form->ClientHeight()), flags));
  if (!m_Window) SdlFailed("cannot open a window");
  m_Id = SDL_GetWindowID(m_Window.get());
  Moved();
}

bool FormWindow::Present(bool force) {
  const std::shared_ptr<Form> form = m_Form.lock();
  if (!form) return false;
  RenderFormInto(*form, m_Next);
  if (!force && !m_Invalid && m_Next == m_Shown) return false;
  // The surface follows the window's size (and is remade after a resize).
  SDL_Surface* surface = SDL_GetWindowSurface(m_Window.get());
  if (!surface) SdlFailed("cannot draw into the window");
  const int32_t width = std::min(m_Next.Width(), surface->w);
  const int32_t height = std::min(m_Next.Height(), surface->h);
  // Outside the frame (a size on its way to the form): black.
  if (width < surface->w || height < surface->h)
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  if (width > 0 && height > 0) {
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    // Raster rows are 0xAARRGGBB words; SDL converts to the window's format
    // (a plain copy when it is the same).
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_ARGB8888, m_Next.Data(), m_Next.Stride(),
                      surface->format->format, surface->pixels, surface->pitch);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  }
  if (SDL_UpdateWindowSurface(m_Window.get()) != 0) SdlFailed("cannot show the window's frame");
  std::swap(m_Shown, m_Next);
  m_Invalid = false;
  ++m_PresentCount;
  return true;
}

Raster FormWindow::ReadBack() const {
  SDL_Surface* surface = SDL_GetWindowSurface(m_Window.get());
  if (!surface || surface->w <= 0 || surface->h <= 0) return {};
  Raster pixels(surface->w, surface->h);
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  const int status =
      SDL_ConvertPixels(surface->w, surface->h, surface->format->format, surface->pixels,
                        surface->pitch, SDL_PIXELFORMAT_ARGB8888, pixels.Data(), pixels.Stride());
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (status != 0) return {};
  // Window formats without alpha read back as transparent; frames are opaque.
  for (int32_t y = 0; y < pixels.Height(); ++y)
    for (uint32_t* p = pixels.Row(y); p != pixels.Row(y) + pixels.Width(); ++p) *p |= 0xFF000000u;
  return pixels;
}

void FormWindow::FollowForm() {
  const std::shared_ptr<Form> form = m_Form.lock();
  if (!form) return;
  if (std::string title = TitleOf(*form); title != m_Title) {
    m_Title = std::move(title);
    SDL_SetWindowTitle(m_Window.get(), m_Title.c_str());
  }
  // Only a size the program gave the form moves the window; sizes the user
  // gave the window reach the form as messages and need no echo.
  const int32_t width = form->ClientWidth();
  const int32_t height = form->ClientHeight();
  if (width == m_FormWidth && height == m_FormHeight) return;
  m_FormWidth = width;
  m_FormHeight = height;
  if (m_ResizesInFlight > 0) return;
  SDL_SetWindowSize(m_Window.get(), std::max(1, width), std::max(1, height));
  m_Invalid = true;
}

void FormWindow::UserResized() {
  ++m_ResizesInFlight;
  m_Invalid = true;
}

void FormWindow::Moved() {
  int left = 0;
  int top = 0;
  SDL_GetWindowPosition(m_Window.get(), &left, &top);
  if (const std::shared_ptr<Form> form = m_Form.lock()) form->MoveOnScreen(left, top);
}

}  // namespace lumora::window

#include "window/windows.hpp"

#include <stdexcept>
#include <string>
#include <utility>

#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/render/render_form.hpp"
#include "window/presenter.hpp"
#include "window/sdl_handles.hpp"

namespace lumora {

namespace {

// Two presenters on one thread would each open a window for every form.
thread_local bool g_WindowsOpen = false;

}  // namespace

window::Presenter& window::PresenterOf(Windows& windows) {
  return *windows.m_Presenter;
}

bool Windows::DisplayAvailable() {
  return window::DisplayAvailable();
}

Windows::Windows() {
  if (g_WindowsOpen) Fail(kErrInvalidCall, "cannot open windows: they are open on this thread");
  try {
    m_Presenter = std::make_unique<window::Presenter>();
  } catch (const std::runtime_error& e) {
    Fail(kErrInvalidCall, e.what());
  }
  g_WindowsOpen = true;
  UseRendererTextMetrics();
}

Windows::~Windows() {
  m_Presenter.reset();
  g_WindowsOpen = false;
}

void Windows::SetOptions(const Form& form, const WindowOptions& options) {
  m_Presenter->SetWindowOptions(form, options);
}

void Windows::Show(Form& form, const WindowOptions& options) {
  SetOptions(form, options);
  form.Show();
  m_Presenter->Present();
}

void Windows::Run() {
  RunMessageLoop(
      [&] {
        m_Presenter->Sync();
        return m_Presenter->WindowCount() == 0;
      },
      "the last window to close");
}

void Windows::Present() {
  m_Presenter->Present();
}

size_t Windows::WindowCount() const {
  return m_Presenter->WindowCount();
}

void Windows::OnResized(std::function<void(Form&)> handler) {
  m_Presenter->OnResized(std::move(handler));
}

void Windows::OnWake(std::function<void(int32_t)> handler) {
  if (!handler) {
    m_Presenter->OnWake(nullptr);
    return;
  }
  // The wake and the input before it may be read in one go, the wake first:
  // read the input into the queue, then queue the handler behind it.
  m_Presenter->OnWake([handler = std::move(handler)](int32_t code) {
    if (MessagePump* pump = CurrentMessagePump()) pump->Poll();
    Post([handler, code] { handler(code); });
  });
}

void Windows::Wake(int32_t code) {
  window::Presenter::Wake(code);
}

}  // namespace lumora

#include "window/presenter.hpp"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "platform/form/form.hpp"
#include "platform/services.hpp"
#include "window/event_sleep.hpp"
#include "window/input_events.hpp"

namespace lumora::window {

namespace {

// The window an input event is addressed to; 0 for other events.
uint32_t InputWindowId(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return event.button.windowID;
    case SDL_MOUSEMOTION: return event.motion.windowID;
    case SDL_MOUSEWHEEL: return event.wheel.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP: return event.key.windowID;
    case SDL_TEXTINPUT: return event.text.windowID;
    default: return 0;
  }
}

}  // namespace

Presenter::Presenter() {
  m_PreviousPump = SetMessagePump(this);
}

Presenter::~Presenter() {
  *m_Alive = false;
  SetMessagePump(m_PreviousPump);
  m_Windows.clear();
}

void Presenter::Wake(int32_t code) {
  WakeQueue::Instance().Push(code);
}

bool Presenter::TakeWakes() {
  const std::vector<int32_t> codes = WakeQueue::Instance().Take();
  if (m_OnWake)
    for (const int32_t code : codes) Post([handler = m_OnWake, code] { handler(code); });
  return !codes.empty();
}

void Presenter::SetWindowOptions(const Form& form, const WindowOptions& options) {
  m_Options[&form] = options;
}

FormWindow* Presenter::WindowOf(const Form& form) {
  for (const auto& w : m_Windows)
    if (w->GetForm().get() == &form) return w.get();
  return nullptr;
}

FormWindow* Presenter::WindowById(uint32_t id) {
  for (const auto& w : m_Windows)
    if (w->Id() == id) return w.get();
  return nullptr;
}

void Presenter::Sync() {
  std::erase_if(m_Windows, [](const std::unique_ptr<FormWindow>& w) {
    const std::shared_ptr<Form> form = w->GetForm();
    return !form || !form->IsLoaded() || !form->IsShown();
  });
  std::erase_if(m_Unshowable, [](const std::weak_ptr<Form>& weak) {
    const std::shared_ptr<Form> form = weak.lock();
    return !form || !form->IsLoaded() || !form->IsShown();
  });
  const std::vector<std::shared_ptr<Form>> forms = Forms();
  for (const std::shared_ptr<Form>& form : forms) {
    if (!form->IsShown() || WindowOf(*form) || IsUnshowable(*form)) continue;
    const auto options = m_Options.find(form.get());
    try {
      m_Windows.push_back(std::make_unique<FormWindow>(
          form, options == m_Options.end() ? WindowOptions{} : options->second));
    } catch (const std::runtime_error& e) {
      GiveUp(*form, e.what());
    }
  }
  std::erase_if(m_Options, [&](const auto& entry) {
    return std::none_of(forms.begin(), forms.end(),
                        [&](const auto& form) { return form.get() == entry.first; });
  });
  for (const auto& w : m_Windows) w->FollowForm();
}

void Presenter::Present() {
  Sync();
  // A window that cannot show its frame closes; the others go on.
  std::erase_if(m_Windows, [&](const std::unique_ptr<FormWindow>& w) {
    try {
      w->Present();
      return false;
    } catch (const std::runtime_error& e) {
      if (const std::shared_ptr<Form> form = w->GetForm()) GiveUp(*form, e.what());
      return true;
    }
  });
  ShowPointer();
}

bool Presenter::IsUnshowable(const Form& form) const {
  return std::any_of(m_Unshowable.begin(), m_Unshowable.end(),
                     [&](const std::weak_ptr<Form>& f) { return f.lock().get() == &form; });
}

void Presenter::GiveUp(Form& form, const char* reason) {
  std::fprintf(stderr, "lumora: cannot show form %s in a window: %s\n", form.Name().c_str(),
               reason);
  m_Unshowable.push_back(std::static_pointer_cast<Form>(form.shared_from_this()));
}

void Presenter::ShowPointer() {
  FormWindow* window = m_PointerWindow != 0 ? WindowById(m_PointerWindow) : nullptr;
  const std::shared_ptr<Form> form = window ? window->GetForm() : nullptr;
  if (!form) return;
  m_Pointer.Show(EffectivePointerAt(*form, m_PointerX, m_PointerY));
}

void Presenter::TrackPointer(const SDL_Event& event) {
  if (event.type == SDL_MOUSEMOTION) {
    m_PointerWindow = event.motion.windowID;
    m_PointerX = event.motion.x;
    m_PointerY = event.motion.y;
  } else if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
    m_PointerWindow = event.button.windowID;
    m_PointerX = event.button.x;
    m_PointerY = event.button.y;
  } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_LEAVE &&
             event.window.windowID == m_PointerWindow) {
    m_PointerWindow = 0;
  }
}

void Presenter::Poll() {
  Present();
  TakeWakes();
  SDL_Event event;
  while (SDL_PollEvent(&event)) Handle(event);
}

bool Presenter::Wait() {
  Present();
  if (m_Windows.empty()) return false;
  SDL_Event event;
  for (;;) {
    if (SDL_PollEvent(&event)) {
      Handle(event);
      while (SDL_PollEvent(&event)) Handle(event);
      return true;
    }
    if (TakeWakes()) return true;
    SleepUntilEvent(m_Windows.front()->Window());
  }
}

bool Presenter::InputBlocked(const FormWindow& window) const {
  // A modal form keeps the input of every other window, as its owner's
  // window system would.
  const std::shared_ptr<Form> form = window.GetForm();
  if (!form || form->IsModal()) return false;
  return std::any_of(m_Windows.begin(), m_Windows.end(), [&](const auto& other) {
    const std::shared_ptr<Form> f = other->GetForm();
    return f && f != form && f->IsModal();
  });
}

void Presenter::Handle(const SDL_Event& event) {
  if (event.type == SDL_QUIT) {
    // Asked to end (a signal, the session closing): every window closes.
    for (const auto& w : m_Windows)
      Post([form = std::weak_ptr<Form>(w->GetForm())] {
        if (auto f = form.lock(); f && f->IsLoaded()) Unload(*f);
      });
    return;
  }
  TrackPointer(event);
  if (event.type == SDL_WINDOWEVENT) {
    if (FormWindow* window = WindowById(event.window.windowID))
      HandleWindowEvent(*window, event.window);
    return;
  }
  const uint32_t id = InputWindowId(event);
  if (id == 0) return;
  FormWindow* window = WindowById(id);
  if (!window || InputBlocked(*window)) return;
  const std::shared_ptr<Form> form = window->GetForm();
  if (!form) return;
  for (Message& message : InputMessages(event, form, static_cast<uint16_t>(SDL_GetModState())))
    Post(std::move(message));
}

void Presenter::HandleWindowEvent(FormWindow& window, const SDL_WindowEvent& event) {
  const std::shared_ptr<Form> form = window.GetForm();
  if (!form) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
      const int32_t width = event.data1;
      const int32_t height = event.data2;
      window.Invalidate();
      if (width == form->ClientWidth() && height == form->ClientHeight()) break;
      window.UserResized();
      Post(Message::Resize(form, width, height));
      // After the form has its size: the window may follow the program's
      // sizes again, and the host lays the form out.
      Post([alive = std::weak_ptr<bool>(m_Alive), this, weak = std::weak_ptr<Form>(form)] {
        const std::shared_ptr<Form> f = weak.lock();
        if (!alive.lock() || !f) return;
        if (FormWindow* w = WindowOf(*f)) w->ResizeDelivered();
        if (m_OnResized && f->IsLoaded()) m_OnResized(*f);
      });
      break;
    }
    case SDL_WINDOWEVENT_EXPOSED: window.Invalidate(); break;
    case SDL_WINDOWEVENT_MOVED: window.Moved(); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: Post(Message::Focus(true, form)); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: Post(Message::Focus(false, form)); break;
    case SDL_WINDOWEVENT_CLOSE:
      if (InputBlocked(window)) break;
      Post([weak = std::weak_ptr<Form>(form)] {
        if (auto f = weak.lock(); f && f->IsLoaded()) Unload(*f);
      });
      break;
    default: break;
  }
}

}  // namespace lumora::window

#include <SDL.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/form_file.hpp"
#include "host/commands/view_form.hpp"
#include "host/commands/view_window.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/picture/picture.hpp"
#include "platform/picture/png_writer.hpp"
#include "platform/render/render_form.hpp"
#include "window/presenter.hpp"
#include "window/signal_wake.hpp"
#include "window/windows.hpp"

namespace lumora::host {

namespace {

// Drags the picture to and fro in steps of 4 pixels, each step an SDL event
// read back by the presenter in DoEvents, as real motion is.
int BenchDrag(Windows& windows, Viewer& viewer, int32_t steps) {
  window::Presenter& presenter = window::PresenterOf(windows);
  for (int i = 0; i < 4; ++i) viewer.Command('+');
  presenter.Present();
  window::FormWindow* window = presenter.WindowOf(*viewer.GetForm());
  if (!window) throw std::runtime_error("the viewer's window did not open");
  const int32_t cx = viewer.GetForm()->ClientWidth() / 2;
  const int32_t cy = viewer.GetForm()->ClientHeight() / 2;
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = window->Id();
  e.button.button = SDL_BUTTON_LEFT;
  e.button.state = SDL_PRESSED;
  e.button.clicks = 1;
  e.button.x = cx;
  e.button.y = cy;
  SDL_PushEvent(&e);
  DoEvents();
  const int64_t before = window->PresentCount();
  const auto start = std::chrono::steady_clock::now();
  for (int32_t i = 0; i < steps; ++i) {
    const int32_t phase = i % 100;  // 50 steps one way, 50 back
    const int32_t offset = 4 * (phase < 50 ? phase : 100 - phase);
    SDL_Event m{};
    m.type = SDL_MOUSEMOTION;
    m.motion.windowID = window->Id();
    m.motion.state = SDL_BUTTON_LMASK;
    m.motion.x = cx - offset;
    m.motion.y = cy - offset / 2;
    SDL_PushEvent(&m);
    DoEvents();
  }
  presenter.Present();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const int64_t frames = window->PresentCount() - before;
  std::printf(
      "drag: %d steps, %lld frames in %.3f s: %.1f frames per second (%dx%d window, %d %%)\n",
      steps, static_cast<long long>(frames), seconds, static_cast<double>(frames) / seconds,
      viewer.GetForm()->ClientWidth(), viewer.GetForm()->ClientHeight(),
      static_cast<int>(viewer.Zoom().ZoomPercent().ToInt16()));
  return 0;
}

// Writes what the renderer draws for form now, then state, for whoever sent
// the signal (the end-to-end tests).
void Dump(Windows& windows, const Form& form, const nlohmann::json& state,
          const std::string& prefix) {
  try {
    windows.Present();  // the window shows this state before anyone is told
    WritePng(RenderForm(form), prefix + ".png");
    WriteFileAtomically(prefix + ".json", state.dump(2) + "\n");
  } catch (const std::exception& e) {  // Failure (file errors) included
    std::fprintf(stderr, "lumora view: cannot dump to %s: %s\n", prefix.c_str(), e.what());
  }
}

// Dumps on SIGUSR1 when asked to, after the input that came before.
void DumpOnWake(Windows& windows, const ViewOptions& o, std::function<void()> dump) {
  if (!o.dump.empty()) windows.OnWake([dump](int32_t) { dump(); });
}

// The top-level controls that cover the form's whole client area.
std::vector<std::weak_ptr<Control>> FillingControls(const Form& form) {
  std::vector<std::weak_ptr<Control>> filling;
  for (const ControlPtr& c : form.Controls())
    if (c->HasExtent() && c->GetContainer() == &form && c->Left() == 0 && c->Top() == 0 &&
        c->Width() == form.ScaleWidth() && c->Height() == form.ScaleHeight())
      filling.push_back(c);
  return filling;
}

// Where a form stands: its client size, and each top-level control's extent
// (in the form's twips) and, for text boxes, text.
nlohmann::json FormState(const Form& form) {
  nlohmann::json controls = nlohmann::json::object();
  for (const ControlPtr& c : form.Controls()) {
    if (!c->HasExtent() || c->GetContainer() != &form) continue;
    nlohmann::json entry = {{"extent", {c->Left(), c->Top(), c->Width(), c->Height()}}};
    if (const auto* text = dynamic_cast<const TextBox*>(c.get())) entry["Text"] = text->Text();
    controls[c->Name()] = entry;
  }
  return {{"client", {form.ClientWidth(), form.ClientHeight()}}, {"controls", controls}};
}

// A saved form, live in a resizable window; controls that filled the form
// go on filling it as the window's size changes.
int ViewForm(const ViewOptions& o) {
  UseRendererTextMetrics();
  const std::shared_ptr<Form> form = LoadFormFile(o.path);
  const UnloadAtEnd unload(*form);
  const std::vector<std::weak_ptr<Control>> filling = FillingControls(*form);
  const auto fill = [&] {
    for (const auto& weak : filling)
      if (const ControlPtr c = weak.lock(); c && c->ParentForm() == form.get())
        Step([&] { c->Move(0, 0, form->ScaleWidth(), form->ScaleHeight()); });
  };
  if (o.sized) {
    form->ResizeClient(o.width, o.height);
    fill();
  }
  Windows windows;
  windows.OnResized([&](Form& resized) {
    if (&resized == form.get()) fill();
  });
  DumpOnWake(windows, o, [&] { Dump(windows, *form, FormState(*form), o.dump); });
  windows.Show(*form, {.resizable = true});
  windows.Run();
  return 0;
}

// A picture in a ZelPicZoom filling a resizable window.
int ViewPicture(const ViewOptions& o) {
  UseRendererTextMetrics();
  PicturePtr picture = LoadPictureFile(o.path);
  Windows windows;
  Viewer viewer(std::move(picture), BaseName(o.path) + " - lumora view", o.width, o.height);
  windows.SetOptions(*viewer.GetForm(), {.resizable = true});
  windows.OnResized([&](Form& form) {
    if (&form == viewer.GetForm().get()) viewer.Fill();
  });
  DumpOnWake(windows, o, [&] { Dump(windows, *viewer.GetForm(), viewer.State(), o.dump); });
  viewer.Show();
  if (o.benchSteps > 0) return BenchDrag(windows, viewer, o.benchSteps);
  windows.Run();
  return 0;
}

}  // namespace

int ViewInWindow(const ViewOptions& o) {
  // The signal thread must exist before SDL starts any thread of its own.
  std::optional<window::SignalWake> dumpSignal;
  if (!o.dump.empty()) dumpSignal.emplace(SIGUSR1, 1);
  return IsFormFile(o.path) ? ViewForm(o) : ViewPicture(o);
}

}  // namespace lumora::host

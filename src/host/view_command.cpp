// `lumora view PICTURE|FORM.json`: a picture in a ZelPicZoom filling a
// resizable window, or a saved form, live in a resizable window.
// Hidden options for tests and measurements:
//   --dump PREFIX      on SIGUSR1, writes the frame the renderer draws for the
//                      current state as PREFIX.png, then the state as PREFIX.json
//                      (for a form file just its client size)
//   --replay STATE --png OUT   headless: brings a viewer into a dumped state
//                      and writes its frame
//   --bench-drag N     zooms to 200 %, drags the picture N steps through the
//                      presenter and prints frames per second
#include <strings.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "forms/form_file.hpp"
#include "host/commands.hpp"
#include "host/presenter/presenter.hpp"
#include "host/presenter/signal_wake.hpp"
#include "host/view_form.hpp"
#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/picture.hpp"
#include "platform/render/png.hpp"
#include "platform/render/render_form.hpp"

namespace lumora::host {

namespace {

constexpr const char* kViewUsage =
    "usage: lumora view PICTURE|FORM.json [--size WIDTHxHEIGHT]\n"
    "  a picture: + and - zoom, 0 natural size, F fit, S stretch, arrows scroll,\n"
    "  drag to pan; a form file: the saved form, live; resize the window at will\n";

struct ViewOptions {
  std::string path;
  int32_t width = 800;
  int32_t height = 600;
  bool sized = false;
  std::string dump;
  std::string replay;
  std::string png;
  int32_t benchSteps = 0;
};

bool ParseSize(std::string_view text, int32_t& width, int32_t& height) {
  unsigned w = 0;
  unsigned h = 0;
  char tail = 0;
  const std::string s(text);
  if (std::sscanf(s.c_str(), "%ux%u%c", &w, &h, &tail) != 2) return false;
  if (w < 1 || h < 1 || w > 16384 || h > 16384) return false;
  width = static_cast<int32_t>(w);
  height = static_cast<int32_t>(h);
  return true;
}

bool IsFormFile(const std::string& path) {
  return path.size() > 5 && strcasecmp(path.c_str() + path.size() - 5, ".json") == 0;
}

std::optional<ViewOptions> ParseOptions(std::span<const std::string_view> args) {
  ViewOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--size" && hasValue) {
      if (!ParseSize(args[++i], o.width, o.height)) return std::nullopt;
      o.sized = true;
    } else if (a == "--dump" && hasValue) {
      o.dump = args[++i];
    } else if (a == "--replay" && hasValue) {
      o.replay = args[++i];
    } else if (a == "--png" && hasValue) {
      o.png = args[++i];
    } else if (a == "--bench-drag" && hasValue) {
      o.benchSteps = std::atoi(std::string(args[++i]).c_str());
      if (o.benchSteps < 1) return std::nullopt;
    } else if (!a.empty() && a[0] != '-' && o.path.empty()) {
      o.path = a;
    } else {
      return std::nullopt;
    }
  }
  if (o.path.empty() || o.replay.empty() != o.png.empty()) return std::nullopt;
  // Replays and measurements are the picture viewer's.
  if (IsFormFile(o.path) && (!o.replay.empty() || o.benchSteps > 0)) return std::nullopt;
  return o;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int Replay(const ViewOptions& o, PicturePtr picture) {
  const std::vector<uint8_t> bytes = ReadFileBytes(o.replay);
  const nlohmann::json state = nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (state.is_discarded()) throw std::runtime_error(o.replay + " is not JSON");
  int32_t width = 0;
  int32_t height = 0;
  InitialSize(state, width, height);
  Viewer viewer(std::move(picture), BaseName(o.path), width, height);
  viewer.Show();
  viewer.Restore(state);
  RenderFormPng(*viewer.GetForm(), o.png);
  return 0;
}

// Drags the picture to and fro in steps of 4 pixels, each step an SDL event
// read back by the presenter in DoEvents, as real motion is.
int BenchDrag(Presenter& presenter, Viewer& viewer, int32_t steps) {
  for (int i = 0; i < 4; ++i) viewer.Command('+');
  presenter.Present();
  FormWindow* window = presenter.WindowOf(*viewer.GetForm());
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
void Dump(Presenter& presenter, const Form& form, const nlohmann::json& state,
          const std::string& prefix) {
  try {
    presenter.Present();  // the window shows this state before anyone is told
    WritePng(RenderForm(form), prefix + ".png");
    WriteFileAtomically(prefix + ".json", state.dump(2) + "\n");
  } catch (const std::exception& e) {  // Failure (file errors) included
    std::fprintf(stderr, "lumora view: cannot dump to %s: %s\n", prefix.c_str(), e.what());
  }
}

// Dumps on SIGUSR1 when asked to, after the input that came before.
void DumpOnWake(Presenter& presenter, const ViewOptions& o, std::function<void()> dump) {
  presenter.OnWake([&presenter, &o, dump](int32_t) {
    if (o.dump.empty()) return;
    presenter.Poll();  // input that reached the window before the request first
    Post(dump);
  });
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
  std::optional<SignalWake> dumpSignal;
  if (!o.dump.empty()) dumpSignal.emplace(SIGUSR1, 1);
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
  Presenter presenter;
  presenter.SetWindowOptions(*form, WindowOptions{.resizable = true});
  presenter.OnResized([&](Form& resized) {
    if (&resized == form.get()) fill();
  });
  DumpOnWake(presenter, o, [&] { Dump(presenter, *form, FormState(*form), o.dump); });
  form->Show();
  RunMessageLoop([&] { return !form->IsLoaded(); }, "the form's window to close");
  return 0;
}

}  // namespace

int RunView(std::span<const std::string_view> args) {
  const std::optional<ViewOptions> options = ParseOptions(args);
  if (!options) {
    std::fputs(kViewUsage, stderr);
    return 2;
  }
  const ViewOptions& o = *options;
  if (IsFormFile(o.path)) return ViewForm(o);
  // The signal thread must exist before SDL starts any thread of its own.
  std::optional<SignalWake> dumpSignal;
  if (!o.dump.empty() && o.replay.empty()) dumpSignal.emplace(SIGUSR1, 1);
  UseRendererTextMetrics();
  PicturePtr picture = LoadPictureFile(o.path);
  if (!o.replay.empty()) return Replay(o, std::move(picture));

  Presenter presenter;
  Viewer viewer(std::move(picture), BaseName(o.path) + " - lumora view", o.width, o.height);
  presenter.SetWindowOptions(*viewer.GetForm(), WindowOptions{.resizable = true});
  presenter.OnResized([&](Form& form) {
    if (&form == viewer.GetForm().get()) viewer.Fill();
  });
  DumpOnWake(presenter, o, [&] { Dump(presenter, *viewer.GetForm(), viewer.State(), o.dump); });
  viewer.Show();
  if (o.benchSteps > 0) return BenchDrag(presenter, viewer, o.benchSteps);
  const std::shared_ptr<Form> form = viewer.GetForm();
  RunMessageLoop([&] { return !form->IsLoaded(); }, "the viewer's window to close");
  return 0;
}

}  // namespace lumora::host

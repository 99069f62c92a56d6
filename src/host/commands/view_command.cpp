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
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "forms/form_file.hpp"
#include "host/commands/commands.hpp"
#include "host/commands/view_form.hpp"
#include "host/commands/view_window.hpp"
#include "platform/file_io.hpp"
#include "platform/form/form.hpp"
#include "platform/picture/picture.hpp"
#include "platform/render/render_form.hpp"

namespace lumora::host {

namespace {

constexpr const char* kViewUsage =
    "usage: lumora view PICTURE|FORM.json [--size WIDTHxHEIGHT]\n"
    "  a picture: + and - zoom, 0 natural size, F fit, S stretch, arrows scroll,\n"
    "  drag to pan; a form file: the saved form, live; resize the window at will\n";

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

}  // namespace

bool IsFormFile(const std::string& path) {
  return path.size() > 5 && strcasecmp(path.c_str() + path.size() - 5, ".json") == 0;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

#if !LUMORA_WINDOWS
int ViewInWindow(const ViewOptions& o) {
  UseRendererTextMetrics();
  if (IsFormFile(o.path))
    LoadFormFile(o.path)->Unload();
  else
    LoadPictureFile(o.path);
  std::fputs("lumora view: this lumora was built without windows (SDL2)\n", stderr);
  return 1;
}
#endif

int RunView(std::span<const std::string_view> args) {
  const std::optional<ViewOptions> options = ParseOptions(args);
  if (!options) {
    std::fputs(kViewUsage, stderr);
    return 2;
  }
  const ViewOptions& o = *options;
  if (o.replay.empty()) return ViewInWindow(o);
  UseRendererTextMetrics();
  return Replay(o, LoadPictureFile(o.path));
}

}  // namespace lumora::host

// `lumora demo [--headless | --window] [OUT_DIR]`: plays the demo, which is
// itself a Lua script, examples/demo.lua, found next to the program's source
// tree (or where LUMORA_EXAMPLES points). It writes numbered PNG frames and a
// contact sheet into OUT_DIR (default out/demo under the current folder). With
// a display (or --window) the form shows in a window while the tour plays and
// stays there for the user until the window is closed.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "host/commands/commands.hpp"
#include "host/lua/script.hpp"
#include "platform/errors.hpp"
#if LUMORA_WINDOWS
#include "window/windows.hpp"
#endif

namespace lumora::host {

namespace {

namespace fs = std::filesystem;

int Usage() {
  std::fputs("usage: lumora demo [--headless | --window] [OUT_DIR]\n", stderr);
  return 2;
}

bool HasDemo(const fs::path& folder) {
  std::error_code error;
  return !folder.empty() && fs::is_regular_file(folder / "demo.lua", error);
}

// The examples folder: LUMORA_EXAMPLES, else beside the program in a build
// tree (build/src/host/lumora) or an installation (bin/lumora), else the
// source tree the program was built from.
fs::path FindExamples() {
  std::vector<fs::path> candidates;
  if (const char* env = std::getenv("LUMORA_EXAMPLES"); env && *env) candidates.emplace_back(env);
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path dir = self.parent_path();
    candidates.push_back(dir / "../../../examples");
    candidates.push_back(dir / "../share/orvane-lumora/examples");
  }
  candidates.emplace_back(LUMORA_SOURCE_DIR "/examples");
  for (const fs::path& c : candidates)
    if (HasDemo(c)) return fs::weakly_canonical(c, error);
  return {};
}

}  // namespace

int RunDemo(std::span<const std::string_view> args) {
  // In a window when a display is present, unless told.
  std::optional<bool> window;
  std::string out;
  for (std::string_view a : args) {
    if (a == "--window") {
      window = true;
    } else if (a == "--headless") {
      window = false;
    } else if (a.starts_with("-") || !out.empty()) {
      return Usage();
    } else {
      out = a;
    }
  }
  if (out.empty()) out = "out/demo";
  const fs::path examples = FindExamples();
  if (examples.empty()) {
    std::fputs(
        "lumora demo: cannot find examples/demo.lua (set LUMORA_EXAMPLES to the examples "
        "folder)\n",
        stderr);
    return 1;
  }
#if LUMORA_WINDOWS
  std::optional<Windows> windows;
  if (window.value_or(Windows::DisplayAvailable())) {
    try {
      windows.emplace();
    } catch (const Failure& e) {
      if (window.value_or(false)) {
        std::fprintf(stderr, "lumora demo: %s\n", e.what());
        return 1;
      }
      std::printf("lumora demo: %s; ", e.what());
    }
  }
#else
  // Built without windows: the tour plays headless.
  const bool windows = false;
  if (window.value_or(false)) {
    std::fputs("lumora demo: this lumora was built without windows (SDL2)\n", stderr);
    return 1;
  }
#endif
  std::printf("lumora demo: %s\n", windows ? "playing the tour in a window, then it is yours"
                                           : "playing the scripted tour headless");
  std::fflush(stdout);
  const std::vector<std::string> scriptArgs{out, examples.string(),
                                            windows ? "window" : "headless"};
  return RunScriptFile((examples / "demo.lua").string(), scriptArgs, "lumora demo");
}

}  // namespace lumora::host

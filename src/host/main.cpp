// The `lumora` program: one subcommand per job, dispatched from a table.
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "host/commands/commands.hpp"
#include "platform/errors.hpp"

namespace {

struct Command {
  std::string_view name;
  std::string_view usage;
  int (*run)(std::span<const std::string_view> args);
};

constexpr Command kCommands[] = {
    {"demo", "lumora demo [--headless | --window] [OUT_DIR]  play the demo into PNG frames",
     lumora::host::RunDemo},
    {"run", "lumora run SCRIPT.lua [ARGS...]  run an automation script (Lua 5.4)",
     lumora::host::RunScript},
    {"render", "lumora render FORM.json --png OUT.png  render a form file",
     lumora::host::RunRender},
    {"typelib", "lumora typelib [--c-header]  print the type library as IDL (or as a C header)",
     lumora::host::RunTypelib},
    {"view", "lumora view PICTURE|FORM.json [--size WxH]  show a picture or a form in a window",
     lumora::host::RunView},
};

int Usage(FILE* out = stderr) {
  std::fputs("usage:\n", out);
  for (const Command& c : kCommands)
    std::fprintf(out, "  %.*s\n", static_cast<int>(c.usage.size()), c.usage.data());
  std::fputs("  lumora --help | --version\n", out);
  return out == stderr ? 2 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h") return Usage(stdout);
  if (name == "--version") {
    std::printf("lumora %s\n", LUMORA_VERSION);
    return 0;
  }
  const std::vector<std::string_view> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (c.name != name) continue;
    try {
      return c.run(args);
    } catch (const lumora::Failure& f) {
      std::fprintf(stderr, "lumora %s: error %d: %s\n", argv[1], f.Number(),
                   lumora::Printable(f.what(), true).c_str());
    } catch (const std::exception& e) {
      std::fprintf(stderr, "lumora %s: %s\n", argv[1], lumora::Printable(e.what(), true).c_str());
    }
    return 1;
  }
  std::fprintf(stderr, "lumora: unknown command '%s'\n", lumora::Printable(argv[1]).c_str());
  return Usage();
}

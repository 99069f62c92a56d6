// The `lumora` program: one subcommand per job, dispatched from a table.
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "host/commands.hpp"
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

int Usage() {
  std::fputs("usage:\n", stderr);
  for (const Command& c : kCommands)
    std::fprintf(stderr, "  %.*s\n", static_cast<int>(c.usage.size()), c.usage.data());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string_view name = argv[1];
  const std::vector<std::string_view> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (c.name != name) continue;
    try {
      return c.run(args);
    } catch (const lumora::Failure& f) {
      std::fprintf(stderr, "lumora %s: error %d: %s\n", argv[1], f.Number(), f.what());
    } catch (const std::exception& e) {
      std::fprintf(stderr, "lumora %s: %s\n", argv[1], e.what());
    }
    return 1;
  }
  std::fprintf(stderr, "lumora: unknown command '%s'\n", argv[1]);
  return Usage();
}

#include <cstdio>
#include <string>
#include <vector>

#include "host/commands/commands.hpp"
#include "host/lua/script.hpp"

namespace lumora::host {

int RunScript(std::span<const std::string_view> args) {
  if (args.empty() || args[0].empty()) {
    std::fputs("usage: lumora run SCRIPT.lua [ARGS...]\n", stderr);
    return 2;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  return RunScriptFile(std::string(args[0]), rest, "lumora run");
}

}  // namespace lumora::host

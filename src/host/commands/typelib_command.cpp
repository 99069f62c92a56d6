#include <cstdio>
#include <string>

#include "frame/c_header.hpp"
#include "frame/idl.hpp"
#include "host/commands/commands.hpp"

namespace lumora::host {

int RunTypelib(std::span<const std::string_view> args) {
  const bool header = args.size() == 1 && args[0] == "--c-header";
  if (!args.empty() && !header) {
    std::fputs("usage: lumora typelib [--c-header]\n", stderr);
    return 2;
  }
  const std::string text = header ? WriteCHeader(TypeLibrary()) : WriteIdl(TypeLibrary());
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    std::fputs("lumora typelib: cannot write the output\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace lumora::host

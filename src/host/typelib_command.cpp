#include <cstdio>
#include <string>

#include "frame/idl.hpp"
#include "host/commands.hpp"

namespace lumora::host {

int RunTypelib(std::span<const std::string_view> args) {
  if (!args.empty()) {
    std::fputs("usage: lumora typelib\n", stderr);
    return 2;
  }
  const std::string idl = WriteIdl(TypeLibrary());
  if (std::fwrite(idl.data(), 1, idl.size(), stdout) != idl.size() || std::fflush(stdout) != 0) {
    std::fputs("lumora typelib: cannot write the output\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace lumora::host

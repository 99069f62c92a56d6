// The subcommands of the `lumora` program. Each takes the arguments after its
// name and returns the exit code (2 for a usage error).
#pragma once

#include <span>
#include <string_view>

namespace lumora::host {

int RunTypelib(std::span<const std::string_view> args);
int RunScript(std::span<const std::string_view> args);
int RunRender(std::span<const std::string_view> args);
int RunDemo(std::span<const std::string_view> args);
int RunView(std::span<const std::string_view> args);

}  // namespace lumora::host

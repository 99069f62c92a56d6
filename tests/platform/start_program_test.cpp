// Start.exe, the platform's document opener: the rest of its command line is
// one argument, and the default launcher runs the desktop's opener instead.
#include <gtest/gtest.h>

#include "platform/services.hpp"
#include "support/fixture.hpp"

namespace lumora {
namespace {

using Strings = std::vector<std::string>;
using StartProgram = testing::LumoraTest;

TEST_F(StartProgram, TheRestOfTheLineIsOneTrimmedArgument) {
  const std::pair<const char*, Strings> lines[] = {
      {"Start.exe https://a.example/?q=1&r=2", {"Start.exe", "https://a.example/?q=1&r=2"}},
      {"  start.EXE \t a  b; c \"d\"  ", {"start.EXE", "a  b; c \"d\""}},
      {"Start.exe mailto:x@y.example", {"Start.exe", "mailto:x@y.example"}},
      // Other programs are split as before.
      {"viewer \"a b.png\" c", {"viewer", "a b.png", "c"}},
      {"Start.exe.bak x y", {"Start.exe.bak", "x", "y"}},
      {"   ", {}},
  };
  for (const auto& [line, arguments] : lines) EXPECT_EQ(CommandLineArguments(line), arguments);
  // Nothing to open, or an option, is refused.
  for (const char* line : {"Start.exe", "Start.exe    ", "Start.exe --help", "Start.exe -x a"})
    EXPECT_FAILS_WITH(kErrInvalidCall, CommandLineArguments(line));
}

TEST_F(StartProgram, TheDefaultLauncherRunsTheOpenerInStartsPlace) {
  EXPECT_EQ(SpawnArguments({"Start.exe", "a; b"}), (Strings{"xdg-open", "a; b"}));
  EXPECT_EQ(SpawnArguments({"START.EXE", "x"}), (Strings{"xdg-open", "x"}));
  EXPECT_EQ(SpawnArguments({"viewer", "Start.exe"}), (Strings{"viewer", "Start.exe"}));
  EXPECT_EQ(SpawnArguments({}), Strings{});
  // Shell hands the launcher the program and one argument.
  Strings seen;
  int16_t style = -1;
  SetLauncher([&](const Strings& argv, int16_t s) {
    seen = argv;
    style = s;
    return 7.0;
  });
  EXPECT_EQ(Shell("Start.exe a; touch /tmp/x", 0), 7.0);
  EXPECT_EQ(seen, (Strings{"Start.exe", "a; touch /tmp/x"}));
  EXPECT_EQ(style, 0);
}

}  // namespace
}  // namespace lumora

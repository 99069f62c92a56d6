// Start.exe, the platform's document opener: the rest of its command line is
// one argument, and the default launcher runs the desktop's opener instead.
#include <gtest/gtest.h>

#include "platform/errors.hpp"
#include "platform/services.hpp"

namespace lumora {
namespace {

using Strings = std::vector<std::string>;

#define EXPECT_FAILS_WITH_NUMBER(number, statement)   \
  try {                                               \
    statement;                                        \
    ADD_FAILURE() << "no failure from " #statement;   \
  } catch (const Failure& f) {                        \
    EXPECT_EQ(f.Number(), number) << f.Description(); \
  }

TEST(StartProgram, TheRestOfTheLineIsOneTrimmedArgument) {
  EXPECT_EQ(CommandLineArguments("Start.exe https://a.example/?q=1&r=2"),
            (Strings{"Start.exe", "https://a.example/?q=1&r=2"}));
  EXPECT_EQ(CommandLineArguments("  start.EXE \t a  b; c \"d\"  "),
            (Strings{"start.EXE", "a  b; c \"d\""}));
  EXPECT_EQ(CommandLineArguments("Start.exe mailto:x@y.example"),
            (Strings{"Start.exe", "mailto:x@y.example"}));
}

TEST(StartProgram, OtherProgramsAreSplitAsBefore) {
  EXPECT_EQ(CommandLineArguments("viewer \"a b.png\" c"), (Strings{"viewer", "a b.png", "c"}));
  EXPECT_EQ(CommandLineArguments("Start.exe.bak x y"), (Strings{"Start.exe.bak", "x", "y"}));
  EXPECT_EQ(CommandLineArguments("   "), Strings{});
}

TEST(StartProgram, NothingToOpenOrAnOptionIsRefused) {
  EXPECT_FAILS_WITH_NUMBER(kErrInvalidCall, CommandLineArguments("Start.exe"));
  EXPECT_FAILS_WITH_NUMBER(kErrInvalidCall, CommandLineArguments("Start.exe    "));
  EXPECT_FAILS_WITH_NUMBER(kErrInvalidCall, CommandLineArguments("Start.exe --help"));
  EXPECT_FAILS_WITH_NUMBER(kErrInvalidCall, CommandLineArguments("Start.exe -x a"));
}

TEST(StartProgram, TheDefaultLauncherRunsTheOpenerInStartsPlace) {
  EXPECT_EQ(SpawnArguments({"Start.exe", "a; b"}), (Strings{"xdg-open", "a; b"}));
  EXPECT_EQ(SpawnArguments({"START.EXE", "x"}), (Strings{"xdg-open", "x"}));
  EXPECT_EQ(SpawnArguments({"viewer", "Start.exe"}), (Strings{"viewer", "Start.exe"}));
  EXPECT_EQ(SpawnArguments({}), Strings{});
}

TEST(StartProgram, ShellHandsTheLauncherTheProgramAndOneArgument) {
  Strings seen;
  int16_t style = -1;
  Launcher previous = SetLauncher([&](const Strings& argv, int16_t s) {
    seen = argv;
    style = s;
    return 7.0;
  });
  EXPECT_EQ(Shell("Start.exe a; touch /tmp/x", 0), 7.0);
  SetLauncher(std::move(previous));
  EXPECT_EQ(seen, (Strings{"Start.exe", "a; touch /tmp/x"}));
  EXPECT_EQ(style, 0);
}

}  // namespace
}  // namespace lumora

// The contact labels start the platform's document opener with the address as
// one argument, never through a command interpreter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "about/about_contents.hpp"
#include "about/about_fixture.hpp"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

TEST_F(AboutTest, TheWebLabelOpensTheBareAddressAndTheMailLabelAMailtoLink) {
  AboutDialog().Show(0);
  ClickOn(*AboutDialog().lblZel[0]);
  ClickOn(*AboutDialog().lblZel[1]);
  const std::string web(kAboutWebAddress), mail(kAboutMailAddress);
  ASSERT_EQ(m_Launches.size(), 2u);
  EXPECT_EQ(m_Launches[0], (Launch{{"Start.exe", web}, 0}));
  EXPECT_EQ(m_Launches[1], (Launch{{"Start.exe", "mailto:" + mail}, 0}));
  // What the default launcher runs in their place.
  EXPECT_EQ(SpawnArguments(m_Launches[0].argv), (Strings{"xdg-open", web}));
  EXPECT_EQ(SpawnArguments(m_Launches[1].argv), (Strings{"xdg-open", "mailto:" + mail}));
  // Clicking does not close the dialog.
  EXPECT_TRUE(AboutDialog().IsShown());
}

TEST_F(AboutTest, ACaptionWithShellSyntaxIsOneArgumentToTheOpener) {
  AboutDialog().Show(0);
  AboutDialog().lblZel[0]->Caption("a; touch /tmp/x");
  AboutDialog().lblZel[1]->Caption("b\" $(id) `id` | cat");
  ClickOn(*AboutDialog().lblZel[0]);
  ClickOn(*AboutDialog().lblZel[1]);
  ASSERT_EQ(m_Launches.size(), 2u);
  EXPECT_EQ(SpawnArguments(m_Launches[0].argv), (Strings{"xdg-open", "a; touch /tmp/x"}));
  EXPECT_EQ(SpawnArguments(m_Launches[1].argv),
            (Strings{"xdg-open", "mailto:b\" $(id) `id` | cat"}));
}

TEST_F(AboutTest, AFailedLaunchIsIgnored) {
  SetLauncher([](const Strings&, int16_t) -> double { Fail(kErrFileNotFound); });
  AboutDialog().Show(0);
  Err().Clear();
  ClickOn(*AboutDialog().lblZel[0]);
  EXPECT_EQ(Err().Number(), 0);  // ignored, and no trace left
  EXPECT_TRUE(AboutDialog().IsShown());
  // A caption the opener could read as an option starts nothing.
  SetLauncher([this](const Strings& argv, int16_t style) {
    m_Launches.push_back({argv, style});
    return 1.0;
  });
  Err().Clear();
  AboutDialog().lblZel[0]->Caption("--manual");
  ClickOn(*AboutDialog().lblZel[0]);
  EXPECT_TRUE(m_Launches.empty());
  EXPECT_EQ(Err().Number(), 0);
}

// The real launcher, with a stand-in opener first on PATH that writes each of
// its arguments on a line of its own.
class RealOpenerTest : public AboutTest {
 protected:
  void SetUp() override {
    AboutTest::SetUp();
    SetLauncher({});
    m_Dir = fs::temp_directory_path() / ("lumora-opener-" + std::to_string(::getpid()));
    fs::create_directories(m_Dir);
    const fs::path opener = m_Dir / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \""
                          << (m_Dir / "args.tmp").string() << "\"\nmv \""
                          << (m_Dir / "args.tmp").string() << "\" \"" << Args().string() << "\"\n";
    fs::permissions(opener, fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    m_OldPath = path ? path : "";
    ::setenv("PATH", (m_Dir.string() + ":" + m_OldPath).c_str(), 1);
  }
  void TearDown() override {
    ::setenv("PATH", m_OldPath.c_str(), 1);
    fs::remove_all(m_Dir);
    AboutTest::TearDown();
  }
  fs::path Args() const { return m_Dir / "args.txt"; }
  std::string WaitForArgs() const {
    for (int i = 0; i < 500 && !fs::exists(Args()); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(Args());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path m_Dir;
  std::string m_OldPath;
};

TEST_F(RealOpenerTest, TheOpenerGetsTheCaptionAsItsOnlyArgument) {
  const fs::path victim = m_Dir / "x";
  AboutDialog().Show(0);
  AboutDialog().lblZel[1]->Caption("a; touch " + victim.string());
  ClickOn(*AboutDialog().lblZel[1]);
  EXPECT_EQ(Err().Number(), 0) << Err().Description();
  EXPECT_EQ(WaitForArgs(), "mailto:a; touch " + victim.string() + "\n");
  EXPECT_FALSE(fs::exists(victim));
}

}  // namespace
}  // namespace lumora

#include "platform/services.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <cerrno>

#include <algorithm>
#include <string_view>

#include "platform/controls/control.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/object.hpp"

extern char** environ;

namespace lumora {

namespace {

thread_local ScreenObject g_Screen;
thread_local AppObject g_App;
thread_local PointApi g_CursorPos;
thread_local Launcher g_Launcher;
thread_local std::vector<pid_t> g_Spawned;

constexpr std::string_view kStartProgram = "Start.exe";

// Collects children that have ended, so started programs leave no zombies.
void ReapSpawned() {
  std::erase_if(g_Spawned, [](pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) != 0;
  });
}

}  // namespace

void ScreenObject::MousePointer(int16_t value) {
  if (!IsValidPointer(value)) Fail(kErrInvalidPropertyValue);
  m_MousePointer = value;
}

ScreenObject& Screen() {
  return g_Screen;
}

AppObject& App() {
  return g_App;
}

bool GetCursorPos(PointApi& point) {
  point = g_CursorPos;
  return true;
}

void SetCursorPos(int32_t x, int32_t y) {
  g_CursorPos = {x, y};
}

Launcher SetLauncher(Launcher launcher) {
  Launcher previous = std::move(g_Launcher);
  g_Launcher = std::move(launcher);
  return previous;
}

double SpawnLauncher(const std::vector<std::string>& command, int16_t) {
  if (command.empty() || command[0].empty()) Fail(kErrInvalidCall, "Shell: no program named");
  const std::vector<std::string> argv = SpawnArguments(command);
  ReapSpawned();
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ);
  if (rc != 0) {
    if (rc == ENOENT || rc == EACCES || rc == ENOEXEC)
      Fail(kErrFileNotFound, "File not found: " + argv[0]);
    Fail(kErrInvalidCall, "Shell: could not start " + argv[0]);
  }
  g_Spawned.push_back(pid);
  return static_cast<double>(pid);
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> args;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (size_t i = 0; i < commandLine.size(); ++i) {
    const char c = commandLine[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
          current.push_back('"');
          ++i;
        } else {
          quoted = false;
        }
      } else {
        current.push_back(c);
      }
    } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (inArgument) args.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else if (c == '"') {
      quoted = true;
      inArgument = true;
    } else {
      current.push_back(c);
      inArgument = true;
    }
  }
  if (quoted) Fail(kErrInvalidCall, "Shell: unterminated quote in the command line");
  if (inArgument) args.push_back(std::move(current));
  return args;
}

std::vector<std::string> CommandLineArguments(const std::string& commandLine) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t begin = commandLine.find_first_not_of(kBlanks);
  if (begin == std::string::npos) return {};
  const size_t end = std::min(commandLine.find_first_of(kBlanks, begin), commandLine.size());
  std::string program = commandLine.substr(begin, end - begin);
  if (!SameName(program, kStartProgram)) return SplitCommandLine(commandLine);
  const size_t restBegin = commandLine.find_first_not_of(kBlanks, end);
  if (restBegin == std::string::npos) Fail(kErrInvalidCall, "Start.exe: nothing to open");
  const size_t restEnd = commandLine.find_last_not_of(kBlanks) + 1;
  std::string rest = commandLine.substr(restBegin, restEnd - restBegin);
  if (rest.front() == '-') Fail(kErrInvalidCall, "Start.exe: \"" + rest + "\" is not a document");
  return {std::move(program), std::move(rest)};
}

std::vector<std::string> SpawnArguments(std::vector<std::string> argv) {
  if (!argv.empty() && SameName(argv[0], kStartProgram)) argv[0] = kDocumentOpener;
  return argv;
}

double Shell(const std::string& commandLine, int16_t windowStyle) {
  return Shell(CommandLineArguments(commandLine), windowStyle);
}

double Shell(const std::vector<std::string>& argv, int16_t windowStyle) {
  if ((windowStyle < 0 || windowStyle > 4) && windowStyle != 6)
    Fail(kErrInvalidCall, "Shell: invalid window style");
  if (argv.empty() || argv[0].empty()) Fail(kErrInvalidCall, "Shell: no program named");
  return g_Launcher ? g_Launcher(argv, windowStyle) : SpawnLauncher(argv, windowStyle);
}

ShownPointer EffectivePointerAt(Form& form, int32_t x, int32_t y) {
  if (Screen().MousePointer() != kPointerDefault)
    return {Screen().MousePointer(), Screen().MouseIcon()};
  Control* control = form.Capture();
  if (!control) control = form.ControlAt(x, y);
  while (control) {
    if (control->MousePointer() != kPointerDefault)
      return {control->MousePointer(), control->MouseIcon()};
    Container* container = control->GetContainer();
    control = container ? container->ContainerControl() : nullptr;
  }
  return {};
}

}  // namespace lumora

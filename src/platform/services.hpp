// Global services the controls call: Screen (the application-wide pointer),
// App (version), the pointer's screen position, and Shell, which starts a
// program through a replaceable launcher with an argument vector, never
// through a command interpreter.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/variant.hpp"

namespace lumora {

class Form;

class ScreenObject {
 public:
  // 0 default (each control's own pointer shows); any other shape, 11
  // (hourglass) for one, shows everywhere. Invalid shape: error 380.
  int16_t MousePointer() const { return m_MousePointer; }
  void MousePointer(int16_t value);
  PicturePtr MouseIcon() const { return m_MouseIcon; }
  void MouseIcon(PicturePtr icon) { m_MouseIcon = std::move(icon); }
  // The screen's size in pixels and twips per pixel (fixed at 15).
  int32_t PixelWidth() const { return 1920; }
  int32_t PixelHeight() const { return 1080; }
  float TwipsPerPixelX() const { return 15; }
  float TwipsPerPixelY() const { return 15; }

 private:
  int16_t m_MousePointer = 0;
  PicturePtr m_MouseIcon;
};
ScreenObject& Screen();

class AppObject {
 public:
  int16_t Major() const { return 2; }
  int16_t Minor() const { return 0; }
  int16_t Revision() const { return 0; }
  const std::string& Title() const { return m_Title; }
  void Title(std::string value) { m_Title = std::move(value); }

 private:
  std::string m_Title = "OrvaneLumora";
};
AppObject& App();

// A point in screen pixels.
struct PointApi {
  int32_t x = 0;
  int32_t y = 0;
};
// The pointer's position in screen pixels, kept by the forms' input routing
// (form origin + client position). Returns true, like the system call.
bool GetCursorPos(PointApi& point);
// Moves the recorded pointer position (tests and presenters).
void SetCursorPos(int32_t x, int32_t y);

// Starts a program. Receives the argument vector (argv[0] is the program)
// and the window style; returns a task id (non-zero) or fails with a Failure
// (53 when the program cannot be found or started).
using Launcher = std::function<double(const std::vector<std::string>& argv, int16_t windowStyle)>;
// Installs the thread's launcher (null restores the default) and returns the
// previous one. The default starts the program with posix_spawnp.
Launcher SetLauncher(Launcher launcher);
// The launcher that posix_spawnp's the argument vector.
double SpawnLauncher(const std::vector<std::string>& argv, int16_t windowStyle);

// Splits a command line into arguments: whitespace separates them, double
// quotes group (a quote inside quotes is written ""), backslashes are
// ordinary characters. An unterminated quote fails with error 5.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// "Start.exe" is the platform's document-opening program. A command line whose
// program is Start.exe (in any case) gives it the rest of the line, trimmed,
// as its one argument, so nothing in it is read as a further program or
// option: an empty rest, or one beginning with '-', fails with error 5.
// Other command lines are split as above.
std::vector<std::string> CommandLineArguments(const std::string& commandLine);
// On this platform the desktop's opener stands in for Start.exe: the default
// launcher starts it in Start.exe's place, with the same arguments.
inline constexpr const char* kDocumentOpener = "xdg-open";
// The argument vector the default launcher spawns for argv.
std::vector<std::string> SpawnArguments(std::vector<std::string> argv);
// Starts the program the command line names (see CommandLineArguments) or the
// argument vector. An empty command: error 5. Window styles 0..4, 6; else 5.
double Shell(const std::string& commandLine, int16_t windowStyle = 2);
double Shell(const std::vector<std::string>& argv, int16_t windowStyle = 2);

// The pointer a presenter should show at a point of a form's client area
// (pixels): Screen.MousePointer when set, else the pointer of the control
// under the point or of its nearest container that sets one (the control
// holding the pointer capture wins while a button is held), else default.
struct ShownPointer {
  int16_t pointer = 0;  // never 0 when a control asked for one; 0: default arrow
  PicturePtr icon;      // for 99 (custom)
};
ShownPointer EffectivePointerAt(Form& form, int32_t x, int32_t y);

}  // namespace lumora

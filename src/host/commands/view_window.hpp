// `lumora view` in a window: what the command line asked for, and the part
// of the command that needs the library's windows.
#pragma once

#include <cstdint>
#include <string>

namespace lumora::host {

struct ViewOptions {
  std::string path;
  int32_t width = 800;
  int32_t height = 600;
  bool sized = false;
  std::string dump;
  std::string replay;
  std::string png;
  int32_t benchSteps = 0;
};

bool IsFormFile(const std::string& path);
std::string BaseName(const std::string& path);

// Shows the picture or form file o.path in a resizable window until the user
// closes it. Without windows: loads it (so that bad files are named) and
// fails saying windows are missing.
int ViewInWindow(const ViewOptions& o);

}  // namespace lumora::host

// The picture viewer behind `lumora view`: a form with one ZelPicZoom filling
// it, whose KeyPress events zoom (+ and - along the ladder, 0 natural size,
// F fit, S stretch). It logs the sizes it was given and the zoom commands it
// ran, so that a headless viewer can be brought into the same state and its
// frame compared with a window's.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/object.hpp"

namespace lumora {
class EventSink;
class Form;
class ZelPicZoom;
}  // namespace lumora

namespace lumora::host {

class Viewer {
 public:
  // A loaded form of width x height client pixels showing picture (not yet
  // shown); caption is the window's title.
  Viewer(PicturePtr picture, const std::string& caption, int32_t width, int32_t height);
  // Unloads the form.
  ~Viewer();
  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;

  const std::shared_ptr<Form>& GetForm() const { return m_Form; }
  ZelPicZoom& Zoom() const { return *m_Zoom; }

  // Shows the form with the focus on the picture, so arrows scroll it.
  void Show();
  // Lays the control over the whole client area (after the form's size
  // changed) and logs the size.
  void Fill();
  // Runs the command of a typed character, then gives the picture the
  // focus back; false for other characters.
  bool Command(int16_t keyAscii);

  // What the viewer did and where it stands now: the log, the client size,
  // the zoom, the bars and the picture surface.
  nlohmann::json State() const;
  // Brings a freshly made viewer into a state State() described: replays the
  // log, then sets the bars' values. Malformed states fail with
  // std::runtime_error.
  void Restore(const nlohmann::json& state);

 private:
  void Log(std::string entry);
  bool RunCommand(int16_t keyAscii);
  // Gives the picture surface the focus when it can take it.
  void Focus();

  std::shared_ptr<Form> m_Form;
  std::shared_ptr<ZelPicZoom> m_Zoom;
  std::shared_ptr<EventSink> m_Keys;
  std::vector<std::string> m_Log;
  int32_t m_LoggedWidth = 0;
  int32_t m_LoggedHeight = 0;
};

// The first size in a state's log (the size the viewer was made with).
// Malformed states fail with std::runtime_error.
void InitialSize(const nlohmann::json& state, int32_t& width, int32_t& height);

}  // namespace lumora::host

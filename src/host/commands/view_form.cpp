#include "host/commands/view_form.hpp"

#include <stdexcept>

#include "piczoom/zel_pic_zoom.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/event_source.hpp"
#include "platform/form/form.hpp"

namespace lumora::host {

namespace {

// Hands the control's KeyPress events to the viewer's commands.
class KeySink final : public EventSink {
 public:
  explicit KeySink(Viewer& viewer) : m_Viewer(viewer) {}
  void OnEvent(Object&, int32_t, std::string_view name, std::span<Variant> args) override {
    if (name == "KeyPress" && !args.empty()) m_Viewer.Command(args[0].ToInt16());
  }

 private:
  Viewer& m_Viewer;
};

ScrollBar& Bar(const Form& form, const char* path) {
  auto* bar = dynamic_cast<ScrollBar*>(form.FindPath(path));
  if (!bar) throw std::logic_error(std::string("the viewer has no ") + path);
  return *bar;
}

nlohmann::json BarState(const ScrollBar& bar) {
  return {{"Value", bar.Value()}, {"Max", bar.Max()}, {"Visible", bar.Visible()}};
}

int16_t BarValue(const nlohmann::json& state, const char* name) {
  const auto bar = state.find(name);
  if (bar == state.end() || !bar->is_object() || !bar->contains("Value") ||
      !(*bar)["Value"].is_number_integer())
    throw std::runtime_error(std::string("the state has no ") + name + ".Value");
  const int64_t value = (*bar)["Value"].get<int64_t>();
  if (value < INT16_MIN || value > INT16_MAX)
    throw std::runtime_error(std::string(name) + ".Value is out of range");
  return static_cast<int16_t>(value);
}

bool ParseSize(const std::string& entry, int32_t& width, int32_t& height) {
  unsigned w = 0;
  unsigned h = 0;
  char tail = 0;
  if (std::sscanf(entry.c_str(), "Size %ux%u%c", &w, &h, &tail) != 2) return false;
  if (w == 0 || h == 0 || w > 16384 || h > 16384) return false;
  width = static_cast<int32_t>(w);
  height = static_cast<int32_t>(h);
  return true;
}

const nlohmann::json& LogOf(const nlohmann::json& state) {
  const auto log = state.is_object() ? state.find("log") : state.end();
  if (log == state.end() || !log->is_array()) throw std::runtime_error("the state has no log");
  for (const auto& entry : *log)
    if (!entry.is_string()) throw std::runtime_error("the state's log holds a non-string");
  return *log;
}

}  // namespace

Viewer::Viewer(PicturePtr picture, const std::string& caption, int32_t width, int32_t height)
    : m_Form(Form::Create("frmView", width, height)) {
  m_Form->Caption(caption);
  m_Zoom = m_Form->Add<ZelPicZoom>("z1", 0, 0, m_Form->ScaleWidth(), m_Form->ScaleHeight());
  m_Zoom->Picture(std::move(picture));
  m_Keys = std::make_shared<KeySink>(*this);
  m_Zoom->Events().Advise(m_Keys);
  Log("Size " + std::to_string(width) + "x" + std::to_string(height));
  m_LoggedWidth = width;
  m_LoggedHeight = height;
}

Viewer::~Viewer() {
  m_Zoom->Events().Unadvise(m_Keys.get());
  if (m_Form->IsLoaded()) Unload(*m_Form);
}

void Viewer::Show() {
  m_Form->Show();
  Focus();
}

void Viewer::Fill() {
  m_Zoom->Move(0, 0, m_Form->ScaleWidth(), m_Form->ScaleHeight());
  const int32_t width = m_Form->ClientWidth();
  const int32_t height = m_Form->ClientHeight();
  if (width == m_LoggedWidth && height == m_LoggedHeight) return;
  Log("Size " + std::to_string(width) + "x" + std::to_string(height));
  m_LoggedWidth = width;
  m_LoggedHeight = height;
}

bool Viewer::Command(int16_t keyAscii) {
  if (!RunCommand(keyAscii)) return false;
  // Zooming hides the picture surface for a moment, which takes the focus
  // from it; the arrows should go on scrolling.
  Focus();
  return true;
}

void Viewer::Focus() {
  if (Control* surface = m_Form->FindPath("z1.picScroll");
      surface && surface->CanTakeFocus() && !surface->HasFocus())
    surface->SetFocus();
}

bool Viewer::RunCommand(int16_t keyAscii) {
  switch (keyAscii) {
    case '+':
    case '=':
      Log("ZoomIn");
      m_Zoom->ZoomIn();
      return true;
    case '-':
      Log("ZoomOut");
      m_Zoom->ZoomOut();
      return true;
    case '0':
      Log("ZoomReal");
      m_Zoom->ZoomReal();
      return true;
    case 'f':
    case 'F':
      Log("FeedBest");
      m_Zoom->FeedBest();
      return true;
    case 's':
    case 'S':
      Log("Stretch");
      m_Zoom->Stretch();
      return true;
    default: return false;
  }
}

void Viewer::Log(std::string entry) {
  m_Log.push_back(std::move(entry));
}

nlohmann::json Viewer::State() const {
  const Control& surface = *m_Form->FindPath("z1.picScroll");
  return {
      {"log", m_Log},
      {"client", {m_Form->ClientWidth(), m_Form->ClientHeight()}},
      {"zoomPercent", m_Zoom->ZoomPercent().ToInt16()},
      {"HScroll", BarState(Bar(*m_Form, "z1.HScroll"))},
      {"VScroll", BarState(Bar(*m_Form, "z1.VScroll"))},
      {"picScroll", {surface.Left(), surface.Top(), surface.Width(), surface.Height()}},
  };
}

void Viewer::Restore(const nlohmann::json& state) {
  const nlohmann::json& log = LogOf(state);
  const int16_t h = BarValue(state, "HScroll");
  const int16_t v = BarValue(state, "VScroll");
  for (size_t i = 1; i < log.size(); ++i) {
    const std::string entry = log[i].get<std::string>();
    int32_t width = 0;
    int32_t height = 0;
    if (ParseSize(entry, width, height)) {
      m_Form->ResizeClient(width, height);
      Fill();
      continue;
    }
    static constexpr std::pair<const char*, int16_t> kCommands[] = {
        {"ZoomIn", '+'}, {"ZoomOut", '-'}, {"ZoomReal", '0'}, {"FeedBest", 'F'}, {"Stretch", 'S'}};
    const auto* command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                       [&](const auto& c) { return entry == c.first; });
    if (command == std::end(kCommands))
      throw std::runtime_error("the state's log has an unknown entry '" + entry + "'");
    Command(command->second);
  }
  Bar(*m_Form, "z1.HScroll").Value(h);
  Bar(*m_Form, "z1.VScroll").Value(v);
}

void InitialSize(const nlohmann::json& state, int32_t& width, int32_t& height) {
  const nlohmann::json& log = LogOf(state);
  if (log.empty() || !ParseSize(log[0].get<std::string>(), width, height))
    throw std::runtime_error("the state's log does not begin with the viewer's size");
}

}  // namespace lumora::host

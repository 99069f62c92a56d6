#include "platform/render/painters.hpp"

#include <unordered_map>
#include <vector>

#include "platform/controls/check_box.hpp"
#include "platform/controls/command_button.hpp"
#include "platform/controls/image.hpp"
#include "platform/controls/label.hpp"
#include "platform/controls/picture_box.hpp"
#include "platform/controls/scroll_bar.hpp"
#include "platform/controls/text_box.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/render/draw_controls.hpp"

namespace lumora {

namespace {

struct Entry {
  std::type_index type;
  ControlMatcher matches;
  ControlPainter painter;
  ControlMatcher opaque;  // null: never opaque
};

struct Resolved {
  ControlPainter painter;
  ControlMatcher opaque;
};

template <class T>
bool Is(const Control& control) {
  return dynamic_cast<const T*>(&control) != nullptr;
}

template <class T, void (*Draw)(Canvas&, const T&)>
void Paint(Canvas& canvas, const Control& control) {
  Draw(canvas, static_cast<const T&>(control));
}

void PaintNothing(Canvas&, const Control&) {}
bool Always(const Control&) {
  return true;
}
// Surfaces with BackStyle 1 fill their whole rectangle.
template <class T>
bool OpaqueBackStyle(const Control& control) {
  return static_cast<const T&>(control).BackStyle() == 1;
}

template <class T, void (*Draw)(Canvas&, const T&)>
Entry Builtin(ControlMatcher opaque) {
  return {typeid(T), &Is<T>, &Paint<T, Draw>, opaque};
}

struct Table {
  std::vector<Entry> registered;  // most recent first
  std::vector<Entry> builtin;     // most derived first
  std::unordered_map<std::type_index, Resolved> resolved;

  Table() {
    builtin = {
        Builtin<PictureBox, DrawPictureBox>(&Always),
        Builtin<ScrollBar, DrawScrollBar>(&Always),
        Builtin<CommandButton, DrawCommandButton>(&Always),
        Builtin<ImageControl, DrawImage>(nullptr),
        Builtin<Label, DrawLabel>(&OpaqueBackStyle<Label>),
        Builtin<TextBox, DrawTextBox>(&Always),
        Builtin<CheckBox, DrawCheckBox>(&Always),
        Builtin<UserControl, DrawUserControl>(&OpaqueBackStyle<UserControl>),
        {typeid(Control), &Always, &PaintNothing, nullptr},
    };
  }
};

Table& ThreadTable() {
  thread_local Table g_Painters;
  return g_Painters;
}

}  // namespace

void RegisterPainter(std::type_index type, ControlMatcher matches, ControlPainter painter,
                     ControlMatcher opaque) {
  Table& table = ThreadTable();
  std::erase_if(table.registered, [&](const Entry& e) { return e.type == type; });
  table.registered.insert(table.registered.begin(), Entry{type, matches, painter, opaque});
  table.resolved.clear();
}

namespace {
const Resolved& Resolve(const Control& control) {
  Table& table = ThreadTable();
  const std::type_index type = typeid(control);
  if (auto it = table.resolved.find(type); it != table.resolved.end()) return it->second;
  auto first = [&](auto&& test) -> const Entry* {
    for (const std::vector<Entry>* list : {&table.registered, &table.builtin}) {
      for (const Entry& e : *list) {
        if (test(e)) return &e;
      }
    }
    return nullptr;
  };
  const Entry* entry = first([&](const Entry& e) { return e.type == type; });
  // Control's own entry matches everything, so this always finds one.
  if (!entry) entry = first([&](const Entry& e) { return e.matches(control); });
  return table.resolved.emplace(type, Resolved{entry->painter, entry->opaque}).first->second;
}
}  // namespace

ControlPainter PainterFor(const Control& control) {
  return Resolve(control).painter;
}

bool PaintsOpaquely(const Control& control) {
  const ControlMatcher opaque = Resolve(control).opaque;
  return opaque && opaque(control);
}

}  // namespace lumora

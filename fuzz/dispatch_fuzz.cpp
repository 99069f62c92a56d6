// Late-bound calls with arbitrary members and hostile arguments on both
// controls, mixed with input, resizes and pumping, then a render. Every
// failure must be an ordinary runtime error; nothing may crash, hang or
// trip the sanitizers.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "forms/control_classes.hpp"
#include "frame/dispatch.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/message_queue.hpp"
#include "platform/picture/picture.hpp"
#include "platform/raster.hpp"
#include "platform/render/render_form.hpp"
#include "platform/services.hpp"

namespace {

using namespace lumora;

// Takes values from the input, front to back; zeros once it runs out.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : m_Data(data), m_Size(size) {}
  bool Empty() const { return m_At >= m_Size; }
  uint8_t Byte() { return m_At < m_Size ? m_Data[m_At++] : 0; }
  uint16_t Word() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
  size_t Pick(size_t count) { return count == 0 ? 0 : Word() % count; }

 private:
  const uint8_t* m_Data;
  size_t m_Size;
  size_t m_At = 0;
};

Variant HostileArgument(Bytes& in, const std::vector<ControlPtr>& controls) {
  static const PicturePtr small = Picture::FromRaster(Raster(7, 5, 0xFF336699u));
  static const PicturePtr wide = Picture::FromRaster(Raster(300, 2, 0xFF996633u));
  constexpr float kHuge = std::numeric_limits<float>::max();
  switch (in.Byte() % 24) {
    case 0: return Variant();
    case 1: return Variant(Missing{});
    case 2: return Variant(nullptr);
    case 3: return Variant(static_cast<int16_t>(in.Word()));
    case 4: return Variant(int16_t{32767});
    case 5: return Variant(int16_t{-32768});
    case 6: return Variant(static_cast<int32_t>(in.Word() << 16 | in.Word()));
    case 7: return Variant(std::numeric_limits<int32_t>::min());
    case 8: return Variant(-kHuge);
    case 9: return Variant(kHuge);
    case 10: return Variant(std::nan(""));
    case 11: return Variant(-std::numeric_limits<double>::infinity());
    case 12: return Variant(1e308);
    case 13: return Variant(static_cast<float>(static_cast<int16_t>(in.Word())) / 7.0f);
    case 14: return Variant(in.Byte() % 2 == 0);
    case 15: return Variant(static_cast<uint8_t>(in.Byte()));
    case 16: return Variant(std::string(in.Byte(), 'x'));
    case 17: return Variant("\x1b]2;t\x07\xff");
    case 18: return Variant(small);
    case 19: return Variant(wide);
    case 20: return Variant(Picture::Empty());
    case 21: return Variant(ObjectPtr(controls[in.Pick(controls.size())]));
    case 22: return Variant(std::to_string(static_cast<int16_t>(in.Word())));
    default: return Variant(static_cast<double>(static_cast<int16_t>(in.Word())) * 1000.5);
  }
}

// One late-bound call of any member of the control's interface.
void Call(Bytes& in, Control& control, const std::vector<ControlPtr>& controls) {
  const DispatchTable* table = DispatchTableOf(control);
  if (!table) return;
  const auto members = table->Interface().members;
  const MemberInfo& member = members[in.Pick(members.size())];
  if (member.name == "SaveTo") return;  // writes a file wherever it is told
  const auto kind = static_cast<MemberKind>(in.Byte() % 4);
  std::vector<Variant> args;
  for (size_t n = in.Byte() % 4; n > 0; --n) args.push_back(HostileArgument(in, controls));
  ClearMessages();  // a modal show with nothing to close it fails at once
  try {
    table->Invoke(control, member.dispid, kind, args);
  } catch (const Failure&) {
  }
}

// Pointer and key input; a press is released after a few yields, so a
// control that repeats while a button or key is held always ends.
void Input(Bytes& in, Form& form, const std::shared_ptr<Form>& self) {
  const int32_t x = in.Byte() * 3 - 40;
  const int32_t y = in.Byte() * 2 - 40;
  const int16_t button = static_cast<int16_t>(1 << in.Byte() % 3);
  const int16_t key = static_cast<int16_t>(in.Byte());
  switch (in.Byte() % 6) {
    case 0:
      ScheduleAfterYields(1 + in.Byte() % 8,
                          Message::Mouse(MessageKind::MouseUp, self, x, y, button));
      form.MouseDown(x, y, button);
      break;
    case 1: form.MouseMove(x, y); break;
    case 2: form.MouseUp(x, y, button); break;
    case 3: form.DoubleClick(x, y, button); break;
    case 4:
      ScheduleAfterYields(1 + in.Byte() % 8, Message::Key(MessageKind::KeyUp, self, key));
      form.KeyDown(key, static_cast<int16_t>(in.Byte() % 8));
      break;
    default: Post(Message::Wheel(self, x, y, static_cast<int16_t>(in.Word()))); break;
  }
  DoEvents();
  ClearMessages();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool configured = [] {
    SetPersistentImageLimit(int64_t{1} << 22);  // big images are refused, not made
    SetLauncher([](const std::vector<std::string>&, int16_t) { return 1.0; });
    return true;
  }();
  (void)configured;
  Bytes in(data, size);
  const auto form = Form::Create("frmFuzz", 320, 240);
  std::vector<ControlPtr> controls;
  try {
    for (const char* cls : {"ZelPicZoom", "ZelScrollContainer"}) {
      controls.push_back(NewControl(cls));
      form->Place(controls.back(), std::string("c") + cls, 150, 150, 2400, 1800, nullptr, nullptr);
    }
    const ControlPtr label = NewControl("Label");
    form->Place(label, "lblInside", 30, 30, 900, 300, controls[1].get(), nullptr);
    controls.push_back(label);
    form->Show();
  } catch (const Failure&) {
    std::abort();  // placing the two controls cannot fail
  }
  for (int step = 0; step < 64 && !in.Empty(); ++step) {
    Control& control = *controls[in.Pick(controls.size())];
    switch (in.Byte() % 5) {
      case 0:
      case 1: Call(in, control, controls); break;
      case 2: Input(in, *form, form); break;
      case 3:
        Step([&] {
          control.Move(static_cast<float>(static_cast<int16_t>(in.Word())),
                       static_cast<float>(static_cast<int16_t>(in.Word())),
                       static_cast<float>(in.Word()), static_cast<float>(in.Word()));
        });
        break;
      default: Step([&] { form->ResizeClient(in.Byte() * 4, in.Byte() * 3); }); break;
    }
  }
  if (form->ClientWidth() > 0 && form->ClientHeight() > 0) (void)RenderForm(*form);
  Step([&] { form->Unload(); });
  ClearMessages();
  Err().Clear();
  return 0;
}

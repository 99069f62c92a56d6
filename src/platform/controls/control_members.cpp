// The late-bound members every control class shares.
#include <optional>

#include "platform/controls/control.hpp"
#include "platform/controls/member_rows.hpp"
#include "platform/errors.hpp"

namespace lumora {

namespace {

Control& Self(Object& o) {
  return static_cast<Control&>(o);
}

std::optional<float> OptionalSingle(std::span<Variant> args, size_t index) {
  const Variant v = ArgOrMissing(args, index);
  if (v.IsMissing()) return std::nullopt;
  return v.ToSingle();
}

}  // namespace

const MemberTable& Control::ControlMembers() {
  static const MemberTable table(
      nullptr, {
                   Property("Name", &Control::Name),
                   Property("Left", &Control::Left, &Control::Left),
                   Property("Top", &Control::Top, &Control::Top),
                   Property("Width", &Control::Width, &Control::Width),
                   Property("Height", &Control::Height, &Control::Height),
                   Property("Visible", &Control::Visible, &Control::Visible),
                   Property("Enabled", &Control::Enabled, &Control::Enabled),
                   Property("TabIndex", &Control::TabIndex, &Control::TabIndex),
                   Property("TabStop", &Control::TabStop, &Control::TabStop),
                   Property("hWnd", &Control::hWnd),
                   Property("MousePointer", &Control::MousePointer, &Control::MousePointer),
                   Property("MouseIcon", &Control::MouseIcon, &Control::MouseIcon),
                   {"Move",
                    {},
                    {},
                    [](Object& o, std::span<Variant> args) {
                      if (args.empty()) Fail(kErrInvalidCall);
                      Self(o).Move(args[0].ToSingle(), OptionalSingle(args, 1),
                                   OptionalSingle(args, 2), OptionalSingle(args, 3));
                      return Variant();
                    }},
                   Method("SetFocus", &Control::SetFocus),
                   Method("Refresh", &Control::Refresh),
                   {"ZOrder",
                    {},
                    {},
                    [](Object& o, std::span<Variant> args) {
                      const Variant position = ArgOrMissing(args, 0);
                      Self(o).ZOrder(position.IsMissing() ? int16_t{0} : position.ToInt16());
                      return Variant();
                    }},
               });
  return table;
}

}  // namespace lumora

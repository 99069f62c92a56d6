// The late-bound members every control class shares.
#include <optional>

#include "platform/controls/control.hpp"
#include "platform/controls/member_table.hpp"
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
                   {"Name", [](Object& o) { return Variant(Self(o).Name()); }, {}, {}},
                   {"Left",
                    [](Object& o) { return Variant(Self(o).Left()); },
                    [](Object& o, const Variant& v) { Self(o).Left(v.ToSingle()); },
                    {}},
                   {"Top",
                    [](Object& o) { return Variant(Self(o).Top()); },
                    [](Object& o, const Variant& v) { Self(o).Top(v.ToSingle()); },
                    {}},
                   {"Width",
                    [](Object& o) { return Variant(Self(o).Width()); },
                    [](Object& o, const Variant& v) { Self(o).Width(v.ToSingle()); },
                    {}},
                   {"Height",
                    [](Object& o) { return Variant(Self(o).Height()); },
                    [](Object& o, const Variant& v) { Self(o).Height(v.ToSingle()); },
                    {}},
                   {"Visible",
                    [](Object& o) { return Variant(Self(o).Visible()); },
                    [](Object& o, const Variant& v) { Self(o).Visible(v.ToBool()); },
                    {}},
                   {"Enabled",
                    [](Object& o) { return Variant(Self(o).Enabled()); },
                    [](Object& o, const Variant& v) { Self(o).Enabled(v.ToBool()); },
                    {}},
                   {"TabIndex",
                    [](Object& o) { return Variant(Self(o).TabIndex()); },
                    [](Object& o, const Variant& v) { Self(o).TabIndex(v.ToInt16()); },
                    {}},
                   {"TabStop",
                    [](Object& o) { return Variant(Self(o).TabStop()); },
                    [](Object& o, const Variant& v) { Self(o).TabStop(v.ToBool()); },
                    {}},
                   {"hWnd", [](Object& o) { return Variant(Self(o).hWnd()); }, {}, {}},
                   {"MousePointer",
                    [](Object& o) { return Variant(Self(o).MousePointer()); },
                    [](Object& o, const Variant& v) { Self(o).MousePointer(v.ToInt16()); },
                    {}},
                   {"MouseIcon",
                    [](Object& o) { return Variant(Self(o).MouseIcon()); },
                    [](Object& o, const Variant& v) { Self(o).MouseIcon(v.ToPicture()); },
                    {}},
                   {"Move",
                    {},
                    {},
                    [](Object& o, std::span<Variant> args) {
                      if (args.empty()) Fail(kErrInvalidCall);
                      Self(o).Move(args[0].ToSingle(), OptionalSingle(args, 1),
                                   OptionalSingle(args, 2), OptionalSingle(args, 3));
                      return Variant();
                    }},
                   {"SetFocus",
                    {},
                    {},
                    [](Object& o, std::span<Variant>) {
                      Self(o).SetFocus();
                      return Variant();
                    }},
                   {"Refresh",
                    {},
                    {},
                    [](Object& o, std::span<Variant>) {
                      Self(o).Refresh();
                      return Variant();
                    }},
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

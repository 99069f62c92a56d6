#include "platform/controls/menu.hpp"

#include "platform/controls/member_table.hpp"

namespace lumora {

Menu::Menu() : Control("Menu") {}

namespace {

Menu& Mn(Object& o) {
  return static_cast<Menu&>(o);
}

}  // namespace

// Deliberately not chained to the control members: a menu has no position or
// size, so Left, Top, Width and Height fail with error 438.
const MemberTable& Menu::Members() const {
  static const MemberTable table(
      nullptr, {
                   {"Name", [](Object& o) { return Variant(Mn(o).Name()); }, {}, {}},
                   {"Caption",
                    [](Object& o) { return Variant(Mn(o).Caption()); },
                    [](Object& o, const Variant& v) { Mn(o).Caption(v.ToString()); },
                    {}},
                   {"Visible",
                    [](Object& o) { return Variant(Mn(o).Visible()); },
                    [](Object& o, const Variant& v) { Mn(o).Visible(v.ToBool()); },
                    {}},
                   {"Enabled",
                    [](Object& o) { return Variant(Mn(o).Enabled()); },
                    [](Object& o, const Variant& v) { Mn(o).Enabled(v.ToBool()); },
                    {}},
                   {"Checked",
                    [](Object& o) { return Variant(Mn(o).Checked()); },
                    [](Object& o, const Variant& v) { Mn(o).Checked(v.ToBool()); },
                    {}},
               });
  return table;
}

}  // namespace lumora

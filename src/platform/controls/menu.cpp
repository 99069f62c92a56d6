#include "platform/controls/menu.hpp"

#include "platform/controls/member_rows.hpp"

namespace lumora {

Menu::Menu() : Control("Menu") {}

// Deliberately not chained to the control members: a menu has no position or
// size, so Left, Top, Width and Height fail with error 438.
const MemberTable& Menu::Members() const {
  static const MemberTable table(nullptr, {
                                              Property("Name", &Menu::Name),
                                              Property("Caption", &Menu::Caption, &Menu::Caption),
                                              Property("Visible", &Menu::Visible, &Menu::Visible),
                                              Property("Enabled", &Menu::Enabled, &Menu::Enabled),
                                              Property("Checked", &Menu::Checked, &Menu::Checked),
                                          });
  return table;
}

}  // namespace lumora

#include "forms/form_properties.hpp"

#include <string>
#include <vector>

#include "forms/control_classes.hpp"
#include "platform/controls/member_table.hpp"
#include "platform/errors.hpp"

namespace lumora {

namespace {

// Candidates in the order they are applied; a class stores those of them it
// can both read and write.
constexpr std::string_view kStored[] = {
    "Caption",   "Text",      "Alignment",   "AutoSize",   "WordWrap",    "BackStyle",
    "BackColor", "ForeColor", "BorderStyle", "Appearance", "FontSize",    "FontBold",
    "Locked",    "Checked",   "Min",         "Max",        "SmallChange", "LargeChange",
    "Value",     "Stretch",   "AutoRedraw",  "Picture",    "Enabled",     "MousePointer",
    "MouseIcon", "TabStop"};

std::vector<std::string_view> StoredBy(const Control& control) {
  std::vector<std::string_view> names;
  for (std::string_view name : kStored) {
    const Member* member = control.Members().Find(name);
    if (member && member->get && member->set && !member->call) names.push_back(name);
  }
  // Menus have no extender: their visibility is one of their properties.
  if (!control.HasExtent()) names.push_back("Visible");
  return names;
}

}  // namespace

void WriteOrdinaryProperties(Control& control, PropertyBag& bag) {
  const ControlPtr fresh = NewControl(control.TypeName());
  for (std::string_view name : StoredBy(control)) {
    const Variant value = control.GetProperty(name);
    const Variant fallback = fresh ? fresh->GetProperty(name) : Variant();
    bag.WriteProperty(name, value, fallback);
  }
}

void ReadOrdinaryProperties(Control& control, const PropertyBag& bag) {
  const std::vector<std::string_view> stored = StoredBy(control);
  for (const std::string& key : bag.Keys()) {
    bool known = false;
    for (std::string_view name : stored) known = known || SameName(name, key);
    if (!known)
      Fail(kErrNoSuchMember, key + ": " + control.TypeName() + " stores no such property");
  }
  for (std::string_view name : stored) {
    if (!bag.Contains(name)) continue;
    try {
      control.SetProperty(name, bag.ReadProperty(name));
    } catch (const Failure& failure) {
      throw Failure(failure.Number(), std::string(name) + ": " + failure.Description());
    }
  }
}

}  // namespace lumora

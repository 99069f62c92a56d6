// Writing form files: a form described as it stands (each library control's
// WriteProperties runs) and that description as a form file's JSON text.
#include <cmath>

#include <nlohmann/json.hpp>

#include "forms/form_file.hpp"
#include "forms/form_properties.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/form/form.hpp"
#include "platform/numeric.hpp"

namespace lumora {

namespace {

using Json = nlohmann::ordered_json;

// Numbers that are whole are written as integers, for readable files.
Json NumberJson(double n) {
  if (std::floor(n) == n && std::fabs(n) < 9.0e15) return static_cast<int64_t>(n);
  return n;
}

}  // namespace

FormDescription DescribeForm(Form& form) {
  FormDescription d;
  d.name = form.Name();
  d.caption = form.Caption();
  d.width = static_cast<int32_t>(form.ClientWidth() * double{kTwipsPerPixel});
  d.height = static_cast<int32_t>(form.ClientHeight() * double{kTwipsPerPixel});
  for (const ControlPtr& control : form.Controls()) {
    PlacedControl p;
    p.className = control->TypeName();
    p.name = control->Name();
    Container* container = control->GetContainer();
    if (Control* holder = container ? container->ContainerControl() : nullptr) {
      if (holder->IsConstituent())
        Fail(kErrInvalidCall, p.name + " lies inside " + holder->Name() +
                                  ", a part of another control: a form file cannot hold it");
      p.container = holder->Name();
    }
    p.hasExtent = control->HasExtent();
    if (p.hasExtent) {
      p.left = control->Left();
      p.top = control->Top();
      p.width = control->Width();
      p.height = control->Height();
      p.visible = control->Visible();
      p.tabIndex = control->TabIndex();
    }
    if (auto* user = dynamic_cast<UserControl*>(control.get()))
      user->UserControl_WriteProperties(p.properties);
    else
      WriteOrdinaryProperties(*control, p.properties);
    d.controls.push_back(std::move(p));
  }
  return d;
}

std::string FormFileText(const FormDescription& form) {
  Json doc;
  doc["format"] = kFormFileFormat;
  doc["version"] = kFormFileVersion;
  doc["name"] = form.name;
  doc["caption"] = form.caption;
  doc["width"] = form.width;
  doc["height"] = form.height;
  Json controls = Json::array();
  for (const PlacedControl& c : form.controls) {
    Json item;
    item["class"] = c.className;
    item["name"] = c.name;
    item["container"] = c.container;
    if (c.hasExtent) {
      Json ext;
      ext["Left"] = NumberJson(c.left);
      ext["Top"] = NumberJson(c.top);
      ext["Width"] = NumberJson(c.width);
      ext["Height"] = NumberJson(c.height);
      ext["Visible"] = c.visible;
      if (c.tabIndex >= 0) ext["TabIndex"] = c.tabIndex;
      item["extender"] = std::move(ext);
    }
    item["properties"] = c.properties.ToJson();
    controls.push_back(std::move(item));
  }
  doc["controls"] = std::move(controls);
  return doc.dump(2) + "\n";
}

void SaveFormFile(Form& form, const std::string& path) {
  const std::string text = FormFileText(DescribeForm(form));
  WriteFileAtomically(path, text);
  // Only a save that reached the disk counts: then the changes are saved.
  for (const ControlPtr& control : form.Controls())
    if (auto* user = dynamic_cast<UserControl*>(control.get())) user->ClearChangedProperties();
}

}  // namespace lumora

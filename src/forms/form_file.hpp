// Form files: a form and the controls placed on it as JSON, enough to build
// the form again. Each control has its class, name, container, extender
// properties and property bag (pictures as their original bytes in base64):
//
//   {"format": "lumora form", "version": 1,
//    "name": "frmDemo", "caption": "Demo", "width": 9600, "height": 7200,
//    "controls": [
//      {"class": "ZelPicZoom", "name": "z1", "container": "",
//       "extender": {"Left": 120, "Top": 120, "Width": 4800, "Height": 3600,
//                    "Visible": true, "TabIndex": 0},
//       "properties": {"BarsWidth": {"type": "Integer", "value": 20}}}]}
//
// Sizes are twips. The library's controls save and load their bag through
// WriteProperties and ReadProperties; the runtime's ordinary controls store
// the properties form_properties.hpp lists. Reading checks the whole file
// before anything is built, and building is all or nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/property_bag.hpp"

namespace lumora {

class Control;
class Form;

// A bad form file: the message names the file and the place in it.
class FormFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PlacedControl {
  std::string className;
  std::string name;
  std::string container;  // the containing control's name; empty for the form
  bool hasExtent = true;  // false for menus: no extender properties
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  bool visible = true;
  int16_t tabIndex = 0;
  PropertyBag properties;
};

// What a form file's "format" and "version" say.
inline constexpr const char* kFormFileFormat = "lumora form";
inline constexpr int kFormFileVersion = 1;

struct FormDescription {
  std::string name;
  std::string caption;
  int32_t width = 0;  // client area, twips
  int32_t height = 0;
  std::vector<PlacedControl> controls;  // in placement order, containers first
};

// Describes a form as it stands. Runs each library control's
// WriteProperties, which clears its changed properties (a save).
FormDescription DescribeForm(Form& form);
std::string FormFileText(const FormDescription& form);

// Parses a form file's JSON: a syntax fault names its line and column, and a
// key given twice in one object is refused (a plain parse keeps the last).
nlohmann::ordered_json ParseFormJson(std::string_view text, const std::string& file);

// Parses and checks a form file: JSON syntax, fields and their types, known
// classes, unique names, containers placed before what they contain,
// property types and picture data. file names the file in messages.
FormDescription ParseFormFile(std::string_view text, const std::string& file);

// Builds a loaded (not shown) form, named name when given. If any control
// fails to be placed, the form is unloaded again and a FormFileError says
// which; nothing is left behind. A form of the same name already open is an
// error too.
std::shared_ptr<Form> BuildForm(const FormDescription& description, const std::string& file,
                                const std::string& name = {});

// Places one described control on form, inside container (nullptr: on the
// form itself), with its extender and stored properties. Fails as the
// runtime does; the caller undoes what it placed before.
void PlaceControl(Form& form, const PlacedControl& c, Control* container);

// Saves atomically: a failed save leaves an existing file as it was.
void SaveFormFile(Form& form, const std::string& path);
std::shared_ptr<Form> LoadFormFile(const std::string& path, const std::string& name = {});

// Unloads a form when the scope ends, errors ignored: a command that opened
// a form file leaves nothing loaded behind, however it ends.
class UnloadAtEnd {
 public:
  explicit UnloadAtEnd(Form& form) : m_Form(form) {}
  ~UnloadAtEnd();
  UnloadAtEnd(const UnloadAtEnd&) = delete;
  UnloadAtEnd& operator=(const UnloadAtEnd&) = delete;

 private:
  Form& m_Form;
};

}  // namespace lumora

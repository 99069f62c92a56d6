// Places the controls a form file describes inside a container control of
// another form: what the file placed on its form goes into the container,
// what it placed in its own containers follows them there.
#pragma once

#include <string>

#include "forms/form_file.hpp"

namespace lumora {
class Control;
class Form;
}  // namespace lumora

namespace lumora::qt {

// All or nothing: when a control cannot be placed (an unknown class, a name
// already on the form, a property refused) the ones placed before it are
// removed again and FormFileError names the file, the control and
// the reason.
void PlaceDescribed(Form& form, const FormDescription& description, Control& container,
                    const std::string& file);

}  // namespace lumora::qt

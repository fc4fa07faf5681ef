// Stored form data: the text that describes a form, its components and their stored properties.
//
//   # comment
//   Form1 : TForm1 {
//       Caption = "Marivel进制转换器"      string (UTF-8; escapes \" \\ \n \r \t \xHH)
//       Left = 352                          integer
//       BorderStyle = bsSingle              identifier: enumeration value, boolean, colour,
//                                           component reference or event handler name
//       BorderIcons = [biSystemMenu]        set of identifiers
//       Font.Height = -11                   property of a sub-object
//       Skin3rd = ("tcheckbox=checkbox"     list of strings, may span lines
//                  "tbutton=button")
//       SkinStream = <0c000000 ...>         binary, hexadecimal digits, may span lines
//       Label1 : TLabel { ... }             owned component, in creation order
//   }
#pragma once

#include "framework/rtl/exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rtl {

struct FormIdentifier {
    std::string name;
    bool operator==(const FormIdentifier&) const = default;
};
struct FormSet {
    std::vector<std::string> members;
    bool operator==(const FormSet&) const = default;
};
using FormStringList = std::vector<std::string>;
using FormBinary = std::vector<std::uint8_t>;

using FormValue =
    std::variant<std::int64_t, std::string, FormIdentifier, FormSet, FormStringList, FormBinary>;

struct FormProperty {
    std::string name; // may be dotted: "Font.Height"
    FormValue value;
    int line = 0; // where it was written, for error messages
};

struct FormObject {
    std::string name;
    std::string className;
    std::vector<FormProperty> properties; // in stored order
    std::vector<FormObject> children;     // in stored (creation) order
    int line = 0;
};

// A malformed form text; the message names the form and the line.
class EFormDataError : public Exception {
  public:
    using Exception::Exception;
};

// Parses one form. sourceName names the form in error messages (e.g. "TForm1").
FormObject ParseFormData(std::string_view text, std::string_view sourceName);

// Writes a form in the same syntax; ParseFormData(WriteFormData(x)) reproduces x (lines aside).
std::string WriteFormData(const FormObject& form);

} // namespace rtl

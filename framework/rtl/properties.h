// Published properties: what stored form data may set, looked up by name at run time.
#pragma once

#include "framework/rtl/form_data.h"

#include <functional>
#include <string>
#include <vector>

namespace rtl {

class TPersistent;
class TComponent;

enum class TTypeKind {
    tkInteger,
    tkString,
    tkEnumeration,
    tkSet,
    tkColour,
    tkStringList,
    tkBinary,
    tkClass,
    tkMethod
};

// Component references and event bindings can name things that are read later; they are resolved once the
// whole form has been read.
struct TReadContext {
    TComponent* Root = nullptr;
    std::vector<std::function<void()>> Fixups;
};

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::tkInteger;
    std::vector<std::string>
        ValueNames; // enumeration values or set members in bit order; booleans: False, True
    // Stores a value read from form data; raises EFormDataError-free rtl::Exception on a value of the wrong
    // kind.
    std::function<void(TPersistent&, const FormValue&, TReadContext&)> Store;
    // The property's value as text ("true"/"false" for booleans, the value name for enumerations).
    std::function<std::string(const TPersistent&)> GetText;
    // For tkClass: the stored sub-object whose own properties follow after a dot ("Font.Height").
    std::function<TPersistent*(TPersistent&)> SubObject;
};

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> Properties; // published in this order

    const TPropInfo* FindProperty(const std::string& name) const; // case-insensitive, searches parents
    bool InheritsFrom(const std::string& className) const;
    // Whether this is base or a class derived from it (compared by identity, not by name).
    bool InheritsFrom(const TClassInfo& base) const;
};

} // namespace rtl

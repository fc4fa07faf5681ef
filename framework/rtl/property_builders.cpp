#include "framework/rtl/property_builders.h"

#include "framework/rtl/text.h"

namespace rtl {

std::int64_t ExpectInteger(const FormValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) return *number;
    throw Exception("expected an integer");
}

const std::string& ExpectString(const FormValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    throw Exception("expected a string");
}

const std::string& ExpectIdentifier(const FormValue& value) {
    if (const auto* ident = std::get_if<FormIdentifier>(&value)) return ident->name;
    throw Exception("expected a name");
}

int ExpectEnumValue(const FormValue& value, const std::vector<std::string>& names) {
    const std::string wanted = LowerCaseAscii(ExpectIdentifier(value));
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (LowerCaseAscii(names[i]) == wanted) return static_cast<int>(i);
    }
    throw Exception("'" + ExpectIdentifier(value) + "' is not a value of this property");
}

std::uint32_t ExpectSet(const FormValue& value, const std::vector<std::string>& names) {
    const auto* set = std::get_if<FormSet>(&value);
    if (!set) throw Exception("expected a set");
    std::uint32_t bits = 0;
    for (const std::string& member : set->members) {
        bits |= 1u << ExpectEnumValue(FormIdentifier{member}, names);
    }
    return bits;
}

const FormStringList& ExpectStringList(const FormValue& value) {
    if (const auto* list = std::get_if<FormStringList>(&value)) return *list;
    throw Exception("expected a list of strings");
}

const FormBinary& ExpectBinary(const FormValue& value) {
    if (const auto* bytes = std::get_if<FormBinary>(&value)) return *bytes;
    throw Exception("expected binary data");
}

TColor ExpectColour(const FormValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        if (*number < INT32_MIN || *number > 0xFFFFFFFFLL) throw Exception("colour out of range");
        return static_cast<TColor>(*number);
    }
    const std::string& name = ExpectIdentifier(value);
    if (const auto colour = IdentToColour(name)) return *colour;
    throw Exception("'" + name + "' is not a colour");
}

} // namespace rtl

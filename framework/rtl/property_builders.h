// Helpers that describe a class's published properties with its own setters and getters.
#pragma once

#include "framework/rtl/colours.h"
#include "framework/rtl/component.h"
#include "framework/rtl/exceptions.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace rtl {

// Value checks used by the builders; the reader adds the form and line to the message.
std::int64_t ExpectInteger(const FormValue& value);
const std::string& ExpectString(const FormValue& value);
const std::string& ExpectIdentifier(const FormValue& value);
int ExpectEnumValue(const FormValue& value, const std::vector<std::string>& names);
std::uint32_t ExpectSet(const FormValue& value, const std::vector<std::string>& names);
const FormStringList& ExpectStringList(const FormValue& value);
const FormBinary& ExpectBinary(const FormValue& value);
TColor ExpectColour(const FormValue& value);

inline const std::vector<std::string>& BooleanNames() {
    static const std::vector<std::string> names{"False", "True"};
    return names;
}

template <class C> TPropInfo IntegerProperty(std::string name, void (C::*set)(int), int (C::*get)() const) {
    TPropInfo info{std::move(name), TTypeKind::tkInteger, {}, {}, {}, {}};
    info.Store = [set](TPersistent& target, const FormValue& value, TReadContext&) {
        const std::int64_t number = ExpectInteger(value);
        if (number < INT32_MIN || number > INT32_MAX) throw Exception("integer out of range");
        (dynamic_cast<C&>(target).*set)(static_cast<int>(number));
    };
    info.GetText = [get](const TPersistent& target) {
        return std::to_string((dynamic_cast<const C&>(target).*get)());
    };
    return info;
}

template <class C>
TPropInfo StringProperty(std::string name, void (C::*set)(const std::string&),
                         std::string (C::*get)() const) {
    TPropInfo info{std::move(name), TTypeKind::tkString, {}, {}, {}, {}};
    info.Store = [set](TPersistent& target, const FormValue& value, TReadContext&) {
        (dynamic_cast<C&>(target).*set)(ExpectString(value));
    };
    info.GetText = [get](const TPersistent& target) { return (dynamic_cast<const C&>(target).*get)(); };
    return info;
}

template <class C> TPropInfo BooleanProperty(std::string name, void (C::*set)(bool), bool (C::*get)() const) {
    TPropInfo info{std::move(name), TTypeKind::tkEnumeration, BooleanNames(), {}, {}, {}};
    info.Store = [set](TPersistent& target, const FormValue& value, TReadContext&) {
        (dynamic_cast<C&>(target).*set)(ExpectEnumValue(value, BooleanNames()) == 1);
    };
    info.GetText = [get](const TPersistent& target) {
        return std::string((dynamic_cast<const C&>(target).*get)() ? "true" : "false");
    };
    return info;
}

template <class C, class E>
TPropInfo EnumProperty(std::string name, std::vector<std::string> names, void (C::*set)(E),
                       E (C::*get)() const) {
    TPropInfo info{std::move(name), TTypeKind::tkEnumeration, std::move(names), {}, {}, {}};
    info.Store = [set, names = info.ValueNames](TPersistent& target, const FormValue& value, TReadContext&) {
        (dynamic_cast<C&>(target).*set)(static_cast<E>(ExpectEnumValue(value, names)));
    };
    info.GetText = [get, names = info.ValueNames](const TPersistent& target) {
        const auto index = static_cast<std::size_t>((dynamic_cast<const C&>(target).*get)());
        return index < names.size() ? names[index] : std::to_string(index);
    };
    return info;
}

template <class C>
TPropInfo SetProperty(std::string name, std::vector<std::string> names, void (C::*set)(std::uint32_t)) {
    TPropInfo info{std::move(name), TTypeKind::tkSet, std::move(names), {}, {}, {}};
    info.Store = [set, names = info.ValueNames](TPersistent& target, const FormValue& value, TReadContext&) {
        (dynamic_cast<C&>(target).*set)(ExpectSet(value, names));
    };
    return info;
}

template <class C> TPropInfo ColourProperty(std::string name, void (C::*set)(TColor)) {
    TPropInfo info{std::move(name), TTypeKind::tkColour, {}, {}, {}, {}};
    info.Store = [set](TPersistent& target, const FormValue& value, TReadContext&) {
        (dynamic_cast<C&>(target).*set)(ExpectColour(value));
    };
    return info;
}

template <class C>
TPropInfo StringListProperty(std::string name, void (C::*set)(const std::vector<std::string>&)) {
    TPropInfo info{std::move(name), TTypeKind::tkStringList, {}, {}, {}, {}};
    info.Store = [set](TPersistent& target, const FormValue& value, TReadContext&) {
        (dynamic_cast<C&>(target).*set)(ExpectStringList(value));
    };
    return info;
}

template <class C>
TPropInfo BinaryProperty(std::string name, void (C::*set)(const std::vector<std::uint8_t>&)) {
    TPropInfo info{std::move(name), TTypeKind::tkBinary, {}, {}, {}, {}};
    info.Store = [set](TPersistent& target, const FormValue& value, TReadContext&) {
        (dynamic_cast<C&>(target).*set)(ExpectBinary(value));
    };
    return info;
}

template <class C, class T> TPropInfo SubObjectProperty(std::string name, T* (C::*get)()) {
    TPropInfo info{std::move(name), TTypeKind::tkClass, {}, {}, {}, {}};
    info.Store = [](TPersistent&, const FormValue&, TReadContext&) {
        throw Exception("a sub-object is stored through its own properties");
    };
    info.SubObject = [get](TPersistent& target) -> TPersistent* { return (dynamic_cast<C&>(target).*get)(); };
    return info;
}

// A reference to another component of the form, by name; resolved after the whole form has been read.
template <class C, class T> TPropInfo ComponentProperty(std::string name, void (C::*set)(T*)) {
    TPropInfo info{name, TTypeKind::tkClass, {}, {}, {}, {}};
    info.Store = [set, name](TPersistent& target, const FormValue& value, TReadContext& context) {
        const std::string referenced = ExpectIdentifier(value);
        C* object = &dynamic_cast<C&>(target);
        TComponent* root = context.Root;
        context.Fixups.push_back([object, set, referenced, root, name] {
            T* component = dynamic_cast<T*>(root->FindComponent(referenced));
            if (!component)
                throw Exception("'" + name + "' names '" + referenced + "', which is no suitable component");
            (object->*set)(component);
        });
    };
    return info;
}

// An event bound to a published method of the form being read.
template <class C> TPropInfo EventProperty(std::string name, TNotifyEvent C::*event) {
    TPropInfo info{std::move(name), TTypeKind::tkMethod, {}, {}, {}, {}};
    info.Store = [event](TPersistent& target, const FormValue& value, TReadContext& context) {
        const std::string& method = ExpectIdentifier(value);
        TNotifyEvent handler = context.Root->FindNotifyMethod(method);
        if (!handler) throw Exception("the form has no method '" + method + "'");
        dynamic_cast<C&>(target).*event = std::move(handler);
    };
    return info;
}

// A property of a part of the component (an object it holds) published as the component's own: info describes
// it on the part's class, part reaches the part.
template <class C, class P> TPropInfo DelegatedProperty(TPropInfo info, P& (C::*part)()) {
    auto partOf = [part](TPersistent& target) -> TPersistent& { return (dynamic_cast<C&>(target).*part)(); };
    if (info.Store) {
        info.Store = [store = info.Store, partOf](TPersistent& target, const FormValue& value,
                                                  TReadContext& context) {
            store(partOf(target), value, context);
        };
    }
    if (info.GetText) {
        info.GetText = [get = info.GetText, partOf](const TPersistent& target) {
            return get(partOf(const_cast<TPersistent&>(target)));
        };
    }
    if (info.SubObject) {
        info.SubObject = [sub = info.SubObject, partOf](TPersistent& target) { return sub(partOf(target)); };
    }
    return info;
}

} // namespace rtl

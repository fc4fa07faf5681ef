#include "framework/rtl/form_reader.h"

#include "framework/rtl/text.h"

#include <typeinfo>

namespace rtl {
namespace {

[[noreturn]] void FailAt(std::string_view source, int line, const std::string& what) {
    throw EFormDataError("form data of " + std::string(source) + ", line " + std::to_string(line) + ": " +
                         what);
}

void ReadChildren(TComponent& container, const FormObject& data, TReadContext& context,
                  std::string_view source, std::vector<TComponent*>& loadedOrder) {
    for (const FormObject& childData : data.children) {
        TComponent* child = nullptr;
        try {
            child = CreateComponentByClassName(childData.className, context.Root);
        } catch (const Exception& e) {
            FailAt(source, childData.line, e.Message());
        }
        if (context.Root->FindComponent(childData.name) != nullptr) {
            delete child;
            FailAt(source, childData.line, "a component named '" + childData.name + "' already exists");
        }
        child->SetName(childData.name);
        child->SetState(csReading | csLoading);
        loadedOrder.push_back(child);
        try {
            container.AddStoredChild(child);
        } catch (const EFormDataError&) {
            throw;
        } catch (const Exception& e) {
            FailAt(source, childData.line, e.Message());
        }
        for (const FormProperty& property : childData.properties)
            StoreProperty(*child, property, context, source);
        ReadChildren(*child, childData, context, source, loadedOrder);
    }
}

} // namespace

void StoreProperty(TPersistent& target, const FormProperty& property, TReadContext& context,
                   std::string_view source) {
    TPersistent* object = &target;
    std::string_view path = property.name;
    for (std::size_t dot; (dot = path.find('.')) != std::string_view::npos;) {
        const std::string head(path.substr(0, dot));
        const TPropInfo* info = object->ClassInfo().FindProperty(head);
        if (!info || !info->SubObject)
            FailAt(source, property.line, object->ClassName() + " has no sub-object '" + head + "'");
        object = info->SubObject(*object);
        path.remove_prefix(dot + 1);
    }
    const TPropInfo* info = object->ClassInfo().FindProperty(std::string(path));
    if (!info)
        FailAt(source, property.line, object->ClassName() + " has no property '" + std::string(path) + "'");
    try {
        info->Store(*object, property.value, context);
    } catch (const EFormDataError&) {
        throw;
    } catch (const EConvertError&) {
        throw;
    } catch (const Exception& e) {
        // Plain exceptions come from values of the wrong kind and setters' own checks: say where. Derived
        // kinds (a decoder's error, say) pass out as they are.
        if (typeid(e) == typeid(Exception)) {
            FailAt(source, property.line, "'" + property.name + "': " + e.Message());
        }
        throw;
    }
}

void ReadRootComponent(TComponent& root, const FormObject& data, std::string_view source) {
    if (data.className != root.ClassName()) {
        FailAt(source, data.line, "stored class " + data.className + " does not match " + root.ClassName());
    }
    TReadContext context;
    context.Root = &root;
    std::vector<TComponent*> loadedOrder{&root};
    root.SetName(data.name);
    root.SetState(csReading | csLoading);
    for (const FormProperty& property : data.properties)
        StoreProperty(root, property, context, source);
    ReadChildren(root, data, context, source, loadedOrder);
    for (const auto& fixup : context.Fixups) {
        try {
            fixup();
        } catch (const Exception& e) {
            FailAt(source, data.line, e.Message());
        }
    }
    for (TComponent* component : loadedOrder)
        component->ClearState(csReading);
    for (TComponent* component : loadedOrder)
        component->Loaded();
}

} // namespace rtl

#include "framework/rtl/component.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/text.h"

#include <algorithm>
#include <map>

namespace rtl {

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
    const std::string wanted = LowerCaseAscii(name);
    for (const TClassInfo* info = this; info; info = info->Parent) {
        for (const TPropInfo& property : info->Properties) {
            if (LowerCaseAscii(property.Name) == wanted) return &property;
        }
    }
    return nullptr;
}

bool TClassInfo::InheritsFrom(const std::string& className) const {
    for (const TClassInfo* info = this; info; info = info->Parent) {
        if (info->Name == className) return true;
    }
    return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& base) const {
    for (const TClassInfo* info = this; info; info = info->Parent) {
        if (info == &base) return true;
    }
    return false;
}

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo info{"TPersistent", nullptr, {}};
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    SetState(csDestroying);
    // Subscribers learn of the freeing before the owned components go; each may unsubscribe meanwhile.
    while (!freeSubscribers_.empty()) {
        TComponent* subscriber = freeSubscribers_.back();
        freeSubscribers_.pop_back();
        std::erase(subscriber->subscribedTo_, this);
        subscriber->Notification(this, TOperation::opRemove);
    }
    for (TComponent* subject : subscribedTo_)
        std::erase(subject->freeSubscribers_, this);
    subscribedTo_.clear();
    // Last created first; a component freed meanwhile has already left the list.
    while (!components_.empty()) {
        TComponent* last = components_.back();
        delete last; // its destructor removes it from components_
    }
    if (owner_) owner_->RemoveComponent(this);
}

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo info{"TComponent", &TPersistent::StaticClassInfo(), {}};
    return info;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    const std::string wanted = LowerCaseAscii(name);
    for (TComponent* component : components_) {
        if (LowerCaseAscii(component->Name()) == wanted) return component;
    }
    return nullptr;
}

void TComponent::Loaded() {
    ClearState(csLoading);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::FreeNotification(TComponent* subscriber) {
    if (!subscriber || subscriber == this) return;
    if (std::find(freeSubscribers_.begin(), freeSubscribers_.end(), subscriber) != freeSubscribers_.end())
        return;
    freeSubscribers_.push_back(subscriber);
    subscriber->subscribedTo_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* subscriber) {
    if (!subscriber) return;
    std::erase(freeSubscribers_, subscriber);
    std::erase(subscriber->subscribedTo_, this);
}

void TComponent::AddStoredChild(TComponent* child) {
    throw Exception("'" + child->Name() + "' (" + child->ClassName() + ") cannot be placed inside " +
                    ClassName());
}

TNotifyEvent TComponent::FindNotifyMethod(const std::string&) {
    return {};
}

void TComponent::InsertComponent(TComponent* component) {
    component->owner_ = this;
    components_.push_back(component);
    for (TComponent* other : components_) {
        if (other != component) other->Notification(component, TOperation::opInsert);
    }
}

void TComponent::RemoveComponent(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
    if (!HasState(csDestroying)) {
        for (TComponent* other : components_)
            other->Notification(component, TOperation::opRemove);
        Notification(component, TOperation::opRemove);
    }
}

namespace {

std::map<std::string, TComponentFactory>& Factories() {
    static std::map<std::string, TComponentFactory> factories;
    return factories;
}

} // namespace

void RegisterComponentClass(const std::string& className, TComponentFactory factory) {
    Factories()[className] = std::move(factory);
}

std::vector<std::string> RegisteredComponentClasses() {
    std::vector<std::string> names;
    for (const auto& entry : Factories())
        names.push_back(entry.first);
    return names;
}

TComponent* CreateComponentByClassName(const std::string& className, TComponent* owner) {
    const auto found = Factories().find(className);
    if (found == Factories().end()) throw Exception("class " + className + " not found");
    return found->second(owner);
}

void SetEnumProperty(TPersistent& component, const std::string& propertyName, const std::string& valueName) {
    const TPropInfo* property = component.ClassInfo().FindProperty(propertyName);
    if (!property || property->Kind != TTypeKind::tkEnumeration || !property->Store) return;
    const auto& names = property->ValueNames;
    const std::string wanted = LowerCaseAscii(valueName);
    const bool known = std::any_of(names.begin(), names.end(),
                                   [&](const std::string& n) { return LowerCaseAscii(n) == wanted; });
    if (!known) return;
    TReadContext context;
    property->Store(component, FormIdentifier{valueName}, context);
}

} // namespace rtl

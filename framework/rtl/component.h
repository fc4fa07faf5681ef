// Components: objects with an owner that frees them, a name, a tag, and published properties that stored
// form data sets by name.
#pragma once

#include "framework/rtl/properties.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rtl {

class TObject {
  public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// Something with published properties: components and their stored sub-objects (fonts).
class TPersistent : public TObject {
  public:
    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    const std::string& ClassName() const { return ClassInfo().Name; }
    bool InheritsFrom(const std::string& className) const { return ClassInfo().InheritsFrom(className); }
};

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csDesigning = 1u << 2,
    csDestroying = 1u << 3,
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  public:
    explicit TComponent(TComponent* owner);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    // Frees the owned components (last first) and leaves the owner's list.
    ~TComponent() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    std::int32_t Tag() const { return tag_; }
    void SetTag(std::int32_t tag) { tag_ = tag; }

    const std::vector<TComponent*>& Components() const { return components_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* FindComponent(const std::string& name) const;

    unsigned ComponentState() const { return state_; }
    bool HasState(unsigned flags) const { return (state_ & flags) != 0; }
    void SetState(unsigned flags) { state_ |= flags; }
    void ClearState(unsigned flags) { state_ &= ~flags; }

    // Called once the stored data of the owning form has been read completely.
    virtual void Loaded();
    // Told when a component of the same owner is inserted or removed, and when a component this one asked
    // to be told of (FreeNotification) is freed.
    virtual void Notification(TComponent* component, TOperation operation);
    // subscriber gets Notification(this, opRemove) when this component is freed, whoever owns either of them.
    // Freeing the subscriber first ends the subscription.
    void FreeNotification(TComponent* subscriber);
    void RemoveFreeNotification(TComponent* subscriber);

    // A component that the stored data nests inside this one (a control inside a form, an item inside a
    // menu). Ownership stays with the form; this only places it.
    virtual void AddStoredChild(TComponent* child);
    // Event handlers named in stored data are published methods of the form being read.
    virtual TNotifyEvent FindNotifyMethod(const std::string& name);

  private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::int32_t tag_ = 0;
    unsigned state_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeSubscribers_; // told when this one is freed
    std::vector<TComponent*> subscribedTo_;    // whose freeing this one is told of
};

// Creates components by class name (the reader's virtual constructor).
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
void RegisterComponentClass(const std::string& className, TComponentFactory factory);
TComponent* CreateComponentByClassName(const std::string& className, TComponent* owner);
// The names of the registered classes, in alphabetical order.
std::vector<std::string> RegisteredComponentClasses();

template <class T> void RegisterComponentClass() {
    RegisterComponentClass(T::StaticClassInfo().Name, [](TComponent* owner) { return new T(owner); });
}

// Sets the published enumeration (or boolean) property propertyName of component to the value named
// valueName. A missing property, one of another kind, or an unknown value name is skipped silently.
void SetEnumProperty(TPersistent& component, const std::string& propertyName, const std::string& valueName);

} // namespace rtl

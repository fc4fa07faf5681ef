// An owning COM interface pointer: Release on every path.
#pragma once

#include <unknwn.h>

#include <utility>

namespace gui {

template <class Interface> class ComPtr {
  public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        reset();
        pointer_ = std::exchange(other.pointer_, nullptr);
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    Interface** put() noexcept {
        reset();
        return &pointer_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    void reset() noexcept {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }

    template <class Other> ComPtr<Other> As(REFIID iid) const {
        ComPtr<Other> other;
        if (pointer_) pointer_->QueryInterface(iid, other.put_void());
        return other;
    }

  private:
    Interface* pointer_ = nullptr;
};

} // namespace gui

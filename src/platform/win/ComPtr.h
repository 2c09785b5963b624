// The one holder of a COM-style object: it keeps one counted reference (AddRef on copy, Release
// on drop). Every platform layer, test and benchmark holds interfaces this way; the program's
// IUPtr (core/Pointers.h) is this holder with the program's checks added.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}  // NOLINT: null converts to an empty holder
  ComPtr(T* object) : object_(object) {  // NOLINT: a raw pointer becomes a new reference
    if (object_) object_->AddRef();
  }
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  ComPtr(const ComPtr<U>& other) : ComPtr(static_cast<T*>(other.get())) {}  // NOLINT
  ComPtr(const ComPtr& other) : ComPtr(other.object_) {}
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ~ComPtr() { reset(); }

  // The new reference is taken before the old one is dropped: the new object may be reachable
  // only through the old one.
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  // Takes over a reference the caller already owns.
  static ComPtr adopt(T* object) {
    ComPtr held;
    held.object_ = object;
    return held;
  }

  void reset() {
    if (T* object = std::exchange(object_, nullptr)) object->Release();
  }
  // Hands the reference to the caller.
  T* detach() { return std::exchange(object_, nullptr); }
  // The out place of a creating call, which stores a new reference there; drops what was held.
  T** put() {
    reset();
    return &object_;
  }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

// Fills an out place with a new reference to `object` (or null).
template <class Out, class T>
void HandOut(Out** place, T* object) {
  if (object) object->AddRef();
  *place = object;
}

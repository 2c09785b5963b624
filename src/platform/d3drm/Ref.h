// A counted reference to a COM-style object of this layer: AddRef on copy, Release on drop.
#pragma once

#include <utility>

namespace d3drm {

template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(T* object) : object_(object) {  // NOLINT: a raw pointer becomes a new reference
    if (object_) object_->AddRef();
  }
  Ref(const Ref& other) : Ref(other.object_) {}
  Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ~Ref() { reset(); }

  Ref& operator=(Ref other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  // Takes over a reference the caller already owns.
  static Ref adopt(T* object) {
    Ref ref;
    ref.object_ = object;
    return ref;
  }

  void reset() {
    if (T* object = std::exchange(object_, nullptr)) object->Release();
  }
  // Hands the reference to the caller.
  T* detach() { return std::exchange(object_, nullptr); }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

// Fills an out place with a new reference to `object`.
template <class Out, class T>
void HandOut(Out** place, T* object) {
  if (object) object->AddRef();
  *place = object;
}

}  // namespace d3drm

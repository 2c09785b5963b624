// Counted objects and the pointers that hold them; identity handles that survive an object's
// re-creation from an archive; and the reading of counted objects from an archive.
#pragma once

#include <cstdint>
#include <type_traits>

#include "core/FatalError.h"
#include "platform/framework/Archive.h"
#include "platform/win/ComPtr.h"

// Base of every counted object. The count starts at 0 and may reach, but not pass, 0x7FFF. When
// the last reference goes it becomes 0x8000 and the object is deleted; from then on taking and
// dropping references does nothing, so pointers made inside the destructors cannot delete twice.
class RefCount : public CObject {
  DECLARE_SERIAL(RefCount)
 public:
  RefCount() = default;
  // A copy starts uncounted whatever its source's count.
  RefCount(const RefCount&) : CObject() {}
  RefCount& operator=(const RefCount&) { return *this; }
  ~RefCount() override;

  WORD GetCount() const { return crefs; }

  void AddRef() {
    if (crefs == kReleased) return;
    XASSERT(crefs < (1UL << ((sizeof crefs)*8-1))-1, "Reference count limit exceeded");
    ++crefs;
  }
  // Out of line: inlined into the cleanup of a holder that an exception carries out of its
  // function, gcc 12 at -O2 drops the store of the lowered count, and the object is never freed.
  void Release();

 private:
  template <class T>
  friend class ConstructionPtr;
  // Drops the construction guard's reference without deleting the object.
  void EndConstruction() {
    if (crefs == kReleased) return;
    XASSERT(crefs != 0, "Reference count incorrect");
    --crefs;
  }

  static constexpr WORD kReleased = 0x8000;
  WORD crefs = 0;
};

// A counted pointer: holds one reference to a RefCount object, or nothing.
template <class T>
class Ptr {
 public:
  Ptr() = default;
  Ptr(T* p) : p_(p) {  // NOLINT: a raw pointer converts to a counted one
    if (p_) p_->AddRef();
  }
  Ptr(const Ptr& other) : Ptr(other.p_) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ptr(const Ptr<U>& other) : Ptr(static_cast<U*>(other)) {}  // NOLINT
  ~Ptr() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

  // Assigning the object already held is a program error, not a no-op.
  Ptr& operator=(T* p) {
    if (p_) XASSERT(p != p_, "Assigned Ptr<> to itself");
    // The new reference is taken first: it may be reachable only through the old object.
    T* old = p_;
    p_ = p;
    if (p_) p_->AddRef();
    if (old) old->Release();
    return *this;
  }
  Ptr& operator=(const Ptr& other) { return *this = other.p_; }

  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  operator T*() const { return p_; }  // NOLINT

  friend bool operator==(const Ptr& a, const Ptr& b) { return a.p_ == b.p_; }
  friend bool operator==(const Ptr& a, T* b) { return a.p_ == b; }

 private:
  T* p_ = nullptr;
};

// Placed by a constructor on its own object: counted pointers made and dropped while the object
// is being built cannot delete it. Afterwards the count is what the other holders give it.
template <class T>
class ConstructionPtr {
 public:
  explicit ConstructionPtr(T* object) : ptr(object) {
    XASSERT(ptr->GetCount() == 0, "Don't want to use this on already referenced instances");
    ptr->AddRef();
  }
  ~ConstructionPtr() { static_cast<RefCount*>(ptr)->EndConstruction(); }
  ConstructionPtr(const ConstructionPtr&) = delete;
  ConstructionPtr& operator=(const ConstructionPtr&) = delete;

 private:
  T* ptr;
};

// Holds one COM reference to an interface of the DirectX layers: the platform's holder, with the
// program's checks on assignment and on the out place of a creating call.
template <class T>
class IUPtr : public ComPtr<T> {
 public:
  IUPtr() = default;
  IUPtr(T* p) : ComPtr<T>(p) {}  // NOLINT
  IUPtr(const IUPtr& other) = default;

  // Assigning the interface already held is a program error, not a no-op.
  IUPtr& operator=(T* p) {
    if (this->get()) XASSERT_TEXT(p != this->get(), "p != p_", "Assigned IUPtr<> to itself");
    ComPtr<T>::operator=(ComPtr<T>(p));
    return *this;
  }
  IUPtr& operator=(const IUPtr& other) { return *this = other.get(); }

  // The out-parameter of a creating call, which stores a new interface with its reference.
  T** operator&() {
    XASSERT_TEXT(!this->get(), "!p", "Possible overwrite of valid pointer");
    return this->put();
  }
  operator T*() const { return this->get(); }  // NOLINT
};

class Myself;

// The identity handle of a Myself object. Its target is null until an object claims it, then the
// object (re-aimed whenever the object is re-created from an archive), then Destroyed().
class PtrMyself : public RefCount {
  DECLARE_SERIAL(PtrMyself)
 public:
  PtrMyself();
  explicit PtrMyself(Myself* target);

  Myself* GetTarget() const { return target; }
  void SetTarget(Myself* object) { target = object; }
  // The target of a handle whose object has been destroyed (all ones).
  static Myself* Destroyed() { return reinterpret_cast<Myself*>(~std::uintptr_t{0}); }
  // The handle's key in an archive map: a 32-bit value unique among the handles of this run.
  DWORD GetKey() const { return key; }

 private:
  Myself* target = nullptr;
  DWORD key;
};

// Base of every object with an identity. Others refer to it through its handle, which a load
// re-aims at the re-created object.
//
// In an archive the Myself part is the schema word of the most derived class, then:
// - when the archive's m_pDocument is the archive map (XMap of key to handle): the handle's
//   32-bit key, entered into the map when storing and looked up when loading;
// - otherwise (a scene document): the handle as an object reference.
class Myself : public RefCount {
  DECLARE_SERIAL(Myself)
 public:
  Myself();
  ~Myself() override;
  Myself(const Myself&) = delete;
  Myself& operator=(const Myself&) = delete;

  void Serialize(CArchive& ar) override;
  Ptr<PtrMyself>& GetMyself() { return myself; }

 private:
  Ptr<PtrMyself> myself;
};

// Reads a schema word. A version (the low 31 bits) above that of `runtimeClass` shows message
// 40243 and fails the load with badSchema.
DWORD ReadSchema(CArchive& ar, const CRuntimeClass* runtimeClass);

// Reads one object reference as a counted object of class `requested` (any counted class when
// null). A new object is held by the result while its contents are read, and by the archive
// until its load table is dropped, so no back reference can reach a freed object.
Ptr<RefCount> ReadPtr(CArchive& ar, const CRuntimeClass* requested);

template <class T>
CArchive& operator<<(CArchive& ar, const Ptr<T>& p) {
  ar.WriteObject(static_cast<T*>(p));
  return ar;
}

template <class T>
CArchive& operator>>(CArchive& ar, Ptr<T>& p) {
  Ptr<RefCount> read = ReadPtr(ar, T::GetThisClass());
  T* object = dynamic_cast<T*>(static_cast<RefCount*>(read));
  if (read && !object) AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
  p = object;
  return ar;
}

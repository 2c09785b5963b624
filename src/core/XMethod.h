// A member function bound to the object it is called on: a window hands one to a dialog that must
// call back into its owner (the start-up splash's close). It is either set or the NULL method.
#pragma once

#include "core/FatalReport.h"

class XMethod {
 public:
  // The NULL method; only 0 may stand for it.
  XMethod(int a) : method(nullptr), cls(nullptr), call(nullptr) {  // NOLINT: 0 converts to it
    XASSERT_TEXT(a == 0, "a == 0", "Should only be used for creating NULL method");
  }
  template <class T>
  XMethod(T* object, BOOL (T::*function)(int))
      : method(reinterpret_cast<Member>(function)), cls(object), call(&Call<T>) {}

  // Only comparing with 0 (the NULL method) is meaningful.
  bool operator==(int op) const {
    XASSERT_TEXT(op == 0, "op == 0", "Should only be used for testing for NULL method");
    return method == nullptr && cls == nullptr;
  }

  BOOL Perform(int argument) const {
    XASSERT_TEXT(cls && method, "cls && method", "Can't perform NULL method");
    return call(method, cls, argument);
  }

 private:
  struct Any {};
  using Member = BOOL (Any::*)(int);
  template <class T>
  static BOOL Call(Member method, void* cls, int argument) {
    return (static_cast<T*>(cls)->*reinterpret_cast<BOOL (T::*)(int)>(method))(argument);
  }

  Member method;
  void* cls;
  BOOL (*call)(Member, void*, int);
};

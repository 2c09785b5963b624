// The framework's object model: every framework object knows its run-time class; serializable
// classes carry a schema word and a factory, and are registered by name at static
// initialisation so that an archive can re-create them.
#pragma once

#include <cstddef>

#include "platform/win/WinTypes.h"

class CArchive;
class CObject;

// A schema word with this bit set accepts stored objects of any version; the class's
// Serialize compares the version itself.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;
// The schema word of a class that has a run-time class but cannot be archived.
constexpr UINT kNotSerializable = 0xFFFFu;

struct CRuntimeClass {
  const char* m_lpszClassName;
  UINT m_wSchema;
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;

  // A new default object of the class, or nullptr when the class has no factory.
  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;
  BOOL IsSerializable() const { return m_wSchema != kNotSerializable && m_pfnCreateObject != nullptr; }

  // The registered class of that exact name, or nullptr.
  static const CRuntimeClass* FromName(const char* name, std::size_t length);
};

// Enters a class record in the list of classes; one static instance per class.
struct CClassRegistration {
  explicit CClassRegistration(const CRuntimeClass* runtimeClass);
};

class CObject {
 public:
  static const CRuntimeClass classCObject;

  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  // Writes or reads the object's contents; nothing for CObject itself.
  virtual void Serialize(CArchive& ar);

  BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
  BOOL IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
#define ISKINDOF(object, class_name) ((object)->IsKindOf(RUNTIME_CLASS(class_name)))

// GetThisClass names the class in templates, where RUNTIME_CLASS cannot.
#define DECLARE_DYNAMIC(class_name)                                                \
 public:                                                                           \
  static const CRuntimeClass class##class_name;                                    \
  static const CRuntimeClass* GetThisClass() { return &class##class_name; }        \
  const CRuntimeClass* GetRuntimeClass() const override;

// A class the framework can make by its run-time class (frames and views of templates).
#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                   \
  DECLARE_DYNAMIC(class_name)                                        \
  static CObject* CreateObject();                                    \
  friend CArchive& operator>>(CArchive& ar, class_name*& object);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, factory)                      \
  const CRuntimeClass class_name::class##class_name = {#class_name, schema, factory,              \
                                                       RUNTIME_CLASS(base_class_name)};          \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); } \
  static const CClassRegistration register##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNotSerializable, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)           \
  CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNotSerializable, &class_name::CreateObject)

// The raw extraction operator reads an object of the class (or of a class derived from it).
#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                   \
  CObject* class_name::CreateObject() { return new class_name; }                                \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, &class_name::CreateObject)        \
  CArchive& operator>>(CArchive& ar, class_name*& object) {                                     \
    object = dynamic_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));               \
    return ar;                                                                                  \
  }

#include "platform/framework/WindowClasses.h"

#include <cstdio>
#include <list>
#include <string>

namespace {

struct Registered {
  std::string name;
  WindowClass traits;
};

// A list keeps each name's address fixed.
std::list<Registered>& Classes() {
  static std::list<Registered> classes;
  return classes;
}

}  // namespace

const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  for (const Registered& c : Classes())
    if (c.traits.style == classStyle && c.traits.cursor == cursor && c.traits.background == background &&
        c.traits.icon == icon)
      return c.name.c_str();
  char name[96];
  std::snprintf(name, sizeof name, "Tavrolin:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                static_cast<void*>(background), static_cast<void*>(icon));
  Classes().push_back({name, {classStyle, cursor, background, icon}});
  return Classes().back().name.c_str();
}

const WindowClass* FindWindowClass(const char* name) {
  if (!name) return nullptr;
  for (const Registered& c : Classes())
    if (c.name == name) return &c.traits;
  return nullptr;
}

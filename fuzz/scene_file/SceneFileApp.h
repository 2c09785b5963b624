// The application a scene file is read under in the fuzz target and its seed writer: the
// stand-alone application with real camera windows in the rotate-about mode, with a silent
// message box and its preferences kept out of the user's.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSetup.h"
#include "document/XDocument.h"
#include "platform/framework/MemFile.h"
#include "views/WindowedApp.h"

class SceneFileApp : public WindowedApp {
 public:
  SceneFileApp() : WindowedApp(kRotateObjectAboutMode) {
    // New camera windows write their preferences back.
    static std::string config = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/tavrolin-fuzz";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    SetMessageBoxBackend(&boxes);
  }

 private:
  SilentBoxes boxes;
};

// The application of a fuzz target, made with its first input.
inline SceneFileApp& FuzzSceneFileApp() {
  static SceneFileApp* app = [] {
    InstallFuzzSetup();
    return new SceneFileApp;
  }();
  return *app;
}

// Reads the bytes as a scene file into `doc` (which must not delete itself); false when the read
// ended in one of the exceptions by which an open fails.
inline bool ReadSceneBytes(const std::uint8_t* data, std::size_t size, XDocument& doc) {
  CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
  try {
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    doc.DeleteContents();
    doc.Serialize(ar);
    return true;
  } catch (const CArchiveException&) {
  } catch (const CMemoryException&) {
  } catch (const CUserException&) {
  }
  return false;
}

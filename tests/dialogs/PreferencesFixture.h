// Test support for the Preferences sheet: preferences of the test's own, the application's
// refreshers recorded in the order they run, a scene standing in for the active one, scripted
// message boxes, and helpers that store and read preferences and run the sheet.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "dialogs/DialogServices.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/PropertySheetPreferences.h"
#include "document/DocumentTestSupport.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/RunModal.h"
#include "platform/win/ProfileStore.h"
#include "platform/win/QtTestApplication.h"
#include "support/ScriptedMessageBoxes.h"

// The application and a preference store of the test's own, before anything reads preferences.
struct QtFirst {
  QtFirst() : previousStore(SetProfileStore(&store)) { InitGlobals(); }  // the globals follow this store
  ~QtFirst() { SetProfileStore(previousStore); }
  QtTestApplication qt;
  MemoryProfileStore store;
  ProfileStore* previousStore;
};

class PreferencesFixture : public QtFirst, public document_test::SceneFixture, public DialogServices {
 protected:
  PreferencesFixture() : previous_(SetDialogServices(this)) {
    InstallInputFilter();
    InitGlobals();  // as the program's start does: some pages show the global copies
  }
  ~PreferencesFixture() override {
    SetDialogServices(previous_);
    QCoreApplication::processEvents();  // the cursor's moves, before the application goes
  }

  void ReloadRecentFileList(UINT count) override { reloaded.push_back(count); }
  XDocument* GetActiveDocument() override { return &doc; }
  void GetStatusBarPrefs(DWORD* duration, BOOL* blink, BOOL* expand) override {
    *duration = blinkDuration;
    *blink = TRUE;
    *expand = FALSE;
  }
  void SetStatusBarPrefs(DWORD duration, BOOL blink, BOOL expand) override {
    calls.push_back("status bar " + std::to_string(duration) + (blink ? " blink" : "") + (expand ? " expand" : ""));
  }
  void UpdateAllSceneExtents() override { calls.emplace_back("scene extents"); }
  void LoadGroundPrefs() override { calls.push_back("ground, tracking " + Stored(XPref::GROUND_TRACK_SCENE_EXTENTS)); }
  void LoadAboutCylinderPrefs() override { calls.emplace_back("cylinder"); }
  int CountOpenScenes() override { return openScenes; }
  void ApplyObjectQualityAll() override { calls.emplace_back("quality"); }

  static void Store(const XPrefKey& key, const char* text) {
    XWritePrefString(key.section, key.key, text);
    InitGlobals();
  }
  static std::string Stored(const XPrefKey& key) { return XGetPrefString(key.section, key.key, "").str(); }

  // Runs `sheet`; `user` acts and ends it.
  static void Run(PropertySheetPreferences& sheet, const std::function<void()>& user) {
    RunModal([&] { return sheet.DoModal(); }, [&](QDialog*) { user(); });
  }

  std::vector<UINT> reloaded;
  std::vector<std::string> calls;
  DWORD blinkDuration = 1500;
  int openScenes = 0;
  ScriptedMessageBoxes boxes;

 private:
  DialogServices* previous_;
};

inline std::string Text(CWnd& page, int id) {
  CString text;
  page.GetDlgItem(id)->GetWindowText(text);
  return text.str();
}

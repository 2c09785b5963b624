// The main frame's status bar. Pane 0 is the prompt line: it tells at every moment what the mouse
// or the keyboard will do, asking the modal dialog that is up or the window under the cursor for
// its prompt. A new prompt is highlighted, widened over the whole bar, and the pane beside it
// blinks, on a clock of three steps.
#pragma once

#include <unordered_map>
#include <vector>

#include "core/XMessageBox.h"
#include "core/XString.h"
#include "platform/framework/StatusBar.h"

// A prompt source (XStatusCallback) gets back the object that registered it as its argument; it
// calls XStatusBar::SetStatusText with its current prompt.
class XStatusBar : public CStatusBar {
  DECLARE_DYNAMIC(XStatusBar)
 public:
  static constexpr int kMaxPanes = 10;
  static constexpr COLORREF kBlinkColour = 0x00FFFF;  // yellow

  XStatusBar();

  // Every pane becomes owner-drawn, so the bar paints the pane backgrounds.
  BOOL SetIndicators(const UINT* ids, int count);
  void GetPrefs(DWORD* blinkDuration, BOOL* blink, BOOL* expand) const;
  void SetPrefs(DWORD blinkDuration, BOOL blink, BOOL expand);
  void SetPaneBackground(int index, BOOL transparent, COLORREF colour);
  void DrawItem(DRAWITEMSTRUCT* item) override;

  // (id, NULL, 0): string `id` up to its first "\n"; (0, text, 0): the text; (id, text, 0): the
  // text carrying help id `id`; (0, NULL, 0): the idle prompt " Ready". A non-zero highlight
  // asks for that background.
  void SetStatusText(UINT id, const char* text, COLORREF highlight);

  void RegisterStatusCallback(HWND hwnd, XStatusCallback callback, void* argument);
  void UnregisterStatusCallback(HWND hwnd);
  void PushModalStatusCallback(XStatusCallback callback, void* argument);
  void PopModalStatusCallback(XStatusCallback callback);

  // The help context of the current prompt: 0 for ids up to 10000, else the id + 0x10000.
  UINT GetPaneHelpId() const;
  // Runs every 200 ms: advances the blink clock and asks the current prompt source.
  void OnIdle();

  // Cleared while a menu item of the main frame is selected, so the menu's prompt stays.
  void SetMenuClosed(BOOL closed) { menuClosed = closed; }

  struct PaneBackground {
    BOOL transparent = TRUE;
    COLORREF colour = 0;
  };
  const PaneBackground& GetPaneBackground(int index) const;
  const XString& GetPromptText() const { return promptText; }
  UINT GetPromptId() const { return promptId; }
  BOOL IsPromptWidened() const { return savedWidth != -1; }

 private:
  void Step();
  void AskPromptSource();
  void Widen();
  void Restore();

  PaneBackground paneBkgndInfo[kMaxPanes];
  int paneCount = 0;
  unsigned stepCount = 0;
  DWORD blinkDuration = 0;
  DWORD lastStepTime = 0;
  BOOL blink = TRUE;
  BOOL expand = TRUE;
  UINT promptId = 0;
  XString promptText;
  COLORREF highlight = 0;
  int savedWidth = -1;
  UINT savedId = 0;
  UINT savedStyle = 0;
  std::vector<XStatusCallback> modalStatusCallbacks;
  std::vector<void*> modalStatusArguments;
  std::unordered_map<HWND, XStatusCallback> statusCallbacks;
  std::unordered_map<HWND, void*> statusArguments;
  BOOL menuClosed = TRUE;
};

// The child frame of every window inside the main frame. It carries an identity so that scene
// files and undo records can name the window, keeps the placement applied at its first showing,
// and saves and restores its layout together with its views' state.
#pragma once

#include "core/Pointers.h"
#include "platform/framework/MDIFrameWnd.h"

class XFrameWnd;

// The frame's identity; the handle's target while the frame lives.
class FrameIdentity : public Myself {
  DECLARE_SERIAL(FrameIdentity)
 public:
  XFrameWnd* frame = nullptr;
};

class XFrameWnd : public CMDIChildWnd {
  DECLARE_SERIAL(XFrameWnd)
 public:
  XFrameWnd();
  ~XFrameWnd() override;

  // The layout record: the identity, the frame class's schema word, the window placement (11
  // DWORDs) and the archive of each of `document`'s views inside this frame, in view order.
  // Loading stores the placement for InitialUpdateFrame; a newer schema shows 40243 and throws.
  void SerializeLayout(CArchive& ar, CDocument* document);
  // The layout needs the document: use SerializeLayout.
  void Serialize(CArchive& ar) override;
  // Applies the stored placement (hidden when not to be made visible), then the framework's.
  void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

  Ptr<FrameIdentity>& GetIdentity() { return identity; }
  WINDOWPLACEMENT placement{};
  // A command that closing posts to the main frame instead of closing; 0 to close.
  UINT closeCommand = 0;

 protected:
  void OnClose();
  BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  Ptr<FrameIdentity> identity;
};

// The frame of camera windows: no placement of its own until a saved layout gives one.
class XFrameWndNullSize : public XFrameWnd {
  DECLARE_SERIAL(XFrameWndNullSize)
 public:
  XFrameWndNullSize();
};

// The application object: it owns the DirectX objects and the internal object clipboard, and it
// keeps the low-memory handler installed for its whole life.
#pragma once

#include <new>

#include "core/DirectXProbe.h"
#include "core/XList.h"
#include "core/XString.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/framework/WinApp.h"

class XApp : public CWinApp {
  DECLARE_DYNAMIC(XApp)
 public:
  // Takes the low-memory reserve and makes the handler the allocator's failure handler before
  // anything else is allocated.
  XApp();
  // Gives the reserve back.
  ~XApp() override;

  // Releases every object of the internal clipboard and empties it.
  void EmptyObjectClipboard();
  // Every view of every open scene rebuilds its retained-mode content (a look change that the
  // views cannot see by repainting: lighting or opacity).
  virtual void RegenerateAllViews();

  IUPtr<IDirect3DRM> lpD3DRM;
  IUPtr<IDirectDraw> lpDD;
  const D3DFINDDEVICERESULT* device = nullptr;  // the Direct3D device chosen at start-up
  XString programPath;                          // the program's own file
  // The scene groups Edit/Copy and Edit/Cut keep for Edit/Paste (not the desktop clipboard).
  XList<Ptr<RefCount>> objectClipboard;

 private:
  std::new_handler previousNewHandler;
};

// The application object; fatal when there is none or it is not an XApp.
XApp* XGetApp();

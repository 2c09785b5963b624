// Window/New makes an exact copy of the active window (a new frame of the same document with the
// same layout, zoom, scroll ratio and camera) as an undoable step; Window/Close closes the window
// through the document's closing rules.
#include <cstdlib>

#include "document/XDocument.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MemFile.h"
#include "shell/XFrameWnd.h"
#include "views/XScrollView.h"

namespace {

constexpr UINT kLayoutGrowBytes = 1024;
constexpr int kLayoutBufferSize = 4096;

// The copy's handles are objects of the stream, made anew on loading: the copy gets identities
// of its own.
void SerializeWithDocument(CFile& file, UINT mode, XDocument& doc, CFrameWnd& frame) {
  CArchive ar(&file, mode, kLayoutBufferSize);
  ar.m_pDocument = &doc;
  ar.MapObject(&doc);
  GetDocumentApp().SerializeFrameLayout(frame, doc, ar);
  ar.Close();
}

}  // namespace

void XScrollView::OnWindowNew() {
  CFrameWnd* parent = GetParentFrame();
  XASSERT_TEXT(parent && ISKINDOF( parent, XFrameWnd ), "ISKINDOF( GetParentFrame(), XFrameWnd )", "");
  XDocument& doc = *GetDocument();
  DocumentApp& app = GetDocumentApp();
  CMemFile stored(kLayoutGrowBytes);
  SerializeWithDocument(stored, CArchive::store, doc, *parent);

  const int templateIndex = app.FindDocTemplate(this);
  CFrameWnd& frame = app.CreateFrame(doc, templateIndex);
  const auto length = static_cast<UINT>(stored.GetLength());
  BYTE* layout = stored.Detach();
  try {
    CMemFile read(layout, length);
    SerializeWithDocument(read, CArchive::load, doc, frame);
  } catch (...) {
    std::free(layout);
    frame.DestroyWindow();
    throw;
  }
  std::free(layout);
  app.InitialUpdateFrame(doc, templateIndex, frame);
  const CString title = doc.GetTitle();
  doc.SetTitle(title);
  doc.RecordUndo(kUndoOpenWindow, &frame, 0);
}

void XScrollView::OnWindowClose() {
  if (CFrameWnd* frame = GetParentFrame()) frame->PostMessage(WM_CLOSE, 0, 0);
}

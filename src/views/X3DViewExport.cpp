// Export Image: the window's view rendered once at a size the user chooses, written as an
// uncompressed 24-bit BMP file. The file is written beside its target and renamed over it only
// when complete, so a failed export leaves no partial file and keeps a file it was to replace.
#include <string_view>

#include "core/FatalError.h"
#include "core/XMessageBox.h"
#include "core/XString.h"
#include "document/XDocument.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/WaitCursor.h"
#include "platform/win/FileReplace.h"
#include "platform/win/MessageBox.h"
#include "platform/win/SystemInfo.h"
#include "dialogs/XFileDialog.h"
#include "views/DibBytes.h"
#include "views/ExportImageName.h"
#include "views/ExportImageQuestion.h"
#include "views/LockedRows.h"
#include "views/X3DView.h"

namespace {

constexpr UINT IDS_CANNOT_WRITE = 40052;
constexpr UINT IDS_DEPTH_CUE_EXPORT = 40224;
constexpr UINT IDS_BITMAP_TEMPLATE = 19;
constexpr UINT IDS_EXPORT_TITLE = 61;
constexpr UINT IDS_UNTITLED = 62;
constexpr LONG kDotsPerMetreWithoutDisplay = 2835;  // 72 dots per inch

// The display's resolution in dots per metre, x and y.
SIZE DisplayResolution() {
  HDC ic = CreateIC("DISPLAY", nullptr, nullptr, nullptr);
  if (!ic) return {kDotsPerMetreWithoutDisplay, kDotsPerMetreWithoutDisplay};
  const SIZE resolution{DotsPerMetre(GetDeviceCaps(ic, LOGPIXELSX)), DotsPerMetre(GetDeviceCaps(ic, LOGPIXELSY))};
  DeleteDC(ic);
  return resolution;
}

}  // namespace

std::vector<BYTE> X3DView::RenderBitmapFile(int width, int height, bool improve) {
  const XSize res = improve ? XSize(2 * width, 2 * height) : XSize(width, height);
  XASSERT_TEXT(res.cx > 0 && res.cx <= kMaxRenderSize && res.cy > 0 && res.cy <= kMaxRenderSize,
               "res.cx > 0 && res.cx <= 2048-2*NO_BLUR_BAND_SZ && res.cy > 0 && res.cy <= 2048-2*NO_BLUR_BAND_SZ", "");
  // A render of this window waiting in a message box still uses its surfaces.
  if (rendering) return {};
  const DDPIXELFORMAT rgb24 = DDMakePixelFormat(DDFormat::RGB888);
  RenderImage(nullptr, FALSE, &res, &rgb24);

  const std::size_t dibSize = DibSize(width, height);
  std::vector<BYTE> file(kBitmapFileHeaderSize + dibSize);
  const SIZE resolution = DisplayResolution();
  WriteBitmapFileHeader(file.data(), dibSize);
  WriteBitmapInfoHeader(file.data() + kBitmapFileHeaderSize, width, height, resolution.cx, resolution.cy);
  DDSURFACEDESC lockDesc{};
  lockDesc.dwSize = sizeof lockDesc;
  XCHECK_DD(image2->Lock( NULL, &lockDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL ));
  XASSERT_TEXT(static_cast<int>(lockDesc.dwWidth) == res.cx && static_cast<int>(lockDesc.dwHeight) == res.cy,
               "(int)lockDesc.dwWidth == res.cx && (int)lockDesc.dwHeight == res.cy", "");
  PackDibRows(file.data() + kBitmapFileHeaderSize + kBitmapInfoHeaderSize, FirstRow(lockDesc), lockDesc.lPitch, width,
              height, improve);
  XCHECK_DD(image2->Unlock( lockDesc.lpSurface ));
  // The window's next paint makes its surfaces again at its own size.
  image2 = nullptr;
  image = nullptr;
  return file;
}

void X3DView::OnFileExportImage() {
  if (rendering) return;
  if (UsesDepthCue()) {
    XErrorBox(IDS_DEPTH_CUE_EXPORT);
    return;
  }
  XDocument* doc = GetDocument();
  CString sceneExtension;
  if (CDocTemplate* sceneTemplate = doc->GetDocTemplate())
    sceneTemplate->GetDocString(sceneExtension, CDocTemplate::filterExt);
  const XString name = DefaultExportName(doc->GetPathName(), sceneExtension, XString(IDS_UNTITLED));
  CMultiDocTemplate bitmapTemplate(IDS_BITMAP_TEMPLATE, nullptr, nullptr, nullptr);
  CDocTemplate* const templates[] = {&bitmapTemplate};
  const XString title(IDS_EXPORT_TITLE);
  const XString folder = name.GetDirectory(), fileName = name.GetFileName();
  XFileDialog fileDialog(FALSE, templates, 1, 0, title, folder, fileName,
                         OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, nullptr);
  if (fileDialog.DoModal() != IDOK) return;
  ExportImageChoice choice;
  if (!AskExportImage(choice)) return;

  const XString path = fileDialog.GetPathName();
  if (!CanReplaceFile(path.str())) {
    XErrorBox(IDS_CANNOT_WRITE, path);
    return;
  }
  CWaitCursor wait;
  const std::vector<BYTE> file =
      RenderBitmapFile(static_cast<int>(choice.width), static_cast<int>(choice.height), choice.improve != FALSE);
  if (file.empty()) return;
  if (!ReplaceFile(path.str(), std::string_view(reinterpret_cast<const char*>(file.data()), file.size()),
                   NewFileMode::fromUmask))
    XErrorBox(IDS_CANNOT_WRITE, path);
}

#include "shell/Objects3DView.h"

#include <cstring>

#include "core/FatalError.h"
#include "core/Globals.h"
#include "core/XMessageBox.h"
#include "platform/framework/DibSection.h"
#include "platform/win/FileReplace.h"
#include "platform/win/FolderListing.h"
#include "platform/framework/WaitCursor.h"
#include "shell/ObjectDropTarget.h"
#include "shell/ObjectThumbnail.h"
#include "shell/XApp.h"
#include "shell/XFrameWnd.h"
#include "shell/XMainFrame.h"

IMPLEMENT_DYNCREATE(Objects3DView, CListView)

BEGIN_MESSAGE_MAP(Objects3DView, CListView)
  ON_WM_DESTROY()
  ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

constexpr UINT kTitle = 73;
constexpr UINT kFolderBesideProgram = 74;
constexpr UINT kDamagedFile = 40045;
constexpr UINT kDragPrompt = 40225;
constexpr UINT kDropPrompt = 40226;
constexpr UINT kShowOrHide = 33125;
constexpr COLORREF kNoDropHighlight = 0x0000FF;

// The camera window at a screen point: the window there or the first of its parents that takes
// dropped objects.
ObjectDropTarget* DropTargetAt(POINT screen) {
  for (CWnd* wnd = WindowFromPoint(screen); wnd; wnd = wnd->GetParent())
    if (auto* target = dynamic_cast<ObjectDropTarget*>(wnd)) return target;
  return nullptr;
}

int CompareRecords(LPARAM first, LPARAM second, LPARAM sortParameter) {
  return CompareObjectLabels(reinterpret_cast<Objects3DView::ObjectRecord*>(first)->label,
                             reinterpret_cast<Objects3DView::ObjectRecord*>(second)->label,
                             static_cast<long>(sortParameter));
}

}  // namespace

Objects3DView::Objects3DView() = default;

Objects3DView::~Objects3DView() {
  if (ownerPointer) *ownerPointer = nullptr;
}

XString Objects3DView::ObjectsFolder() {
  XString beside;
  beside.LoadString(kFolderBesideProgram);
  return XString(XGetApp()->programPath.GetDirectory().AddTrailingSeparator() + beside).AddTrailingSeparator();
}

void Objects3DView::OnInitialUpdate() {
  const CWaitCursor wait;  // reading every object file of the folder takes a while
  CListView::OnInitialUpdate();
  XASSERT(::IsWindow( m_hWnd ), "");
  mainFrame = XGetMainFrame();
  mainFrame->GetStatusBar().RegisterStatusCallback(m_hWnd, &Objects3DView::StatusCallback, this);
  CFrameWnd* frame = GetParentFrame();
  XASSERT(ISKINDOF( frame, XFrameWnd ), "");
  XString title;
  title.LoadString(kTitle);
  frame->SetWindowText(title);
  static_cast<XFrameWnd*>(frame)->closeCommand = kShowOrHide;

  largeIcons.Create(kThumbnailSide, kThumbnailSide, ILC_COLOR24 | ILC_MASK, 10, 10);
  XASSERT(!GetListCtrl().SetImageList( &largeIcons, LVSIL_NORMAL ), "");
  const XString folder = ObjectsFolder();
  for (const std::string& name : ListFiles(std::string(folder), ".ulm")) AddObjectFile(folder, name);
  GetListCtrl().SortItems(&CompareRecords, 0);
}

void Objects3DView::AddObjectFile(const XString& folder, const std::string& name) {
  const XString path = folder + name.c_str();
  std::string bytes;
  if (ReadWholeFile(std::string(path), bytes) != FileReadStatus::ok) return;  // unreadable: left out
  ObjectThumbnail thumbnail;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  switch (ReadObjectThumbnail({data, bytes.size()}, &thumbnail)) {
    case ObjectListing::kSkipped: return;
    case ObjectListing::kDamaged: XErrorBox(kDamagedFile, name.c_str()); return;
    case ObjectListing::kListed: break;
  }

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kThumbnailSide;
  info.bmiHeader.biHeight = kThumbnailSide;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  CBitmap image;
  image.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  constexpr int kStride = (kThumbnailSide * 3 + 3) / 4 * 4;
  constexpr int kMaskStride = (kThumbnailSide + 15) / 16 * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(kMaskStride * kThumbnailSide), 0);
  for (int row = 0; row < kThumbnailSide; ++row)  // `row` counts from the top
    for (int x = 0; x < kThumbnailSide; ++x) {
      const std::size_t at = static_cast<std::size_t>(row * kThumbnailSide + x);
      BYTE* bgr = static_cast<BYTE*>(bits) + (kThumbnailSide - 1 - row) * kStride + x * 3;
      bgr[0] = thumbnail.rgb[at * 3 + 2];
      bgr[1] = thumbnail.rgb[at * 3 + 1];
      bgr[2] = thumbnail.rgb[at * 3];
      if (thumbnail.transparent[at]) mask[static_cast<std::size_t>(row * kMaskStride + x / 8)] |= 0x80 >> (x % 8);
    }
  BITMAP bm{0, kThumbnailSide, kThumbnailSide, kMaskStride, 1, 1, mask.data()};
  CBitmap maskBitmap;
  XASSERT_TEXT(maskBitmap.CreateBitmapIndirect(&bm), "mask_bitmap.CreateBitmapIndirect( &bm )", "");
  const int picture = largeIcons.Add(&image, &maskBitmap);

  auto record = std::make_unique<ObjectRecord>(ObjectRecord{XString(name.c_str()).GetFileTitle(), path});
  LVITEM item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = picture;
  item.pszText = const_cast<char*>(static_cast<const char*>(record->label));
  item.iImage = picture;
  item.lParam = reinterpret_cast<LPARAM>(record.get());
  GetListCtrl().InsertItem(&item);
  records.push_back(std::move(record));
}

void Objects3DView::StatusCallback(void* argument) {
  auto* object = static_cast<CObject*>(argument);
  XASSERT_TEXT(ISKINDOF(object, Objects3DView), "ISKINDOF( argument, Objects3DView )", "");
  static_cast<Objects3DView*>(object)->UpdateStatusPrompt();
}

void Objects3DView::UpdateStatusPrompt() {
  POINT cursor{};
  if (!dragging) {
    mainFrame->GetStatusBar().SetStatusText(kDragPrompt, nullptr, 0);
    SetCursor(Globals::GetArrowCursor());
  } else if (GetCursorPos(&cursor) && DropTargetAt(cursor)) {
    mainFrame->GetStatusBar().SetStatusText(kDropPrompt, nullptr, 0);
    SetCursor(Globals::GetArrowCursor());
  } else {
    mainFrame->GetStatusBar().SetStatusText(kDragPrompt, nullptr, kNoDropHighlight);
    SetCursor(Globals::GetModeCursor());
  }
}

void Objects3DView::OnBeginDrag(NMHDR* note, LRESULT* result) {
  *result = 0;
  const auto* view = reinterpret_cast<NMLISTVIEW*>(note);
  LVITEM item{};
  item.mask = LVIF_IMAGE;
  item.iItem = view->iItem;
  RECT icon;
  if (!GetListCtrl().GetItem(&item) || !GetListCtrl().GetItemRect(view->iItem, &icon, LVIR_ICON)) return;
  draggedItem = view->iItem;
  SetCapture();
  POINT screen = view->ptAction;
  ClientToScreen(&screen);
  if (largeIcons.BeginDrag(item.iImage, {view->ptAction.x - icon.left, view->ptAction.y - icon.top}) &&
      CImageList::DragEnter(nullptr, screen))
    dragging = TRUE;
  else
    ReleaseCapture();
}

void Objects3DView::OnMouseMove(UINT flags, CPoint point) {
  if (!dragging) {
    CListView::OnMouseMove(flags, point);
    return;
  }
  POINT screen = point;
  ClientToScreen(&screen);
  CImageList::DragMove(screen);
}

void Objects3DView::OnLButtonUp(UINT flags, CPoint point) {
  if (dragging) {
    dragging = FALSE;
    CImageList::DragLeave(nullptr);
    CImageList::EndDrag();
    ReleaseCapture();
    POINT screen = point;
    ClientToScreen(&screen);
    if (ObjectDropTarget* target = DropTargetAt(screen)) {
      const auto* record = reinterpret_cast<ObjectRecord*>(GetListCtrl().GetItemData(draggedItem));
      XASSERT(record, "");
      if (CFrameWnd* frame = dynamic_cast<CWnd*>(target)->GetParentFrame()) mainFrame->MDIActivate(frame);
      target->ImportFile(record->path);
    }
  }
  CListView::OnLButtonUp(flags, point);
}

void Objects3DView::OnDestroy() {
  if (::IsWindow(m_hWnd) && mainFrame) mainFrame->GetStatusBar().UnregisterStatusCallback(m_hWnd);
  CListView::OnDestroy();
}

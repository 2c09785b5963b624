// List controls showing large icons from an image list, with labels and item data. The user
// starting to drag an item sends LVN_BEGINDRAG to the control's parent (and, reflected, to the
// control). A list view keeps its control in its own window: it makes that window with
// CreateListViewWidget and reaches it through a CListCtrl that uses the widget (UseWidget).
#pragma once

#include <QPointer>

#include "platform/framework/ImageList.h"
#include "platform/framework/Wnd.h"

class QListWidget;

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr int LVSIL_NORMAL = 0;
constexpr UINT LVIR_BOUNDS = 0;
constexpr UINT LVIR_ICON = 1;
constexpr int LVN_FIRST = -100;
constexpr int LVN_BEGINDRAG = LVN_FIRST - 9;
constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_AUTOARRANGE = 0x0100;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_TYPEMASK = 0x0003;

struct LVITEM {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
};

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;  // client coordinates of the press that started the drag
  LPARAM lParam;
};

using PFNLVCOMPARE = int (*)(LPARAM item1, LPARAM item2, LPARAM sortParam);

// The widget of a list control: large icons, one selected item, arranged automatically.
QWidget* CreateListViewWidget(QWidget* parent);

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
 public:
  // Works on `widget` (made by CreateListViewWidget) without wrapping it.
  void UseWidget(QWidget* widget);

  // The previous image list of that kind, null the first time. The list does not own it.
  CImageList* SetImageList(CImageList* images, int kind);
  // The new item's index, or -1.
  int InsertItem(const LVITEM* item);
  // Fills what `item->mask` asks for; FALSE for a bad index. Text is cut to cchTextMax - 1.
  BOOL GetItem(LVITEM* item) const;
  BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
  DWORD_PTR GetItemData(int index) const;
  int GetItemCount() const;
  // Orders the items by `compare` on their item data.
  BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR sortParam);

 private:
  QListWidget* List() const;
  QPointer<QWidget> used_;
  CImageList* images_ = nullptr;
};

#include "dialogs/PageEditCameraGeneral.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

#include "core/FatalReport.h"
#include "core/NoMemoryHandler.h"
#include "core/XMessageBox.h"
#include "core/XString.h"
#include "dialogs/PropertySheetEditCamera.h"
#include "dialogs/XFileDialog.h"
#include "platform/framework/ControlNotifications.h"
#include "platform/framework/DocTemplate.h"

namespace {

constexpr UINT kFirstTypeName = 76;  // "Camera", then "Front" ... "Right"
constexpr UINT kChooseBackgroundTitle = 83;
constexpr UINT kBitmapFileType = 19;
constexpr UINT kAnyFileType = 17;
constexpr UINT IDS_UNSUPPORTED_FILE_TYPE = 40040;
constexpr int kBitmap = 0;
constexpr int kAllFiles = 1;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

CString DocString(const CDocTemplate& type, CDocTemplate::DocStringIndex index) {
  CString text;
  const BOOL found = type.GetDocString(text, index);
  XASSERT_TEXT(found, "fileTypeTemplates[i]->GetDocString( templateExt, CDocTemplate::filterExt)", "");
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(PageEditCameraGeneral, XPropertyPage)
  ON_BN_CLICKED(32838, OnUseImage)
  ON_BN_CLICKED(32840, OnBrowse)
END_MESSAGE_MAP()

PageEditCameraGeneral::PageEditCameraGeneral(PropertySheetEditCamera* owner)
    : XPropertyPage(kEditCameraGeneralTemplate), sheet(owner) {
  const CameraFields& camera = owner->camera->GetCameraFields();
  Color background;
  background.SetCOLORREF(camera.background);
  m_colorButton.SetColor(background);
  m_path = camera.backgroundImagePath;
  m_fileName = XString(m_path).GetFileName();
  m_useImage = camera.backgroundImage;
}

void PageEditCameraGeneral::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 32826, m_type);
  DDX_Control(dx, 32827, m_colorButton);
  DDX_Text(dx, 32839, m_fileName);
  DDX_Check(dx, 32838, m_useImage);
}

BOOL PageEditCameraGeneral::OnInitDialog() {
  XPropertyPage::OnInitDialog();
  UpdateDataGuarded(FALSE);
  for (UINT type = 0; type <= CameraFields::kLastWindowKind; ++type)
    while (m_type.AddString(XString(kFirstTypeName + type)) < 0) NoMemoryHandler(1);
  XASSERT_TEXT(m_type.SetCurSel(sheet->camera->GetCameraFields().windowKind) >= 0,
               "m_type.SetCurSel( sheet->camera->type ) >= 0", "");
  EnableRules();
  return TRUE;
}

void PageEditCameraGeneral::EnableRules() {
  UpdateDataGuarded(TRUE);
  for (const int id : {1144, 32827}) GetDlgItem(id)->EnableWindow(!m_useImage);
  for (const int id : {1143, 32839, 32840}) GetDlgItem(id)->EnableWindow(m_useImage);
}

void PageEditCameraGeneral::OnUseImage() {
  EnableRules();
  if (m_useImage && m_fileName.IsEmpty()) OnBrowse();
}

void PageEditCameraGeneral::DropUseImageWithoutFile() {
  if (!m_useImage || !m_fileName.IsEmpty()) return;
  m_useImage = FALSE;
  UpdateDataGuarded(FALSE);
  OnUseImage();
}

void PageEditCameraGeneral::OnBrowse() {
  if (!UpdateDataGuarded(TRUE)) return;
  CMultiDocTemplate bitmap(kBitmapFileType, nullptr, nullptr, nullptr);
  CMultiDocTemplate anyFile(kAnyFileType, nullptr, nullptr, nullptr);
  CDocTemplate* const fileTypeTemplates[] = {&bitmap, &anyFile};

  const XString path(m_path);
  const XString title(kChooseBackgroundTitle);
  XFileDialog dialog(TRUE, fileTypeTemplates, static_cast<int>(std::size(fileTypeTemplates)), kBitmap, title,
                     path.GetDirectory(), path.GetFileName(),
                     OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, nullptr);
  if (dialog.DoModal() != IDOK) {
    DropUseImageWithoutFile();
    return;
  }
  // Under "All files" the extension decides, in any letter case: "picture.BMP" is a bitmap too.
  // Only bitmaps can be a background; anything else is refused.
  int type = static_cast<int>(dialog.m_ofn.nFilterIndex) - 1;
  const CString extension = CString(".") + dialog.GetFileExt();
  const CString bitmapExtension = DocString(bitmap, CDocTemplate::filterExt);
  if (type == kAllFiles && SameIgnoringCase(extension.str(), bitmapExtension.str())) type = kBitmap;
  if (type != kBitmap) {
    XErrorBox(IDS_UNSUPPORTED_FILE_TYPE, dialog.GetFileName());
    DropUseImageWithoutFile();
    return;
  }
  m_path = dialog.GetPathName();
  m_fileName = XString(m_path).GetFileName();
  UpdateDataGuarded(FALSE);
}

void PageEditCameraGeneral::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  XPropertyPage::OnOK();
  m_chosenType = m_type.GetCurSel();
}

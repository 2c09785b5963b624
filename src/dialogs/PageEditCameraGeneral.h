// The General page of the Edit Camera sheet: the camera window's type (a free "Camera" or one of
// six fixed directions) and its background, a colour or a bitmap chosen with the file dialog.
#pragma once

#include "dialogs/ColorButton.h"
#include "dialogs/XPropertyPage.h"

class PropertySheetEditCamera;

constexpr UINT kEditCameraGeneralTemplate = 10251;

class PageEditCameraGeneral : public XPropertyPage {
 public:
  explicit PageEditCameraGeneral(PropertySheetEditCamera* sheet);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnUseImage();
  void OnBrowse();

  CComboBox m_type;
  ColorChooserButton m_colorButton;
  CString m_fileName;  // shown only: the file-name part of m_path
  BOOL m_useImage;
  CString m_path;
  int m_chosenType = -1;  // the type chosen on OK; -1 when none is
  PropertySheetEditCamera* sheet;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()

 private:
  void EnableRules();
  // "Use image" goes off again when no file was set.
  void DropUseImageWithoutFile();
};

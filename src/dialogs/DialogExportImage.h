// The Export Image dialog: the pixel size of an exported image and whether it is improved. An
// improved image is rendered at twice the size and averaged down, so with improvement each side
// is limited to half of the largest side accepted at all. Every export builds a new dialog, which
// starts from the defaults; after IDOK the caller reads the members.
#pragma once

#include "dialogs/XDialog.h"
#include "views/ExportImageQuestion.h"

constexpr UINT kExportImageTemplate = 10002;
constexpr UINT kExportMaxSide = 2034;
constexpr UINT kExportMaxImprovedSide = 1017;

class DialogExportImage : public XDialog {
 public:
  explicit DialogExportImage(CWnd* parent = nullptr);

  void OnOK() override;

  BOOL m_improve = TRUE;
  UINT m_height = 480;
  UINT m_width = 640;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};

// Asks the size of an exported image with a new Export Image dialog; the camera windows' export
// question (SetExportImageQuestion).
bool AskExportImageWithDialog(ExportImageChoice& choice);

// Shows a dialog of the program's templates on the screen and saves a screenshot of it:
//   dialog_screenshot <template id> <file.png>
// Run under an X server (scripts/dialog-screenshot.sh starts one). Owner-drawn buttons show a
// colour swatch, track bars a position and edits a number, so every control has something to show.
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/framework/Controls.h"
#include "platform/framework/Dialog.h"
#include "resources/ProgramResources.h"

namespace {

class Swatch : public CButton {
 public:
  explicit Swatch(COLORREF color) : color_(color) {}
  void DrawItem(LPDRAWITEMSTRUCT item) override {
    CDC* dc = CDC::FromHandle(item->hDC);
    RECT face = item->rcItem;
    dc->DrawFrameControl(&face, DFC_BUTTON, DFCS_BUTTONPUSH | ((item->itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
    const RECT swatch{face.left + 4, face.top + 4, face.right - 4, face.bottom - 4};
    dc->FillSolidRect(&swatch, color_);
  }

 private:
  COLORREF color_;
};

class ShownDialog : public CDialog {
 public:
  explicit ShownDialog(const DialogTemplate& t) : CDialog(t.id), template_(t) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    const COLORREF colours[] = {RGB(90, 90, 160), RGB(255, 230, 160), RGB(200, 60, 40)};
    int next = 0;
    for (std::size_t i = 0; i < template_.controlCount; ++i) {
      const DialogControl& c = template_.controls[i];
      if (c.kind == ControlClass::Button && (c.style & BS_TYPEMASK) == BS_OWNERDRAW) {
        swatches_.push_back(std::make_unique<Swatch>(colours[next++ % 3]));
        BindControl(*swatches_.back(), c.id);
      } else if (c.kind == ControlClass::TrackBar) {
        auto* slider = static_cast<CSliderCtrl*>(GetDlgItem(c.id));
        slider->SetRange(0, 1000);
        slider->SetPos(250 + 200 * static_cast<int>(i % 3));
      } else if (c.kind == ControlClass::Edit) {
        GetDlgItem(c.id)->SetWindowText(c.style & ES_READONLY ? "12:30 PM" : "640");
      } else if (c.kind == ControlClass::ComboBox) {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(c.id));
        combo->AddString("in");
        combo->SetCurSel(0);
      } else if (c.kind == ControlClass::Button && (c.style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        static_cast<CButton*>(GetDlgItem(c.id))->SetCheck(BST_CHECKED);
      }
    }
    return TRUE;
  }

 private:
  const DialogTemplate& template_;
  std::vector<std::unique_ptr<Swatch>> swatches_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <template id> <file.png>\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  RegisterProgramResources();
  const DialogTemplate* t = FindDialogTemplate(static_cast<UINT>(std::atoi(argv[1])));
  if (!t) {
    std::fprintf(stderr, "no dialog template %s\n", argv[1]);
    return 2;
  }
  ShownDialog dialog(*t);
  if (!dialog.Create(t->id)) return 1;
  dialog.ShowWindow(SW_SHOW);
  QWidget* window = dialog.GetWidget();
  if (!QTest::qWaitForWindowExposed(window)) return 1;
  QTest::qWait(200);
  const QPixmap shot = window->screen()->grabWindow(window->winId());
  return shot.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}

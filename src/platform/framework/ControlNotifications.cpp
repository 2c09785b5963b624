#include "platform/framework/ControlNotifications.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <vector>

namespace {

UINT ScrollCode(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return TB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return TB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return TB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return TB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return TB_TOP;
    case QAbstractSlider::SliderToMaximum: return TB_BOTTOM;
    default: return TB_THUMBTRACK;
  }
}

void ConnectSlider(QSlider* slider, int id, const ControlNotifier& notify) {
  const UINT message = slider->orientation() == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL;
  // A slider acts before it takes its new position; the parent hears of the action once the
  // position is set, and a move by key, page or end point finishes its track at once.
  const auto post = [=](std::initializer_list<UINT> codes) {
    std::vector<UINT> list(codes);
    QMetaObject::invokeMethod(slider, [=] {
      for (UINT code : list) notify({slider, id, message, code});
    }, Qt::QueuedConnection);
  };
  QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [=](int action) {
    if (action == QAbstractSlider::SliderMove)
      post({TB_THUMBTRACK});
    else if (action != QAbstractSlider::SliderNoAction)
      post({ScrollCode(action), TB_ENDTRACK});
  });
  QObject::connect(slider, &QAbstractSlider::sliderReleased, slider, [=] { post({TB_THUMBPOSITION, TB_ENDTRACK}); });
}

}  // namespace

void ConnectControlNotifications(QWidget* control, int id, const ControlNotifier& notify) {
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    QObject::connect(button, &QAbstractButton::clicked, button, [=] { notify({button, id, WM_COMMAND, BN_CLICKED}); });
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [=] { notify({edit, id, WM_COMMAND, EN_CHANGE}); });
    QObject::connect(qApp, &QApplication::focusChanged, edit, [=](QWidget* old, QWidget*) {
      if (old == edit) notify({edit, id, WM_COMMAND, EN_KILLFOCUS});
    });
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                     [=] { notify({combo, id, WM_COMMAND, CBN_SELCHANGE}); });
  } else if (auto* list = qobject_cast<QListWidget*>(control)) {
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, [=] { notify({list, id, WM_COMMAND, LBN_SELCHANGE}); });
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [=] { notify({list, id, WM_COMMAND, LBN_DBLCLK}); });
  } else if (auto* slider = qobject_cast<QSlider*>(control)) {
    ConnectSlider(slider, id, notify);
  }
}

#include "platform/framework/DialogWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSlider>

#include "platform/win/MulDiv.h"

namespace {

constexpr char kIdProperty[] = "tavrolinControlId";
constexpr char kRadioGroupProperty[] = "tavrolinRadioGroup";

// The button group the radio buttons of the current group join; a WS_GROUP control starts a new one.
QButtonGroup* RadioGroup(QWidget* dialog, bool startsGroup) {
  auto* group = dialog->property(kRadioGroupProperty).value<QButtonGroup*>();
  if (!group || startsGroup) {
    group = new QButtonGroup(dialog);
    dialog->setProperty(kRadioGroupProperty, QVariant::fromValue(group));
  }
  return group;
}

QWidget* MakeButton(const DialogControl& c, QWidget* dialog) {
  const QString text = QString::fromUtf8(c.text);
  switch (c.style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
      return new QCheckBox(text, dialog);
    case BS_AUTORADIOBUTTON: {
      auto* radio = new QRadioButton(text, dialog);
      RadioGroup(dialog, (c.style & WS_GROUP) != 0)->addButton(radio);
      return radio;
    }
    case BS_GROUPBOX:
      return new QGroupBox(text, dialog);
    default: {
      auto* push = new QPushButton(text, dialog);
      push->setAutoDefault(false);
      push->setDefault((c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      return push;
    }
  }
}

QWidget* MakeWidget(const DialogControl& c, QWidget* dialog) {
  switch (c.kind) {
    case ControlClass::Button:
      return MakeButton(c, dialog);
    case ControlClass::Edit: {
      auto* edit = new QLineEdit(QString::fromUtf8(c.text), dialog);
      edit->setReadOnly((c.style & ES_READONLY) != 0);
      edit->setFrame((c.style & WS_BORDER) != 0);
      if (c.style & ES_NUMBER)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
      return edit;
    }
    case ControlClass::Static: {
      auto* label = new QLabel(QString::fromUtf8(c.text), dialog);
      label->setAlignment(((c.style & SS_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
      return label;
    }
    case ControlClass::ListBox: {
      auto* list = new QListWidget(dialog);
      list->setUniformItemSizes(true);
      return list;
    }
    case ControlClass::ComboBox:
      return new QComboBox(dialog);
    case ControlClass::TrackBar: {
      const bool vertical = (c.style & TBS_VERT) != 0;
      auto* slider = new QSlider(vertical ? Qt::Vertical : Qt::Horizontal, dialog);
      // The minimum of a vertical track bar is at the top.
      slider->setInvertedAppearance(vertical);
      slider->setInvertedControls(vertical);
      return slider;
    }
  }
  return nullptr;
}

}  // namespace

QFont DialogFont(const DialogTemplate& t) {
  QFont font(QString::fromUtf8(t.fontName));
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int dpi = screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
  font.setPixelSize(MulDiv(t.pointSize, dpi, 72));
  return font;
}

DialogBaseUnits MeasureBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return {(width / 26 + 1) / 2, metrics.height()};
}

QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QWidget* CreateControlWidget(const DialogControl& control, QWidget* dialog, const QRect& pixels) {
  QWidget* widget = MakeWidget(control, dialog);
  widget->setProperty(kIdProperty, control.id);
  widget->setGeometry(pixels);
  widget->setVisible(true);  // every control of a template is visible
  widget->setEnabled((control.style & WS_DISABLED) == 0);
  widget->setFocusPolicy((control.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
  if (control.kind == ControlClass::Static || (control.kind == ControlClass::Button &&
                                               (control.style & BS_TYPEMASK) == BS_GROUPBOX))
    widget->setFocusPolicy(Qt::NoFocus);
  return widget;
}

int ControlIdOf(const QWidget* widget) {
  const QVariant id = widget->property(kIdProperty);
  return id.isValid() ? id.toInt() : 0;
}

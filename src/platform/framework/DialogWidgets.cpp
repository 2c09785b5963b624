#include "platform/framework/DialogWidgets.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSlider>

#include "platform/framework/Controls.h"
#include "platform/framework/Resources.h"
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

// An owner-drawn button paints through its wrapper's DrawItem; without a wrapper it stays blank.
class OwnerDrawButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent*) override {
    auto* button = dynamic_cast<CButton*>(CWnd::FromWidget(this));
    if (!button) return;
    CPaintDC dc(button);
    UINT state = 0;
    if (isDown()) state |= ODS_SELECTED;
    if (!isEnabled()) state |= ODS_DISABLED;
    if (hasFocus()) state |= ODS_FOCUS;
    DRAWITEMSTRUCT item{ODT_BUTTON, static_cast<UINT>(ControlIdOf(this)), 0, ODA_DRAWENTIRE, state, nullptr,
                        dc.GetSafeHdc(), RECT{0, 0, width(), height()}, 0};
    button->DrawItem(&item);
  }
};

// Check boxes and radio buttons take a click anywhere in their rectangle, not only on the box
// and the text.
template <class Button>
class WholeRectButton final : public Button {
 public:
  using Button::Button;

 protected:
  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

// Keeps a control's text and its window title the same.
template <class W, class Signal>
void MirrorTitle(W* widget, Signal textChanged) {
  widget->setWindowTitle(widget->text());
  QObject::connect(widget, &QWidget::windowTitleChanged, widget, [widget](const QString& title) {
    if (widget->text() == title) return;
    if constexpr (std::is_same_v<W, QLineEdit>)
      SetEditText(widget, title);
    else
      widget->setText(title);
  });
  if constexpr (!std::is_same_v<Signal, std::nullptr_t>)
    QObject::connect(widget, textChanged, widget, [widget] { widget->setWindowTitle(widget->text()); });
}

QWidget* MakeButton(const DialogControl& c, QWidget* dialog) {
  const QString text = QString::fromUtf8(c.text);
  switch (c.style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
      return new WholeRectButton<QCheckBox>(text, dialog);
    case BS_AUTORADIOBUTTON: {
      auto* radio = new WholeRectButton<QRadioButton>(text, dialog);
      RadioGroup(dialog, (c.style & WS_GROUP) != 0)->addButton(radio);
      return radio;
    }
    case BS_GROUPBOX:
      return new QGroupBox(text, dialog);
    case BS_OWNERDRAW:
      return new OwnerDrawButton(dialog);
    default: {
      auto* push = new QPushButton(text, dialog);
      push->setAutoDefault(false);
      push->setDefault((c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      return push;
    }
  }
}

// A picture control: its bitmap resource stretched over the control; empty when there is none.
QWidget* MakePicture(const DialogControl& c, QWidget* dialog) {
  auto* picture = new QLabel(dialog);
  const QString name = QString::fromUtf8(c.text);
  bool numbered = false;
  const UINT id = name.startsWith('#') ? name.mid(1).toUInt(&numbered) : 0;
  if (const BitmapResource* bitmap = numbered ? FindBitmapResource(id) : nullptr) {
    picture->setPixmap(QPixmap(bitmap->xpm));
    picture->setScaledContents(true);
  }
  return picture;
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
      if ((c.style & SS_TYPEMASK) == SS_BITMAP) return MakePicture(c, dialog);
      auto* label = new QLabel(QString::fromUtf8(c.text), dialog);
      label->setAlignment(((c.style & SS_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
      label->setWordWrap(true);  // a text too long for one line goes on at the next word
      return label;
    }
    case ControlClass::ListBox: {
      auto* list = new QListWidget(dialog);
      list->setUniformItemSizes(true);
      // By pixels, so that a line scrolled into view at the bottom shows whole.
      list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
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
      if ((c.style & TBS_NOTICKS) == 0) {
        slider->setTickPosition((c.style & TBS_BOTH) ? QSlider::TicksBothSides : QSlider::TicksBelow);
        slider->setTickInterval(1);
      }
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
  // A template's font that this machine lacks has one stand-in, whatever else is installed: DejaVu
  // Sans's condensed face (Debian's fonts-dejavu-extra, which setup installs), as narrow as the
  // original, so that texts sized for the original fit their controls.
  if (QFontInfo(font).family() != font.family()) {
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setStretch(93);
  }
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

void SetEditText(QLineEdit* edit, const QString& text) {
  edit->setText(text);
  if (!edit->hasFocus()) edit->setCursorPosition(0);
}

void SelectAllFromStart(QLineEdit* edit) {
  const int length = static_cast<int>(edit->text().size());
  edit->setSelection(length, -length);
}

QDialog* CreateDialogWidget(const DialogTemplate& t, QWidget* parent, const ControlNotifier& notify) {
  auto* dialog = new QDialog(parent);
  BuildDialogWidget(t, dialog, notify);
  return dialog;
}

void BuildDialogWidget(const DialogTemplate& t, QDialog* dialog, const ControlNotifier& notify) {
  dialog->setWindowTitle(QString::fromUtf8(t.caption));
  dialog->setFont(DialogFont(t));
  const DialogBaseUnits base = MeasureBaseUnits(dialog->font());
  dialog->setFixedSize(ToQRect(MapDialogRect(0, 0, t.cx, t.cy, base)).size());
  QLabel* mnemonicLabel = nullptr;
  for (std::size_t i = 0; i < t.controlCount; ++i) {
    const DialogControl& c = t.controls[i];
    QWidget* control = CreateControlWidget(c, dialog, ToQRect(MapDialogRect(c.x, c.y, c.cx, c.cy, base)));
    // A label's "&" letter takes the focus to the control after it, and shows underlined.
    if (mnemonicLabel) mnemonicLabel->setBuddy(control);
    mnemonicLabel = nullptr;
    if (auto* label = qobject_cast<QLabel*>(control); label && label->text().contains('&')) mnemonicLabel = label;
    if (auto* edit = qobject_cast<QLineEdit*>(control))
      MirrorTitle(edit, &QLineEdit::textChanged);
    else if (auto* label = qobject_cast<QLabel*>(control))
      MirrorTitle(label, nullptr);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
      MirrorTitle(button, nullptr);
    if (notify) ConnectControlNotifications(control, c.id, notify);
  }
}

// The Qt widgets of a dialog template: the dialog font, its base units, and one widget per
// control placed at the pixels its dialog units give.
#pragma once

#include <QFont>
#include <QRect>

#include "platform/framework/ControlNotifications.h"
#include "platform/framework/DialogTemplate.h"

class QDialog;
class QLineEdit;
class QWidget;

// The template's font at the screen's logical resolution (points · dpi / 72 pixels high).
QFont DialogFont(const DialogTemplate& dialogTemplate);
// Base units of a font: the average width of the 52 letters, halved and rounded up, and the
// font's height.
DialogBaseUnits MeasureBaseUnits(const QFont& font);
QRect ToQRect(const RECT& r);

// Makes the widget of `control` as a child of `dialog`, at `pixels`. Radio buttons from one that
// has WS_GROUP up to the next control with WS_GROUP exclude each other. The widget carries the
// control id (ControlIdOf).
QWidget* CreateControlWidget(const DialogControl& control, QWidget* dialog, const QRect& pixels);
int ControlIdOf(const QWidget* widget);

// Makes `dialog` the window of a template: the template's caption and font, a client area of
// the template's size and every control in place, each reporting to `notify`. A control's text
// is also its window title, so either names the same text.
void BuildDialogWidget(const DialogTemplate& dialogTemplate, QDialog* dialog, const ControlNotifier& notify);
// The same on a new dialog window.
QDialog* CreateDialogWidget(const DialogTemplate& dialogTemplate, QWidget* parent, const ControlNotifier& notify);

// An edit's text set by the program. An edit the user is not in shows its text from the start,
// as a long number reads from its first digit; in the one being typed in the caret stays at the end.
void SetEditText(QLineEdit* edit, const QString& text);
// Selects the whole text, the start of it in view.
void SelectAllFromStart(QLineEdit* edit);

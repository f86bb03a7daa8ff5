#pragma once
// What makes a window usable from the keyboard and through a screen reader:
// access keys after the caption in the Japanese manner ("開く(O)"), names
// for the controls a caption does not name, Tab in the order the window
// reads, and Escape for the windows that are not dialogs.

#include <QAccessible>
#include <QString>
#include <initializer_list>

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace petari {

// The menu caption with its access key after it: "開く" and 'O' give
// "開く(&O)", shown as 開く(O) with the O underlined.  An ampersand of the
// caption itself (a file name) is shown as it is, not taken as a key.
QString withAccessKey(const QString& caption, char key);

// Names a control a caption does not name.  An editable combo box's text
// field takes the name too: it is a control of its own to a screen reader.
void nameControl(QWidget* control, const QString& name);
// The box takes the label's text as its name (or the name given), and the
// label points at it (the label-for relation a screen reader follows).
void nameAfter(QLabel* label, QWidget* control);
void nameAfter(QLabel* label, QWidget* control, const QString& name);

// Tab goes through the controls in this order, Shift+Tab back.
void setReadingOrder(std::initializer_list<QWidget*> controls);

// Tab and Shift+Tab move on from the text box as from any other box, and
// Ctrl+Tab types the tab character instead.
void letTabMoveOn(QPlainTextEdit* box);

// Escape closes the window, as it closes the modal dialogs.
void closeOnEscape(QWidget* window);

// What a plain QWidget is to a screen reader, which would otherwise take it
// for a panel: a window made of a QWidget (not a QDialog or QMainWindow) is
// a window, a drawing surface a canvas.  Called before the widget's title
// or name is set, whose change would ask for its accessible object.
void announceAs(QWidget* widget, QAccessible::Role role);

}  // namespace petari

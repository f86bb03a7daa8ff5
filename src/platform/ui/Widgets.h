#pragma once
// Small pieces every window builds its controls from.

#include <QFont>
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

namespace petari {

// The system's Japanese monospace font, in which box-drawing characters fill
// a full-width cell and meet their neighbours.
QFont japaneseMonospace();

// A button named as the tests and the rest of the program know it; it never
// takes Return for itself.
QPushButton* namedButton(QWidget* parent, const QString& name, const QString& caption);
QLineEdit* namedLineEdit(QWidget* parent, const QString& name);

}  // namespace petari

#pragma once
// The settings dialog's frame 「貼り付け」: binds its controls to PasteOptions
// and says what this desktop does not allow (the controls stay, disabled,
// with a tool tip that says why).

#include "dialogs/PasteOptions.h"

#include <QGroupBox>

class QCheckBox;
class QKeySequenceEdit;
class QLabel;
class QLineEdit;

namespace petari {

class PasteFrame : public QGroupBox {
    Q_OBJECT
public:
    PasteFrame(const DesktopAbilities& abilities, QWidget* parent = nullptr);

    void setOptions(const PasteOptions& o);
    const PasteOptions& options() const { return options_; }

signals:
    // The user changed a control.
    void edited();

private:
    void showEnabled();

    DesktopAbilities abilities_;
    PasteOptions options_;
    QCheckBox* pasteBox_ = nullptr;
    QLineEdit* terminalsBox_ = nullptr;
    QLabel* terminalsLabel_ = nullptr;
    QLabel* pasteNote_ = nullptr;
    QKeySequenceEdit* callKeyBox_ = nullptr;
    QCheckBox* trayBox_ = nullptr;
    QCheckBox* closeToTrayBox_ = nullptr;
};

// What is said where the desktop does not allow a control.
QString pasteUnavailableText();
QString callKeyUnavailableText();
QString trayUnavailableText();

}  // namespace petari

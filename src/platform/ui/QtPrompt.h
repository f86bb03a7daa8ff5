#pragma once
#include "platform/UserPrompt.h"

class QWidget;

namespace petari {

// Message boxes and file dialogs of Qt, parented to the main window.
class QtPrompt : public UserPrompt {
public:
    explicit QtPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer askYesNo(const QString& title, const QString& text, Icon icon,
                    Answer defaultButton = Answer::Yes) override;
    Answer askYesNoCancel(const QString& title, const QString& text, Icon icon,
                          Answer defaultButton = Answer::Yes) override;
    void showMessage(const QString& title, const QString& text, Icon icon = Icon::Information) override;
    QString openFileName(const QString& title, const QString& filters,
                         const QString& suggested = QString()) override;
    QString saveFileName(const QString& title, const QString& filters,
                         const QString& suggested = QString()) override;

private:
    QWidget* parent_;
};

}  // namespace petari

#pragma once
// A box of the generator window that takes a number.  On gaining the focus
// it selects its text and remembers it; every change runs `check` under the
// box's error-report label, and when that fails the failure is reported and
// the remembered text comes back.

#include <QLineEdit>
#include <functional>

namespace petari {

class NumberEdit : public QLineEdit {
public:
    NumberEdit(const QString& objectName, QString reportLabel, QWidget* parent);

    std::function<void()> check;
    void remember() { remembered_ = text(); }
    // Every number box within `widget` remembers its text as it stands.
    static void rememberAll(QWidget& widget);

protected:
    void focusInEvent(QFocusEvent* e) override;

private:
    void changed();

    QString reportLabel_;
    QString remembered_;
    bool busy_ = false;
};

}  // namespace petari

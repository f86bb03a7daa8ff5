#pragma once
// The price calculator window "価格": modeless beside the main window, it
// fills the document's list with one tax-inclusive price per quantity and
// records the result with the commit step when it closes.  The main window
// shows it with show(), keeps one instance and closes it (close(), not
// delete) before the document goes away.  Closed, it may be shown again:
// it then reads its settings afresh, as on a new opening.

#include "platform/ui/WindowPlace.h"
#include "price/PriceTable.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace petari {

class Document;
class UserPrompt;

class PriceWindow : public QWidget {
    Q_OBJECT
public:
    PriceWindow(Document& doc, UserPrompt& prompt, QWidget* parent = nullptr);
    ~PriceWindow() override;

    // 表示: the document's list becomes the price lines of the boxes.
    void calculate();
    // 単価の履歴を消す.
    void clearUnitPriceHistory();

    // Completed calculations since the window opened.
    int calculationCount() const { return count_; }
    QStringList history() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildControls();
    void loadSettings();
    // Closing after a calculation records the list as one change.
    void commitCalculations();
    void storeSettings();
    void storeInputs();
    void keepOnePaddingPosition(PriceCheck clicked);
    // The boxes in the order of PriceInput's arrays.
    std::array<QLineEdit*, 7> textBoxes() const;
    std::array<QCheckBox*, 4> checkBoxes() const;
    PriceInput typedInput() const;
    void showNormalised(const PriceInput& in);

    Document& doc_;
    UserPrompt& prompt_;
    int count_ = 0;
    bool open_ = false;
    WindowPlace place_;

    QComboBox* unitPriceBox_ = nullptr;
    QLineEdit* roundingUnitBox_ = nullptr;
    QLineEdit* quantityFromBox_ = nullptr;
    QLineEdit* quantityToBox_ = nullptr;
    QLineEdit* quantityStepBox_ = nullptr;
    QLineEdit* taxPercentBox_ = nullptr;
    QLineEdit* prefixBox_ = nullptr;
    QLineEdit* suffixBox_ = nullptr;
    std::array<QRadioButton*, 3> roundingButtons_{};   // by Rounding
    QCheckBox* separatorsBox_ = nullptr;
    QCheckBox* padAfterPrefixBox_ = nullptr;
    QCheckBox* padBeforePrefixBox_ = nullptr;
    QCheckBox* formulaBox_ = nullptr;
};

}  // namespace petari

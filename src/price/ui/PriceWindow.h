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
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace petari {

class Document;
class UserPrompt;

class PriceWindow : public QWidget {
    Q_OBJECT
public:
    PriceWindow(Document& doc, UserPrompt& prompt, QWidget* parent = nullptr);
    ~PriceWindow() override;

    // 表示 (0) and 閉じる (1).
    void Command2_Click(int index);
    // 単価の履歴を消す.
    void Command1_Click();

    // Completed calculations since the window opened.
    int calculationCount() const { return count_; }
    QStringList history() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildControls();
    void Form_Load();
    void Form_QueryUnload();
    void Form_Unload();
    void Check1_Click(int index);
    void rejikaki();
    PriceInput boxes() const;
    void showNormalised(const PriceInput& in);

    Document& doc_;
    UserPrompt& prompt_;
    int count_ = 0;
    bool open_ = false;
    WindowPlace place_;

    std::array<QLabel*, 16> label1_{};
    QComboBox* combo1_ = nullptr;
    std::array<QLineEdit*, 7> text1_{};
    std::array<QRadioButton*, 3> option1_{};
    std::array<QCheckBox*, 4> check1_{};
    std::array<QPushButton*, 2> command2_{};
    QPushButton* command1_ = nullptr;
};

}  // namespace petari

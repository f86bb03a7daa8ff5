#pragma once
#include "copy/SearchFolding.h"

#include <QRect>
#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace petari {

// The 絞り込み box above the document list, with its three check boxes.  It
// only reports what the user does; the window binds it to the filter.
//
// The check boxes go on the lines below the box, as many to a line as the
// width holds, so a narrow window still shows all of them.
class FilterBar : public QWidget {
    Q_OBJECT
public:
    explicit FilterBar(QWidget* parent = nullptr);

    QLineEdit* box() const { return box_; }
    // The last of its controls in the Tab order.
    QWidget* lastControl() const;
    QString query() const;
    SearchFolding folding() const;
    // The height the bar needs at a width.
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }

signals:
    void queryEdited(const QString& query);
    void foldingChanged();
    // Down, Enter or Return in the box: on to the shown lines.
    void enterList();
    // Escape in the box or on a check box.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // Where the controls go at a width, and the height they take.
    struct Arrangement {
        QRect label;
        QRect box;
        std::array<QRect, 3> checks;   // width, kana, case
        int height = 0;
    };
    Arrangement arrangement(int width) const;

    QLabel* label_ = nullptr;
    QLineEdit* box_ = nullptr;
    QCheckBox* widthBox_ = nullptr;
    QCheckBox* kanaBox_ = nullptr;
    QCheckBox* caseBox_ = nullptr;
};

}  // namespace petari

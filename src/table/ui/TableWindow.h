#pragma once
// The table builder window: a canvas of 12-pixel cells on which the user
// drags ruled lines with the mouse, or has a whole table built from four
// numbers, and moves the drawing into the document.  Modal; its position and
// size are kept in settings section "F3".

#include "platform/ui/WindowPlace.h"
#include "table/TableGrid.h"
#include "table/TablePen.h"

#include <QDialog>
#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QScrollArea;

namespace petari {

class Document;
class TableCanvas;
class TopmostLift;
class UserPrompt;

class TableWindow : public QDialog {
    Q_OBJECT
public:
    TableWindow(Document& doc, UserPrompt& prompt, QWidget* parent = nullptr);
    ~TableWindow() override;

    const TableGrid& grid() const { return grid_; }
    TableCanvas* canvas() const { return canvas_; }

    // The menu commands.
    void showSizePanel();       // マス数を指定
    void clearCanvas();         // 全て消す
    void moveIntoDocument();    // 作成した内容を本体へ移動
    // The size panel's buttons.
    void buildFromSizes();      // OK: a fresh canvas with the table of the four boxes
    void hideSizePanel();       // キャンセル

    void done(int r) override;

private:
    // The four number boxes of the size panel, in the order of their
    // objectNames Combo1_0..3.
    enum SizeBox { RowsBox = 0, LinesPerCellBox, ColumnsBox, CharsPerCellBox, SizeBoxCount };

    void loadSettings();
    void fillSizeBoxes();
    // Every close, however the window ends.
    void closeDown();
    void storeSettings();
    void drawTableOfSizes();
    void clampSizeBox(SizeBox box);

    Document& doc_;
    UserPrompt& prompt_;
    TableGrid grid_;
    TablePen pen_{grid_};
    std::unique_ptr<TopmostLift> lift_;
    bool closed_ = false;
    WindowPlace place_;

    TableCanvas* canvas_;
    QScrollArea* scroll_;
    QGroupBox* sizePanel_;
    std::array<QComboBox*, SizeBoxCount> sizeBoxes_{};
};

// The drawing surface: paints the grid's characters over cyan guide lines
// and turns the mouse into cell steps of the pen.
class TableCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCellPixels = 12;

    TableCanvas(const TableGrid& grid, TablePen& pen, QWidget* parent = nullptr);

    // The cell under a point of the widget; cells off the canvas have
    // numbers below 1 or above 111.
    static QPoint cellAt(QPoint pos);
    static QRect cellRect(QPoint cell);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    const TableGrid& grid_;
    TablePen& pen_;
};

}  // namespace petari

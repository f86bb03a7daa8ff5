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
class QMenuBar;
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

protected:
    // Escape hides the size panel while it is shown, and closes the window otherwise.
    void keyPressEvent(QKeyEvent* e) override;
    // Tab and Shift+Tab never stay on the canvas: with nothing else to take
    // the focus they open the first or the last menu, whose Escape brings
    // the focus back.
    bool focusNextPrevChild(bool next) override;

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

    QMenuBar* menuBar_;
    TableCanvas* canvas_;
    QScrollArea* scroll_;
    QGroupBox* sizePanel_;
    std::array<QComboBox*, SizeBoxCount> sizeBoxes_{};
};

// The drawing surface: paints the grid's characters over cyan guide lines
// and turns the mouse into cell steps of the pen.  From the keyboard, the
// arrow keys move a cell cursor (framed in red while in use),
// Shift+arrow draws from the cursor's cell as a left-button stroke does,
// and Delete erases the cursor's cell.  Screen readers hear the drawing's
// lines as the canvas's description.
class TableCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCellPixels = 12;

    TableCanvas(TableGrid& grid, TablePen& pen, QWidget* parent = nullptr);

    QPoint cursorCell() const { return cursor_; }
    // The description follows the drawing: after a stroke, a build, a clearing.
    void describeDrawing();

    // The cell under a point of the widget; cells off the canvas have
    // numbers below 1 or above 111.
    static QPoint cellAt(QPoint pos);
    static QRect cellRect(QPoint cell);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

signals:
    // The cursor moved to this rectangle of the canvas: the view follows it.
    void cursorMoved(const QRect& cell);

private:
    void moveCursor(QPoint to);
    void endKeyStroke();

    TableGrid& grid_;
    TablePen& pen_;
    // The keyboard's own pen, so that the pointer passing over the canvas
    // never bends a stroke drawn with the keys.
    TablePen keyPen_{grid_};
    bool keyStroke_ = false;
    QPoint cursor_{1, 1};
    // Framed while the canvas has the focus from the keyboard, not after a click.
    bool cursorShown_ = false;
};

}  // namespace petari

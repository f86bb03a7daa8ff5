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

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
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

    // Menu commands and buttons, as their controls run them.
    void ssh_Click();         // マス数を指定
    void waku();              // 全て消す
    void hkttei_Click();      // 作成した内容を本体へ移動
    void Command1_Click(int index);   // OK, キャンセル

    void done(int r) override;

private:
    void Form_Load();
    void Form_Unload();
    void HHSS();
    void Combo1_Change(int index);

    Document& doc_;
    UserPrompt& prompt_;
    TableGrid grid_;
    TablePen pen_{grid_};
    std::unique_ptr<TopmostLift> lift_;
    bool unloaded_ = false;
    WindowPlace place_;

    TableCanvas* canvas_;
    QScrollArea* scroll_;
    QGroupBox* frame1_;
    std::array<QLabel*, 4> label1_{};
    std::array<QComboBox*, 4> combo1_{};
    std::array<QPushButton*, 2> command1_{};
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

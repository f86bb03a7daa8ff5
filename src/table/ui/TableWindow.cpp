#include "table/ui/TableWindow.h"

#include "platform/ui/KeyboardAccess.h"
#include "platform/ui/Widgets.h"
#include "editing/Document.h"
#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"
#include "platform/ui/WindowPlace.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace petari {

namespace {

constexpr int kMinimumWidth = 3000;    // 200 pixels
constexpr int kMinimumHeight = 2250;   // 150 pixels

QString label(const char* procedure) { return QStringLiteral("F3 ") + QLatin1String(procedure); }
QString indexed(const char* base, int i) { return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(i); }


// Floor division, so that points left of or above the canvas fall in cells
// below 1 rather than in cell 1.
int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

int penButtons(Qt::MouseButtons buttons)
{
    if (buttons == Qt::NoButton)
        return NoButton;
    if (buttons == Qt::LeftButton)
        return LeftButton;
    if (buttons == Qt::RightButton)
        return RightButton;
    return LeftButton | RightButton;   // any other combination draws nothing
}

}  // namespace

// ---- canvas ----

TableCanvas::TableCanvas(TableGrid& grid, TablePen& pen, QWidget* parent)
    : QWidget(parent), grid_(grid), pen_(pen)
{
    announceAs(this, QAccessible::Canvas);
    setObjectName(QStringLiteral("Canvas"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("表を描く場所"));
    // Current and previous cells follow the pointer even with no button held.
    setMouseTracking(true);
    // The right button erases; it must not open a menu on the way.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFixedSize(TableGrid::kLast * kCellPixels + 1, TableGrid::kLast * kCellPixels + 1);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Sharp glyphs a pixel larger than the cell and clipped to it: smoothed,
    // a one-pixel rule turns into a grey blur, and at the cell's own size the
    // rules stop short of the cell's edges and do not meet their neighbours.
    // At an odd size every junction's strokes fall on the same pixel row and
    // column as the plain lines'.
    QFont f = japaneseMonospace();
    f.setPixelSize(kCellPixels + 1);
    f.setStyleStrategy(QFont::NoAntialias);
    setFont(f);
}

QPoint TableCanvas::cellAt(QPoint pos)
{
    return {floorDiv(pos.x(), kCellPixels) + 1, floorDiv(pos.y(), kCellPixels) + 1};
}

QRect TableCanvas::cellRect(QPoint cell)
{
    return {(cell.x() - 1) * kCellPixels, (cell.y() - 1) * kCellPixels, kCellPixels, kCellPixels};
}

void TableCanvas::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    const QRect dirty = e->rect();
    p.fillRect(dirty, Qt::white);
    const int extent = TableGrid::kLast * kCellPixels;
    p.setPen(QColor(0, 255, 255));
    for (int offset = 0; offset <= extent; offset += kCellPixels) {
        p.drawLine(offset, 0, offset, extent);
        p.drawLine(0, offset, extent, offset);
    }
    p.setPen(Qt::black);
    const QPoint first = cellAt(dirty.topLeft());
    const QPoint last = cellAt(dirty.bottomRight());
    for (int y = std::max(1, first.y()); y <= std::min(TableGrid::kLast, last.y()); ++y)
        for (int x = std::max(1, first.x()); x <= std::min(TableGrid::kLast, last.x()); ++x) {
            const QString t = grid_.text(x, y);
            if (t.isEmpty())
                continue;
            const QRect cell = cellRect({x, y});
            p.setClipRect(cell);
            p.drawText(cell, Qt::AlignCenter, t);
        }
    if (hasFocus() && cursorShown_) {
        p.setClipping(false);
        p.setPen(Qt::red);
        p.drawRect(cellRect(cursor_));
    }
}

void TableCanvas::describeDrawing()
{
    // The lines as they go into the list are filled to 111 cells; a screen
    // reader would read out every empty cell after the drawing.
    QStringList drawn = grid_.lines();
    for (QString& line : drawn) {
        qsizetype end = line.size();
        while (end > 0 && line[end - 1] == QChar(0x3000))
            --end;
        line.truncate(end);
    }
    setAccessibleDescription(drawn.join(QLatin1Char('\n')));
}

void TableCanvas::moveCursor(QPoint to)
{
    // The frame is drawn on the cell's edges, a pixel beyond the cell itself.
    update(cellRect(cursor_).adjusted(0, 0, 1, 1));
    cursor_ = to;
    update(cellRect(cursor_).adjusted(0, 0, 1, 1));
    emit cursorMoved(cellRect(cursor_));
}

void TableCanvas::endKeyStroke()
{
    if (!keyStroke_)
        return;
    keyPen_.release();
    keyStroke_ = false;
}

void TableCanvas::keyPressEvent(QKeyEvent* e)
{
    QPoint step;
    switch (e->key()) {
    case Qt::Key_Left: step = {-1, 0}; break;
    case Qt::Key_Right: step = {1, 0}; break;
    case Qt::Key_Up: step = {0, -1}; break;
    case Qt::Key_Down: step = {0, 1}; break;
    case Qt::Key_Delete:
        // As the right button erases the cell it leaves.
        endKeyStroke();
        cursorShown_ = true;
        guarded(label("nryoku"), [&] { grid_.show(cursor_.x(), cursor_.y(), {0, 0}); });
        update(cellRect(cursor_).adjusted(0, 0, 1, 1));
        describeDrawing();
        return;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    cursorShown_ = true;
    const QPoint next = cursor_ + step;
    if (!TableGrid::drawable(next.x(), next.y()))
        return;   // the cursor stays at the edge of the canvas
    if (e->modifiers() & Qt::ShiftModifier) {
        // Shift held down is the button held down: the stroke goes on
        // through every arrow until Shift is let go.
        if (!keyStroke_) {
            keyPen_.press(cursor_);
            keyStroke_ = true;
        }
        for (const QPoint& cell : keyPen_.move(next, LeftButton))
            update(cellRect(cell));
        describeDrawing();
    } else {
        endKeyStroke();
    }
    moveCursor(next);
}

void TableCanvas::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Shift)
        endKeyStroke();
    QWidget::keyReleaseEvent(e);
}

void TableCanvas::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    cursorShown_ = e->reason() != Qt::MouseFocusReason;
    update(cellRect(cursor_).adjusted(0, 0, 1, 1));
}

void TableCanvas::focusOutEvent(QFocusEvent* e)
{
    endKeyStroke();
    QWidget::focusOutEvent(e);
    update(cellRect(cursor_).adjusted(0, 0, 1, 1));
}

void TableCanvas::mousePressEvent(QMouseEvent* e)
{
    // The keyboard's cursor shows again at the next arrow key.
    if (cursorShown_) {
        cursorShown_ = false;
        update(cellRect(cursor_).adjusted(0, 0, 1, 1));
    }
    pen_.press(cellAt(e->position().toPoint()));
}

void TableCanvas::mouseMoveEvent(QMouseEvent* e)
{
    for (const QPoint& cell : pen_.move(cellAt(e->position().toPoint()), penButtons(e->buttons())))
        update(cellRect(cell));
}

void TableCanvas::mouseReleaseEvent(QMouseEvent*)
{
    pen_.release();
    describeDrawing();
}

// ---- window ----

TableWindow::TableWindow(Document& doc, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), doc_(doc), prompt_(prompt)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("表の作成"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QMenuBar(this);
    menuBar_ = bar;
    layout->setMenuBar(bar);
    QMenu* view = bar->addMenu(withAccessKey(QStringLiteral("表示"), 'V'));
    view->setObjectName(QStringLiteral("MHyouji2"));
    auto addItem = [this](QMenu* menu, const char* name, const QString& text, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
    };
    addItem(view, "ssh", withAccessKey(QStringLiteral("マス数を指定"), 'S'), [this] { showSizePanel(); });
    addItem(view, "hskes", withAccessKey(QStringLiteral("全て消す"), 'D'), [this] { clearCanvas(); });
    addItem(view, "hcyansel", withAccessKey(QStringLiteral("閉じる"), 'C'), [this] { reject(); });
    QMenu* decide = bar->addMenu(withAccessKey(QStringLiteral("決定"), 'K'));
    decide->setObjectName(QStringLiteral("kttei1"));
    addItem(decide, "hkttei", withAccessKey(QStringLiteral("作成した内容を本体へ移動"), 'M'),
            [this] { moveIntoDocument(); });

    canvas_ = new TableCanvas(grid_, pen_);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("CanvasArea"));
    scroll_->setWidget(canvas_);
    // Tab goes straight to the canvas, whose arrow keys move its cursor.
    scroll_->setFocusPolicy(Qt::NoFocus);
    connect(canvas_, &TableCanvas::cursorMoved, this, [this](const QRect& cell) {
        scroll_->ensureVisible(cell.center().x(), cell.center().y(), 2 * cell.width(), 2 * cell.height());
    });
    layout->addWidget(scroll_);

    // The panel floats over the canvas's top-left corner while it is shown:
    // the "横" pair on the left, the "縦" pair on the right, the 枠数 boxes above.
    sizePanel_ = new QGroupBox(QStringLiteral("数を指定して表示"), this);
    sizePanel_->setObjectName(QStringLiteral("Frame1"));
    sizePanel_->setAutoFillBackground(true);
    auto* grid = new QGridLayout(sizePanel_);
    const char* captions[SizeBoxCount] = {"縦　枠数", "枠内行数", "横　枠数", "枠内文字数"};
    const int row[SizeBoxCount] = {0, 1, 0, 1};
    const int column[SizeBoxCount] = {2, 2, 0, 0};
    for (int i = 0; i < SizeBoxCount; ++i) {
        auto* caption = new QLabel(QString::fromUtf8(captions[i]), sizePanel_);
        caption->setObjectName(indexed("Label1", i));
        QComboBox* box = new QComboBox(sizePanel_);
        box->setObjectName(indexed("Combo1", i));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // Typing "1" must mean 1, not the "10" an inline completion offers.
        box->setCompleter(nullptr);
        nameAfter(caption, box);
        grid->addWidget(caption, row[i], column[i]);
        grid->addWidget(box, row[i], column[i] + 1);
        sizeBoxes_[i] = box;
    }
    auto addButton = [&](int index, const QString& caption, void (TableWindow::*slot)()) {
        auto* b = new QPushButton(caption, sizePanel_);
        b->setObjectName(indexed("Command1", index));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        grid->addWidget(b, 2, index * 2, 1, 2);
        return b;
    };
    QPushButton* ok = addButton(0, QStringLiteral("OK"), &TableWindow::buildFromSizes);
    QPushButton* cancel = addButton(1, QStringLiteral("キャンセル"), &TableWindow::hideSizePanel);
    // The panel reads row by row, its "横" pairs on the left.
    setReadingOrder({canvas_, sizeBoxes_[ColumnsBox], sizeBoxes_[RowsBox], sizeBoxes_[CharsPerCellBox],
                     sizeBoxes_[LinesPerCellBox], ok, cancel});
    sizePanel_->hide();

    guarded(label("Form_Load"), [&] {
        loadSettings();
        lift_ = std::make_unique<TopmostLift>(doc_);
        clearCanvas();
        fillSizeBoxes();
    });

    for (int i = 0; i < SizeBoxCount; ++i)
        connect(sizeBoxes_[i], &QComboBox::editTextChanged, this,
                [this, i] { clampSizeBox(static_cast<SizeBox>(i)); });
}

TableWindow::~TableWindow()
{
    if (!closed_)
        closeDown();
}

void TableWindow::loadSettings()
{
    place_.restore(*this, doc_.settings(), settings::tableWindowArea, kMinimumWidth, kMinimumHeight);
}

void TableWindow::fillSizeBoxes()
{
    for (QComboBox* box : sizeBoxes_) {
        for (int n = 1; n <= 10; ++n)
            box->addItem(QString::number(n));
        box->setEditText(QStringLiteral("3"));
    }
}

void TableWindow::closeDown()
{
    closed_ = true;
    guarded(label("Form_Unload"), [&] {
        storeSettings();
        // A transfer cancelled at the unsaved-change question left the flag
        // at "about to be replaced"; the document is merely changed again.
        if (doc_.state().modified == 2)
            doc_.state().modified = 1;
        doc_.refreshView();
    });
    lift_.reset();
}

void TableWindow::storeSettings()
{
    setWindowState(Qt::WindowNoState);
    place_.store(*this, doc_.settings(), settings::tableWindowArea);
}

void TableWindow::done(int r)
{
    if (!closed_)
        closeDown();
    QDialog::done(r);
}

void TableWindow::showSizePanel()
{
    sizePanel_->adjustSize();
    sizePanel_->move(scroll_->pos() + QPoint(8, 8));
    sizePanel_->show();
    sizePanel_->raise();
    sizeBoxes_[ColumnsBox]->setFocus();
}

void TableWindow::hideSizePanel()
{
    sizePanel_->hide();
    canvas_->setFocus();
}

void TableWindow::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && sizePanel_->isVisible()) {
        hideSizePanel();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TableWindow::focusNextPrevChild(bool next)
{
    // With the size panel hidden the canvas is the only control: Tab would
    // come back to it at once, and a screen reader would say nothing.
    QWidget* before = focusWidget();
    const bool moved = QDialog::focusNextPrevChild(next) && focusWidget() != before;
    const QList<QAction*> menus = menuBar_->actions();
    if (moved || menus.isEmpty())
        return moved;
    QAction* opened = next ? menus.first() : menus.last();
    menuBar_->setActiveAction(opened);
    // On its first item, so that a screen reader is told where the focus went.
    if (QMenu* menu = opened->menu(); menu && !menu->actions().isEmpty())
        menu->setActiveAction(menu->actions().first());
    return true;
}

void TableWindow::clearCanvas()
{
    guarded(label("waku"), [&] {
        grid_.clear();
        canvas_->update();
        canvas_->describeDrawing();
    });
}

void TableWindow::buildFromSizes()
{
    clearCanvas();
    drawTableOfSizes();
    hideSizePanel();
}

void TableWindow::drawTableOfSizes()
{
    guarded(label("HHSS"), [&] {
        const TableSize size{cellCountValue(sizeBoxes_[RowsBox]->currentText()),
                             cellCountValue(sizeBoxes_[LinesPerCellBox]->currentText()),
                             cellCountValue(sizeBoxes_[ColumnsBox]->currentText()),
                             cellCountValue(sizeBoxes_[CharsPerCellBox]->currentText())};
        // A refused size leaves the canvas empty: never part of a table.
        const QString problem = tableSizeProblem(size);
        if (!problem.isEmpty()) {
            prompt_.showMessage(Document::caption(), problem, Icon::Exclamation);
            return;
        }
        buildTable(grid_, size);
        canvas_->update();
        canvas_->describeDrawing();
    });
}

void TableWindow::clampSizeBox(SizeBox which)
{
    QComboBox* box = sizeBoxes_[which];
    const QString text = box->currentText();
    const QString shown = clampedCellCountText(text);
    if (shown != text)
        box->setEditText(shown);
}

void TableWindow::moveIntoDocument()
{
    guarded(label("hkttei_Click"), [&] {
        if (grid_.lastUsedRow() == 0) {
            accept();
            return;
        }
        // The question words itself for a replacement by this window.
        if (doc_.state().modified == 1)
            doc_.state().modified = 2;
        if (doc_.confirmDiscard() == DiscardAnswer::KeepDocument)
            return;
        // The drawing goes in as it is: folding its lines would break the table.
        doc_.replaceLinesAsMade(grid_.lines());
        doc_.commitEdit(QString(), Commit::Modified, QStringLiteral("　表　　"), HexView::Drop);
        accept();
    });
}

}  // namespace petari

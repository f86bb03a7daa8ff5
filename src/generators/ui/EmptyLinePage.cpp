#include "generators/ui/EmptyLinePage.h"

#include "generators/GeneratorRuns.h"
#include "generators/NumberBoxes.h"
#include "platform/ui/KeyboardAccess.h"
#include "generators/ui/NumberEdit.h"
#include "platform/Failure.h"
#include "services/Guard.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace petari {

EmptyLinePage::EmptyLinePage(Document& doc, UserPrompt& prompt, int index, QWidget* parent)
    : GeneratorPage(index, parent), doc_(doc), prompt_(prompt)
{
    auto* grid = new QGridLayout(this);
    auto* modes = new QVBoxLayout;
    modeButtons_ = optionGroup(this, "Option2", {"各行に指定した数の空白行を入れる。", "指定した行毎に空白行をいれる。"},
                               modes);
    // On the state, so a key or an accessibility action changes the example
    // as a click does; the button turned off says nothing.
    connect(modeButtons_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            guarded(reportLabel("Option2_Click"), [&] { preview(); });
    });
    grid->addLayout(modes, 0, 0, 1, 2);
    auto* countLabel = new QLabel(caption("行数の指定"), this);
    grid->addWidget(countLabel, 1, 0);
    auto* count = new NumberEdit(QStringLiteral("Text7"), reportLabel("Text7_Change"), this);
    nameAfter(countLabel, count);
    count->check = [this] { preview(); };
    countBox_ = count;
    grid->addWidget(countBox_, 1, 1);

    auto* example = new QWidget;
    auto* columns = new QHBoxLayout(example);
    auto column = [&](int i) {
        auto* label = new QLabel(example);
        label->setObjectName(indexed("Label8", i));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        columns->addWidget(label);
        return label;
    };
    previewLines_ = column(0);
    previewMarkers_ = column(1);
    columns->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setAccessibleName(caption("例"));
    scroll->setWidget(example);
    scroll->setWidgetResizable(true);
    scroll->setMinimumSize(260, 320);
    grid->addWidget(scroll, 2, 0, 1, 2);

    auto* notice = new QLabel(caption("注意　目次の作成がしてある場合、その内容が変わってしまいます。"), this);
    notice->setWordWrap(true);
    grid->addWidget(notice, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* run = button(this, QStringLiteral("Command6_0"), "実行");
    auto* cancel = button(this, QStringLiteral("Command6_1"), "キャンセル");
    connect(run, &QPushButton::clicked, this, &EmptyLinePage::insertEmptyLines);
    connect(cancel, &QPushButton::clicked, this, &GeneratorPage::closeRequested);
    buttons->addWidget(run);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 4, 0, 1, 2);
}

void EmptyLinePage::load(PageSettings& s)
{
    checkStored(modeButtons_, s.get(settings::emptyLineMode), settings::emptyLineMode.byDefault);
    countBox_->setText(s.get(settings::emptyLineCount));
    preview();
}

void EmptyLinePage::store(PageSettings& s) const
{
    s.set(settings::emptyLineMode, modeButtons_->checkedId());
    s.set(settings::emptyLineCount, countBox_->text());
}

EmptyLineMode EmptyLinePage::mode() const
{
    return modeButtons_->checkedId() == 1 ? EmptyLineMode::EveryNthLine : EmptyLineMode::BeforeEveryLine;
}

void EmptyLinePage::preview()
{
    // The example takes 0 to 255; anything else is refused as it is typed.
    const int n = boxNumber(countBox_->text());
    if (n < 0 || n > 255)
        throw Failure(err::Overflow);
    const EmptyLinePreview p = emptyLinePreview(mode(), n);
    previewLines_->setText(p.left.join(QLatin1Char('\n')));
    previewMarkers_->setText(p.right.join(QLatin1Char('\n')));
}

void EmptyLinePage::insertEmptyLines()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = runEmptyLines(doc_, prompt_, mode(), [this] { return boxNumber(countBox_->text()); });
    QApplication::restoreOverrideCursor();
    if (done)
        emit finished();
}

}  // namespace petari

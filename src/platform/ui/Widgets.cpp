#include "platform/ui/Widgets.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>

namespace petari {

QFont japaneseMonospace()
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                   QStringLiteral("VL Gothic"), QStringLiteral("TakaoGothic"), f.family()});
    f.setStyleHint(QFont::Monospace);
    return f;
}

QPushButton* namedButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* namedLineEdit(QWidget* parent, const QString& name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

}  // namespace petari

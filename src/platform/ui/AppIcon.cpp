#include "platform/ui/AppIcon.h"

#include <QDir>
#include <QRegularExpression>

namespace petari {

QString applicationId() { return QStringLiteral("io.github.petari.Petari"); }

QIcon bundledIcon()
{
    // Each size drawn for itself stays sharp in menus and task bars; the SVG
    // is the fallback of a build without them (it needs Qt's SVG icon engine).
    QIcon icon;
    static const QRegularExpression sized(QStringLiteral("^(\\d+)\\.png$"));
    const QDir dir(QStringLiteral(":/icons"));
    for (const QString& name : dir.entryList(QDir::Files)) {
        const QRegularExpressionMatch m = sized.match(name);
        if (m.hasMatch()) {
            const int size = m.captured(1).toInt();
            icon.addFile(dir.filePath(name), QSize(size, size));
        }
    }
    if (icon.isNull())
        icon.addFile(dir.filePath(applicationId() + QStringLiteral(".svg")));
    return icon;
}

QIcon applicationIcon() { return QIcon::fromTheme(applicationId(), bundledIcon()); }

}  // namespace petari

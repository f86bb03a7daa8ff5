#include "platform/Autostart.h"

#include "platform/AtomicFile.h"
#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <unistd.h>

namespace petari {

QString autostartPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/petari.desktop");
}

bool isAutostartOn() { return QFileInfo(autostartPath()).isFile(); }

QString desktopExec(const QString& executable, const QString& arguments)
{
    // A program path with a reserved character is quoted, and inside the
    // quotes ", `, $ and \ take a backslash; a string value then doubles
    // every backslash, and a literal % is %%.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (QChar c : executable)
        quote = quote || reserved.contains(c);
    QString program;
    for (QChar c : executable) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            program += u'\\';
        program += c;
    }
    if (quote)
        program = u'"' + program + u'"';
    program.replace(u'\\', QStringLiteral("\\\\"));
    program.replace(u'%', QStringLiteral("%%"));
    return arguments.isEmpty() ? program : program + u' ' + arguments;
}

QString autostartEntry(const QString& executable, const QString& arguments)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Petari\n"
                          "Name[ja]=ペタリ\n"
                          "Comment=Copy lines of Japanese text to the clipboard with one click\n"
                          "Comment[ja]=テキストの行をクリックひとつでクリップボードへコピーします\n"
                          "Icon=io.github.petari.Petari\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(desktopExec(executable, arguments));
}

void setAutostart(bool on, const QString& executable, const QString& arguments)
{
    const QString path = autostartPath();
    if (!on) {
        // The name itself goes, a link in its place included, never its target.
        if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
            throw fileFailure(errno, path);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    replaceFile(path, autostartEntry(executable, arguments).toUtf8(), true, ordinaryFileMode());
}

}  // namespace petari

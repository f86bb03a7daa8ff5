#include "document/FileName.h"

#include "document/Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace petari {

namespace {
bool isEscapedByte(QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; }
}  // namespace

QString decodeFileName(QByteArrayView bytes) { return utf8::decodeEscaped(bytes); }

QByteArray encodeFileName(const QString& name)
{
    return needsByteName(name) ? utf8::encodeEscaped(name) : QFile::encodeName(name);
}

bool needsByteName(const QString& name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        // An escaped byte is a low surrogate without its high half.
        if (isEscapedByte(name[i]) && (i == 0 || !name[i - 1].isHighSurrogate()))
            return true;
    }
    return false;
}

QString absoluteFileName(const QString& name)
{
    if (!needsByteName(name))
        return QFileInfo(name).absoluteFilePath();
    return QDir::cleanPath(QDir::isRelativePath(name) ? QDir::currentPath() + QLatin1Char('/') + name : name);
}

bool fileExists(const QString& name)
{
    struct stat st;
    return !name.isEmpty() && ::stat(encodeFileName(name).constData(), &st) == 0;
}

QString visibleFileName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (isEscapedByte(name[i]) && (i == 0 || !name[i - 1].isHighSurrogate()))
            out += QStringLiteral("\\x") + QString::number(unsigned(c - 0xDC00), 16).toUpper();
        else if (c < 0x20)
            out += QChar(char16_t(0x2400 + c));
        else if (c == 0x7F)
            out += QChar(char16_t(0x2421));
        else
            out += name[i];
    }
    return out;
}

}  // namespace petari

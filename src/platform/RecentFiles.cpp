#include "platform/RecentFiles.h"

#include "platform/AtomicFile.h"
#include "platform/Failure.h"
#include "platform/FileLimits.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QUrl>

namespace petari {

namespace {

const QString kBookmarkNs = QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
const QString kMimeNs = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
const QString kOwner = QStringLiteral("http://freedesktop.org");

// GLib writes and reads the time as ISO 8601 in UTC with microseconds.
QString stamp(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss.zzz000Z"));
}

bool refuse(QString* reason, const QString& why)
{
    if (reason)
        *reason = why;
    return false;
}

QDomElement childNamed(const QDomElement& parent, const QString& tag)
{
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        if (e.tagName() == tag)
            return e;
    return QDomElement();
}

QDomElement childOrNew(QDomDocument& doc, QDomElement parent, const QString& tag)
{
    QDomElement e = childNamed(parent, tag);
    if (e.isNull())
        e = parent.appendChild(doc.createElement(tag)).toElement();
    return e;
}

// The metadata every freedesktop reader looks in, made when missing.
QDomElement freedesktopMetadata(QDomDocument& doc, QDomElement bookmark)
{
    QDomElement info = childOrNew(doc, bookmark, QStringLiteral("info"));
    for (QDomElement m = info.firstChildElement(QStringLiteral("metadata")); !m.isNull();
         m = m.nextSiblingElement(QStringLiteral("metadata")))
        if (m.attribute(QStringLiteral("owner")) == kOwner)
            return m;
    QDomElement m = info.appendChild(doc.createElement(QStringLiteral("metadata"))).toElement();
    m.setAttribute(QStringLiteral("owner"), kOwner);
    return m;
}

void markUsed(QDomDocument& doc, QDomElement bookmark, const QString& file, const QString& when)
{
    if (!bookmark.hasAttribute(QStringLiteral("added")))
        bookmark.setAttribute(QStringLiteral("added"), when);
    bookmark.setAttribute(QStringLiteral("modified"), when);
    bookmark.setAttribute(QStringLiteral("visited"), when);
    QDomElement metadata = freedesktopMetadata(doc, bookmark);
    QDomElement mime = childOrNew(doc, metadata, QStringLiteral("mime:mime-type"));
    mime.setAttribute(QStringLiteral("type"), QMimeDatabase().mimeTypeForFile(file).name());

    // The command the desktop runs the file with.
    const QString name = QStringLiteral("petari");
    QDomElement apps = childOrNew(doc, metadata, QStringLiteral("bookmark:applications"));
    QDomElement app;
    for (QDomElement a = apps.firstChildElement(QStringLiteral("bookmark:application")); !a.isNull();
         a = a.nextSiblingElement(QStringLiteral("bookmark:application")))
        if (a.attribute(QStringLiteral("name")) == name)
            app = a;
    if (app.isNull()) {
        app = apps.appendChild(doc.createElement(QStringLiteral("bookmark:application"))).toElement();
        app.setAttribute(QStringLiteral("name"), name);
        // The desktop runs exec with %u replaced by the file's address.
        app.setAttribute(QStringLiteral("exec"), QStringLiteral("'%1 %u'").arg(name));
    }
    app.setAttribute(QStringLiteral("modified"), when);
    app.setAttribute(QStringLiteral("count"), app.attribute(QStringLiteral("count")).toInt() + 1);
}

QDomDocument emptyList()
{
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = doc.createElement(QStringLiteral("xbel"));
    root.setAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    root.setAttribute(QStringLiteral("xmlns:bookmark"), kBookmarkNs);
    root.setAttribute(QStringLiteral("xmlns:mime"), kMimeNs);
    doc.appendChild(root);
    return doc;
}

}  // namespace

QString recentFilesPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/recently-used.xbel");
}

bool addRecentFile(const QString& path, const QString& listPath, const QDateTime& time, QString* reason)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    QDomDocument doc = emptyList();
    QFile list(listPath);
    if (list.exists()) {
        if (list.size() > kMaxWholeReadBytes)
            return refuse(reason, fileTooLargeMessage(listPath));
        if (!list.open(QIODevice::ReadOnly))
            return refuse(reason, describeError(err::PermissionDenied) + listPath);
        QDomDocument read;
        if (!read.setContent(list.read(kMaxWholeReadBytes)) ||
            read.documentElement().tagName() != QLatin1String("xbel"))
            return refuse(reason, QStringLiteral("最近使ったファイルの一覧が読めません　") + listPath);
        doc = read;
    }
    const QString href = QString::fromLatin1(QUrl::fromLocalFile(file).toEncoded());
    QDomElement root = doc.documentElement();
    QDomElement bookmark;
    for (QDomElement b = root.firstChildElement(QStringLiteral("bookmark")); !b.isNull();
         b = b.nextSiblingElement(QStringLiteral("bookmark")))
        if (b.attribute(QStringLiteral("href")) == href)
            bookmark = b;
    if (bookmark.isNull()) {
        bookmark = root.appendChild(doc.createElement(QStringLiteral("bookmark"))).toElement();
        bookmark.setAttribute(QStringLiteral("href"), href);
    }
    markUsed(doc, bookmark, file, stamp(time));
    try {
        QDir().mkpath(QFileInfo(listPath).absolutePath());
        // What a user opened is private: the list is theirs alone.
        replaceFile(listPath, doc.toByteArray(2), false, 0600);
    } catch (const Failure& f) {
        return refuse(reason, f.description());
    }
    return true;
}

}  // namespace petari

#include "platform/wayland/PortalShortcut.h"

#include "platform/x11/X11Keys.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>

namespace petari {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kShortcutId = QStringLiteral("show");

struct ShortcutEntry {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& a, const ShortcutEntry& e)
{
    a.beginStructure();
    a << e.id << e.properties;
    a.endStructure();
    return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, ShortcutEntry& e)
{
    a.beginStructure();
    a >> e.id >> e.properties;
    a.endStructure();
    return a;
}

}  // namespace
}  // namespace petari

Q_DECLARE_METATYPE(petari::ShortcutEntry)

namespace petari {

PortalShortcut::PortalShortcut(QObject* parent) : QObject(parent)
{
    qDBusRegisterMetaType<ShortcutEntry>();
    qDBusRegisterMetaType<QList<ShortcutEntry>>();
    QDBusConnection::sessionBus().connect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                                          SLOT(shortcutActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

PortalShortcut::~PortalShortcut() { closeSession(); }

bool PortalShortcut::available()
{
    static const bool offered = [] {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface())
            return false;
        const QStringList activatable = bus.interface()->activatableServiceNames().value();
        if (!bus.interface()->isServiceRegistered(kService).value() && !activatable.contains(kService))
            return false;
        QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                        QStringLiteral("Get"));
        m << kInterface << QStringLiteral("version");
        const QDBusMessage reply = bus.call(m, QDBus::Block, 3000);
        return reply.type() == QDBusMessage::ReplyMessage;
    }();
    return offered;
}

QString PortalShortcut::requestPath(const QString& token) const
{
    // Where the portal answers a request: the caller's unique name without
    // its colon, dots as underscores, and the token the caller chose.
    QString sender = QDBusConnection::sessionBus().baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

void PortalShortcut::bind(const QKeyCombination& key, bool none)
{
    closeSession();
    if (none || !available())
        return;
    trigger_ = portalTrigger(key);
    const QString token = QStringLiteral("petari%1").arg(++tokens_);
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Listening before asking: the answer may come before the call returns.
    bus.connect(kService, requestPath(token), QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"), this, SLOT(sessionCreated(uint, QVariantMap)));
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CreateSession"));
    m << QVariantMap{{QStringLiteral("handle_token"), token},
                     {QStringLiteral("session_handle_token"), QStringLiteral("petari_session%1").arg(tokens_)}};
    bus.asyncCall(m);
}

void PortalShortcut::sessionCreated(uint response, const QVariantMap& results)
{
    if (response != 0)
        return;   // the user or the desktop said no
    session_ = results.value(QStringLiteral("session_handle")).toString();
    if (session_.isEmpty())
        return;
    QVariantMap properties{{QStringLiteral("description"), QStringLiteral("ペタリを呼び出す")}};
    if (!trigger_.isEmpty())
        properties.insert(QStringLiteral("preferred_trigger"), trigger_);
    const QList<ShortcutEntry> shortcuts{{kShortcutId, properties}};
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("BindShortcuts"));
    m << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts) << QString()
      << QVariantMap{{QStringLiteral("handle_token"), QStringLiteral("petari%1").arg(++tokens_)}};
    QDBusConnection::sessionBus().asyncCall(m);
}

void PortalShortcut::shortcutActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                                       const QVariantMap& options)
{
    Q_UNUSED(timestamp);
    Q_UNUSED(options);
    if (!session_.isEmpty() && session.path() == session_ && id == kShortcutId)
        emit activated();
}

void PortalShortcut::closeSession()
{
    if (session_.isEmpty())
        return;
    QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
        kService, session_, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
    session_.clear();
}

}  // namespace petari

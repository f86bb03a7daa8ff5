#pragma once
// The calling key through xdg-desktop-portal's GlobalShortcuts interface,
// where the desktop offers it (KDE Plasma, GNOME from version 48): the
// program names the key it would like, the desktop lets the user confirm or
// choose another, and says when it is pressed.  A Wayland program has no
// other way to hear a key while another window has the focus.

#include <QDBusObjectPath>
#include <QKeyCombination>
#include <QObject>
#include <QString>
#include <QVariantMap>


namespace petari {

class PortalShortcut : public QObject {
    Q_OBJECT
public:
    explicit PortalShortcut(QObject* parent = nullptr);
    ~PortalShortcut() override;

    // Whether the session's portal offers GlobalShortcuts (asked once).
    static bool available();
    // Asks the desktop for the key (an empty one gives it back).
    void bind(const QKeyCombination& key, bool none);

signals:
    void activated();

private slots:
    void sessionCreated(uint response, const QVariantMap& results);
    void shortcutActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                           const QVariantMap& options);

private:
    void closeSession();
    QString requestPath(const QString& token) const;
    QString session_;
    QString trigger_;
    int tokens_ = 0;
};

}  // namespace petari

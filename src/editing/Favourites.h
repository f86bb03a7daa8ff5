#pragma once
// The ten favourite files behind the menu "お気に入り" and the ten numbered
// buttons of the main window.

#include <QString>
#include <array>

namespace petari {

class SettingsStore;

class Favourites {
public:
    static constexpr int kSlots = 10;

    // The path in slot k (1 to 10), "" when empty or out of range.
    QString slot(int k) const;
    // For the favourites editor.  Throws Failure 9 for k outside 1 to 10.
    void setSlot(int k, const QString& path);

    // lastUsedSlot: the highest slot that is not empty, 0 when all are.
    int lastUsedSlot() const;

    // The "追加" item is enabled when a document has a name and slot 10 is
    // still free; its caption is "追加　(" + name + ")".
    bool canAdd(const QString& currentFile) const;
    static QString addCaption(const QString& currentFile);
    // okinituika_Click: stores currentFile in the first empty slot unless a
    // slot already holds it; an untitled document or ten full slots store
    // nothing.  Returns whether it was stored.
    bool add(const QString& currentFile);

    // The tool tip of button k - 1: the file name part of slot k.
    QString toolTip(int k) const;

    // Keys "1" to "10" of section "okiniiri", default "".
    void load(const SettingsStore& settings);
    void save(SettingsStore& settings) const;

private:
    std::array<QString, kSlots + 1> slots_{};  // 1-based
};

}  // namespace petari

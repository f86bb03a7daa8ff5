#pragma once
// The list of recently opened documents behind the menu "履歴": most recent
// first, at most ten shown.  Eleven items exist; the eleventh is never shown
// and only receives the entry pushed out of the tenth.

#include <QString>
#include <QStringList>
#include <array>

namespace petari {

class SettingsStore;

class History {
public:
    static constexpr int kVisible = 10;   // items shown at most
    static constexpr int kItems = 11;     // items that hold a caption

    // rirekiCount: the number of items shown, 0 to 10.
    int count() const { return count_; }
    // The caption of item index (1 to 11); "" for an index out of range.
    QString item(int index) const;
    bool isVisible(int index) const { return index >= 1 && index <= count_; }
    // The shown entries, item 1 (the most recent) first.
    QStringList entries() const;
    // "履歴のクリア" is enabled exactly when something is shown.
    bool canClear() const { return count_ > 0; }

    // rirekituika: puts path at the top.  A path already shown (exact text)
    // leaves the history unchanged, as does an empty path; returns whether
    // the path was added.
    bool add(const QString& path);
    // Removes item index (1 to count()); the items below move up one place.
    // Throws Failure 9 for an index that is not shown.
    void removeAt(int index);
    // rirekic_Click: empties and hides every shown item.
    void clear();

    // Text of the question asked when a history file has gone away.
    static QString missingFileQuestion(const QString& path);

    // Start-up: keys "1" to "10" of section "rireki", stopping at the first
    // empty value, each added in turn, so key "1" ends at the bottom.
    void load(const SettingsStore& settings);
    // Exit: with n items shown, item i goes under key n - i + 1 (the top item
    // under key n, the bottom one under "1"); keys n + 1 to "11" get "".
    void save(SettingsStore& settings) const;

private:
    std::array<QString, kItems + 2> items_{};  // 1-based; one spare for shifting
    int count_ = 0;
};

}  // namespace petari

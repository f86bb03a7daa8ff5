#pragma once
// Shows a text with its invisible characters spelled out, for labels that
// preview what the user typed: control characters as "[code]", the tab as
// "[Tab]", the blank as "[半S]" and the full-width blank as "[全S]".

#include <QString>

namespace petari {

QString spellOutInvisibles(const QString& text);

}  // namespace petari

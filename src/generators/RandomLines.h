#pragma once
// The random page of the generator window: random whole numbers from a
// range, and random strings from chosen character sets.

#include <QString>
#include <QStringList>
#include <array>
#include <random>

namespace petari {

// A generator seeded from the system's entropy source.
std::mt19937_64 seededEngine();

struct RandomRequest {
    bool strings = false;     // "桁数を指定する" (strings) rather than "数の範囲" (numbers)
    // The five number boxes: "最小数", "最大数", "表示個数 (行数)", "最小", "最大".
    std::array<int, 5> boxes{};
    bool noRepeats = true;    // "同じ数を出さない。"
    bool sorted = false;      // "順に並べて表示する。"
    bool rightAlign = true;   // "右をそろえて表示する。"
    QString pool;             // the characters strings are drawn from
};

// The check before a run: "" when the request may run, else the message to
// show (a later rule's message replaces an earlier one).
QString randomRequestProblem(const RandomRequest& request);

// Lines of random numbers: every value of the range equally likely; without
// repeats, a uniformly chosen set of distinct values, which costs memory by
// the count, never by the width of the range.  The request must pass the
// check.
QStringList randomNumbers(const RandomRequest& request, std::mt19937_64& engine);
// Lines of random strings: each of a length from "最小" to "最大", of
// characters of the pool; empty lines when the pool is empty.
QStringList randomStrings(const RandomRequest& request, std::mt19937_64& engine);

// The four character sets: 0 digits, 1 lower case, 2 upper case, 3 symbols.
const QString& characterSetOrder(int set);
// The stored defaults of the enabled boxes.
const QString& characterSetDefault(int set);

// Normalising a box of a set: the set's characters that text holds
// (letters without regard to case), and those it does not, both in the set's
// order.  Duplicates and characters outside the set vanish.
struct CharacterSplit {
    QString present;
    QString absent;
};
CharacterSplit splitCharacterSet(int set, const QString& text);

}  // namespace petari

#include "generators/RandomLines.h"

#include "generators/NumberBoxes.h"
#include "platform/Failure.h"

#include <algorithm>
#include <unordered_map>

namespace petari {

std::mt19937_64 seededEngine()
{
    std::random_device device;
    std::seed_seq seeds{device(), device(), device(), device(), device(), device(), device(), device()};
    return std::mt19937_64(seeds);
}

QString randomRequestProblem(const RandomRequest& r)
{
    QString message;
    for (int v : r.boxes)
        if (v < 0)
            message = QStringLiteral("負の数には対応していません。");
    const int lo = r.boxes[0], hi = r.boxes[1], lines = r.boxes[2];
    if (r.strings) {
        if (r.boxes[3] > r.boxes[4])
            message = QStringLiteral("'最大'より'最少'が大きくてはダメです。");
    } else {
        if (r.noRepeats && qint64(hi) - lo + 1 < lines)
            message = QStringLiteral("'同じ数を出さない'ようにした場合、'個数'は'最大数－最少数＋１'より大きくてはダメです。");
        if (hi < lo)
            message = QStringLiteral("'最大数'より'最少数'が大きくてはダメです。");
    }
    if (message.isEmpty()) {
        const qint64 n = std::max(lines, 0);
        const qint64 width = r.strings ? std::max(r.boxes[4], 0) : 11;
        try {
            checkRunSize(n, n * width);
        } catch (const RunRefused& refused) {
            message = refused.message();
        }
    }
    return message;
}

QStringList randomNumbers(const RandomRequest& r, std::mt19937_64& engine)
{
    const qint64 lo = std::abs(qint64(r.boxes[0]));
    const qint64 hi = std::abs(qint64(r.boxes[1]));
    const qint64 n = std::max(r.boxes[2], 0);
    if (hi < lo || (r.noRepeats && hi - lo + 1 < n))
        throw Failure(err::InvalidArgument);
    checkRunSize(n, n * 11);

    std::vector<qint64> values;
    values.reserve(n);
    if (r.noRepeats) {
        // A Fisher–Yates shuffle of the range, of which only the first n
        // places are drawn; the displaced values are remembered sparsely.
        std::unordered_map<qint64, qint64> moved;
        moved.reserve(n * 2);
        auto at = [&](qint64 i) {
            auto it = moved.find(i);
            return it == moved.end() ? i : it->second;
        };
        const qint64 range = hi - lo + 1;
        for (qint64 k = 0; k < n; ++k) {
            const qint64 j = std::uniform_int_distribution<qint64>(k, range - 1)(engine);
            const qint64 picked = at(j);
            moved[j] = at(k);
            values.push_back(lo + picked);
        }
    } else {
        std::uniform_int_distribution<qint64> draw(lo, hi);
        for (qint64 k = 0; k < n; ++k)
            values.push_back(draw(engine));
    }
    if (r.sorted)
        std::sort(values.begin(), values.end());

    const int width = r.rightAlign ? int(QString::number(hi).size()) : 0;
    QStringList out;
    out.reserve(n);
    for (qint64 v : values)
        out << QString::number(v).rightJustified(width, QLatin1Char(' '));
    return out;
}

QStringList randomStrings(const RandomRequest& r, std::mt19937_64& engine)
{
    const int lo = std::abs(r.boxes[3]);
    const int hi = std::abs(r.boxes[4]);
    const qint64 n = std::max(r.boxes[2], 0);
    if (hi < lo)
        throw Failure(err::InvalidArgument);
    checkRunSize(n, n * hi);

    std::uniform_int_distribution<int> length(lo, hi);
    QStringList out;
    out.reserve(n);
    if (r.pool.isEmpty()) {
        for (qint64 k = 0; k < n; ++k)
            out << QString();
        return out;
    }
    std::uniform_int_distribution<qsizetype> pick(0, r.pool.size() - 1);
    for (qint64 k = 0; k < n; ++k) {
        const int len = length(engine);
        QString line(len, Qt::Uninitialized);
        for (int i = 0; i < len; ++i)
            line[i] = r.pool[pick(engine)];
        out << line;
    }
    return out;
}

const QString& characterSetOrder(int set)
{
    static const QString orders[4] = {
        QStringLiteral("0123456789"),
        QStringLiteral("abcdefghijklmnopqrstuvwxyz"),
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"),
        QStringLiteral("!\"#$%&'()*+,-./:;<=>?@[\\]^_{|}~"),
    };
    if (set < 0 || set > 3)
        throw Failure(err::OutOfRange);
    return orders[set];
}

const QString& characterSetDefault(int set)
{
    static const QString defaults[4] = {
        characterSetOrder(0),
        characterSetOrder(1),
        characterSetOrder(2),
        QStringLiteral(",.;:!?#@$%^&*(){}[]_-=+/\\|<>~"),
    };
    if (set < 0 || set > 3)
        throw Failure(err::OutOfRange);
    return defaults[set];
}

CharacterSplit splitCharacterSet(int set, const QString& text)
{
    CharacterSplit split;
    for (QChar c : characterSetOrder(set)) {
        if (text.contains(c, Qt::CaseInsensitive))
            split.present += c;
        else
            split.absent += c;
    }
    return split;
}

}  // namespace petari

#include "price/PriceSettings.h"

#include "platform/Twips.h"
#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"
#include "price/Decimal.h"

namespace petari {

namespace {

const QString kSection = QStringLiteral("F7");

QString textKey(int i) { return QStringLiteral("T1%1").arg(i); }
QString checkKey(int i) { return QStringLiteral("C1%1").arg(i); }
QString optionKey(int i) { return QStringLiteral("O1%1").arg(i); }
QString historyKey(int i) { return QStringLiteral("C%1").arg(i); }

QString booleanText(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }

// "True" and "False" as written, and numbers the way a Boolean reads them.
bool readsTrue(const QString& value)
{
    const QString v = value.trimmed();
    if (v.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    return leadingNumber(v) != 0;
}

}  // namespace

PriceWindowSettings readPriceSettings(const SettingsStore& store)
{
    PriceWindowSettings s;
    const PriceInput defaults;
    s.top = storedTwips(store, kSection, QStringLiteral("top"), s.top);
    s.left = storedTwips(store, kSection, QStringLiteral("Left"), s.left);
    for (int i = 0; i < 7; ++i)
        s.input.text[i] = store.read(kSection, textKey(i), defaults.text[i]);
    for (int i = 0; i < 4; ++i)
        s.input.check[i] = store.isOn(kSection, checkKey(i), defaults.check[i]);
    // Choosing an option clears the others: the last one that reads true wins.
    for (int i = 0; i < 3; ++i)
        if (readsTrue(store.read(kSection, optionKey(i),
                                 booleanText(static_cast<int>(defaults.rounding) == i))))
            s.input.rounding = static_cast<Rounding>(i);
    for (int i = 0; i < kKeptPriceHistory; ++i) {
        const LeadingDecimal item = leadingDecimal(store.read(kSection, historyKey(i), QStringLiteral("0")));
        if (!item.outOfRange && item.value > 0 && fitsDigits(item.value))
            s.history.append(decimalText(item.value));
    }
    s.input.unitPrice = store.read(kSection, QStringLiteral("CT"), defaults.unitPrice);
    return s;
}

void writePriceSettings(SettingsStore& store, const PriceInput& input, const QStringList& history)
{
    for (int i = 0; i < 7; ++i)
        store.write(kSection, textKey(i), input.text[i]);
    for (int i = 0; i < 4; ++i)
        store.write(kSection, checkKey(i), input.check[i] ? QStringLiteral("1") : QStringLiteral("0"));
    for (int i = 0; i < 3; ++i)
        store.write(kSection, optionKey(i), booleanText(static_cast<int>(input.rounding) == i));
    for (int i = 0; i < kKeptPriceHistory; ++i)
        store.write(kSection, historyKey(i), i < history.size() ? history[i] : QStringLiteral("0"));
    store.write(kSection, QStringLiteral("CT"), input.unitPrice);
}

void writePricePosition(SettingsStore& store, int top, int left)
{
    store.write(kSection, QStringLiteral("top"), QString::number(top));
    store.write(kSection, QStringLiteral("Left"), QString::number(left));
}

bool priceMenuVisible(const SettingsStore& store)
{
    return readsTrue(store.read(kSection, QStringLiteral("Visible"), QStringLiteral("False")));
}

void enableFormulaAnnotation(SettingsStore& store)
{
    store.write(QStringLiteral("F5"), QStringLiteral("s9"), QStringLiteral("1"));
    store.write(QStringLiteral("F5"), QStringLiteral("st_t100"), QStringLiteral("''"));
}

}  // namespace petari

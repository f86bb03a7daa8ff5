#include "price/PriceSettings.h"

#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "price/Decimal.h"

namespace petari {

PriceWindowSettings readPriceSettings(const SettingsStore& store)
{
    PriceWindowSettings s;
    const PriceInput defaults;
    s.top = store.get(settings::priceWindowArea.top());
    s.left = store.get(settings::priceWindowArea.left());
    for (int i = 0; i < 7; ++i)
        s.input.text[i] = store.get(settings::priceTexts.at(i), defaults.text[i]);
    for (int i = 0; i < 4; ++i)
        s.input.check[i] = store.get(settings::priceChecks.at(i), defaults.check[i]);
    // Choosing an option clears the others: the last one that reads true wins.
    for (int i = 0; i < 3; ++i)
        if (store.get(settings::priceRoundings.at(i), static_cast<int>(defaults.rounding) == i))
            s.input.rounding = static_cast<Rounding>(i);
    for (int i = 0; i < kKeptPriceHistory; ++i) {
        const LeadingDecimal item = leadingDecimal(store.get(settings::priceHistory.at(i)));
        if (!item.outOfRange && item.value > 0 && fitsDigits(item.value))
            s.history.append(decimalText(item.value));
    }
    s.input.unitPrice = store.get(settings::priceUnit, defaults.unitPrice);
    return s;
}

void writePriceSettings(SettingsStore& store, const PriceInput& input, const QStringList& history)
{
    for (int i = 0; i < 7; ++i)
        store.set(settings::priceTexts.at(i), input.text[i]);
    for (int i = 0; i < 4; ++i)
        store.set(settings::priceChecks.at(i), input.check[i]);
    for (int i = 0; i < 3; ++i)
        store.set(settings::priceRoundings.at(i), static_cast<int>(input.rounding) == i);
    for (int i = 0; i < kKeptPriceHistory; ++i)
        store.set(settings::priceHistory.at(i), i < history.size() ? history[i] : settings::priceHistory.model.byDefault);
    store.set(settings::priceUnit, input.unitPrice);
}

void writePricePosition(SettingsStore& store, int top, int left)
{
    store.set(settings::priceWindowArea.top(), top);
    store.set(settings::priceWindowArea.left(), left);
}

bool priceMenuVisible(const SettingsStore& store) { return store.get(settings::priceMenuVisible); }

void enableFormulaAnnotation(SettingsStore& store)
{
    store.set(settings::annotationEnabled, true);
    store.set(settings::annotation, QStringLiteral("''"));
}

}  // namespace petari

#pragma once
// The price calculator's settings, section "F7": the boxes, check boxes and
// rounding mode as they were last used, the unit price history (ten kept)
// and the window's position.

#include "platform/SettingsSchema.h"
#include "price/PriceTable.h"

#include <QString>
#include <QStringList>

namespace petari {

class SettingsStore;

struct PriceWindowSettings {
    PriceInput input;
    QStringList history;   // most recent first
    int top = settings::priceWindowArea.byDefault.top;   // twips
    int left = settings::priceWindowArea.byDefault.left;
};

// How many history items are kept between openings.
constexpr int kKeptPriceHistory = 10;

PriceWindowSettings readPriceSettings(const SettingsStore& store);
// Everything but the position; history items beyond the tenth are dropped,
// free places hold "0".
void writePriceSettings(SettingsStore& store, const PriceInput& input, const QStringList& history);
void writePricePosition(SettingsStore& store, int top, int left);

// Whether the main window's 価格 menu item is shown: "F7"/"Visible" reads as
// true ("True" in any case, or a number other than 0); absent is "False".
bool priceMenuVisible(const SettingsStore& store);

// Turns the copy engine's annotation cut-off on with "''" as its mark, so
// that the formula after a price is left out of what is copied.
void enableFormulaAnnotation(SettingsStore& store);

}  // namespace petari

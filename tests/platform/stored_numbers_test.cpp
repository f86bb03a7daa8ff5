// Every stored number that becomes an int, edited by hand to values no
// program writes: each is held to its range (run under the sanitizers, an
// overflow here fails the test).

#include "support/Fixture.h"

#include "dialogs/SettingsForm.h"
#include "editing/UndoChain.h"
#include "platform/InstanceRegistry.h"
#include "price/PriceSettings.h"

#include <climits>
#include <functional>

using namespace petari;
using petari::test::Fixture;

namespace {

struct NumericKey {
    const char* section;
    const char* key;
    std::function<int(Fixture&)> read;
    int high;   // what 1e20 and twenty digits read as
    int low;    // what -1e20 reads as
    int none;   // what "nan" (no number at all) reads as
};

int windowRect(Fixture& f, int TwipsRect::*side)
{
    f.c->readWindowSettings();
    return f.c->view().geometryTwips().*side;
}

int backupNumber(Fixture& f)
{
    const QString path = f.c->undo().takeBackup({QStringLiteral("x")});
    return path.isEmpty() ? 0 : path.right(7).left(3).toInt();
}

}  // namespace

TEST(StoredNumbers, EveryNumericKeyIsHeldToItsRange)
{
    const std::vector<NumericKey> keys = {
        {"F1", "top", [](Fixture& f) { return windowRect(f, &TwipsRect::top); }, 1000000, -1000000, 0},
        {"F1", "Left", [](Fixture& f) { return windowRect(f, &TwipsRect::left); }, 1000000, -1000000, 0},
        {"F1", "Height", [](Fixture& f) { return windowRect(f, &TwipsRect::height); }, 1000000, -1000000, 0},
        {"F1", "Width", [](Fixture& f) { return windowRect(f, &TwipsRect::width); }, 1000000, -1000000, 0},
        // Outside 0..4 no menu pops up.
        {"F1", "rcrh0", [](Fixture& f) { f.c->readWindowSettings(); return f.c->rightClickChoice(); }, 5, -1, 0},
        {"F5", "s1", [](Fixture& f) { f.setOption("s8", "1"); return f.c->document().foldWidth(); }, INT_MAX, 0, 0},
        {"F5", "s7", [](Fixture& f) { return backupNumber(f) > 0 ? 1 : 0; }, 1, 0, 0},
        // Out of 1..255 the counter starts again at 1.
        {"M2", "backup", backupNumber, 1, 1, 1},
        {"F5", "top", [](Fixture& f) { return DialogPosition::load(*f.settings).top; }, 1000000, -1000000, 0},
        {"F5", "Left", [](Fixture& f) { return DialogPosition::load(*f.settings).left; }, 1000000, -1000000, 0},
        {"F7", "top", [](Fixture& f) { return readPriceSettings(*f.settings).top; }, 1000000, -1000000, 0},
        {"F7", "Left", [](Fixture& f) { return readPriceSettings(*f.settings).left; }, 1000000, -1000000, 0},
        // The version is written back while the stored revision is below 167.
        {"ver", "revision", [](Fixture& f) {
             f.c->writeWindowSettings();
             return f.settings->contains("ver", "major") ? 1 : 0;
         }, 0, 1, 1},
        // Not a copy number from 0 to 255: reported, and this copy is the first.
        {"A1", "No", [](Fixture& f) {
             InstanceRegistry registry(f.path("run"));
             f.c->startUp({}, registry);
             return f.c->instanceNumber();
         }, 0, 0, 0},
    };
    const struct {
        const char* text;
        int NumericKey::*expected;
    } values[] = {
        {"1e20", &NumericKey::high},
        {"-1e20", &NumericKey::low},
        {"nan", &NumericKey::none},
        {"12345678901234567890", &NumericKey::high},
    };
    for (const NumericKey& k : keys) {
        for (const auto& v : values) {
            Fixture f;
            f.settings->write(k.section, k.key, v.text);
            EXPECT_EQ(k.read(f), k.*v.expected) << k.section << "/" << k.key << " = " << v.text;
        }
    }
}

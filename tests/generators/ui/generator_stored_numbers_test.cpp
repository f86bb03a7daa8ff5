// The generator window's stored choices and place, edited by hand to values
// no program writes: the window opens with its defaults (under the
// sanitizers, an overflow fails the test).

#include "support/Fixture.h"

#include "editing/Favourites.h"
#include "generators/ui/GeneratorWindow.h"

#include <QComboBox>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace petari;

TEST(GeneratorStoredNumbers, ChoicesOutOfAnyRangeOpenTheDefaults)
{
    for (const char* value : {"1e20", "-1e20", "nan", "12345678901234567890"}) {
        test::DocumentFixture f;
        for (const char* key : {"a1", "d1", "d2", "e1", "f1", "h1", "i1", "top", "Left"})
            f.settings->write(QStringLiteral("F2"), QString::fromLatin1(key), QString::fromLatin1(value));
        Favourites favourites;
        for (int page : {0, 2, 3}) {
            GeneratorWindow window(*f.doc, f.prompt, favourites, page);
            window.show();
            EXPECT_TRUE(window.isVisible()) << value;
            if (page == 0) {
                EXPECT_EQ(test::child<QComboBox>(window, "Combo3")->currentIndex(), 0) << value;
                EXPECT_TRUE(test::child<QRadioButton>(window, "Option1_0")->isChecked()) << value;
            }
        }
        EXPECT_TRUE(f.sink.got.empty()) << value;
    }
}

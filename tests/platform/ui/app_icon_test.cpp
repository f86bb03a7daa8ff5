#include "platform/ui/AppIcon.h"

#include <gtest/gtest.h>

using namespace petari;

TEST(AppIcon, BuiltIntoTheProgramForEverySizeOfMenusAndTaskBars)
{
    const QIcon icon = bundledIcon();
    ASSERT_FALSE(icon.isNull());
    // The 16 px drawing of its own, not the large one scaled down.
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    EXPECT_EQ(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
    EXPECT_FALSE(applicationIcon().isNull());
}

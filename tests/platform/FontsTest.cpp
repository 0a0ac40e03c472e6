// The faces the windows and pages ask for resolve to installed ones.
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include "platform/Fonts.h"

namespace {

TEST(Fonts, MonospacedFaceOfTheListsIsFixedPitchLiberationMono)
{
    // Without the substitution it falls back to a proportional face and the
    // columns of the lists no longer line up.
    const QFontInfo info(QFont("Monospac821 BT", 9));
    EXPECT_TRUE(info.fixedPitch());
    EXPECT_EQ(info.family().toStdString(), "Liberation Mono");
}

TEST(Fonts, EveryAskedFaceResolvesToItsInstalledStandIn)
{
    const std::pair<const char *, const char *> faces[] = {
        {"Arial", "Liberation Sans"},
        {"Times", "Liberation Serif"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Fraktur BT", "Blankenburg_UNZ1A"},
    };
    for (const auto &[asked, installed] : faces) {
        ASSERT_TRUE(QFontDatabase::families().contains(installed)) << installed << " is not installed";
        EXPECT_EQ(QFontInfo(QFont(asked, 12)).family().toStdString(), installed) << asked;
    }
}

} // namespace

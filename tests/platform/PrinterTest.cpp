#include <gtest/gtest.h>

#include "platform/Printer.h"

namespace {

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override { resetPrinter(); }
    void TearDown() override { resetPrinter(); }
};

} // namespace

TEST_F(PrinterTest, TextWidthIsInMillimetresOnThePage)
{
    Printer &p = printer();
    ASSERT_EQ(p.FontName, "Arial");
    ASSERT_EQ(p.FontSize, 10);
    // Arial digits are 0.556 em, ":" and "," 0.278 em; 10 pt is 3.528 mm.
    const double w = p.TextWidth("1:05,32");
    EXPECT_NEAR(w, 11.77, 0.3);
    EXPECT_NEAR(p.TextWidth("1:05,321:05,32"), 2 * w, 0.01 * w);
    EXPECT_EQ(p.TextWidth(""), 0);
}

TEST_F(PrinterTest, TextWidthFollowsTheCurrentFont)
{
    Printer &p = printer();
    const double regular = p.TextWidth("MAIER Hans");
    p.FontSize = 20;
    EXPECT_NEAR(p.TextWidth("MAIER Hans"), 2 * regular, 0.01 * regular);
    p.FontSize = 10;
    p.FontBold = true;
    EXPECT_GT(p.TextWidth("MAIER Hans"), regular);
    p.FontBold = false;
    p.FontName = "Times";
    EXPECT_LT(p.TextWidth("MAIER Hans"), regular);
}

TEST_F(PrinterTest, ResetPrinterRestoresTheDefaults)
{
    Printer &p = printer();
    p.FontName = "Times";
    p.FontSize = 14;
    p.FontBold = p.FontItalic = true;
    p.CurrentX = 20;
    p.CurrentY = 30;
    resetPrinter();
    const Printer &q = printer();
    EXPECT_EQ(q.FontName, "Arial");
    EXPECT_EQ(q.FontSize, 10);
    EXPECT_FALSE(q.FontBold);
    EXPECT_FALSE(q.FontItalic);
    EXPECT_EQ(q.CurrentX, 0);
    EXPECT_EQ(q.CurrentY, 0);
}

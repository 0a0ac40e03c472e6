// The page check of the printout tests: what it takes for a fault and what
// it lets pass.
#include <gtest/gtest.h>

#include "PageCheck.h"

namespace {

PrintOp text(double x, double y, double w, double h, int page = 1)
{
    PrintOp op;
    op.kind = PrintOp::Kind::Text;
    op.job = 1;
    op.page = page;
    op.x = x;
    op.y = y;
    op.width = w;
    op.height = h;
    op.text = QStringLiteral("T");
    return op;
}

PrintOp shape(PrintOp::Kind kind, double x, double y, double x2, double y2, int page = 1)
{
    PrintOp op;
    op.kind = kind;
    op.job = 1;
    op.page = page;
    op.x = x;
    op.y = y;
    op.x2 = x2;
    op.y2 = y2;
    if (kind == PrintOp::Kind::Picture) {
        op.width = x2 - x;
        op.height = y2 - y;
    }
    return op;
}

struct Case {
    const char *what;
    std::vector<PrintOp> ops;
    std::size_t faults;
};

} // namespace

TEST(PageCheckTest, FaultsOfAPage)
{
    using K = PrintOp::Kind;
    PrintOp blank = text(20, 40, 30, 4);
    blank.text = QStringLiteral("   ");
    PrintOp landscapeText = text(250, 40, 20, 4);
    landscapeText.orientation = 2;
    const PrintOp band = shape(K::FilledBox, 4, 39.9, 200, 44.5);
    const PrintOp rowBelow = text(20, 49, 10, 4);
    const Case cases[] = {
        {"side by side, touching", {text(20, 40, 10, 4), text(30, 40, 10, 4)}, 0},
        {"one above the other, touching", {text(20, 40, 10, 4), text(25, 44, 10, 4)}, 0},
        {"overlapping by 0.1 mm", {text(20, 40, 10.1, 4), text(30, 40, 10, 4)}, 1},
        {"the same text on another page", {text(20, 40, 10, 4), text(20, 40, 10, 4, 2)}, 0},
        {"blanks take no room", {text(20, 40, 10, 4), blank}, 0},
        {"text on its band", {band, text(79, 40, 40, 4.3), rowBelow}, 0},
        {"band drawn over a text", {text(79, 40, 40, 4.3), band, rowBelow}, 1},
        {"text half on a band", {band, text(79, 42, 40, 4.3), rowBelow}, 1},
        {"band as the last row", {text(20, 30, 10, 4), band}, 1},
        {"line through a text", {text(20, 40, 10, 4), shape(K::Line, 0, 42, 200, 42)}, 1},
        {"line along a text's edge", {text(20, 40, 10, 4), shape(K::Line, 0, 44, 200, 44)}, 0},
        {"text inside a box outline", {shape(K::Box, 20, 39.5, 190, 44), text(20, 40, 60, 3.5)}, 0},
        {"text over a box's right edge",
         {shape(K::Box, 20, 39.5, 190, 44), text(180, 40, 20, 3.5)},
         1},
        {"text under a picture", {text(100, 20, 30, 7), shape(K::Picture, 120, 11, 155, 29)}, 1},
        {"text past the right edge", {text(200, 40, 10.5, 4)}, 1},
        {"picture above the top", {shape(K::Picture, 20, -1, 30, 10)}, 1},
        {"landscape page is wider", {landscapeText}, 0},
    };
    for (const Case &c : cases) {
        const std::vector<QString> faults = PageFaults(c.ops);
        EXPECT_EQ(faults.size(), c.faults) << c.what << (faults.empty() ? "" : ": ")
                                           << (faults.empty() ? "" : faults[0].toStdString());
    }
}

TEST(PageCheckTest, MarkedCuts)
{
    const QString whole = QStringLiteral("Skiclub Oberhinterdorf");
    EXPECT_TRUE(IsMarkedCutOf(QStringLiteral("Skiclub O."), whole));
    EXPECT_FALSE(IsMarkedCutOf(QStringLiteral("Skiclub O"), whole));     // no mark
    EXPECT_FALSE(IsMarkedCutOf(QStringLiteral("Skiclub ."), whole));     // blank before it
    EXPECT_FALSE(IsMarkedCutOf(QStringLiteral("Skiclub X."), whole));    // not its beginning
    EXPECT_FALSE(IsMarkedCutOf(QStringLiteral("S."), whole, 5));         // too short
}

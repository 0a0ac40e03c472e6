// "Drucker - Einstellung": the printers by name, the choice for this run.
#include "GuiTestHelpers.h"
#include "core/Form17.h"
#include "core/SharedState.h"
#include "lists/Form28.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"

namespace {

class Form28Test : public WindowDataTest {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        useRecordingPrinter();
    }
    void TearDown() override
    {
        WindowDataTest::TearDown();
        resetPrinter();
    }

    Form28 &open()
    {
        Form28 &f = form<Form28>();
        EXPECT_TRUE(showAndActivate(f));
        return f;
    }
};

} // namespace

TEST_F(Form28Test, ListsThePrintersAndSelectsOneForThisRun)
{
    Form28 &f = open();
    EXPECT_EQ(f.Caption(), "Drucker - Einstellung");
    EXPECT_EQ(f.Command2.Caption(), "als Standarddrucker auswählen");
    EXPECT_EQ(lines(f.List1), printerNames());
    EXPECT_EQ(f.List1.List(f.List1.ListCount() - 1), pdfPrinterName());
    EXPECT_FALSE(f.Command2.Enabled());

    clickLine(f.List1, f.List1.ListCount() - 1);
    EXPECT_TRUE(f.Command2.Enabled());
    f.Command2.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form28>());
    EXPECT_EQ(printer().DeviceName(), pdfPrinterName());
}

TEST_F(Form28Test, FertigAndAVanishedPrinterLeaveThePrinterAsItWas)
{
    Form28 &f = open();
    f.List1.setListIndex(0);
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form28>());
    EXPECT_EQ(printer().DeviceName(), "Aufzeichnung");

    // A line whose printer has gone since the list was filled.
    Form28 &g = open();
    g.List1.AddItem(QStringLiteral("Abgebaut"), 0);
    g.List1.setListIndex(0);
    g.Command2.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form28>());
    EXPECT_EQ(printer().DeviceName(), "Aufzeichnung");
}

TEST_F(Form28Test, ActivatingAgainRebuildsTheListAndDisablesTheButton)
{
    Form28 &f = open();
    f.List1.setListIndex(0);
    ASSERT_TRUE(f.Command2.Enabled());
    f.List1.AddItem(QStringLiteral("alt"));

    Form17 &other = form<Form17>();
    ASSERT_TRUE(showAndActivate(other));
    ASSERT_TRUE(activateByUser(f));
    EXPECT_EQ(lines(f.List1), printerNames());
    EXPECT_FALSE(f.Command2.Enabled());
    EXPECT_EQ(f.List1.ListIndex(), -1);
}

TEST_F(Form28Test, UnloadStoresThePositionOnlyWhenTheWindowIsOnTheScreen)
{
    App.WindowTop[28] = 999;
    App.WindowLeft[28] = 600;
    App.WindowLeftSet[28] = true;

    Form28 &f = open();
    f.Move(600, 0);
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_EQ(App.WindowTop[28], 999);

    Form28 &g = open();
    g.Move(900, 1200);
    g.Command1.click();
    destroyUnloadedWindows();
    EXPECT_EQ(App.WindowTop[28], 1200);
    EXPECT_EQ(App.WindowLeft[28], 900);
}

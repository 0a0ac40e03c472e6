// "Drucker - Einstellung": the printers by name, the choice for this run;
// the window opens at once and follows the print server's answer.
#include "GuiTestHelpers.h"
#include "PrivatePrintServer.h"
#include "SilentPrintServer.h"
#include "core/Form17.h"
#include "core/SharedState.h"
#include "lists/Form28.h"
#include "platform/PrintServer.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"

namespace {

class Form28Test : public WindowDataTest {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        // No print server unless a test starts one: the machine's own does
        // not change what the window shows.
        printserver::setServer(path(QStringLiteral("kein-Server.sock")));
        resetPrinter();
        useRecordingPrinter();
    }
    void TearDown() override
    {
        WindowDataTest::TearDown();
        resetPrinter();
        printserver::setAnswerTimeoutMs(0);
        printserver::setServer(QString());
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

TEST_F(Form28Test, OpensAtOnceWhileThePrintServerDoesNotAnswer)
{
    SilentPrintServer silent;
    ASSERT_TRUE(silent.ok());
    printserver::setServer(silent.address());
    // Longer than the test looks: the question stays unanswered meanwhile.
    printserver::setAnswerTimeoutMs(120000);

    Form28 &f = open();
    EXPECT_EQ(lines(f.List1), QStringList{pdfPrinterName()});
    // The window is up and takes clicks while the server is still asked.
    EXPECT_TRUE(printerNamesPending());
    EXPECT_TRUE(waitUntil([&] { return silent.connections() == 1; }, 15000));
    clickLine(f.List1, 0);
    EXPECT_TRUE(f.Command2.Enabled());
    EXPECT_TRUE(printerNamesPending());
    f.Command2.click();
    destroyUnloadedWindows();
    EXPECT_EQ(printer().DeviceName(), pdfPrinterName());
}

TEST_F(Form28Test, AnAnswerAfterOpeningUpdatesTheListAndKeepsTheChoice)
{
    PrivateServer server;
    const QString why = server.start();
    if (!why.isEmpty())
        GTEST_SKIP() << "no print server of the test's own: " << why.toStdString();
    ASSERT_TRUE(server.addQueue(QStringLiteral("Buero")));
    refreshPrinterNames();
    awaitPrinterNames();

    // A printer installed since: the window opens with the printers as
    // known and shows the new one once the server has answered.
    ASSERT_TRUE(server.addQueue(QStringLiteral("Halle")));
    Form28 &f = open();
    EXPECT_TRUE(waitUntil([] { return !printerNamesPending(); }, 15000));
    const QStringList both{QStringLiteral("Buero"), QStringLiteral("Halle"), pdfPrinterName()};
    EXPECT_EQ(lines(f.List1), both);

    // The user has chosen "Halle" when the next answer brings two printers
    // before it and takes "Buero" away: the choice stays on "Halle".
    int clicks = 0;
    const auto counted = f.List1.onClick;
    f.List1.onClick = [&] { ++clicks; counted(); };
    clickLine(f.List1, 1);
    ASSERT_EQ(f.List1.List(f.List1.ListIndex()), QStringLiteral("Halle"));
    ASSERT_TRUE(f.Command2.Enabled());
    clicks = 0;
    ASSERT_TRUE(server.addQueue(QStringLiteral("Aula")));
    ASSERT_TRUE(server.addQueue(QStringLiteral("Bibliothek")));
    ASSERT_TRUE(server.admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Buero")}));
    refreshPrinterNames();
    awaitPrinterNames();
    const QStringList changed{QStringLiteral("Aula"), QStringLiteral("Bibliothek"),
                              QStringLiteral("Halle"), pdfPrinterName()};
    EXPECT_EQ(lines(f.List1), changed);
    EXPECT_EQ(f.List1.ListIndex(), 2);
    EXPECT_TRUE(f.Command2.Enabled());
    EXPECT_EQ(clicks, 0);

    // The chosen printer itself gone: nothing is chosen, nothing to select.
    ASSERT_TRUE(server.admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Halle")}));
    refreshPrinterNames();
    awaitPrinterNames();
    const QStringList left{QStringLiteral("Aula"), QStringLiteral("Bibliothek"), pdfPrinterName()};
    EXPECT_EQ(lines(f.List1), left);
    EXPECT_EQ(f.List1.ListIndex(), -1);
    EXPECT_FALSE(f.Command2.Enabled());

    // The server stops answering: the list stays as known, and a printer
    // of it can still be chosen.
    SilentPrintServer silent;
    ASSERT_TRUE(silent.ok());
    printserver::setServer(silent.address());
    printserver::setAnswerTimeoutMs(300);
    Form17 &other = form<Form17>();
    ASSERT_TRUE(showAndActivate(other));
    ASSERT_TRUE(activateByUser(f));
    EXPECT_EQ(lines(f.List1), left);
    awaitPrinterNames();
    EXPECT_GE(silent.connections(), 1);
    EXPECT_EQ(lines(f.List1), left);
    clickLine(f.List1, 0);
    EXPECT_TRUE(f.Command2.Enabled());
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form28>());
}

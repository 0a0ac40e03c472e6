// "Ausdrucke": combos, the finisher list, the stored certificate settings,
// the club filter of the ranking and the way in from the race window.
#include <QStringList>

#include "GuiTestHelpers.h"
#include "PrivatePrintServer.h"
#include "RaceBuilder.h"
#include "SilentPrintServer.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/Launchers.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/Form28.h"
#include "lists/Form8.h"
#include "lists/ListWindows.h"
#include "lists/PrintHelpers.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/PrintServer.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"
#include "platform/Strings.h"
#include "race/Form13.h"
#include "race/Form21.h"
#include "race/RaceWindows.h"
#include "race/Ranking.h"

namespace {

struct Entry {
    QString name;
    double time = 0;
    int slot = 0;
    int group = 1;
    int cell = 0;
    int club = 0;      // AthleteClub1, counted through SlotClub 1
    int status1 = 0;
    int status2 = 0;
};

class Form8Test : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 2, 14), QTime(10, 0)));
        useRecordingPrinter();
        openDataFiles();

        const QStringList clubs = {QStringLiteral("SC Alpen"), QStringLiteral("  WSV Tal  "),
                                   QStringLiteral("TV Berg")};
        for (const QString &club : clubs)
            addClub(club, QString());

        writeRace(1, {.name = QStringLiteral("Vereinsmeisterschaft"), .byClass = 1, .byTime = 1});

        for (int k = 1; k <= ClassCount; ++k)
            Race.ClassNames[k] = QStringLiteral("Klasse %1").arg(k);
        Race.ClassDesignations[0] = QStringLiteral("Kinder weiblich");
        Race.ClassDesignations[8] = QStringLiteral("Schüler weiblich, sehr lange Bezeichnung");
    }

    void TearDown() override
    {
        WindowDataTest::TearDown();
        resetPrinter();
    }

    int add(const Entry &e)
    {
        const int id = addAthlete({.name = e.name, .sex = 0, .clubs = {e.club, 0, 0}});
        return addEntry(id, {.slot = e.slot,
                             .startNo = SlotNumber,
                             .t1 = e.time,
                             .status1 = e.status1,
                             .status2 = e.status2,
                             .klass = 1,
                             .order = e.group,
                             .cell = e.cell,
                             .club = 1,
                             .group = e.group});
    }

    Form8 &open()
    {
        Form8 &f = form<Form8>();
        EXPECT_TRUE(showAndActivate(f));
        return f;
    }

    QByteArray raceRecord(int n) const
    {
        return readBytes(QStringLiteral("Rennen.rec")).mid((n - 1) * RaceRecordLength,
                                                          RaceRecordLength);
    }

    static int int16At(const QByteArray &r, int offset)
    {
        return std::int16_t(quint8(r.at(offset)) | (quint8(r.at(offset + 1)) << 8));
    }
};

QString padded(const QString &text, int width)
{
    return text + blanks(width - text.size());
}

} // namespace

TEST_F(Form8Test, Load_FillsTheCombosAndShowsTheWindowAsDesigned)
{
    Form8 &f = open();
    EXPECT_EQ(f.Caption(), QStringLiteral("Ausdrucke"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("Aufzeichnung"));
    EXPECT_TRUE(f.Command6.Enabled());
    EXPECT_EQ(lines(f.Combo1),
              (QStringList{"Schifahrer", "Snowboarder", "Rodler", "laufendes Kind", "Läuferin",
                           "Läufer", "Laufendes Paar", "Radfahrer"}));
    EXPECT_EQ(lines(f.Combo2), (QStringList{"kein Text", "Bestzeit", "Tagesbestzeit",
                                            "Ortsmeister/in", "Vereinsmeister/in"}));
    EXPECT_EQ(lines(f.Combo3), (QStringList{"SC Alpen", "WSV Tal", "TV Berg"}));
    EXPECT_EQ(f.Combo3.ListIndex(), -1);
    // Classes 1 to 18: the race header holds no later one.
    ASSERT_EQ(f.Combo4.ListCount(), 18);
    EXPECT_EQ(f.Combo4.List(0), QStringLiteral("Klasse 1"));
    EXPECT_EQ(f.Combo4.List(17), QStringLiteral("Klasse 18"));

    EXPECT_EQ(f.Check1.Value(), 0);
    EXPECT_EQ(f.Check2.Value(), 0);
    EXPECT_FALSE(f.Combo3.Visible());
    EXPECT_FALSE(f.Text1.Visible());
    EXPECT_FALSE(f.Text2.Visible());
    EXPECT_FALSE(f.Text3.Visible());
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Wintersportwoche 2015"));
    EXPECT_EQ(f.List2.FontName(), QStringLiteral("Monospac821 BT"));
    // The boxes show the list heads' pictures at their own size, pixel for
    // pixel the full ones stretched into them: a picture drawn anew without
    // its small copy made again fails here.
    LoadHeadPictures();
    EXPECT_EQ(ListPrint.HeadStripPicture.size(), QSize(104, 400));
    EXPECT_EQ(ListPrint.HeadEmblemPicture.size(), QSize(150, 200));
    const struct {
        const Image &box;
        const QImage &full;
    } shown[] = {{f.Image1, ListPrint.HeadStripPicture}, {f.Image2, ListPrint.HeadEmblemPicture}};
    for (const auto &s : shown) {
        const QSize size = s.box.widget()->size();
        ASSERT_EQ(s.box.Picture().size(), size) << s.box.Name().toStdString();
        EXPECT_TRUE(s.box.Picture().convertToFormat(QImage::Format_ARGB32)
                    == s.full.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_ARGB32))
            << s.box.Name().toStdString();
    }

    EXPECT_FALSE(isLoaded<Form13>());
    EXPECT_FALSE(hourglass());
    EXPECT_EQ(f.List2.ListCount(), 0);   // no classified entry
}

// Opening ranks the race; without a ranking window open none is built, so
// none is closed and no position of it is stored (a write and a sync of the
// positions file on every opening).
TEST_F(Form8Test, Load_WithoutARankingWindowStoresNoPositionOfOne)
{
    open();
    EXPECT_FALSE(isLoaded<Form13>());
    EXPECT_FALSE(App.WindowLeftSet[13]);
}

TEST_F(Form8Test, Activate_AsksNoPrintServer)
{
    // A print server that does not answer: showing the window and bringing
    // it back to the front asks it nothing (the current printer's name is
    // known), so neither waits on it.
    SilentPrintServer silent;
    ASSERT_TRUE(silent.ok());
    printserver::setServer(silent.address());
    ASSERT_TRUE(selectPrinter(pdfPrinterName()));
    Form8 &f = open();
    f.Form_Activate();
    EXPECT_EQ(f.Label3.Caption(), pdfPrinterName());
    EXPECT_TRUE(f.Command6.Enabled());
    EXPECT_EQ(silent.connections(), 0);
    printserver::setServer(QString());
}

TEST_F(Form8Test, Label3_ShowsTheDefaultPrinterAtOnceAndFollowsTheServersAnswer)
{
    // The machine's default printer not known yet when the window opens:
    // it shows the PDF printer at once, while the server is asked.
    SilentPrintServer silent;
    ASSERT_TRUE(silent.ok());
    printserver::setServer(silent.address());
    printserver::setAnswerTimeoutMs(120000);   // unanswered while the test looks
    resetPrinter();
    {
        Form8 &f = open();
        EXPECT_EQ(f.Label3.Caption(), pdfPrinterName());
        EXPECT_TRUE(printerNamesPending());
        f.Command1.click();
        destroyUnloadedWindows();
    }
    printserver::setAnswerTimeoutMs(0);

    // The server's answer names its default after the window opened: the
    // window shows it, and it is the printer.
    PrivateServer server;
    const QString why = server.start();
    if (!why.isEmpty())
        GTEST_SKIP() << "no print server of the test's own: " << why.toStdString();
    ASSERT_TRUE(server.addQueue(QStringLiteral("Halle")));
    ASSERT_TRUE(server.admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Halle")}));
    resetPrinter();
    Form8 &f = open();
    EXPECT_TRUE(waitUntil([] { return !printerNamesPending(); }, 15000));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("Halle"));
    EXPECT_EQ(printer().DeviceName(), QStringLiteral("Halle"));
    resetPrinter();
}

TEST_F(Form8Test, List2_HoldsTheClassifiedFinishersInRankingOrder)
{
    // Twelve in one class, the slowest in slot 305; the disqualified, the
    // one without a time and the one without a name are not classified.
    for (int i = 0; i < 12; ++i)
        add({QStringLiteral("Läufer %1").arg(i + 1), 40.0 + i, 294 + i, 1, 0});
    add({QStringLiteral("Disqualifiziert"), 20.0, 320, 1, 0, 0, 3});
    add({QStringLiteral("Ohne Zeit"), 0, 321, 1, 0});
    add({QString(), 21.0, 322, 1, 0});
    // Another class: two equal times, a name longer than 25 characters and
    // a designation longer than 20.
    add({QStringLiteral("Bernadette Maria Oberhollenzer"), 55.5, 7, 2, 8});
    add({QStringLiteral("Anna"), 55.5, 9, 2, 8});

    Form8 &f = open();
    const QString longDesignation = QStringLiteral("Schüler weiblich, se");
    const QString kinder = padded(QStringLiteral("Kinder weiblich"), 20);
    QStringList expected;
    for (int i = 0; i < 12; ++i) {
        const QString rank = i + 1 < 10 ? QStringLiteral("   %1").arg(i + 1)
                                        : QStringLiteral("  %1").arg(i + 1);
        expected << rank + ". " + padded(QStringLiteral("Läufer %1").arg(i + 1), 25) + " " + kinder
                + blanks(12) + " " + QString::number(294 + i);
    }
    expected << "   1. " + padded(QStringLiteral("Anna"), 25) + " " + longDesignation + blanks(12)
            + " 9";
    expected << "   1. Bernadette Maria Oberholl " + longDesignation + blanks(12) + " 7";
    EXPECT_EQ(lines(f.List2), expected);

    // The line of rank 12, slot 305, spelled out.
    EXPECT_EQ(f.List2.List(11), QStringLiteral("  12. ") + padded(QStringLiteral("Läufer 12"), 25)
                                    + QStringLiteral(" ") + kinder + blanks(12)
                                    + QStringLiteral(" 305"));
    EXPECT_EQ(f.List2.List(11).size(), 4 + 2 + 25 + 1 + 20 + 12 + 4);
}

TEST_F(Form8Test, FinisherLine_RankAndSlotAtTheirWidths)
{
    struct Case {
        int rank, slot;
        QString begins, ends;
    };
    const Case cases[] = {
        {1, 1, "   1. ", blanks(12) + " 1"},
        {12, 305, "  12. ", blanks(12) + " 305"},
        {1000, 1000, "1000. ", blanks(12) + " 1000"},
    };
    for (const Case &c : cases) {
        const QString line = FinisherLine(c.rank, c.slot, QStringLiteral("Maier Eva"),
                                          QStringLiteral("Damen"));
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(line.startsWith(c.begins));
        EXPECT_TRUE(line.endsWith(c.ends));
        EXPECT_EQ(line.mid(6, 26), padded(QStringLiteral("Maier Eva"), 25) + " ");
        EXPECT_EQ(line.mid(32, 20), padded(QStringLiteral("Damen"), 20));
        // The certificates read the slot back from the last four characters.
        EXPECT_EQ(trimBlanks(rightChars(line, 4)).toInt(), c.slot);
    }
}

TEST_F(Form8Test, Activate_SelectsTheStoredSettingsAndLeavesOutOfRangeOnes)
{
    Rec.CertificatePictogram = 5;
    Rec.BestTimeTitle = 2;
    Rec.BestTimeFromClass = 3;
    Form8 &f = open();
    EXPECT_EQ(f.Combo1.Text(), QStringLiteral("Läufer"));
    EXPECT_EQ(f.Combo2.Text(), QStringLiteral("Tagesbestzeit"));
    EXPECT_EQ(f.Combo4.ListIndex(), 3);
    f.Command1.click();
    destroyUnloadedWindows();

    Rec.CertificatePictogram = 9;
    Rec.BestTimeTitle = -1;
    Rec.BestTimeFromClass = 25;
    Form8 &g = open();
    EXPECT_EQ(g.Combo1.Text(), QStringLiteral("Schifahrer"));
    EXPECT_EQ(g.Combo2.Text(), QStringLiteral("kein Text"));
    EXPECT_EQ(g.Combo4.ListIndex(), -1);
    // Passing through the combos without choosing changes what is stored
    // only where a line is chosen: leaving Combo4 with none keeps 25.
    g.Combo4.SetFocus();
    g.Combo1.SetFocus();
    EXPECT_EQ(Rec.BestTimeFromClass, 25);
    EXPECT_EQ(Rec.CertificatePictogram, 9);
    g.Combo2.SetFocus();
    EXPECT_EQ(Rec.CertificatePictogram, 0);
}

TEST_F(Form8Test, Settings_ReachRennenRecOnClosing)
{
    Form8 &f = open();
    f.Combo1.SetFocus();
    f.Combo1.setListIndex(7);
    f.Combo2.SetFocus();
    f.Combo2.setListIndex(4);
    f.Combo4.SetFocus();
    f.Combo4.setListIndex(17);
    f.List2.SetFocus();
    EXPECT_EQ(Rec.CertificatePictogram, 7);
    EXPECT_EQ(Rec.BestTimeTitle, 4);
    EXPECT_EQ(Rec.BestTimeFromClass, 17);
    // Not written before the window closes.
    EXPECT_EQ(int16At(raceRecord(1), 333), 0);

    Rec.RaceRecordNo = 7;   // whatever was read last: the race shown is written
    f.Command1.click();
    destroyUnloadedWindows();
    const QByteArray r = raceRecord(1);
    EXPECT_EQ(int16At(r, 333), 7);
    EXPECT_EQ(int16At(r, 335), 4);
    EXPECT_EQ(int(quint8(r.at(363))), 17);
    EXPECT_EQ(r.left(20), QByteArray("Vereinsmeisterschaft"));
    EXPECT_EQ(Rec.RaceRecordNo, 1);

    // Read back and shown again.
    ClearRaceHeader();
    Rec.RaceRecordNo = 1;
    ReadRaceHeader();
    Form8 &g = open();
    EXPECT_EQ(g.Combo1.Text(), QStringLiteral("Radfahrer"));
    EXPECT_EQ(g.Combo2.Text(), QStringLiteral("Vereinsmeister/in"));
    EXPECT_EQ(g.Combo4.ListIndex(), 17);
}

TEST_F(Form8Test, Closing_WithTheFocusStillInACombo_StoresItsChoice)
{
    Form8 &f = open();
    f.Combo2.SetFocus();
    f.Combo2.setListIndex(1);
    f.Unload();
    destroyUnloadedWindows();
    EXPECT_EQ(int16At(raceRecord(1), 335), 1);
}

TEST_F(Form8Test, Closing_ARaceThatDoesNotExist_WritesNothing)
{
    Form8 &f = open();
    const QByteArray before = readBytes(QStringLiteral("Rennen.rec"));
    Race.ActiveRaceNo = 0;
    f.Command1.click();
    destroyUnloadedWindows();
    Form8 &g = open();
    Race.ActiveRaceNo = 2;   // behind the last race
    g.Command1.click();
    destroyUnloadedWindows();
    EXPECT_EQ(readBytes(QStringLiteral("Rennen.rec")), before);
    EXPECT_EQ(Rec.RaceCount, 1);
}

// The club choice lives in the shared state: closing the window, and a reset
// of the shared state (a new test, a new race file set), forget it.
TEST_F(Form8Test, ClubChoice_GoesWithTheWindowAndWithAReset)
{
    add({QStringLiteral("Alpen Eins"), 40, 1, 1, 0, 1});
    add({QStringLiteral("Tal Eins"), 41, 2, 1, 0, 2});
    Form8 &f = form<Form8>();
    ASSERT_TRUE(showAndActivate(f));
    f.Check1.setValue(1);
    f.Combo3.setListIndex(1);
    EXPECT_EQ(Ranking.ClubFilter, 2);
    f.Command1.click();
    EXPECT_EQ(Ranking.ClubFilter, 0);

    Form8 &again = form<Form8>();
    ASSERT_TRUE(showAndActivate(again));
    again.Check1.setValue(1);
    again.Combo3.setListIndex(0);
    ASSERT_EQ(Ranking.ClubFilter, 1);
    resetAllSharedState();
    EXPECT_EQ(Ranking.ClubFilter, 0);
}

TEST_F(Form8Test, ClubFilter_OnlyWhileShownTickedAndAClubChosen)
{
    add({QStringLiteral("Alpen Eins"), 40, 1, 1, 0, 1});
    add({QStringLiteral("Tal Eins"), 41, 2, 1, 0, 2});
    add({QStringLiteral("Tal Zwei"), 42, 3, 1, 0, 2});
    add({QStringLiteral("Ohne Verein"), 39, 4, 1, 0, 0});

    EXPECT_EQ(printWindowClubFilter(), 0);
    EXPECT_FALSE(isLoaded<Form8>());   // asking loads nothing

    Form8 &f = form<Form8>();
    EXPECT_EQ(Ranking.ClubFilter, 0);
    EXPECT_EQ(f.List2.ListCount(), 4);   // the final ranking: the whole race
    f.Check1.setValue(1);
    f.Combo3.setListIndex(1);
    EXPECT_EQ(printWindowClubFilter(), 0);   // not shown

    ASSERT_TRUE(showAndActivate(f));
    EXPECT_TRUE(f.Combo3.Visible());
    EXPECT_EQ(printWindowClubFilter(), 2);
    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.RankedCount, 2);
    EXPECT_EQ(Ranking.RankOrder[1], 2);
    EXPECT_EQ(Ranking.SlotRank[2], 1);
    EXPECT_EQ(Ranking.SlotRank[3], 2);
    EXPECT_EQ(f.List2.ListCount(), 4);   // the finisher list is not rebuilt

    // Ticked with no club chosen: the whole race.
    f.Combo3.setListIndex(-1);
    EXPECT_EQ(printWindowClubFilter(), 0);
    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.RankedCount, 4);

    // Cleared: the whole race, the club kept for the next tick.
    f.Combo3.setListIndex(0);
    f.Check1.setValue(0);
    EXPECT_FALSE(f.Combo3.Visible());
    EXPECT_EQ(printWindowClubFilter(), 0);
    f.Check1.setValue(1);
    EXPECT_TRUE(f.Combo3.Visible());
    EXPECT_EQ(printWindowClubFilter(), 1);

    f.Hide();
    EXPECT_EQ(printWindowClubFilter(), 0);
}

TEST_F(Form8Test, Check2_ShowsAndHidesTheCertificateTexts)
{
    Form8 &f = open();
    f.Check2.setValue(1);
    EXPECT_TRUE(f.Text1.Visible());
    EXPECT_TRUE(f.Text2.Visible());
    EXPECT_TRUE(f.Text3.Visible());
    f.Check2.setValue(0);
    EXPECT_FALSE(f.Text1.Visible());
    EXPECT_FALSE(f.Text3.Visible());
}

TEST_F(Form8Test, Buttons_ResultListPrintsAndPrinterChoiceOpensOverTheWindow)
{
    add({QStringLiteral("Maier Eva"), 40, 1});
    Form8 &f = open();
    RecordingPrinter &rec = useRecordingPrinter();
    rec.clear();

    // Certificates want marked finishers: none marked, nothing printed.
    f.Command5.click();
    EXPECT_EQ(rec.jobCount(), 0);
    EXPECT_TRUE(f.Visible());

    f.Command3.click();
    EXPECT_EQ(rec.jobCount(), 1);
    EXPECT_NE(rec.findText(QStringLiteral("Ergebnisliste")), nullptr);
    EXPECT_FALSE(hourglass());
    EXPECT_TRUE(f.Visible());

    f.Command6.click();
    ASSERT_TRUE(isLoaded<Form28>());
    EXPECT_TRUE(form<Form28>().Visible());
    EXPECT_TRUE(f.Visible());
}

// The window shows small copies of the list heads' pictures; the lists with
// pictures in their heads print the full ones, at their places.
TEST_F(Form8Test, Buttons_ListsWithHeadPicturesPrintTheFullOnes)
{
    add({QStringLiteral("Maier Eva"), 40, 1});
    Form8 &f = open();
    RecordingPrinter &rec = useRecordingPrinter();
    for (CommandButton Form8::*button : {&Form8::Command3, &Form8::Command4, &Form8::Command9}) {
        rec.clear();
        (f.*button).click();
        const std::vector<PrintOp> pictures = rec.ofKind(PrintOp::Kind::Picture);
        ASSERT_EQ(pictures.size(), 2u) << (f.*button).Name().toStdString();
        EXPECT_EQ(pictures[0].pictureSize, QSize(104, 400));
        EXPECT_DOUBLE_EQ(pictures[0].x, 191);
        EXPECT_DOUBLE_EQ(pictures[0].y, 11);
        EXPECT_EQ(pictures[1].pictureSize, QSize(150, 200));
        EXPECT_DOUBLE_EQ(pictures[1].x, 4);
        EXPECT_DOUBLE_EQ(pictures[1].y, 10);
    }
}

TEST_F(Form8Test, Buttons_EachPrintoutNamesItsJobAfterItselfAndTheRace)
{
    add({QStringLiteral("Maier Eva"), 40, 1});
    add({.name = QStringLiteral("Huber Max"), .time = 50, .slot = 2, .status1 = 3});
    Form8 &f = open();
    RecordingPrinter &rec = useRecordingPrinter();
    rec.clear();
    ASSERT_GE(f.List2.ListCount(), 1);
    f.List2.setSelected(0, true);

    const struct {
        CommandButton Form8::*button;
        const char16_t *printout;
    } cases[] = {
        {&Form8::Command3, u"Ergebnisliste"},
        {&Form8::Command5, u"Urkunde"},
        {&Form8::Command2, u"Startliste 2.Durchgang"},
        {&Form8::Command4, u"Teilnehmerliste"},
        {&Form8::Command9, u"Alphabetische Teilnehmerliste"},
        {&Form8::Command7, u"Nicht in der Wertung"},
        {&Form8::Command8, u"Titelblatt"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.printout).toStdString());
        const std::size_t before = rec.jobTitles.size();
        (f.*c.button).click();
        ASSERT_EQ(rec.jobTitles.size(), before + 1);
        EXPECT_EQ(rec.jobTitles.back().text(),
                  QString::fromUtf16(c.printout) + QStringLiteral(" - Vereinsmeisterschaft"));
    }
}

TEST_F(Form8Test, Buttons_CoverSheetPrintsAndWerbungOpensTheBannerWindow)
{
    add({QStringLiteral("Maier Eva"), 40, 1});
    Form8 &f = open();
    RecordingPrinter &rec = useRecordingPrinter();
    rec.clear();

    f.Command8.click();
    EXPECT_EQ(rec.jobCount(), 1);
    EXPECT_EQ(rec.pageCount(), 1);
    EXPECT_NE(rec.findText(QStringLiteral("Offizielle")), nullptr);
    EXPECT_FALSE(hourglass());
    EXPECT_TRUE(f.Visible());
    // The banner rows were reached: the banner window is loaded, not shown.
    ASSERT_TRUE(isLoaded<Form21>());
    EXPECT_FALSE(form<Form21>().Visible());

    f.Command10.click();
    EXPECT_TRUE(form<Form21>().Visible());
    EXPECT_TRUE(f.Visible());

    // Back in the print window, the banner window closes (and so has stored
    // its banners for the next cover sheet).
    ASSERT_TRUE(activateByUser(f));
    EXPECT_TRUE(waitUntil([] { return !isLoaded<Form21>(); }));
}

TEST_F(Form8Test, RaceWindowLauncher_AssignsClassesOpensAndComesBack)
{
    // A saved race whose entry's stored class is out of date: the launcher
    // assigns the classes before the window ranks.
    Race.ClassNames = {};
    Race.ClassNames[1] = QStringLiteral("Kinder");
    Race.ClassYears[1] = {2012, 2026};
    Race.ClassNames[2] = QStringLiteral("Schüler");
    Race.ClassYears[2] = {1900, 2011};
    const int slot = add({QStringLiteral("Maier Eva"), 40, 1, 0, 8});
    Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
    ReadAthleteRecord();
    Rec.AthleteBirthDate = dates::oleFromDate(QDate(2016, 5, 1));
    WriteAthleteRecord();
    Race.SlotClass[slot] = 2;
    SaveRaceFiles();
    WriteSettingsFile();

    InstallRaceWindows();
    InstallListWindows();

    Form4 &race = form<Form4>();
    ASSERT_TRUE(showAndActivate(race));
    race.Text1.setText(QStringLiteral("1"));
    race.Command8.click();
    EXPECT_FALSE(race.Visible());
    ASSERT_TRUE(isLoaded<Form8>());
    Form8 &f = form<Form8>();
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(isLoaded<Form1>() && form<Form1>().Visible());
    EXPECT_EQ(Race.SlotClass[1], 1);
    ASSERT_EQ(f.List2.ListCount(), 1);
    EXPECT_EQ(f.List2.List(0).mid(32, 20), padded(QStringLiteral("Kinder weiblich"), 20));

    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form8>());
    EXPECT_TRUE(race.Visible());
}

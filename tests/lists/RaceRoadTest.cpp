// One race from the first start to the printed result list, through the
// windows as a new user goes: clubs and athletes, a named race, its entry
// list, criteria and class order, the start-number draw, two runs keyed in by
// keyboard with a disqualification and a non-starter, the print window on
// the recording printer and on the PDF printer. The second walk quits the
// program once the times are in and finds everything after a new start.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <algorithm>
#include <map>

#include "WalkTest.h"
#include "core/Form1.h"
#include "core/Form2.h"
#include "core/Form3.h"
#include "core/Form4.h"
#include "core/Launchers.h"
#include "core/SharedState.h"
#include "lists/Form8.h"
#include "lists/ListWindows.h"
#include "platform/Clock.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"
#include "platform/Strings.h"
#include "race/Form14.h"
#include "race/Form15.h"
#include "race/Form5.h"
#include "race/Form6.h"
#include "race/Form7.h"
#include "race/RaceWindows.h"

namespace {

// Cells of the class grid split by sex (class k, sex s: (k - 1) * 8 + s). On
// 9 December 2026 the standard table holds 2017 in "Kinder U10" (5), 2016 in
// "Kinder U11" (6) and 2000 in "Allg. Kl." (14).
constexpr int U10Women = 32, U10Men = 33, U11Women = 40, U11Men = 41, AllgWomen = 104,
              AllgMen = 105;

// Status lines of the time-entry drop-downs.
constexpr int StatusOk = 0, StatusNotStarted = 1, StatusDisqualified = 3;

struct Athlete {
    const char *name;
    bool female;
    const char *born;
    int club;   // as chosen in the athlete window: 1 SC Alpenrose, 2 WSV Tal
    // What the timekeeper keys in: the seconds as typed ("" for none) and
    // the status chosen for the run.
    const char *run1;
    int status1;
    const char *run2;
    int status2;
    int startNo;   // as the draw below gives it
};

// In the order typed in, so record n is the n-th. HOFER Sara does not start;
// LECHNER Tom has the best sum of the general class but is disqualified in
// the second run, so that a rank counted for him would show.
const Athlete Athletes[] = {
    {"HUBER Anna", true, "01.01.2017", 1, "45.1", StatusOk, "46,2", StatusOk, 1},
    {"MAIER Hans", false, "15.03.2017", 2, "44", StatusOk, "45.5", StatusOk, 2},
    {"BERGER Lisa", true, "20.05.2016", 2, "50,25", StatusOk, "49.75", StatusOk, 3},
    {"MOSER Paul", false, "01.02.2016", 1, "48.3", StatusOk, "47.7", StatusOk, 4},
    {"WALLNER Eva", true, "10.10.2000", 1, "62.41", StatusOk, "61.5", StatusOk, 5},
    {"GRUBER Max", false, "07.07.2000", 2, "60.5", StatusOk, "61.25", StatusOk, 8},
    {"HOFER Sara", true, "03.03.2000", 2, "", StatusNotStarted, "", StatusOk, 6},
    {"LECHNER Tom", false, "04.04.2000", 1, "58", StatusOk, "57.4", StatusDisqualified, 7},
    {"PICHLER Jakob", false, "05.05.2000", 1, "59.9", StatusOk, "62", StatusOk, 9},
};

const Athlete &athleteNamed(const QString &name)
{
    for (const Athlete &a : Athletes)
        if (QString::fromUtf8(a.name) == name)
            return a;
    ADD_FAILURE() << "no athlete " << name.toStdString();
    return Athletes[0];
}

// The slots the entry list gives, in the order they are added below.
const char *const SlotOrder[] = {"MAIER Hans",  "MOSER Paul", "HUBER Anna",
                                 "BERGER Lisa", "WALLNER Eva", "GRUBER Max",
                                 "HOFER Sara",  "LECHNER Tom", "PICHLER Jakob"};

// The printed result list below the column heads, one line per printed row:
// its texts from left to right, blanks trimmed, joined by " | ". Bands show
// their class designation alone; ranks go by class, and no one who did not
// start or was disqualified is ranked or printed.
const QStringList ResultRows = {
    "Kinder U10 weiblich",
    "1. | 1 | HUBER Anna | SC Alpenrose | 2017 | 45,10 | 46,20 | 1:31,30",
    "Kinder U10 männlich",
    "1. | 2 | MAIER Hans | WSV Tal | 2017 | 44,00 | 45,50 | 1:29,50",
    "Kinder U11 weiblich",
    "1. | 3 | BERGER Lisa | WSV Tal | 2016 | 50,25 | 49,75 | 1:40,00",
    "Kinder U11 männlich",
    "1. | 4 | MOSER Paul | SC Alpenrose | 2016 | 48,30 | 47,70 | 1:36,00",
    "Allg. Kl. weiblich",
    "1. | 5 | WALLNER Eva | SC Alpenrose | 2000 | 1:02,41 | 1:01,50 | 2:03,91",
    "Allg. Kl. männlich",
    "1. | 8 | GRUBER Max | WSV Tal | 2000 | 1:00,50 | 1:01,25 | 2:01,75",
    "2. | 9 | PICHLER Jakob | SC Alpenrose | 2000 | 59,90 | 1:02,00 | 2:01,90",
};

class RaceRoadTest : public WalkTest {
protected:
    RaceRoadTest() : WalkTest({InstallRaceWindows, InstallListWindows}) {}

    void TearDown() override
    {
        WalkTest::TearDown();
        resetPrinter();
    }

    void createClubsAndAthletes(Form1 &main)
    {
        std::vector<TypedAthlete> typed;
        for (const Athlete &a : Athletes)
            typed.push_back({a.name, a.female, a.born, a.club});
        WalkTest::createClubsAndAthletes(main, typed);
    }

    void enterAthletes(Form4 &races)
    {
        clickWithMouse(races.Command4);   // "Teilnehmerliste erstellen"
        Form5 &f = form<Form5>();
        ASSERT_TRUE(showAndActivate(f));
        ASSERT_EQ(f.List1.ListCount(), int(std::size(Athletes)));
        // The two beginning with M through the filter, the rest from all.
        typeInto(f.Text1, QStringLiteral("m"));
        pressKey(f.Text1, Qt::Key_Return);
        ASSERT_EQ(f.List1.ListCount(), 2);
        for (const char *name : {"MAIER Hans", "MOSER Paul"})
            ASSERT_NO_FATAL_FAILURE(addFromOverview(f, QString::fromUtf8(name)));
        clickWithMouse(f.Command4);   // "alle zeigen"
        for (const char *name : SlotOrder) {
            if (lineBeginningWith(f.List2, QString::fromUtf8(name)) < 0) {
                ASSERT_NO_FATAL_FAILURE(addFromOverview(f, QString::fromUtf8(name)));
            }
        }
        ASSERT_NO_FATAL_FAILURE(checkEntryList(f));
        clickWithMouse(f.Command1);   // "fertig"
    }

    // The entry list holds everyone once, in the slot given when added.
    static void checkEntryList(Form5 &f)
    {
        ASSERT_EQ(f.List2.ListCount(), int(std::size(Athletes)));
        for (int slot = 1; slot <= int(std::size(SlotOrder)); ++slot) {
            const QString name = QString::fromUtf8(SlotOrder[slot - 1]);
            const int row = lineBeginningWith(f.List2, name + "   ");
            ASSERT_GE(row, 0) << name.toStdString();
            EXPECT_TRUE(f.List2.List(row).endsWith(
                QStringLiteral("%1").arg(slot, 4, 10, QLatin1Char('0'))
                + QStringLiteral("%1").arg(recordOf(name), 6, 10, QLatin1Char('0'))))
                << f.List2.List(row).toStdString();
        }
    }

    static int recordOf(const QString &name)
    {
        for (int i = 0; i < int(std::size(Athletes)); ++i)
            if (QString::fromUtf8(Athletes[i].name) == name)
                return i + 1;
        return 0;
    }

    static int slotOf(const QString &name)
    {
        for (int i = 0; i < int(std::size(SlotOrder)); ++i)
            if (QString::fromUtf8(SlotOrder[i]) == name)
                return i + 1;
        return 0;
    }

    void setCriteria(Form4 &races)
    {
        clickWithMouse(races.Command14);   // "Auswertungskriterien"
        Form14 &f = form<Form14>();
        ASSERT_TRUE(showAndActivate(f));
        // A new race comes by classes and by time already.
        EXPECT_EQ(f.Check1.Value(), 1);   // "Klassen"
        EXPECT_EQ(f.Check6.Value(), 1);   // "Zeit"
        clickWithMouse(f.Check3);   // "m/w"
        clickWithMouse(f.Check7);   // "zwei Durchgänge"
        EXPECT_EQ(f.Check2.Value(), 0);
        EXPECT_EQ(f.Check5.Value(), 0);
        clickWithMouse(f.Command1);
    }

    void numberClassCells(Form4 &races)
    {
        clickWithMouse(races.Command15);   // "Klassen-Start-Reihenfolge"
        Form15 &f = form<Form15>();
        ASSERT_TRUE(showAndActivate(f));
        // The order the race came with (class by class) cleared first.
        EXPECT_EQ(f.Label3(U10Women).Caption(), QStringLiteral("9"));
        clickWithMouse(f.Command4);   // "alles auf 0 setzen"
        clickWithMouse(f.Command5);   // "JA"
        int expected = 1;
        for (const int cell : {U10Women, U10Men, U11Women, U11Men, AllgWomen, AllgMen}) {
            clickWithMouse(f.Label3(cell));
            EXPECT_EQ(f.Label3(cell).Caption(), QString::number(expected)) << cell;
            ++expected;
        }
        clickWithMouse(f.Command1);
    }

    // The draw, one random number per entry in slot order; in a block the
    // lower number starts first.
    void drawStartNumbers(Form4 &races)
    {
        clickWithMouse(races.Command5);   // "Startnummern"
        Form6 &f = form<Form6>();
        ASSERT_TRUE(showAndActivate(f));
        clickWithMouse(f.Command2);   // "automatische Nummernvergabe"
        ASSERT_TRUE(f.Text2.Visible());
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("0"));   // no reserve between blocks
        //               MAIER MOSER HUBER BERGER WALLNER GRUBER HOFER LECHNER PICHLER
        rnd::queueValues({0.5, 0.5, 0.5, 0.5, 0.2, 0.5, 0.7, 0.1, 0.9});
        clickWithMouse(f.Command3);   // "LOS !"
        checkStartNumbers(f);
        clickWithMouse(f.Command1);   // "fertig"
    }

    static void checkStartNumbers(Form6 &f)
    {
        std::vector<const Athlete *> byNumber;
        for (const Athlete &a : Athletes)
            byNumber.push_back(&a);
        std::sort(byNumber.begin(), byNumber.end(),
                  [](const Athlete *a, const Athlete *b) { return a->startNo < b->startNo; });
        QStringList expected;
        for (const Athlete *a : byNumber) {
            const QString name = QString::fromUtf8(a->name);
            expected << QStringLiteral("%1  %2          %3")
                            .arg(a->startNo, 5)
                            .arg(name)
                            .arg(slotOf(name));
        }
        EXPECT_EQ(lines(f.List1), expected);
    }

    // Walks the list of the time-entry window from the top with the down
    // key; every athlete's line gets the time of the run, typed into the box
    // the cursor lands in, and the status where one is to be chosen. A class
    // heading between the lines takes no time: the cursor stays in the list.
    // Gives the athletes keyed in, in list order.
    QStringList keyInRun(Form7 &f, int run)
    {
        TextBox &box = run == 1 ? f.Text1 : f.Text6;
        ComboBox &status = run == 1 ? f.Combo2 : f.Combo1;
        QStringList keyed;
        f.List2.SetFocus();
        EXPECT_TRUE(f.List2.hasFocus());
        for (int line = 0; line < f.List2.ListCount(); ++line) {
            QTest::keyClick(f.List2.widget(), Qt::Key_Down);
            EXPECT_EQ(f.List2.ListIndex(), line);
            if (!box.hasFocus()) {
                EXPECT_TRUE(f.List2.List(line).startsWith(QStringLiteral("-----")))
                    << f.List2.List(line).toStdString();
                continue;
            }
            const Athlete &a = athleteNamed(f.Label2.Caption());
            keyed << f.Label2.Caption();
            QTest::keyClicks(QApplication::focusWidget(),
                             QString::fromUtf8(run == 1 ? a.run1 : a.run2));
            const int chosen = run == 1 ? a.status1 : a.status2;
            if (chosen != StatusOk) {
                status.SetFocus();
                status.setListIndex(chosen);
                f.List2.SetFocus();   // leaving the drop-down takes the status
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            EXPECT_TRUE(f.List2.hasFocus()) << a.name;
        }
        return keyed;
    }

    void keyInTimes(Form4 &races)
    {
        clickWithMouse(races.Command6);   // "Zeitnehmung und Punktevergabe"
        ASSERT_TRUE(isLoaded<Form7>());
        Form7 &f = form<Form7>();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
        ASSERT_TRUE(f.Text6.Visible());   // two runs
        ASSERT_TRUE(f.Option5.Visible());
        ASSERT_EQ(f.List2.ListCount(), int(std::size(Athletes)));

        const QStringList run1 = keyInRun(f, 1);
        EXPECT_EQ(run1.size(), int(std::size(Athletes))) << run1.join(u',').toStdString();
        clickWithMouse(f.Option5);   // "2. Durchgang"
        const QStringList run2 = keyInRun(f, 2);
        // The second run starts class by class in the start order, the first
        // fifteen of a class in reverse order of the first run (here all:
        // the slowest first); who did not start the first run has no line.
        EXPECT_EQ(lines(f.List2),
                  (QStringList{"----- Kinder U10 weiblich -----------------------------------",
                               "0001  HUBER Anna           3",
                               "----- Kinder U10 männlich -----------------------------------",
                               "0002  MAIER Hans           1",
                               "----- Kinder U11 weiblich -----------------------------------",
                               "0003  BERGER Lisa           4",
                               "----- Kinder U11 männlich -----------------------------------",
                               "0004  MOSER Paul           2",
                               "----- Allg. Kl. weiblich -----------------------------------",
                               "0005  WALLNER Eva           5",
                               "----- Allg. Kl. männlich -----------------------------------",
                               "0008  GRUBER Max           6",
                               "0009  PICHLER Jakob           9",
                               "0007  LECHNER Tom           8"}));
        EXPECT_EQ(run2.size(), int(std::size(Athletes)) - 1) << run2.join(u',').toStdString();
        ASSERT_NO_FATAL_FAILURE(checkTimeEntryWindow(f));
        clickWithMouse(f.Command3);   // "exit"
    }

    // Every entry shows the times and statuses keyed in for it.
    void checkTimeEntryWindow(Form7 &f)
    {
        f.Option1.setValue(true);   // by start number: everyone
        ASSERT_EQ(f.List2.ListCount(), int(std::size(Athletes)));
        for (int line = 0; line < f.List2.ListCount(); ++line) {
            clickLine(f.List2, line);
            const Athlete &a = athleteNamed(f.Label2.Caption());
            SCOPED_TRACE(a.name);
            EXPECT_EQ(f.Label5.Caption(), QString::number(a.startNo));
            // The cursor is in the box of run 1, emptied where it shows 0.
            EXPECT_EQ(f.Text1.Text(), *a.run1 ? typedAsStored(a.run1) : QString());
            EXPECT_EQ(f.Text6.Text(), typedAsStored(a.run2));
            EXPECT_EQ(f.Combo2.ListIndex(), a.status1);
            EXPECT_EQ(f.Combo1.ListIndex(), a.status2);
        }
    }

    // A typed time as the window and the R file give it back: a decimal
    // comma, nothing typed is 0.
    static QString typedAsStored(const char *typed)
    {
        QString t = QString::fromUtf8(typed).replace(u'.', u',');
        return t.isEmpty() ? QStringLiteral("0") : t;
    }

    // The entries' start numbers, times and statuses in the R file.
    void checkRaceFile()
    {
        const QStringList r = fileLines(QStringLiteral("R 1.dat"));
        ASSERT_EQ(r.size(), 23 * int(std::size(SlotOrder)));
        for (int slot = 1; slot <= int(std::size(SlotOrder)); ++slot) {
            const QString name = QString::fromUtf8(SlotOrder[slot - 1]);
            SCOPED_TRACE(name.toStdString());
            const Athlete &a = athleteNamed(name);
            const QStringList block = r.mid((slot - 1) * 23, 23);
            EXPECT_EQ(block[0], QStringLiteral(" %1 ").arg(recordOf(name)));
            EXPECT_EQ(block[1], QStringLiteral(" %1 ").arg(a.startNo));
            EXPECT_EQ(block[7], typedAsStored(a.run1));
            EXPECT_EQ(block[9], QStringLiteral(" %1 ").arg(a.status1));
            EXPECT_EQ(block[12], typedAsStored(a.run2));
            EXPECT_EQ(block[13], QStringLiteral(" %1 ").arg(a.status2));
        }
    }

    Form8 &openPrintWindow(Form4 &races)
    {
        clickWithMouse(races.Command8);   // "Listen und Urkunden - Einzelwertung"
        EXPECT_TRUE(isLoaded<Form8>());
        Form8 &f = form<Form8>();
        EXPECT_TRUE(showAndActivate(f));
        EXPECT_EQ(f.Command3.Caption(), QStringLiteral("Ergebnisliste drucken"));
        return f;
    }

    // The printed rows below the column heads of page 1, as ResultRows has them.
    static QStringList printedRows(const RecordingPrinter &rec)
    {
        std::map<long, std::vector<PrintOp>> rows;
        for (const PrintOp &op : rec.textsOnPage(1))
            if (op.y > 38 + 1e-6 && !trimBlanks(op.text).isEmpty())
                rows[std::lround(op.y * 100)].push_back(op);
        QStringList out;
        for (auto &[y, ops] : rows) {
            std::stable_sort(ops.begin(), ops.end(),
                             [](const PrintOp &a, const PrintOp &b) { return a.x < b.x; });
            QStringList cells;
            for (const PrintOp &op : ops)
                cells << trimBlanks(op.text);
            out << cells.join(QStringLiteral(" | "));
        }
        return out;
    }

    void checkResultList(const RecordingPrinter &rec)
    {
        ASSERT_EQ(rec.jobCount(), 1);
        EXPECT_EQ(rec.pageCount(), 1);
        ASSERT_NE(rec.findText(QStringLiteral("Vereinsmeisterschaft")), nullptr);
        EXPECT_NE(rec.findText(QStringLiteral("Ergebnisliste")), nullptr);
        for (const char *head : {"Rang", "Zeit", "Zeit2", "Summe"})
            EXPECT_NE(rec.findText(QString::fromUtf8(head)), nullptr) << head;
        EXPECT_EQ(printedRows(rec), ResultRows);
        // A grey band under each class designation.
        EXPECT_EQ(rec.ofKind(PrintOp::Kind::FilledBox).size(), 6u);
        for (const char *absent : {"HOFER Sara", "LECHNER Tom"})
            for (const PrintOp &op : rec.texts())
                EXPECT_FALSE(op.text.contains(QString::fromUtf8(absent))) << absent;
    }

    // "Ergebnisliste drucken" on the recording printer, then on the PDF
    // printer, which leaves one new file in PDF/.
    void printResultList(Form8 &f)
    {
        RecordingPrinter &rec = useRecordingPrinter();
        clickWithMouse(f.Command3);
        ASSERT_NO_FATAL_FAILURE(checkResultList(rec));

        const QDir pdfDir(path(QStringLiteral("PDF")));
        const QStringList before =
            pdfDir.exists() ? pdfDir.entryList({"*.pdf"}, QDir::Files) : QStringList{};
        ASSERT_TRUE(selectPrinter(pdfPrinterName()));
        clickWithMouse(f.Command3);
        QStringList after = QDir(path(QStringLiteral("PDF"))).entryList({"*.pdf"}, QDir::Files);
        for (const QString &old : before)
            after.removeAll(old);
        ASSERT_EQ(after.size(), 1) << "no new PDF file";
        QFile pdf(path(QStringLiteral("PDF/") + after.first()));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF")) << after.first().toStdString();
        EXPECT_GT(bytes.size(), 1000);
    }

    void prepareAndTime(Form1 &main, Form4 *&races)
    {
        ASSERT_NO_FATAL_FAILURE(createClubsAndAthletes(main));
        races = &openRaceWindow(main);
        ASSERT_NO_FATAL_FAILURE(nameRace(*races));
        ASSERT_NO_FATAL_FAILURE(enterAthletes(*races));
        ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
        ASSERT_NO_FATAL_FAILURE(setCriteria(*races));
        ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
        ASSERT_NO_FATAL_FAILURE(numberClassCells(*races));
        ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
        ASSERT_NO_FATAL_FAILURE(drawStartNumbers(*races));
        ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
        ASSERT_NO_FATAL_FAILURE(keyInTimes(*races));
        ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
    }
};

TEST_F(RaceRoadTest, FromTheFirstStartToThePrintedResultList)
{
    Form1 &main = startProgram();
    Form4 *races = nullptr;
    ASSERT_NO_FATAL_FAILURE(prepareAndTime(main, races));
    checkRaceFile();

    Form8 &print = openPrintWindow(*races);
    // The finishers offered for certificates: the ranked ones only.
    EXPECT_EQ(print.List2.ListCount(), 7);
    ASSERT_NO_FATAL_FAILURE(printResultList(print));
    clickWithMouse(print.Command1);   // "fertig"
    ASSERT_NO_FATAL_FAILURE(backInRaceWindow(*races));
}

TEST_F(RaceRoadTest, QuitAfterTheTimes_NewStartFindsEverything)
{
    {
        Form1 &main = startProgram();
        Form4 *races = nullptr;
        ASSERT_NO_FATAL_FAILURE(prepareAndTime(main, races));
    }
    quitProgram();
    ASSERT_NO_FATAL_FAILURE(checkRaceFile());

    Form1 &main = startProgram();
    EXPECT_EQ(main.Label2.Caption(), QString::number(std::size(Athletes)));
    EXPECT_EQ(main.Label3.Caption(), QStringLiteral("2"));
    Form4 &races = openRaceWindow(main);
    clickLine(races.List1, 0);
    ASSERT_EQ(races.Text2.Text(), QStringLiteral("Vereinsmeisterschaft"));

    clickWithMouse(races.Command4);
    {
        Form5 &f = form<Form5>();
        ASSERT_TRUE(showAndActivate(f));
        ASSERT_NO_FATAL_FAILURE(checkEntryList(f));
        clickWithMouse(f.Command1);
    }
    ASSERT_NO_FATAL_FAILURE(backInRaceWindow(races));

    clickWithMouse(races.Command5);
    {
        Form6 &f = form<Form6>();
        ASSERT_TRUE(showAndActivate(f));
        checkStartNumbers(f);
        clickWithMouse(f.Command1);
    }
    ASSERT_NO_FATAL_FAILURE(backInRaceWindow(races));

    clickWithMouse(races.Command6);
    {
        ASSERT_TRUE(isLoaded<Form7>());
        Form7 &f = form<Form7>();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        ASSERT_NO_FATAL_FAILURE(checkTimeEntryWindow(f));
        clickWithMouse(f.Command3);
    }
    ASSERT_NO_FATAL_FAILURE(backInRaceWindow(races));
    // Looking changed nothing on disk.
    checkRaceFile();

    Form8 &print = openPrintWindow(races);
    ASSERT_NO_FATAL_FAILURE(printResultList(print));
}

} // namespace

// A first day with the program, as a new user spends it: two clubs, two
// athletes with their clubs, two races of which the first is deleted again,
// "Exit", and a new start that finds everything where it was left.
#include <QFile>
#include <QLineEdit>
#include <QtEndian>
#include <functional>

#include "GuiTestHelpers.h"
#include "core/Form1.h"
#include "core/Form2.h"
#include "core/Form3.h"
#include "core/Form4.h"
#include "core/Form9.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/Cp1252.h"
#include "platform/Strings.h"

namespace {

// Fixed-length records as the program writes them, built field by field.
class Record {
public:
    explicit Record(int length) : bytes_(length, ' ') {}
    Record &text(int offset, int width, const QString &value)
    {
        bytes_.replace(offset, width, cp1252::encode(fitLeft(value, width)));
        return *this;
    }
    Record &byte(int offset, char value)
    {
        bytes_[offset] = value;
        return *this;
    }
    Record &int16(int offset, qint16 value)
    {
        char le[2];
        qToLittleEndian(value, le);
        bytes_.replace(offset, 2, QByteArray(le, 2));
        return *this;
    }
    Record &dbl(int offset, double value)
    {
        char le[8];
        qToLittleEndian(value, le);
        bytes_.replace(offset, 8, QByteArray(le, 8));
        return *this;
    }
    Record &single(int offset, float value)
    {
        char le[4];
        qToLittleEndian(value, le);
        bytes_.replace(offset, 4, QByteArray(le, 4));
        return *this;
    }
    Record &zeros(int offset, int count)
    {
        bytes_.replace(offset, count, QByteArray(count, '\0'));
        return *this;
    }
    const QByteArray &bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

QByteArray club(const QString &fullName, const QString &shortName, const QString &place)
{
    return Record(ClubRecordLength)
        .text(0, 80, fullName)
        .text(80, 40, shortName)
        .text(124, 80, place)
        .zeros(554, 4)   // the two spare numbers
        .bytes();
}

QByteArray athlete(const QString &name, int club1, int club2, double birthDate, int sex, float points)
{
    return Record(AthleteRecordLength)
        .text(0, 80, name)
        .int16(80, qint16(club1))
        .int16(82, qint16(club2))
        .int16(84, 0)
        .dbl(86, birthDate)
        .int16(94, qint16(sex))
        .single(105, points)
        .bytes();
}

// A race header as a cleared one is written, with a name.
QByteArray race(const QString &name)
{
    return Record(RaceRecordLength)
        .text(0, 80, name)
        .dbl(224, 38553.0)    // 20 July 2005
        .zeros(312, 16)       // the time handicaps
        .zeros(328, 9)        // criteria, certificate pictogram, best-time title
        .zeros(362, 2)        // boarders, best time from class
        // A new race: by classes (328) and by time (331), one run, no splits.
        .byte(328, 1)
        .byte(331, 1)
        .text(364, 5, QStringLiteral("12:00"))
        .text(419, 4, QStringLiteral("0"))
        .bytes();
}

class MasterDataWalkTest : public WindowDataTest {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    }

    // Types into a box the way a user does: click into it, type.
    static void typeInto(TextBox &box, const QString &text)
    {
        clickWithMouse(box);
        ASSERT_TRUE(box.hasFocus()) << box.Name().toStdString();
        typeText(box, text);
    }
};

TEST_F(MasterDataWalkTest, MainWindowButtonsOpenTheirWindowAndClosingItBringsTheMainWindowBack)
{
    struct Case {
        const char *button;
        CommandButton Form1::*control;
        std::function<Form *()> opened;
        std::function<bool()> loaded;
        std::function<void()> exitButton;
    };
    const Case cases[] = {
        {"Läufer", &Form1::Command1, [] { return &form<Form3>(); }, [] { return isLoaded<Form3>(); },
         [] { form<Form3>().Command1.click(); }},
        {"Vereine", &Form1::Command2, [] { return &form<Form2>(); }, [] { return isLoaded<Form2>(); },
         [] { form<Form2>().Command1.click(); }},
        {"Veranstaltungen", &Form1::Command3, [] { return &form<Form4>(); },
         [] { return isLoaded<Form4>(); }, [] { form<Form4>().Command1.click(); }},
    };
    Form1 &main = form<Form1>();
    main.Show();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button);
        EXPECT_EQ((main.*c.control).Caption(), QString::fromUtf8(c.button));
        // Closed by its own button, then by the window's close box.
        for (bool byCloseBox : {false, true}) {
            (main.*c.control).click();
            ASSERT_TRUE(c.loaded());
            EXPECT_TRUE(c.opened()->Visible());
            EXPECT_FALSE(main.Visible());
            EXPECT_TRUE(Channels.AthleteFile.isOpen() && Channels.ClubFile.isOpen()
                        && Channels.RaceFile.isOpen());
            if (byCloseBox)
                c.opened()->close();
            else
                c.exitButton();
            destroyUnloadedWindows();
            EXPECT_FALSE(c.loaded());
            EXPECT_TRUE(main.Visible());
        }
    }
}

TEST_F(MasterDataWalkTest, FirstDay_ClubsAthletesRacesThenExitAndStartAgain)
{
    Form1 &main = form<Form1>();
    main.Show();
    EXPECT_EQ(main.Label2.Caption(), QStringLiteral("0"));
    EXPECT_EQ(main.Label3.Caption(), QStringLiteral("0"));
    EXPECT_EQ(main.Label4.Caption(), QStringLiteral("0"));

    // --- Two clubs --------------------------------------------------------
    main.Command2.click();
    {
        Form2 &clubs = form<Form2>();
        ASSERT_TRUE(showAndActivate(clubs));
        EXPECT_EQ(clubs.Text1.Text(), QStringLiteral("1"));
        typeInto(clubs.Text2, QStringLiteral("Skiclub Alpenrose"));
        pressKey(clubs.Text2, Qt::Key_Tab);
        ASSERT_TRUE(clubs.Text3.hasFocus());
        typeText(clubs.Text3, QStringLiteral("SC Alpenrose"));
        pressKey(clubs.Text3, Qt::Key_Return);   // Enter moves on as Tab does
        ASSERT_TRUE(clubs.Text4.hasFocus());
        typeText(clubs.Text4, QStringLiteral("Oberdorf"));
        clickWithMouse(clubs.Command3);
        EXPECT_EQ(clubs.Text1.Text(), QStringLiteral("2"));
        EXPECT_EQ(clubs.Text2.Text(), QString());
        typeInto(clubs.Text2, QStringLiteral("WSV Tal"));
        typeInto(clubs.Text3, QStringLiteral("WSV Tal"));
        typeInto(clubs.Text4, QStringLiteral("Unterdorf"));
        EXPECT_EQ(lines(clubs.List1), QStringList({"Skiclub Alpenrose     1", "WSV Tal     2"}));
        clickWithMouse(clubs.Command1);
    }
    destroyUnloadedWindows();
    ASSERT_FALSE(isLoaded<Form2>());
    ASSERT_TRUE(main.Visible());
    EXPECT_EQ(main.Label3.Caption(), QStringLiteral("2"));

    // --- Two athletes with their clubs -----------------------------------
    main.Command1.click();
    {
        Form3 &athletes = form<Form3>();
        ASSERT_TRUE(showAndActivate(athletes));
        EXPECT_EQ(athletes.Text1.Text(), QStringLiteral("1"));
        EXPECT_EQ(athletes.Combo1.ListCount(), 3);
        EXPECT_EQ(athletes.Combo1.List(2), QStringLiteral("WSV Tal"));

        typeInto(athletes.Text2, QStringLiteral("HUBER Anna"));
        clickWithMouse(athletes.Option2);
        athletes.Text4.SetFocus();
        athletes.Text4.edit()->selectAll();
        typeText(athletes.Text4, QStringLiteral("05"));
        pressKey(athletes.Text4, Qt::Key_Tab);
        EXPECT_EQ(athletes.Text4.Text(), QStringLiteral("01.01.2005"));
        athletes.Text5.edit()->selectAll();
        typeText(athletes.Text5, QStringLiteral("12,5"));
        athletes.Combo1.SetFocus();
        athletes.Combo1.setListIndex(1);
        clickWithMouse(athletes.Command3);   // "+": a new record behind Anna

        EXPECT_EQ(athletes.Text1.Text(), QStringLiteral("2"));
        EXPECT_EQ(athletes.Text2.Text(), QString());
        typeInto(athletes.Text2, QStringLiteral("MAIER Hans"));
        clickWithMouse(athletes.Option1);
        clickWithMouse(athletes.Text4);
        athletes.Text4.edit()->selectAll();
        typeText(athletes.Text4, QStringLiteral("83"));
        athletes.Combo1.SetFocus();
        EXPECT_EQ(athletes.Text4.Text(), QStringLiteral("01.01.1983"));
        athletes.Combo1.setListIndex(2);
        athletes.Combo2.SetFocus();
        athletes.Combo2.setListIndex(1);
        EXPECT_EQ(lines(athletes.List1),
                  QStringList({"HUBER Anna        1", "MAIER Hans        2"}));
        clickWithMouse(athletes.Command1);
    }
    destroyUnloadedWindows();
    ASSERT_FALSE(isLoaded<Form3>());
    ASSERT_TRUE(main.Visible());
    EXPECT_EQ(main.Label2.Caption(), QStringLiteral("2"));

    // --- Race 1, race 2, race 1 deleted ----------------------------------
    main.Command3.click();
    {
        Form4 &races = form<Form4>();
        ASSERT_TRUE(showAndActivate(races));
        EXPECT_EQ(races.Text1.Text(), QStringLiteral("1"));
        typeInto(races.Text2, QStringLiteral("Vereinsmeisterschaft"));
        EXPECT_FALSE(races.Command4.Enabled());
        clickWithMouse(races.Command7);
        EXPECT_TRUE(races.Command4.Enabled());
        EXPECT_EQ(lines(races.List1), QStringList({" 1    Vereinsmeisterschaft"}));

        clickWithMouse(races.Command3);
        EXPECT_EQ(races.Text1.Text(), QStringLiteral("2"));
        EXPECT_EQ(races.Text2.Text(), QString());
        typeInto(races.Text2, QStringLiteral("Sommerlauf"));
        clickWithMouse(races.Command7);
        ASSERT_EQ(lines(races.List1),
                  QStringList({" 2    Sommerlauf", " 1    Vereinsmeisterschaft"}));

        clickLine(races.List1, 1);
        EXPECT_EQ(races.Text1.Text(), QStringLiteral("1"));
        EXPECT_EQ(races.Text2.Text(), QStringLiteral("Vereinsmeisterschaft"));
        clickWithMouse(races.Command9);
        ASSERT_TRUE(isLoaded<Form9>());
        Form9 &question = form<Form9>();
        ASSERT_TRUE(showAndActivate(question));
        EXPECT_EQ(question.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
        clickWithMouse(question.Command1);
        destroyUnloadedWindows();
        ASSERT_FALSE(isLoaded<Form9>());

        ASSERT_TRUE(showAndActivate(races));
        EXPECT_EQ(lines(races.List1), QStringList({" 2    Sommerlauf"}));
        EXPECT_EQ(races.Text2.Text(), QStringLiteral("leer"));
        clickWithMouse(races.Command1);
    }
    destroyUnloadedWindows();
    ASSERT_FALSE(isLoaded<Form4>());
    ASSERT_TRUE(main.Visible());
    EXPECT_EQ(main.Label4.Caption(), QStringLiteral("2"));

    // --- Exit and a new start --------------------------------------------
    main.Command4.click();
    destroyUnloadedWindows();
    ASSERT_FALSE(isLoaded<Form1>());
    unloadAllForms();
    destroyUnloadedWindows();
    resetAllSharedState();

    // What the files hold, byte for byte.
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 2 ", " 2 ", " 2 ", " 0 "}));
    EXPECT_EQ(readBytes(QStringLiteral("Verein.rec")),
              club(QStringLiteral("Skiclub Alpenrose"), QStringLiteral("SC Alpenrose"),
                   QStringLiteral("Oberdorf"))
                  + club(QStringLiteral("WSV Tal"), QStringLiteral("WSV Tal"),
                         QStringLiteral("Unterdorf")));
    EXPECT_EQ(readBytes(QStringLiteral("Laeufer.rec")),
              athlete(QStringLiteral("HUBER Anna"), 1, 0, 38353.0, 0, 12.5f)      // 1.1.2005
                  + athlete(QStringLiteral("MAIER Hans"), 2, 1, 30317.0, 1, 0.0f));   // 1.1.1983
    EXPECT_EQ(readBytes(QStringLiteral("Rennen.rec")),
              race(QString()) + race(QStringLiteral("Sommerlauf")));
    for (const char *gone : {"R 1.dat", "K 1.lst", "G 1.lst", "M 1.lst", "Z 1.dat"})
        EXPECT_FALSE(QFile::exists(path(QString::fromUtf8(gone)))) << gone;
    EXPECT_EQ(readBytes(QStringLiteral("TopLeft.dat")).count("\r\n"), 120);

    Form1 &again = form<Form1>();
    again.Show();
    EXPECT_EQ(again.Label2.Caption(), QStringLiteral("2"));
    EXPECT_EQ(again.Label3.Caption(), QStringLiteral("2"));
    EXPECT_EQ(again.Label4.Caption(), QStringLiteral("2"));

    again.Command3.click();
    {
        Form4 &races = form<Form4>();
        EXPECT_EQ(lines(races.List1), QStringList({" 2    Sommerlauf"}));
        EXPECT_EQ(races.Text1.Text(), QStringLiteral("2"));
        EXPECT_EQ(races.Text2.Text(), QStringLiteral("Sommerlauf"));
        // Race 1 is still there, blank, and keeps its number.
        races.Text1.setText(QStringLiteral("1"));
        EXPECT_EQ(Rec.RaceRecordNo, 1);
        EXPECT_EQ(races.Text2.Text(), QString());
        races.Command1.click();
    }
    destroyUnloadedWindows();

    again.Command1.click();
    {
        Form3 &athletes = form<Form3>();
        EXPECT_EQ(athletes.Text2.Text(), QStringLiteral("MAIER Hans"));
        EXPECT_EQ(athletes.Combo1.Text(), QStringLiteral("WSV Tal"));
        EXPECT_EQ(athletes.Combo2.Text(), QStringLiteral("SC Alpenrose"));
        EXPECT_TRUE(athletes.Option1.Value());
        athletes.Command2.click();
        EXPECT_EQ(athletes.Text2.Text(), QStringLiteral("HUBER Anna"));
        EXPECT_EQ(athletes.Text4.Text(), QStringLiteral("01.01.2005"));
        EXPECT_EQ(athletes.Text5.Text(), QStringLiteral("12,5"));
        athletes.Command1.click();
    }
    destroyUnloadedWindows();

    again.Command2.click();
    {
        Form2 &clubs = form<Form2>();
        EXPECT_EQ(clubs.Text1.Text(), QStringLiteral("2"));
        EXPECT_EQ(clubs.Text2.Text(), QStringLiteral("WSV Tal"));
        EXPECT_EQ(clubs.Text4.Text(), QStringLiteral("Unterdorf"));
        EXPECT_EQ(lines(clubs.List1), QStringList({"Skiclub Alpenrose     1", "WSV Tal     2"}));
    }
}

} // namespace

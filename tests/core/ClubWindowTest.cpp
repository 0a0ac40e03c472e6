// The club window: every box commits its field of Verein.rec when it loses
// focus, "-" and "+" browse from the club shown, and the sorted list jumps.
#include <QFile>
#include <QLineEdit>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form1.h"
#include "core/Form2.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/Cp1252.h"
#include "platform/Strings.h"

namespace {

const double Red = colourValue(255, 0, 0);

struct ClubBox {
    int box;              // Text2..Text11
    const char *caption;  // of the label beside it
    int offset;           // of its field in the record
    int width;
};

const ClubBox Boxes[] = {
    {2, "Vereinsname - lang", 0, 80},
    {3, "Kurzbezeichnung", 80, 40},
    {4, "Ort", 124, 80},
    {5, "ÖSVNr.", 120, 4},
    {6, "Ansprechpartner", 204, 80},
    {7, "Adresse", 284, 100},
    {8, "Telefon", 384, 30},
    {9, "Handy", 474, 20},
    {10, "Homepage", 494, 60},
    {11, "E-mail", 414, 60},
};

QByteArray padded(const QString &text, int width)
{
    return cp1252::encode(fitLeft(text, width));
}

class ClubWindowTest : public WindowDataTest, protected RaceBuilder {
protected:
    // Clubs 1..n with these long names (short name "K" + number), written
    // through the record routines, then the program state reset as at a
    // fresh start.
    void seedClubs(const QStringList &names)
    {
        ReadSettingsFile();
        OpenClubFile();
        for (int i = 0; i < names.size(); ++i)
            addClubAt(i + 1, QStringLiteral("K%1").arg(i + 1), names[i]);
        resetAllSharedState();
    }

    // The club window as the main window opens it.
    Form2 &openClubs()
    {
        Form1 &main = form<Form1>();
        main.Show();
        main.Command2.click();
        return form<Form2>();
    }

    QByteArray clubRecord(int n) const
    {
        return readBytes(QStringLiteral("Verein.rec")).mid((n - 1) * ClubRecordLength, ClubRecordLength);
    }

    QByteArray clubFile() const { return readBytes(QStringLiteral("Verein.rec")); }

    // Types into a box and leaves it for another, as the user does.
    static void enter(TextBox &box, const QString &text, Control &next)
    {
        box.SetFocus();
        box.setText(text);
        next.SetFocus();
    }
};

TEST_F(ClubWindowTest, Controls_CaptionsAndBoxesAsLaidOut)
{
    Form2 &f = openClubs();
    EXPECT_EQ(f.Caption(), QStringLiteral("Verein"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Index"));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("Liste aller Vereine"));
    EXPECT_EQ(f.Command1.Caption(), QStringLiteral("exit"));
    EXPECT_EQ(f.Command2.Caption(), QStringLiteral("-"));
    EXPECT_EQ(f.Command3.Caption(), QStringLiteral("+"));
    EXPECT_TRUE(f.List1.Sorted());
    EXPECT_EQ(f.List1.FontName(), QStringLiteral("Arial"));
    Label *labels[12] = {nullptr, nullptr, &f.Label2, &f.Label4, &f.Label5, &f.Label6,
                         &f.Label7, &f.Label8, &f.Label9, &f.Label10, &f.Label11, &f.Label12};
    for (const ClubBox &b : Boxes) {
        SCOPED_TRACE(b.caption);
        EXPECT_EQ(labels[b.box]->Caption(), QString::fromUtf8(b.caption));
        EXPECT_EQ(f.FieldBox(b.box).Name(), QStringLiteral("Text%1").arg(b.box));
        EXPECT_EQ(f.FieldBox(b.box).MaxLength(), b.width);
    }
}

TEST_F(ClubWindowTest, EmptyDatabase_FirstClubIsWrittenWhenItsFirstFieldIsLeft)
{
    Form2 &f = openClubs();
    EXPECT_FALSE(form<Form1>().Visible());
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("1"));
    EXPECT_EQ(Rec.ClubCount, 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Zirpa.dat"))));
    EXPECT_TRUE(clubFile().isEmpty());

    enter(f.Text2, QStringLiteral("  Skiclub Alpenrose "), f.Text3);

    EXPECT_EQ(clubFile().size(), ClubRecordLength);
    EXPECT_EQ(clubRecord(1).left(80), padded(QStringLiteral("Skiclub Alpenrose"), 80));
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 0 ", " 1 ", " 0 ", " 0 "}));
    EXPECT_EQ(f.List1.ListCount(), 1);
    EXPECT_EQ(f.List1.List(0), QStringLiteral("Skiclub Alpenrose     1"));
}

TEST_F(ClubWindowTest, EveryBoxStoresItsOwnFieldWhenItLosesFocus)
{
    seedClubs({QStringLiteral("SC Tal")});
    Form2 &f = openClubs();
    for (const ClubBox &b : Boxes) {
        SCOPED_TRACE(b.caption);
        const QByteArray before = clubRecord(1);
        const QString value = QStringLiteral("%1 neu").arg(b.box);
        enter(f.FieldBox(b.box), value, f.Text1);

        const QByteArray after = clubRecord(1);
        EXPECT_EQ(after.mid(b.offset, b.width), padded(value, b.width));
        // Nothing else of the record moved.
        EXPECT_EQ(after.left(b.offset), before.left(b.offset));
        EXPECT_EQ(after.mid(b.offset + b.width), before.mid(b.offset + b.width));
    }
    // The phone number, by name, as the user sees it.
    EXPECT_EQ(trimBlanks(cp1252::decode(clubRecord(1).mid(384, 30))), QStringLiteral("8 neu"));
}

TEST_F(ClubWindowTest, FieldsShowTrimmedAndAreWrittenBackIdenticalWhenLeftUnchanged)
{
    // A record with every field in use, the spare numbers and the reserve
    // text set as another program might have left them.
    QByteArray record(ClubRecordLength, ' ');
    auto put = [&](int offset, const QByteArray &bytes) { record.replace(offset, bytes.size(), bytes); };
    put(0, "WSV Oberdorf");
    put(80, "Oberdorf");
    put(120, "1234");
    put(124, "Oberdorf im Tal");
    put(204, cp1252::encode(u"Jörg Maier"));
    put(284, "Dorfstra\xdf" "e 1");
    put(384, "+43 1 234");
    put(414, "info@wsv.at");
    put(474, "0664 1");
    put(494, "www.wsv.at");
    put(554, QByteArray("\x07\x00\x09\x01", 4));
    put(558, "Reserve");
    writeBytes(QStringLiteral("Verein.rec"), record);
    writeBytes(QStringLiteral("Zirpa.dat"), crlfLines({" 0 ", " 1 ", " 0 ", " 0 "}));

    Form2 &f = openClubs();
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("WSV Oberdorf"));
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("1234"));
    EXPECT_EQ(f.Text6.Text(), QStringLiteral("Jörg Maier"));
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("Dorfstraße 1"));
    EXPECT_EQ(f.Text11.Text(), QStringLiteral("info@wsv.at"));

    // Through every box and out again without a change.
    for (const ClubBox &b : Boxes)
        f.FieldBox(b.box).SetFocus();
    f.Text1.SetFocus();
    EXPECT_EQ(clubFile(), record);
}

TEST_F(ClubWindowTest, BoxesHoldNoMoreThanTheirFieldAndRefuseWhatTheFilesCannotHold)
{
    seedClubs({QStringLiteral("SC Tal")});
    Form2 &f = openClubs();

    // A short name of 45 characters: the box keeps the first 40.
    const QString long45 = QStringLiteral("Skiclub mit einem sehr langen Kurznamen 12345");
    ASSERT_EQ(long45.size(), 45);
    enter(f.Text3, long45, f.Text1);
    EXPECT_EQ(f.Text3.Text(), long45.left(40));
    EXPECT_EQ(clubRecord(1).mid(80, 40), cp1252::encode(long45.left(40)));

    // Typed beyond the width of the federation number: four characters.
    f.Text5.SetFocus();
    typeText(f.Text5, QStringLiteral("123456"));
    f.Text1.SetFocus();
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("1234"));
    EXPECT_EQ(clubRecord(1).mid(120, 4), QByteArray("1234"));

    // Pasted text the code page cannot hold: refused on the spot, red, nothing stored.
    const QByteArray before = clubFile();
    const int beeps = beepCount();
    enter(f.Text4, QStringLiteral("Łódź"), f.Text1);
    EXPECT_EQ(f.Text4.BackColor(), Red);
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_EQ(clubFile(), before);
    // Corrected, it is taken and the box is no longer red.
    enter(f.Text4, QStringLiteral("Lodz"), f.Text1);
    EXPECT_NE(f.Text4.BackColor(), Red);
    EXPECT_EQ(clubRecord(1).mid(124, 80), padded(QStringLiteral("Lodz"), 80));
}

TEST_F(ClubWindowTest, ARefusedLongNameIsNoNameForPlus)
{
    seedClubs({QStringLiteral("SC Tal")});
    Form2 &f = openClubs();
    f.Command3.click();
    ASSERT_EQ(Rec.ClubCount, 2);
    ASSERT_EQ(f.Text2.Text(), QString());

    // Club 2 has no long name on disk, whatever the red box shows.
    enter(f.Text2, QStringLiteral("Ski Łódź"), f.Text1);
    EXPECT_EQ(f.Text2.BackColor(), Red);
    const QByteArray kept = clubFile();
    f.Command3.click();
    EXPECT_EQ(clubFile(), kept);
    EXPECT_EQ(Rec.ClubCount, 2);
    EXPECT_EQ(f.ShownClubNo, 2);
}

TEST_F(ClubWindowTest, MinusAndPlusBrowseAndPlusMakesOneEmptyClubBehindANamedLastOne)
{
    seedClubs({QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei")});
    Form2 &f = openClubs();
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("3"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Drei"));

    f.Command2.click();
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("2"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Zwei"));
    f.Command2.click();
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Eins"));
    const int beeps = beepCount();
    f.Command2.click();
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.ShownClubNo, 1);

    f.Command3.click();
    f.Command3.click();
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Drei"));
    const QByteArray three = clubFile();

    // Behind the named last club: one new, empty club, written at once.
    f.Command3.click();
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("4"));
    EXPECT_EQ(f.Text2.Text(), QString());
    EXPECT_EQ(f.Text3.Text(), QString());
    EXPECT_EQ(Rec.ClubCount, 4);
    EXPECT_EQ(clubFile().left(3 * ClubRecordLength), three);
    EXPECT_EQ(clubRecord(4), QByteArray(ClubRecordLength, ' ').replace(554, 4, QByteArray(4, '\0')));
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 0 ", " 4 ", " 0 ", " 0 "}));

    // Behind the new club, which has no long name yet: nothing.
    f.Command3.click();
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("4"));
    EXPECT_EQ(clubFile().size(), 4 * ClubRecordLength);
    EXPECT_EQ(Rec.ClubCount, 4);

    // Going back from the new club works as from any other.
    f.Command2.click();
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Drei"));
}

TEST_F(ClubWindowTest, MinusAndPlusStepFromTheClubShownNotFromTextTypedWithoutEnter)
{
    seedClubs({QStringLiteral("Eins"), QStringLiteral("Zwei")});
    Form2 &f = openClubs();
    f.Command2.click();
    ASSERT_EQ(f.ShownClubNo, 1);

    // "0" typed but not entered: "-" still beeps at club 1 and writes nothing.
    const QByteArray before = clubFile();
    f.Text1.SetFocus();
    f.Text1.setText(QStringLiteral("0"));
    const int beeps = beepCount();
    f.Command2.click();
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_EQ(clubFile(), before);

    // "-5" typed: "+" goes from club 1 to club 2, and a name typed there
    // lands in club 2.
    f.Text1.SetFocus();
    f.Text1.setText(QStringLiteral("-5"));
    f.Command3.click();
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("2"));
    enter(f.Text2, QStringLiteral("Zwei neu"), f.Text1);
    EXPECT_EQ(clubRecord(2).left(80), padded(QStringLiteral("Zwei neu"), 80));
    EXPECT_EQ(clubRecord(1).left(80), padded(QStringLiteral("Eins"), 80));

    // "99" typed on the last club: "+" makes club 3, never club 100.
    f.Text1.SetFocus();
    f.Text1.setText(QStringLiteral("99"));
    f.Command3.click();
    EXPECT_EQ(Rec.ClubCount, 3);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("3"));
    EXPECT_EQ(clubFile().size(), 3 * ClubRecordLength);
}

TEST_F(ClubWindowTest, EnterInTheNumberBoxGoesToTheClampedClub)
{
    seedClubs({QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei")});
    Form2 &f = openClubs();
    const std::pair<const char *, int> cases[] = {
        {"2", 2}, {"0", 1}, {"-4", 1}, {"9", 3}, {"1.6", 2}, {" 3", 3},
        // Without a number Enter stays at the club shown.
        {"abc", 3}, {"", 3}, {"-", 3},
    };
    for (const auto &[typed, club] : cases) {
        SCOPED_TRACE(typed);
        f.Text1.SetFocus();
        f.Text1.setText(QString::fromUtf8(typed));
        pressKey(f.Text1, Qt::Key_Return);
        EXPECT_EQ(f.ShownClubNo, club);
        EXPECT_EQ(f.Text1.Text(), QString::number(club));
        EXPECT_EQ(f.Text2.Text(), QStringList({"Eins", "Zwei", "Drei"})[club - 1]);
    }
    // "31" typed behind the 3 names no club: it waits for Enter.
    f.Text1.SetFocus();
    typeText(f.Text1, QStringLiteral("1"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("31"));
    EXPECT_EQ(f.ShownClubNo, 3);
    pressKey(f.Text1, Qt::Key_Return);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("3"));
}

TEST_F(ClubWindowTest, NumberTypedKeyByKeyShowsThatClubAndAFieldLeftGoesThere)
{
    QStringList names;
    for (int n = 1; n <= 12; ++n)
        names << QStringLiteral("Verein %1").arg(n);
    seedClubs(names);
    Form2 &f = openClubs();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    const QByteArray before = clubFile();
    QLineEdit *box = focusNumberBox(f);
    ASSERT_NE(box, nullptr);

    const NumberKeyStep steps[] = {
        {nullptr, Qt::Key_Backspace, "1", 1},
        {nullptr, Qt::Key_Backspace, "", 1},
        {"-", Qt::Key_unknown, "-", 1},
        {nullptr, Qt::Key_Backspace, "", 1},
        {"1", Qt::Key_unknown, "1", 1},
        {"0", Qt::Key_unknown, "10", 10},
        {"0", Qt::Key_unknown, "100", 10},
        {nullptr, Qt::Key_Backspace, "10", 10},
    };
    pressNumberSteps(box, f.Text1, steps, [&](const NumberKeyStep &step) {
        EXPECT_EQ(f.ShownClubNo, step.shownAfter);
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("Verein %1").arg(step.shownAfter));
    });

    // The phone typed next belongs to club 10, and to no other.
    QLineEdit *phone = lineEditNamed(f, "Text8");
    phone->setFocus();
    QTest::keyClicks(phone, QStringLiteral("0664 123"));
    lineEditNamed(f, "Text9")->setFocus();
    EXPECT_EQ(clubRecord(10).mid(384, 30), padded(QStringLiteral("0664 123"), 30));
    for (int n = 1; n <= 12; ++n) {
        if (n != 10) {
            EXPECT_EQ(clubRecord(n), before.mid((n - 1) * ClubRecordLength, ClubRecordLength)) << n;
        }
    }

    // A number past the last club is clamped when the box is left.
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("99"));
    EXPECT_EQ(f.ShownClubNo, 9);
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("12"));
    EXPECT_EQ(f.ShownClubNo, 12);
}

TEST_F(ClubWindowTest, ListShowsNamedClubsSortedAndAClickGoesToTheClub)
{
    seedClubs({QStringLiteral("Zeller SC"), QStringLiteral("Alpen SV"), QString(),
               QStringLiteral("   "), QStringLiteral("ärmel club"), QStringLiteral("Berg")});
    Form2 &f = openClubs();
    QStringList lines;
    for (int i = 0; i < f.List1.ListCount(); ++i)
        lines << f.List1.List(i);
    EXPECT_EQ(lines, QStringList({"Alpen SV     2", "ärmel club     5", "Berg     6",
                                  "Zeller SC     1"}));

    f.List1.setListIndex(3);
    EXPECT_EQ(f.ShownClubNo, 1);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Zeller SC"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("K1"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("1"));

    // A name committed renames the line at once.
    enter(f.Text2, QStringLiteral("Aaa SC"), f.Text3);
    EXPECT_EQ(f.List1.List(0), QStringLiteral("Aaa SC     1"));
}

TEST_F(ClubWindowTest, CommitsGoToTheClubShownWhateverTheSharedNumberSays)
{
    seedClubs({QStringLiteral("Eins"), QStringLiteral("Zwei")});
    Form2 &f = openClubs();
    f.Text4.SetFocus();
    // Another routine reads club 1 while the window shows club 2.
    Rec.CurrentClubNo = 1;
    ReadClubRecord();
    f.Text4.setText(QStringLiteral("Zweidorf"));
    f.Text5.SetFocus();
    EXPECT_EQ(clubRecord(2).mid(124, 80), padded(QStringLiteral("Zweidorf"), 80));
    EXPECT_EQ(clubRecord(1).mid(124, 80), QByteArray(80, ' '));
}

TEST_F(ClubWindowTest, ExitClosesTheClubFileAndTheMainWindowOpensItAgain)
{
    seedClubs({QStringLiteral("Eins")});
    Form2 &f = openClubs();
    // The box with the focus is committed before the window goes.
    f.Text8.SetFocus();
    f.Text8.setText(QStringLiteral("0815"));
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form2>());
    EXPECT_FALSE(Channels.ClubFile.isOpen());
    EXPECT_TRUE(form<Form1>().Visible());
    EXPECT_EQ(clubRecord(1).mid(384, 30), padded(QStringLiteral("0815"), 30));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("TopLeft.dat"))));

    form<Form1>().Command2.click();
    EXPECT_TRUE(Channels.ClubFile.isOpen());
    EXPECT_EQ(form<Form2>().Text8.Text(), QStringLiteral("0815"));
}

} // namespace

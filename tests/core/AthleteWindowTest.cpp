// The athlete window: every field is written to Laeufer.rec as soon as it is
// left, the birth date takes its two-digit shortcut, "+" makes at most one
// empty record, and a new record handed in by number is made by its name.
#include <QFile>
#include <QLineEdit>
#include <QtEndian>
#include <cstring>
#include <vector>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form1.h"
#include "core/Form3.h"
#include "core/Launchers.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/Cp1252.h"
#include "platform/DateText.h"
#include "platform/Strings.h"

namespace {

const double Red = colourValue(255, 0, 0);

struct Athlete {
    QString name;
    QDate birth;   // invalid: not given (1.1.1900)
    int sex = 2;
    int club1 = 0, club2 = 0, club3 = 0;
    QString federationNo{};
    float points = 0;
};

// The fields of one stored athlete record.
struct Stored {
    explicit Stored(const QByteArray &record) : bytes(record) {}
    QString name() const { return trimBlanks(cp1252::decode(bytes.left(80))); }
    int club(int i) const { return int16(80 + 2 * (i - 1)); }
    double birthDate() const
    {
        double d = 0;
        std::memcpy(&d, bytes.constData() + 86, 8);
        return qFromLittleEndian(d);
    }
    QDate birth() const { return dates::dateFromOle(birthDate()); }
    int sex() const { return int16(94); }
    QByteArray federationNo() const { return bytes.mid(96, 9); }
    float points() const
    {
        float p = 0;
        std::memcpy(&p, bytes.constData() + 105, 4);
        return qFromLittleEndian(p);
    }
    int int16(int offset) const { return qFromLittleEndian<qint16>(bytes.constData() + offset); }
    QByteArray bytes;
};

class AthleteWindowTest : public WindowDataTest, protected RaceBuilder {
protected:
    void TearDown() override
    {
        WindowDataTest::TearDown();
        Launchers = LauncherTable{};
    }

    // Clubs 1..n with these short names and athletes 1..m, written through
    // the record routines; then the program state is reset as at a start.
    void seed(const QStringList &clubShortNames, const std::vector<Athlete> &athletes)
    {
        ReadSettingsFile();
        OpenClubFile();
        for (int i = 0; i < clubShortNames.size(); ++i)
            addClubAt(i + 1, clubShortNames[i], QStringLiteral("Verein ") + clubShortNames[i]);
        OpenAthleteFile();
        for (std::size_t i = 0; i < athletes.size(); ++i) {
            const Athlete &a = athletes[i];
            addAthlete({.name = a.name,
                        .sex = a.sex,
                        .birthDate = a.birth.isValid() ? dates::oleFromDate(a.birth) : 0,
                        .clubs = {a.club1, a.club2, a.club3},
                        .id = int(i) + 1,
                        .federationNo = a.federationNo,
                        .points = a.points});
        }
        resetAllSharedState();
    }

    // Three athletes, all with name and birth date.
    void seedThree()
    {
        seed({}, {{QStringLiteral("HUBER Anna"), QDate(1990, 5, 1), 0},
                  {QStringLiteral("MAIER Hans"), QDate(1985, 2, 3), 1},
                  {QStringLiteral("BERGER Eva"), QDate(2010, 7, 8), 0}});
    }

    // The athlete window as the main window opens it (on the last athlete).
    Form3 &openAthletes()
    {
        Form1 &main = form<Form1>();
        main.Show();
        main.Command1.click();
        return form<Form3>();
    }

    // The athlete window as the entry list opens it: a fresh start, the
    // record files open, the number set into the window's number box.
    Form3 &openAthleteNumber(int n)
    {
        form<Form1>();
        OpenAthleteFile();
        OpenClubFile();
        OpenRaceFile();
        Form3 &f = form<Form3>();
        f.Show();
        f.Text1.setText(QString::number(n));
        return f;
    }

    QByteArray athleteFile() const { return readBytes(QStringLiteral("Laeufer.rec")); }
    Stored stored(int n) const
    {
        return Stored(athleteFile().mid((n - 1) * AthleteRecordLength, AthleteRecordLength));
    }

    static void enter(TextBox &box, const QString &text, Control &next)
    {
        box.SetFocus();
        box.setText(text);
        next.SetFocus();
    }
};

TEST_F(AthleteWindowTest, Controls_CaptionsAndDesignTexts)
{
    Form3 &f = form<Form3>();
    EXPECT_EQ(f.Caption(), QStringLiteral("Datenbank der Sportler"));
    const std::pair<Label *, const char *> labels[] = {
        {&f.Label1, "Index"}, {&f.Label2, "FAMILIENNAME Vorname"}, {&f.Label4, "ÖSV-Nummer"},
        {&f.Label5, "Geburtsdatum"}, {&f.Label7, "Punkte"},
        {&f.Label6, "Mitgliedschaft in Vereinen"}, {&f.Label3, "Liste aller Sportler"},
    };
    for (const auto &[label, caption] : labels)
        EXPECT_EQ(label->Caption(), QString::fromUtf8(caption)) << caption;
    EXPECT_EQ(f.Option1.Caption(), QStringLiteral("männlich"));
    EXPECT_EQ(f.Option2.Caption(), QStringLiteral("weiblich"));
    EXPECT_EQ(f.Command2.Caption(), QStringLiteral("-"));
    EXPECT_EQ(f.Command3.Caption(), QStringLiteral("+"));
    EXPECT_EQ(f.Command4.Caption(), QStringLiteral("neu"));
    EXPECT_EQ(f.Command1.Caption(), QStringLiteral("exit"));
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("z.B. 13.04.1983 oder nur 83"));
    EXPECT_EQ(f.Text2.MaxLength(), 80);
    EXPECT_EQ(f.Text3.MaxLength(), 9);
    EXPECT_TRUE(f.List1.Sorted());
    EXPECT_EQ(f.List1.FontName(), QStringLiteral("Arial"));
    for (ComboBox *c : {&f.Combo1, &f.Combo2, &f.Combo3})
        EXPECT_EQ(c->style(), ComboBox::Style::DropDownList) << c->Name().toStdString();
}

TEST_F(AthleteWindowTest, ShowsEveryFieldOfTheLastAthlete)
{
    seed({QStringLiteral("SC A"), QStringLiteral("  SC B  "), QString()},
         {{QStringLiteral("HUBER Anna"), QDate(1990, 5, 1), 0},
          {QStringLiteral("MAIER Hans"), QDate(1983, 4, 13), 1, 2, 0, 3,
           QStringLiteral("  A1234"), 12.5f}});
    Form3 &f = openAthletes();
    EXPECT_FALSE(form<Form1>().Visible());
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("2"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("MAIER Hans"));
    // Shown trimmed, as the window stores it.
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("A1234"));
    EXPECT_TRUE(f.Option1.Value());
    EXPECT_FALSE(f.Option2.Value());
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("13.04.1983"));
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("12,5"));

    // The choices: "?" and every club's short name, trimmed, the unnamed
    // club 3 included, so that the item index is the club number.
    ASSERT_EQ(f.Combo1.ListCount(), 4);
    for (ComboBox *c : {&f.Combo1, &f.Combo2, &f.Combo3}) {
        EXPECT_EQ(c->List(0), QStringLiteral("?"));
        EXPECT_EQ(c->List(1), QStringLiteral("SC A"));
        EXPECT_EQ(c->List(2), QStringLiteral("SC B"));
        EXPECT_EQ(c->List(3), QString());
    }
    EXPECT_EQ(f.Combo1.ListIndex(), 2);
    EXPECT_EQ(f.Combo2.ListIndex(), 0);
    EXPECT_EQ(f.Combo3.ListIndex(), 3);

    // A woman shows "weiblich" alone.
    f.Command2.click();
    EXPECT_FALSE(f.Option1.Value());
    EXPECT_TRUE(f.Option2.Value());
}

TEST_F(AthleteWindowTest, BirthDateTakesTwoDigitsAsAYearAndEmptiesAnInvalidDate)
{
    seedThree();
    Form3 &f = openAthletes();
    const QDate kept(2010, 7, 8);
    struct Case {
        const char *typed;
        const char *shown;
        QDate stored;
    };
    const Case cases[] = {
        {"83", "01.01.1983", QDate(1983, 1, 1)},
        {"05", "01.01.2005", QDate(2005, 1, 1)},
        {"12", "01.01.1912", QDate(1912, 1, 1)},
        {"00", "01.01.2000", QDate(2000, 1, 1)},
        {"09", "01.01.2009", QDate(2009, 1, 1)},
        {"10", "01.01.1910", QDate(1910, 1, 1)},
        {" 13.04.1983 ", "13.04.1983", QDate(1983, 4, 13)},
        {"3.4.1999", "3.4.1999", QDate(1999, 4, 3)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        enter(f.Text4, QString::fromUtf8(c.typed), f.Text5);
        EXPECT_EQ(f.Text4.Text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(stored(3).birth(), c.stored);
    }

    // Invalid dates: the field is emptied and the stored date stays.
    enter(f.Text4, QStringLiteral("8.7.2010"), f.Text5);
    ASSERT_EQ(stored(3).birth(), kept);
    for (const char *typed : {"31.02.1990", "ab", "-1", "13.13.2000", "1983"}) {
        SCOPED_TRACE(typed);
        const QByteArray before = athleteFile();
        enter(f.Text4, QString::fromUtf8(typed), f.Text5);
        EXPECT_EQ(f.Text4.Text(), QString());
        EXPECT_EQ(athleteFile(), before);
    }
}

TEST_F(AthleteWindowTest, PointsShowWithTheDecimalCommaAndKeepTheirFraction)
{
    seedThree();
    Form3 &f = openAthletes();
    const std::pair<const char *, float> cases[] = {
        {"12,5", 12.5f}, {"12.5", 12.5f}, {" 7,25 ", 7.25f}, {"0", 0.0f}, {"", 0.0f},
        {"-3,5", -3.5f}, {"100", 100.0f},
    };
    for (const auto &[typed, value] : cases) {
        SCOPED_TRACE(typed);
        enter(f.Text5, QString::fromUtf8(typed), f.Text4);
        EXPECT_EQ(stored(3).points(), value);
    }

    // A value the window shows and the user leaves alone stays as it is.
    enter(f.Text5, QStringLiteral("33,75"), f.Text4);
    f.Command2.click();
    f.Command3.click();
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("33,75"));
    f.Text5.SetFocus();
    f.Text4.SetFocus();
    EXPECT_EQ(stored(3).points(), 33.75f);

    // Text that is no number is refused (red), nothing stored.
    const QByteArray before = athleteFile();
    enter(f.Text5, QStringLiteral("zwölf"), f.Text4);
    EXPECT_EQ(f.Text5.BackColor(), Red);
    EXPECT_EQ(athleteFile(), before);
}

TEST_F(AthleteWindowTest, EveryFieldIsWrittenWhenItIsLeftOrClicked)
{
    seed({QStringLiteral("SC A"), QStringLiteral("SC B")},
         {{QStringLiteral("HUBER Anna"), QDate(1990, 5, 1), 2, 1, 2, 0}});
    Form3 &f = openAthletes();

    enter(f.Text2, QStringLiteral("  HUBER  Anna-Lena "), f.Text3);
    EXPECT_EQ(stored(1).name(), QStringLiteral("HUBER  Anna-Lena"));
    EXPECT_EQ(f.List1.List(0), QStringLiteral("HUBER  Anna-Lena        1"));

    enter(f.Text3, QStringLiteral(" 987654 "), f.Text2);
    EXPECT_EQ(stored(1).federationNo(), QByteArray("987654   "));

    // Sex buttons store when clicked, from "not set" on.
    ASSERT_EQ(stored(1).sex(), 2);
    f.Option1.setValue(true);
    EXPECT_EQ(stored(1).sex(), 1);
    f.Option2.setValue(true);
    EXPECT_EQ(stored(1).sex(), 0);

    // Club choices store the item index; "?" is no club.
    f.Combo3.SetFocus();
    f.Combo3.setListIndex(2);
    f.Combo1.SetFocus();
    EXPECT_EQ(stored(1).club(3), 2);
    f.Combo1.setListIndex(0);
    f.Combo2.SetFocus();
    EXPECT_EQ(stored(1).club(1), 0);
    EXPECT_EQ(stored(1).club(2), 2);
    // A choice that matches no line (no free text in these lists) stores
    // no club, never -1.
    f.Combo2.setText(QStringLiteral("Gibt es nicht"));
    f.Text2.SetFocus();
    EXPECT_EQ(stored(1).club(2), 0);

    // The unchanged rest of the record is untouched by all of this.
    EXPECT_EQ(stored(1).birth(), QDate(1990, 5, 1));
    EXPECT_EQ(athleteFile().size(), AthleteRecordLength);
}

TEST_F(AthleteWindowTest, NameAndFederationNumberHoldTheirWidthAndRefuseForeignCharacters)
{
    seedThree();
    Form3 &f = openAthletes();
    const QString name85 = QStringLiteral("NAME").repeated(21) + QStringLiteral("X");
    enter(f.Text2, name85, f.Text3);
    EXPECT_EQ(f.Text2.Text().size(), 80);
    EXPECT_EQ(stored(3).name(), name85.left(80));

    enter(f.Text3, QStringLiteral("1234567890"), f.Text2);
    EXPECT_EQ(stored(3).federationNo(), QByteArray("123456789"));

    const QByteArray before = athleteFile();
    enter(f.Text2, QStringLiteral("ŁUKASZ Jan"), f.Text3);
    EXPECT_EQ(f.Text2.BackColor(), Red);
    enter(f.Text3, QStringLiteral("Ω12"), f.Text2);
    EXPECT_EQ(f.Text3.BackColor(), Red);
    EXPECT_EQ(athleteFile(), before);
    // The list keeps the stored name.
    EXPECT_TRUE(f.List1.List(f.List1.ListCount() - 1).startsWith(QStringLiteral("NAME")));
}

TEST_F(AthleteWindowTest, TypedNumberClampsAndOneBehindTheLastIsANewRecord)
{
    seedThree();
    Form3 &f = openAthletes();
    const std::pair<const char *, int> cases[] = {
        {"2", 2}, {"0", 1}, {"-7", 1}, {"9", 3}, {"2.5", 3}, {"x", 1},
    };
    for (const auto &[typed, shown] : cases) {
        SCOPED_TRACE(typed);
        f.Text1.setText(QString::fromUtf8(typed));
        EXPECT_EQ(f.ShownAthleteId, shown);
        EXPECT_EQ(f.Text1.Text(), QString::number(shown));
        EXPECT_EQ(f.Text2.Text(), QStringList({"HUBER Anna", "MAIER Hans", "BERGER Eva"})[shown - 1]);
    }

    // 4 is AthleteCount + 1 behind a named last record: a new, cleared
    // record, not yet in the file.
    const QByteArray before = athleteFile();
    f.Text1.setText(QStringLiteral("4"));
    EXPECT_EQ(f.ShownAthleteId, 4);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("4"));
    EXPECT_EQ(f.Text2.Text(), QString());
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("01.01.1900"));
    EXPECT_FALSE(f.Option1.Value() || f.Option2.Value());
    EXPECT_EQ(f.Combo1.ListIndex(), 0);
    EXPECT_EQ(Rec.AthleteCount, 3);
    EXPECT_EQ(athleteFile(), before);
    // 5 is not new: it clamps to the last record.
    f.Text1.setText(QStringLiteral("5"));
    EXPECT_EQ(f.ShownAthleteId, 3);
}

TEST_F(AthleteWindowTest, NewRecordIsMadeByItsNameAndNeverOverwritesTheLastAthlete)
{
    seed({QStringLiteral("SC A")}, {{QStringLiteral("HUBER Anna"), QDate(1990, 5, 1), 0},
                                    {QStringLiteral("MAIER Hans"), QDate(1985, 2, 3), 1, 1}});
    const QByteArray two = readBytes(QStringLiteral("Laeufer.rec"));
    Form3 &f = openAthleteNumber(3);
    ASSERT_EQ(f.ShownAthleteId, 3);
    EXPECT_EQ(f.Text2.Text(), QString());

    // Fields set before the name write nothing yet.
    f.Option2.setValue(true);
    enter(f.Text4, QStringLiteral("95"), f.Text5);
    enter(f.Text5, QStringLiteral("4,5"), f.Text3);
    f.Combo1.setListIndex(1);
    f.Text3.setText(QStringLiteral("X9"));
    f.Text2.SetFocus();
    EXPECT_EQ(athleteFile(), two);
    EXPECT_EQ(Rec.AthleteCount, 2);

    // The name makes record 3 from everything the window shows.
    f.Text2.setText(QStringLiteral("NEU Nina"));
    f.Text3.SetFocus();
    ASSERT_EQ(athleteFile().size(), 3 * AthleteRecordLength);
    EXPECT_EQ(athleteFile().left(2 * AthleteRecordLength), two);
    const Stored s = stored(3);
    EXPECT_EQ(s.name(), QStringLiteral("NEU Nina"));
    EXPECT_EQ(s.sex(), 0);
    EXPECT_EQ(s.birth(), QDate(1995, 1, 1));
    EXPECT_EQ(s.points(), 4.5f);
    EXPECT_EQ(s.club(1), 1);
    EXPECT_EQ(s.federationNo(), QByteArray("X9       "));
    EXPECT_EQ(Rec.AthleteCount, 3);
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 3 ", " 1 ", " 0 ", " 0 "}));
    EXPECT_EQ(f.List1.ListCount(), 3);

    // From now on it is an ordinary record.
    f.Option1.setValue(true);
    EXPECT_EQ(stored(3).sex(), 1);
    EXPECT_EQ(stored(2).name(), QStringLiteral("MAIER Hans"));
}

TEST_F(AthleteWindowTest, NewRecordOnlyBehindANamedLastRecord)
{
    seed({}, {{QStringLiteral("HUBER Anna"), QDate(1990, 5, 1), 0}, {QString(), QDate(), 2}});
    Form3 &f = openAthleteNumber(3);
    EXPECT_EQ(f.ShownAthleteId, 2);
    enter(f.Text2, QStringLiteral("LEER Nicht"), f.Text3);
    EXPECT_EQ(stored(2).name(), QStringLiteral("LEER Nicht"));
    EXPECT_EQ(athleteFile().size(), 2 * AthleteRecordLength);
}

TEST_F(AthleteWindowTest, EmptyDatabase_NumberOneIsANewRecordAndRecordZeroIsNeverWritten)
{
    Form3 &f = openAthleteNumber(1);
    EXPECT_EQ(f.ShownAthleteId, 1);
    EXPECT_EQ(Rec.AthleteCount, 0);

    // Any other number on an empty database is the new record 1 as well.
    f.Text1.setText(QStringLiteral("0"));
    EXPECT_EQ(f.ShownAthleteId, 1);
    f.Text1.setText(QStringLiteral("7"));
    EXPECT_EQ(f.ShownAthleteId, 1);

    f.Option1.setValue(true);
    enter(f.Text2, QString(), f.Text3);
    EXPECT_TRUE(athleteFile().isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Zirpa.dat"))));

    enter(f.Text2, QStringLiteral("ERST Erwin"), f.Text3);
    ASSERT_EQ(athleteFile().size(), AthleteRecordLength);
    EXPECT_EQ(stored(1).name(), QStringLiteral("ERST Erwin"));
    EXPECT_EQ(stored(1).sex(), 1);
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 1 ", " 0 ", " 0 ", " 0 "}));
}

TEST_F(AthleteWindowTest, CommitsGoToTheRecordShownWhateverTheSharedNumberSays)
{
    seedThree();
    Form3 &f = openAthletes();
    f.Command2.click();
    ASSERT_EQ(f.ShownAthleteId, 2);
    const QByteArray one = stored(1).bytes;

    // Other routines (the entry list, the reminder) read athlete 1 meanwhile.
    f.Text3.SetFocus();
    Rec.CurrentAthleteId = 1;
    ReadAthleteRecord();
    f.Text3.setText(QStringLiteral("777"));
    f.Text5.SetFocus();
    Rec.CurrentAthleteId = 1;
    f.Option2.setValue(true);
    Rec.CurrentAthleteId = 1;
    enter(f.Text2, QStringLiteral("MAIER Johann"), f.Text3);

    EXPECT_EQ(stored(1).bytes, one);
    EXPECT_EQ(stored(2).federationNo(), QByteArray("777      "));
    EXPECT_EQ(stored(2).sex(), 0);
    EXPECT_EQ(stored(2).name(), QStringLiteral("MAIER Johann"));
    // And "-" steps from the record shown.
    Rec.CurrentAthleteId = 3;
    f.Command2.click();
    EXPECT_EQ(f.ShownAthleteId, 1);
}

TEST_F(AthleteWindowTest, PlusMakesOneEmptyRecordBehindAFilledLastOne)
{
    seedThree();
    Form3 &f = openAthletes();
    f.Command2.click();
    f.Command2.click();
    ASSERT_EQ(f.ShownAthleteId, 1);
    f.Command3.click();
    EXPECT_EQ(f.ShownAthleteId, 2);
    f.Command3.click();
    EXPECT_EQ(f.ShownAthleteId, 3);
    const QByteArray three = athleteFile();

    f.Command3.click();
    EXPECT_EQ(f.ShownAthleteId, 4);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("4"));
    EXPECT_EQ(f.Text2.Text(), QString());
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("01.01.1900"));
    EXPECT_EQ(Rec.AthleteCount, 4);
    ASSERT_EQ(athleteFile().size(), 4 * AthleteRecordLength);
    EXPECT_EQ(athleteFile().left(3 * AthleteRecordLength), three);
    const Stored s = stored(4);
    EXPECT_EQ(s.name(), QString());
    EXPECT_EQ(s.birthDate(), NoBirthDate);
    EXPECT_EQ(s.sex(), 2);
    EXPECT_EQ(s.club(1) + s.club(2) + s.club(3), 0);
    EXPECT_EQ(s.points(), 0.0f);
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 4 ", " 0 ", " 0 ", " 0 "}));

    // The new record has neither name nor birth date: "+" and "neu" do
    // nothing there, "-" still goes back.
    f.Command3.click();
    f.Command4.click();
    EXPECT_EQ(f.ShownAthleteId, 4);
    EXPECT_EQ(athleteFile().size(), 4 * AthleteRecordLength);
    // A name alone is not enough for "+" while the birth date is not given.
    enter(f.Text2, QStringLiteral("OHNE Datum"), f.Text3);
    f.Command3.click();
    EXPECT_EQ(f.ShownAthleteId, 4);
    EXPECT_EQ(Rec.AthleteCount, 4);
    f.Command2.click();
    EXPECT_EQ(f.ShownAthleteId, 3);
}

TEST_F(AthleteWindowTest, PlusNeedsANameOnTheLastRecordAndMinusBeepsAtTheFirst)
{
    seed({}, {{QStringLiteral("HUBER Anna"), QDate(1990, 5, 1), 0},
              {QString(), QDate(2001, 1, 1), 2}});
    Form3 &f = openAthletes();
    ASSERT_EQ(f.ShownAthleteId, 2);
    f.Command3.click();
    EXPECT_EQ(f.ShownAthleteId, 2);
    EXPECT_EQ(athleteFile().size(), 2 * AthleteRecordLength);
    // A name refused in the box (red, not stored) is no name either.
    enter(f.Text2, QStringLiteral("ŁUKASZ Jan"), f.Text3);
    ASSERT_EQ(f.Text2.BackColor(), Red);
    f.Command3.click();
    EXPECT_EQ(f.ShownAthleteId, 2);
    EXPECT_EQ(Rec.AthleteCount, 2);
    EXPECT_EQ(athleteFile().size(), 2 * AthleteRecordLength);

    f.Command2.click();
    const int beeps = beepCount();
    f.Command2.click();
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_EQ(f.ShownAthleteId, 1);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("HUBER Anna"));

    // "neu" goes to the last record.
    f.Command4.click();
    EXPECT_EQ(f.ShownAthleteId, 2);
}

TEST_F(AthleteWindowTest, ListShowsNamedAthletesSortedAndAClickGoesThere)
{
    seed({}, {{QStringLiteral("MAIER Hans"), QDate(1985, 2, 3), 1},
              {QStringLiteral("  "), QDate(), 2},
              {QStringLiteral("ÖLLER Udo"), QDate(1970, 1, 1), 1},
              {QStringLiteral("OBERMAIR Udo"), QDate(1971, 1, 1), 1}});
    Form3 &f = openAthletes();
    QStringList lines;
    for (int i = 0; i < f.List1.ListCount(); ++i)
        lines << f.List1.List(i);
    // Umlauts stand beside their base letter.
    EXPECT_EQ(lines, QStringList({"MAIER Hans        1", "OBERMAIR Udo        4",
                                  "ÖLLER Udo        3"}));
    f.List1.setListIndex(2);
    EXPECT_EQ(f.ShownAthleteId, 3);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("ÖLLER Udo"));
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("01.01.1970"));
}

TEST_F(AthleteWindowTest, ClubNumbersBeyondTheLastClubShowAsNoClub)
{
    seed({QStringLiteral("SC A")}, {{QStringLiteral("HUBER Anna"), QDate(1990, 5, 1), 0, 1}});
    // Club 1 is dropped from the settings file: the stored 1 is no club now.
    writeBytes(QStringLiteral("Zirpa.dat"), crlfLines({" 1 ", " 0 ", " 0 ", " 0 "}));
    Form3 &f = openAthletes();
    EXPECT_EQ(f.Combo1.ListCount(), 1);
    EXPECT_EQ(f.Combo1.ListIndex(), 0);
}

TEST_F(AthleteWindowTest, ExitBringsBackTheMainWindowUnlessTheEntryListIsShown)
{
    seedThree();
    Form3 &f = openAthletes();
    f.Text3.SetFocus();
    f.Text3.setText(QStringLiteral("55"));
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form3>());
    EXPECT_TRUE(form<Form1>().Visible());
    EXPECT_EQ(stored(3).federationNo(), QByteArray("55       "));
    // The athlete file stays open for the other windows.
    EXPECT_TRUE(Channels.AthleteFile.isOpen());

    Launchers.EntryListVisible = [] { return true; };
    form<Form1>().Command1.click();
    EXPECT_FALSE(form<Form1>().Visible());
    form<Form3>().Command1.click();
    EXPECT_FALSE(form<Form1>().Visible());
}

// Twelve athletes, so that one- and two-digit numbers both name one.
std::vector<Athlete> twelveAthletes()
{
    std::vector<Athlete> all;
    for (int i = 1; i <= 12; ++i)
        all.push_back({QStringLiteral("NAME%1 Vor").arg(i), QDate(1970 + i, 3, 4), i % 2});
    return all;
}

TEST_F(AthleteWindowTest, NumberTypedKeyByKeyShowsThatRecordAndIsClampedOnlyWhenLeft)
{
    seed({}, twelveAthletes());
    Form3 &f = openAthletes();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    const QByteArray before = athleteFile();
    QLineEdit *box = focusNumberBox(f);
    ASSERT_NE(box, nullptr);

    const NumberKeyStep steps[] = {
        {nullptr, Qt::Key_Backspace, "1", 1},
        // Emptied: nothing new, the box stays empty.
        {nullptr, Qt::Key_Backspace, "", 1},
        {"1", Qt::Key_unknown, "1", 1},
        {"0", Qt::Key_unknown, "10", 10},
        {nullptr, Qt::Key_Backspace, "1", 1},
        {nullptr, Qt::Key_Backspace, "", 1},
        {"5", Qt::Key_unknown, "5", 5},
        {nullptr, Qt::Key_Backspace, "", 5},
        // A lone "-" and a number below 1 wait until the box is left.
        {"-", Qt::Key_unknown, "-", 5},
        {"7", Qt::Key_unknown, "-7", 5},
        {nullptr, Qt::Key_Tab, "1", 1},
    };
    pressNumberSteps(box, f.Text1, steps, [&](const NumberKeyStep &step) {
        EXPECT_EQ(f.ShownAthleteId, step.shownAfter);
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("NAME%1 Vor").arg(step.shownAfter));
    });

    // Past the last record: the last number that exists stays shown until
    // Enter clamps it.
    box->setFocus();
    box->selectAll();
    const NumberKeyStep past[] = {
        {"9", Qt::Key_unknown, "9", 9},
        {"9", Qt::Key_unknown, "99", 9},
        {nullptr, Qt::Key_Return, "12", 12},
    };
    pressNumberSteps(box, f.Text1, past, [&](const NumberKeyStep &step) {
        EXPECT_EQ(f.ShownAthleteId, step.shownAfter);
    });
    // Going from record to record writes nothing.
    EXPECT_EQ(athleteFile(), before);
}

TEST_F(AthleteWindowTest, BirthDateAfterRetypingTheNumberGoesToTheAthleteTyped)
{
    seed({}, twelveAthletes());
    Form3 &f = openAthletes();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    const QByteArray before = athleteFile();
    QLineEdit *box = focusNumberBox(f);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, QStringLiteral("10"));
    ASSERT_EQ(f.ShownAthleteId, 10);

    QLineEdit *birth = lineEditNamed(f, "Text4");
    birth->setFocus();
    birth->selectAll();
    QTest::keyClicks(birth, QStringLiteral("05"));
    lineEditNamed(f, "Text5")->setFocus();

    EXPECT_EQ(stored(10).birth(), QDate(2005, 1, 1));
    // No other record changed.
    for (int n = 1; n <= 12; ++n) {
        if (n == 10)
            continue;
        SCOPED_TRACE(n);
        EXPECT_EQ(athleteFile().mid((n - 1) * AthleteRecordLength, AthleteRecordLength),
                  before.mid((n - 1) * AthleteRecordLength, AthleteRecordLength));
    }
}

} // namespace

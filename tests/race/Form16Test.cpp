// "Daten für Titelblatt": the boxes show the header, store their trimmed
// texts on leaving, the date check, the hidden sponsor lines, the header
// written on closing and the ways to the banner window and back.
#include <QDate>

#include "GuiTestHelpers.h"
#include "core/Form4.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Cp1252.h"
#include "platform/DateText.h"
#include "race/Form16.h"
#include "race/Form21.h"
#include "race/RaceWindows.h"

namespace {

class Form16Test : public WindowDataTest {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        OpenRaceFile();
        OpenAthleteFile();
        OpenClubFile();
        ClearRaceHeader();
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
        Rec.RacePlace = QStringLiteral("Oberau");
        Rec.RaceDate = dates::oleFromDate(QDate(2027, 1, 16));
        Rec.RaceDirector = QStringLiteral("Huber Sepp");
        Rec.Sponsor1 = QStringLiteral("Bäckerei Huber");
        Rec.Sponsor6 = QStringLiteral("Sporthaus Alpen");
        Rec.RaceRecordNo = 1;
        WriteRaceHeader();
        Race.ActiveRaceNo = 1;
        // Another race read since: the window works on the active race.
        ClearRaceHeader();
        Rec.RaceName = QStringLiteral("Kinderrennen");
    }

    Form16 &open()
    {
        Form16 &f = form<Form16>();
        EXPECT_TRUE(showAndActivate(f));
        return f;
    }

    // Text field of race 1 as the file holds it (blanks trimmed).
    QString stored(int offset, int width) const
    {
        const QByteArray r = readBytes(QStringLiteral("Rennen.rec")).mid(0, RaceRecordLength);
        return cp1252::decode(r.mid(offset, width)).trimmed();
    }

    static void commit(TextBox &box, const QString &text, Control &next)
    {
        box.SetFocus();
        box.setText(text);
        next.SetFocus();
    }
};

TEST_F(Form16Test, BoxesShowTheHeaderOfTheActiveRace)
{
    Form16 &f = open();
    EXPECT_EQ(f.Caption(), QStringLiteral("Daten für Titelblatt"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("Oberau"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("16.01.2027"));
    EXPECT_EQ(f.Text6.Text(), QStringLiteral("12:00"));
    EXPECT_EQ(f.Text9.Text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text8.Text(), QStringLiteral("Huber Sepp"));
    EXPECT_EQ(f.Text13.Text(), QString());
    // The sponsor lines are neither shown nor filled.
    EXPECT_FALSE(f.Label15.Visible());
    for (TextBox *box : {&f.Text14, &f.Text15, &f.Text16, &f.Text17, &f.Text18, &f.Text19}) {
        EXPECT_FALSE(box->Visible());
        EXPECT_EQ(box->Text(), QString());
    }
}

TEST_F(Form16Test, LeavingABoxStoresItsTrimmedTextAndClosingWritesTheHeader)
{
    Form16 &f = open();
    struct Case {
        TextBox Form16::*box;
        const char *typed;
        QString RecordState::*field;
        int offset, width;
        const char *inFile;   // cut to the field
    };
    const Case cases[] = {
        {&Form16::Text2, "  VM 2027 ", &RecordState::RaceShortName, 80, 50, "VM 2027"},
        {&Form16::Text6, " 9:30", &RecordState::StartTimeText, 364, 5, "9:30"},
        {&Form16::Text9, "12", &RecordState::NumberOfGates, 419, 4, "12"},
        {&Form16::Text4, "Skiclub Oberau", &RecordState::Organiser, 232, 80, "Skiclub Oberau"},
        {&Form16::Text5, "SC Oberau", &RecordState::HostClub, 337, 25, "SC Oberau"},
        {&Form16::Text8, "", &RecordState::RaceDirector, 369, 25, ""},
        {&Form16::Text7, "Maier Toni", &RecordState::CourseSetter, 394, 25, "Maier Toni"},
        {&Form16::Text13, "Gruber Anna", &RecordState::StartReferee, 423, 25, "Gruber Anna"},
        {&Form16::Text12, "Wimmer Franz", &RecordState::FinishReferee, 448, 25, "Wimmer Franz"},
        {&Form16::Text10, "Zeitnehmung Oberau und Umgebung", &RecordState::TimingOfficial,
         473, 25, "Zeitnehmung Oberau und Um"},
        {&Form16::Text11, "Berger Lisa", &RecordState::ChiefJudge, 498, 25, "Berger Lisa"},
    };
    for (const Case &c : cases) {
        commit(f.*c.box, QString::fromUtf8(c.typed), f.Text1);
        EXPECT_EQ(Rec.*c.field, QString::fromUtf8(c.typed).trimmed()) << c.typed;
    }
    commit(f.Text1, QStringLiteral("Oberau am See "), f.Text2);
    EXPECT_EQ(Rec.RacePlace, QStringLiteral("Oberau am See"));

    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form16>());
    for (const Case &c : cases)
        EXPECT_EQ(stored(c.offset, c.width), QString::fromUtf8(c.inFile)) << c.typed;
    EXPECT_EQ(stored(144, 80), QStringLiteral("Oberau am See"));
    EXPECT_EQ(stored(0, 80), QStringLiteral("Vereinsmeisterschaft"));
    // The sponsor lines stay as they were stored.
    EXPECT_EQ(stored(523, 40), QStringLiteral("Bäckerei Huber"));
    EXPECT_EQ(stored(723, 40), QStringLiteral("Sporthaus Alpen"));
}

TEST_F(Form16Test, DateCheck_RefusesAnInvalidDateWithABeep)
{
    Form16 &f = open();
    const double before = Rec.RaceDate;
    resetBeepCount();
    commit(f.Text3, QStringLiteral("31.02.2010"), f.Text1);
    EXPECT_EQ(beepCount(), 1);
    EXPECT_EQ(Rec.RaceDate, before);
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("31.02.2010"));   // the typed text stays

    commit(f.Text3, QStringLiteral(" 7.2.2027 "), f.Text1);
    EXPECT_EQ(beepCount(), 1);
    EXPECT_EQ(Rec.RaceDate, dates::oleFromDate(QDate(2027, 2, 7)));
}

TEST_F(Form16Test, WerbungOpensTheBannerWindowWhichStaysWhenThisCloses)
{
    Form16 &f = open();
    f.Command10.click();
    ASSERT_TRUE(isLoaded<Form21>());
    EXPECT_TRUE(form<Form21>().Visible());
    EXPECT_TRUE(f.Visible());

    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form16>());
    EXPECT_TRUE(isLoaded<Form21>());
    EXPECT_TRUE(form<Form21>().Visible());
}

TEST_F(Form16Test, RaceWindowOpensItForANamedRaceAndComesBack)
{
    Rec.RaceCount = 1;
    WriteSettingsFile();
    InstallRaceWindows();
    Form4 &race = form<Form4>();
    ASSERT_TRUE(showAndActivate(race));
    race.Text1.setText(QStringLiteral("1"));
    race.Command12.click();
    EXPECT_FALSE(race.Visible());
    ASSERT_TRUE(isLoaded<Form16>());
    Form16 &f = form<Form16>();
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));

    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(race.Visible());
}

} // namespace

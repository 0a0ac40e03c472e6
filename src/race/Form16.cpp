#include "Form16.h"

#include "Form21.h"
#include "core/Form1.h"
#include "core/Form4.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/Beep.h"
#include "platform/DateText.h"
#include "platform/Strings.h"

namespace {

// The boxes that hold a text field of the header as it stands.
struct TitleField {
    TextBox Form16::*box;
    QString RecordState::*field;
};

const TitleField TextFields[] = {
    {&Form16::Text2, &RecordState::RaceShortName},
    {&Form16::Text1, &RecordState::RacePlace},
    {&Form16::Text6, &RecordState::StartTimeText},
    {&Form16::Text9, &RecordState::NumberOfGates},
    {&Form16::Text4, &RecordState::Organiser},
    {&Form16::Text5, &RecordState::HostClub},
    {&Form16::Text8, &RecordState::RaceDirector},
    {&Form16::Text7, &RecordState::CourseSetter},
    {&Form16::Text13, &RecordState::StartReferee},
    {&Form16::Text12, &RecordState::FinishReferee},
    {&Form16::Text10, &RecordState::TimingOfficial},
    {&Form16::Text11, &RecordState::ChiefJudge},
};

struct Row {
    Label Form16::*label;
    const char16_t *caption;
    TextBox Form16::*box;
    int left, top, width;
};

constexpr int LeftColumn = 240, RightColumn = 4320, Wide = 3840, Narrow = 1680;

const Row Rows[] = {
    {&Form16::Label2, u"Rennen kurz - für Urkunde", &Form16::Text2, LeftColumn, 720, 7920},
    {&Form16::Label3, u"Ort", &Form16::Text1, LeftColumn, 1380, Wide},
    {&Form16::Label4, u"Datum", &Form16::Text3, RightColumn, 1380, Narrow},
    {&Form16::Label5, u"Startzeit", &Form16::Text6, RightColumn + 1920, 1380, 960},
    {&Form16::Label6, u"Tore", &Form16::Text9, RightColumn + 3120, 1380, 720},
    {&Form16::Label7, u"Veranstalter", &Form16::Text4, LeftColumn, 2040, Wide},
    {&Form16::Label8, u"durchführender Verein", &Form16::Text5, RightColumn, 2040, Wide},
    {&Form16::Label9, u"Rennleiter", &Form16::Text8, LeftColumn, 2700, Wide},
    {&Form16::Label10, u"Kurssetzung", &Form16::Text7, RightColumn, 2700, Wide},
    {&Form16::Label11, u"Startrichter", &Form16::Text13, LeftColumn, 3360, Wide},
    {&Form16::Label12, u"Zielrichter", &Form16::Text12, RightColumn, 3360, Wide},
    {&Form16::Label13, u"Zeitnehmung/Auswertung", &Form16::Text10, LeftColumn, 4020, Wide},
    {&Form16::Label14, u"Chefkampfrichter", &Form16::Text11, RightColumn, 4020, Wide},
};

} // namespace

Form16::Form16()
    : Form(16, QStringLiteral("Daten für Titelblatt"))
{
    setClientSize(8400, 5520);

    Label1.Move(240, 120, 7920, 420);
    Label1.setFontBold(true);
    Label1.setFontSize(12);
    Label1.setUseMnemonic(false);

    for (const Row &r : Rows) {
        Label &label = this->*r.label;
        label.Move(r.left, r.top, r.width, 260);
        label.setCaption(QString::fromUtf16(r.caption));
        (this->*r.box).Move(r.left, r.top + 260, r.width, 330);
    }

    Label15.Move(LeftColumn, 4680, Wide, 260);
    Label15.setCaption(QStringLiteral("mit freundlicher Unterstützung von:"));
    Label15.setVisible(false);
    int sponsorTop = 4940;
    for (TextBox *box : {&Text14, &Text15, &Text16, &Text17, &Text18, &Text19}) {
        box->Move(LeftColumn, sponsorTop, Wide, 330);
        box->setVisible(false);
        sponsorTop += 360;
    }

    Command10.Move(LeftColumn, 4800, 1680, 420);
    Command10.setCaption(QStringLiteral("Werbung"));
    Command1.Move(6480, 4800, 1680, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    for (const TitleField &f : TextFields) {
        TextBox &box = this->*f.box;
        QString RecordState::*field = f.field;
        box.onLostFocus = [&box, field] { Rec.*field = trimBlanks(box.Text()); };
    }
    Text3.onLostFocus = [this] { Text3_LostFocus(); };
    Command10.onClick = [this] { Command10_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    setTabOrder({&Text2, &Text1, &Text3, &Text6, &Text9, &Text4, &Text5, &Text8, &Text7,
                 &Text13, &Text12, &Text10, &Text11, &Command10, &Command1});
}

void Form16::Form_Load()
{
    RestoreWindowPosition(*this);
    if (::isLoaded<Form1>())
        form<Form1>().Hide();
    // Closing writes the header at ActiveRaceNo: it must be that race's.
    Rec.RaceRecordNo = Race.ActiveRaceNo;
    ReadRaceHeader();
    Label1.setCaption(Rec.RaceName);
}

void Form16::Form_Activate()
{
    for (const TitleField &f : TextFields)
        (this->*f.box).setText(Rec.*f.field);
    Text3.setText(dates::germanDateText(Rec.RaceDate));
}

void Form16::Form_Unload()
{
    Rec.RaceRecordNo = Race.ActiveRaceNo;
    // Only a race that exists: writing past the last one would make a new
    // race out of this header.
    if (Rec.RaceRecordNo >= 1 && Rec.RaceRecordNo <= Rec.RaceCount)
        WriteRaceHeader();
    StoreWindowPosition(*this);
    form<Form4>().Show();
}

void Form16::Text3_LostFocus()
{
    double date = 0;
    if (dates::parseGermanDate(trimBlanks(Text3.Text()), &date))
        Rec.RaceDate = date;
    else
        beep();
}

void Form16::Command10_Click()
{
    form<Form21>().Show();
}

void Form16::Command1_Click()
{
    Unload();
}

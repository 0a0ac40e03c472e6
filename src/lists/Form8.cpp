#include "Form8.h"

#include <QStringList>

#include "AlphabeticalList.h"
#include "Certificates.h"
#include "CoverSheet.h"
#include "Form28.h"
#include "NotClassifiedList.h"
#include "ParticipantList.h"
#include "PrintHelpers.h"
#include "ResultList.h"
#include "SecondRunStartList.h"
#include "core/Form1.h"
#include "core/Form4.h"
#include "core/ProgramPictures.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Strings.h"
#include "race/Form13.h"
#include "race/Form21.h"
#include "race/Ranking.h"

namespace {

const QStringList &pictogramNames()
{
    static const QStringList names = {
        QStringLiteral("Schifahrer"),     QStringLiteral("Snowboarder"),
        QStringLiteral("Rodler"),         QStringLiteral("laufendes Kind"),
        QStringLiteral("Läuferin"),       QStringLiteral("Läufer"),
        QStringLiteral("Laufendes Paar"), QStringLiteral("Radfahrer"),
    };
    return names;
}

const QStringList &bestTimeTitles()
{
    static const QStringList titles = {
        QStringLiteral("kein Text"),        QStringLiteral("Bestzeit"),
        QStringLiteral("Tagesbestzeit"),    QStringLiteral("Ortsmeister/in"),
        QStringLiteral("Vereinsmeister/in"),
    };
    return titles;
}

constexpr int LastBestTimeClass = 18;

// The button column right of the finisher list.
struct PrintButton {
    CommandButton Form8::*button;
    const char16_t *caption;
};

} // namespace

int printWindowClubFilter()
{
    // Asking must not load the window.
    if (!isLoaded<Form8>())
        return 0;
    Form8 &f = form<Form8>();
    if (!f.Visible() || f.Check1.Value() == 0)
        return 0;
    // Ticked without a club chosen: the whole race, as the result list then
    // prints it (no club in its title).
    const int index = f.Combo3.ListIndex();
    if (index < 0 || index >= f.Combo3.ListCount())
        return 0;
    return index + 1;
}

QString FinisherLine(int rank, int slot, const QString &athleteName, const QString &designation)
{
    return rightChars(QStringLiteral("   ") + num::numberText(rank), 4) + QStringLiteral(". ")
        + fitLeft(athleteName, 25) + QLatin1Char(' ') + fitLeft(designation, 20) + blanks(12)
        + num::numberText(slot);
}

Form8::Form8()
    : Form(8, QStringLiteral("Ausdrucke"))
{
    setClientSize(11520, 8400);

    Label1.Move(120, 120, 7080, 420);
    Label1.setFontName(QStringLiteral("Arial"));
    Label1.setFontSize(12);
    Label1.setFontBold(true);
    Label3.Move(120, 600, 5040, 300);
    Command6.Move(5280, 560, 1920, 360);
    Command6.setCaption(QStringLiteral("Drucker wählen"));

    List2.Move(120, 1020, 7080, 4920);
    List2.setFontName(QStringLiteral("Monospac821 BT"));
    List2.setFontSize(8);

    Check2.Move(120, 6060, 4800, 300);
    Check2.setCaption(QStringLiteral("alternativer Text auf Urkunde"));
    Text1.Move(120, 6420, 7080, 330);
    Text1.setText(QStringLiteral("hat erfolgreich an der"));
    Text2.Move(120, 6780, 7080, 330);
    Text2.setText(QStringLiteral("Wintersportwoche 2015"));
    Text3.Move(120, 7140, 7080, 330);
    Text3.setText(QStringLiteral("teilgenommen."));
    for (TextBox *t : {&Text1, &Text2, &Text3})
        t->setVisible(false);

    Image2.Move(9180, 60, 600, 800);
    Image2.setStretch(true);
    Image1.Move(9900, 60, 210, 800);
    Image1.setStretch(true);

    Label2.Move(7440, 1020, 3960, 270);
    Label2.setCaption(QStringLiteral("Bild auf Urkunde:"));
    Combo1.Move(7440, 1290, 3960, 330);
    Label4.Move(7440, 1680, 3960, 270);
    Label4.setCaption(QStringLiteral("Text für Bestzeit:"));
    Combo2.Move(7440, 1950, 3960, 330);
    Label5.Move(7440, 2340, 3960, 270);
    Label5.setCaption(QStringLiteral("Wertung der \"Bestzeit\" ab Klasse:"));
    Combo4.Move(7440, 2610, 3960, 330);
    Check1.Move(7440, 3060, 3960, 300);
    Check1.setCaption(QStringLiteral("Vereinswertung"));
    Combo3.Move(7440, 3360, 3960, 330);
    Combo3.setVisible(false);

    static const PrintButton buttons[] = {
        {&Form8::Command3, u"Ergebnisliste drucken"},
        {&Form8::Command5, u"Urkunden drucken"},
        {&Form8::Command2, u"Teilnehmerliste 2.Durchgang"},
        {&Form8::Command4, u"Teilnehmerliste"},
        {&Form8::Command9, u"alphabetische Liste mit Startnummern"},
        {&Form8::Command7, u"Liste der Ausgeschiedenen"},
        {&Form8::Command8, u"Titelblatt drucken"},
        {&Form8::Command10, u"Werbung"},
    };
    int row = 0;
    for (const PrintButton &b : buttons) {
        CommandButton &button = this->*b.button;
        button.Move(7440, 3900 + row * 420, 3960, 360);
        button.setCaption(QString::fromUtf16(b.caption));
        ++row;
    }
    Command1.Move(7440, 7800, 3960, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    Combo1.onLostFocus = [this] { Combo1_LostFocus(); };
    Combo2.onLostFocus = [this] { Combo2_LostFocus(); };
    Combo4.onLostFocus = [this] { Combo4_LostFocus(); };
    Check1.onClick = [this] { Check1_Click(); };
    Combo3.onClick = [this] { passClubChoice(); };
    Check2.onClick = [this] { Check2_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    Command7.onClick = [this] { Command7_Click(); };
    Command8.onClick = [this] { Command8_Click(); };
    Command9.onClick = [this] { Command9_Click(); };
    Command10.onClick = [this] { Command10_Click(); };
    setTabOrder({&List2, &Combo1, &Combo2, &Combo4, &Check1, &Combo3, &Command3, &Command5,
                 &Command2, &Command4, &Command9, &Command7, &Command8, &Command10, &Check2,
                 &Text1, &Text2, &Text3, &Command6, &Command1});
}

void Form8::Form_Load()
{
    RestoreWindowPosition(*this);
    if (::isLoaded<Form1>())
        form<Form1>().Hide();
    // The print server may name the default printer after the window opened.
    watchPrinterNames(this, [this] {
        if (takesEvents())
            Label3.setCaption(printer().DeviceName());
    });
    OpenAthleteAndClubFilesIfClosed();

    // The list heads' pictures at the size the boxes show them; the print
    // routines take the full ones when a head is printed.
    Image1.setPicture(ProgramPicture(QStringLiteral("strip-screen.png")));
    Image2.setPicture(ProgramPicture(QStringLiteral("emblem-screen.png")));

    Label1.setCaption(Rec.RaceName);
    List2.Clear();
    Combo1.Clear();
    Combo1.AddItems(pictogramNames());
    Combo2.Clear();
    Combo2.AddItems(bestTimeTitles());

    Combo3.Clear();
    QStringList clubs;
    for (int n = 1; n <= Rec.ClubCount; ++n) {
        Rec.CurrentClubNo = n;
        ReadClubRecord();
        clubs << trimBlanks(Rec.ClubShortName);
    }
    Combo3.AddItems(clubs);

    // The race header keeps the best-time class as 0..17 and reads anything
    // higher back as 0: a choice of class 19 or 20 would be lost on the next
    // reading, so only the classes it can hold are offered.
    Combo4.Clear();
    QStringList classes;
    for (int k = 1; k <= LastBestTimeClass; ++k)
        classes << Race.ClassNames[k];
    Combo4.AddItems(classes);

    // The final ranking, while this window is not yet shown: the whole race.
    setHourglass(true);
    // A ranking window the user has open shows the ranking; else none is
    // built (and none is stored on closing).
    if (isLoaded<Form13>()) {
        form<Form13>().Show();
        form<Form13>().Hide();
        ComputeProvisionalResult();
        unload<Form13>();
    } else {
        ComputeRankingWithoutWindow();
    }

    QStringList finishers;
    for (int p = 1; p <= MaxSlots; ++p) {
        const int s = Ranking.RankOrder[p];
        if (s < 1 || s > MaxSlots || Race.SlotStatus1[s] != 0 || Race.SlotStatus2[s] != 0)
            continue;
        Rec.CurrentAthleteId = Race.SlotAthleteId[s];
        ReadAthleteRecord();
        const int cell = Race.SlotClassCell[s];
        const QString designation =
            cell >= 0 && cell < CellCount ? Race.ClassDesignations[cell] : QString();
        finishers << FinisherLine(Ranking.SlotRank[s], s, Rec.AthleteName, designation);
    }
    List2.AddItems(finishers);
    setHourglass(false);
}

void Form8::Form_Activate()
{
    // The banner window comes with the cover sheet; once it exists it is
    // unloaded here, so that the cover sheet reads the banners as stored.
    unload<Form21>();
    Label3.setCaption(printer().DeviceName());
    // The PDF printer is always there; asking the print server here would
    // hold the window while it does not answer.
    Command6.setEnabled(true);
    Combo1.setListIndex(0);
    Combo2.setListIndex(0);
    Combo4.setListIndex(Rec.BestTimeFromClass);
    // A stored value out of range leaves the first entry, and stays stored
    // until the combo is left with another choice.
    if (Rec.CertificatePictogram >= 0 && Rec.CertificatePictogram < Combo1.ListCount())
        Combo1.setListIndex(Rec.CertificatePictogram);
    if (Rec.BestTimeTitle >= 0 && Rec.BestTimeTitle < Combo2.ListCount())
        Combo2.setListIndex(Rec.BestTimeTitle);
}

void Form8::Form_Unload()
{
    StoreWindowPosition(*this);
    ListPrint.ChosenClub = 0;
    // The header variables belong to the race shown; a race number that
    // names no race writes nothing.
    Rec.RaceRecordNo = Race.ActiveRaceNo;
    if (Rec.RaceRecordNo >= 1 && Rec.RaceRecordNo <= Rec.RaceCount)
        WriteRaceHeader();
    form<Form4>().Show();
}

// The combos offer their lines only (DropDownCombo would let a typed text
// leave no line chosen); none chosen keeps the stored value.
void Form8::Combo1_LostFocus()
{
    if (Combo1.ListIndex() >= 0)
        Rec.CertificatePictogram = Combo1.ListIndex();
}

void Form8::Combo2_LostFocus()
{
    if (Combo2.ListIndex() >= 0)
        Rec.BestTimeTitle = Combo2.ListIndex();
}

void Form8::Combo4_LostFocus()
{
    if (Combo4.ListIndex() >= 0)
        Rec.BestTimeFromClass = std::uint8_t(Combo4.ListIndex());
}

void Form8::Check1_Click()
{
    letWindowSystemRedraw();
    Combo3.setVisible(Check1.Value() != 0);
    passClubChoice();
}

// The ticked club for the result list's title (ListPrint.ChosenClub).
void Form8::passChosenClub()
{
    const int index = Combo3.ListIndex();
    ListPrint.ChosenClub = loadedNow() && Check1.Value() != 0 && index >= 0 ? index + 1 : 0;
}

void Form8::passClubChoice()
{
    passChosenClub();
    Ranking.ClubFilter = printWindowClubFilter();
}

// Shown or hidden (by code, the user or Unload): the choice counts only while
// the window is shown.
void Form8::showEvent(QShowEvent *event)
{
    Form::showEvent(event);
    passClubChoice();
}

void Form8::hideEvent(QHideEvent *event)
{
    Form::hideEvent(event);
    passClubChoice();
}

void Form8::Check2_Click()
{
    const bool shown = Check2.Value() != 0;
    Text1.setVisible(shown);
    Text2.setVisible(shown);
    Text3.setVisible(shown);
}

void Form8::Command1_Click()
{
    Unload();
}

void Form8::Command3_Click()
{
    setHourglass(true);
    passChosenClub();
    PrintResultList();
    setHourglass(false);
}

void Form8::Command6_Click()
{
    form<Form28>().Show();
}

// The start list of the second run.
void Form8::Command2_Click()
{
    PrintSecondRunStartList([this](bool enabled) { Command2.setEnabled(enabled); });
}

// The participant list.
void Form8::Command4_Click()
{
    PrintParticipantList();
}

// The certificates of the marked List2 lines.
void Form8::Command5_Click()
{
    CertificateRequest request;
    for (int i = 0; i < List2.ListCount(); ++i)
        if (List2.Selected(i))
            request.markedLines.append(List2.List(i));
    request.alternativeText = Check2.Value() != 0;
    request.text1 = Text1.Text();
    request.text2 = Text2.Text();
    request.text3 = Text3.Text();
    PrintCertificates(request);
}

// Those not classified.
void Form8::Command7_Click()
{
    PrintNotClassifiedList([this](bool enabled) { Command7.setEnabled(enabled); });
}

// The official cover sheet.
void Form8::Command8_Click()
{
    PrintCoverSheet();
}

// The alphabetical list with start numbers.
void Form8::Command9_Click()
{
    PrintAlphabeticalList();
}

// The banner window.
void Form8::Command10_Click()
{
    form<Form21>().Show();
}

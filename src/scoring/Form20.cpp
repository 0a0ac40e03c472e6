#include "Form20.h"

#include "CupEvaluation.h"
#include "CupFile.h"
#include "CupList.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "race/Form13.h"
#include "platform/Beep.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

// The title a cup has before it is given one.
const QString DefaultCupTitle = QStringLiteral("Vereinscup");

} // namespace

std::int32_t RaceNoOfListLine(const QString &line)
{
    // Reading stops at the blanks after the number, so four- and five-digit
    // race numbers are read whole.
    return num::toInt32(num::numericValue(line));
}

QString PointsLine(int place)
{
    return QStringLiteral("Platz") + num::numberText(place) + QStringLiteral(": ")
        + num::numberText(Cup.PointsTable[std::size_t(place)]) + QStringLiteral(" P.");
}

Form20::Form20()
    : Form(20, QStringLiteral("Cupwertung"))
{
    setClientSize(15000, 7800);

    Label7.Move(240, 240, 4800, 300);
    Label7.setCaption(QStringLiteral("Bezeichnung des Cups"));
    Text4.Move(240, 540, 4800, 360);
    Text4.setText(DefaultCupTitle);

    Label1.Move(240, 1080, 4800, 300);
    Label1.setCaption(QStringLiteral("Liste der Rennen"));
    List1.Move(240, 1380, 4800, 2880);
    List1.setFontName(QStringLiteral("Arial"));
    List1.setToolTipText(QStringLiteral("Die markierten Rennen kommen in die Cup-Wertung"));

    Label4.Move(240, 4440, 960, 300);
    Label4.setCaption(QStringLiteral("Platz"));
    Text1.Move(240, 4740, 960, 360);
    Label5.Move(1320, 4440, 960, 300);
    Label5.setCaption(QStringLiteral("Punkte"));
    Text2.Move(1320, 4740, 960, 360);
    List2.Move(2520, 4440, 2520, 1800);

    Label6.Move(240, 5220, 2160, 300);
    Label6.setCaption(QStringLiteral("Streichresultate:"));
    Text3.Move(240, 5520, 600, 360);

    Check1.Move(240, 6420, 4800, 300);
    Check1.setCaption(QStringLiteral("Klassen auf getrennten Seiten"));
    Check1.setToolTipText(QStringLiteral("wenn aktiviert, wird mehr Papier verschwendet ;)"));

    Command1.Move(240, 6960, 1440, 480);
    Command1.setCaption(QStringLiteral("auswerten"));
    Command2.Move(1920, 6960, 1440, 480);
    Command2.setCaption(QStringLiteral("drucken"));
    Command3.Move(3600, 6960, 1440, 480);
    Command3.setCaption(QStringLiteral("exit"));

    Label2.Move(5400, 240, 3000, 300);
    Label2.setCaption(QStringLiteral("Teilnehmer"));
    List3.Move(5400, 540, 4200, 2280);
    List3.setToolTipText(QStringLiteral("sortierte Teilnehmerliste"));
    Label8.Move(9720, 540, 1200, 300);

    List4.Move(11040, 540, 1200, 600);
    List4.setVisible(false);

    Label3.Move(5400, 3000, 4800, 300);
    Label3.setCaption(QStringLiteral("Ergebnisliste der Cuprennen"));
    List5.Move(5400, 3300, 9360, 4140);
    List5.setFontName(QStringLiteral("Monospac821 BT"));
    List5.setFontSize(8);

    List1.onClick = [this] { List1_Click(); };
    Text1.onChange = [this] { Text1_Change(); };
    Text1.onKeyDown = [this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); };
    Text2.onChange = [this] { Text2_Change(); };
    Text2.onKeyDown = [this](int &keyCode, int shift) { Text2_KeyDown(keyCode, shift); };
    Text2.onLostFocus = [this] { Text2_LostFocus(); };
    Text3.onChange = [this] { Text3_Change(); };
    Text3.onClick = [this] { Text3_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    setTabOrder({&Text4, &List1, &Text1, &Text2, &List2, &Text3, &Check1, &Command1, &Command2,
                 &Command3, &List3, &List5});
}

void Form20::Form_Load()
{
    RestoreWindowPosition(*this);
    Cup.SavedRaceNo = Race.ActiveRaceNo;

    Command1.setEnabled(false);
    Command2.setEnabled(false);
    Text2.setEnabled(false);
    Text3.setText(QStringLiteral("1"));
    Label8.setCaption(QStringLiteral("..."));

    List1.Clear();
    const ListBox &races = form<Form4>().List1;
    QStringList lines;
    for (int k = 0; k < races.ListCount(); ++k)
        lines << races.List(k);
    List1.AddItems(lines);

    SetDefaultCupPoints();
    const CupFileContent file = ReadCupFile();
    if (file.hasTitle)
        Text4.setText(file.title);
    for (const std::int32_t race : file.races)
        for (int k = 0; k < List1.ListCount(); ++k)
            if (RaceNoOfListLine(List1.List(k)) == race)
                List1.setSelected(k, true);
    // The races of the file are marked as if clicked: the cup can be
    // evaluated at once. No evaluation has run yet, so nothing to print.
    Command1.setEnabled(List1.SelCount() > 0);
    Command2.setEnabled(false);

    FillPointsList(true);
}

void Form20::Form_Unload()
{
    StoreWindowPosition(*this);
    // A cup file that cannot be written keeps its old content; the beep says so.
    if (!WriteCupFile(Text4.Text(), MarkedRaces()))
        beep();

    Race.ActiveRaceNo = Cup.SavedRaceNo;
    Rec.RaceRecordNo = Race.ActiveRaceNo;
    // No race chosen before the cup opened is no wrong input.
    if (Rec.RaceRecordNo >= 1 && Rec.RaceRecordNo <= Rec.RaceCount)
        ReadRaceHeader();
    else
        ClearRaceHeader();
    LoadRaceFiles();
    form<Form4>().Show();
}

std::vector<std::int32_t> Form20::MarkedRaces() const
{
    std::vector<std::int32_t> races;
    for (int k = 0; k < List1.ListCount(); ++k)
        if (List1.Selected(k))
            races.push_back(RaceNoOfListLine(List1.List(k)));
    return races;
}

int Form20::EditedPlace() const
{
    const double value = num::numericValue(trimBlanks(Text1.Text()));
    if (!(value >= 1))
        return 1;
    if (value > CupPlaces)
        return CupPlaces;
    return num::toInt32(value);
}

void Form20::FillPointsList(bool onlyAboveZero)
{
    List2.Clear();
    QStringList lines;
    for (int place = 1; place <= CupPlaces; ++place) {
        const int points = Cup.PointsTable[std::size_t(place)];
        if (onlyAboveZero ? points > 0 : points != 0)
            lines << PointsLine(place);
    }
    List2.AddItems(lines);
}

void Form20::List1_Click()
{
    Command2.setEnabled(false);
    const int marked = List1.SelCount();
    if (marked == 0)
        Command1.setEnabled(false);
    else if (marked == 1)
        Command1.setEnabled(true);
}

void Form20::Text1_Change()
{
    Command2.setEnabled(false);
    Text2.setEnabled(true);
    const int place = EditedPlace();
    Text1.setText(num::plainNumberText(place));
    const int points = Cup.PointsTable[std::size_t(place)];
    Text2.setText(points == 0 ? QString() : num::plainNumberText(points));
}

void Form20::Text1_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    keyCode = 0;
    Text2.SetFocus();
}

void Form20::Text2_Change()
{
    Command2.setEnabled(false);
    const int place = EditedPlace();
    // Points are 16-bit: a larger number typed is held at the limit.
    Cup.PointsTable[std::size_t(place)] = num::toInt16(num::numericValue(trimBlanks(Text2.Text())));
}

void Form20::Text2_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    keyCode = 0;
    Text1.setText(num::numberText(EditedPlace() + 1));
    Text1.SetFocus();
}

void Form20::Text2_LostFocus()
{
    FillPointsList(false);
}

// The printout shows the drop results of the last evaluation: another
// count, typed or set, needs a new one first.
void Form20::Text3_Change()
{
    Command2.setEnabled(false);
}

void Form20::Text3_Click()
{
    Command2.setEnabled(false);
}

void Form20::Command1_Click()
{
    const std::vector<std::int32_t> races = MarkedRaces();
    // The ranking window stands in front while the races are ranked.
    if (!races.empty())
        form<Form13>().Show();
    EvaluateCup(races, num::numericValue(trimBlanks(Text3.Text())));
    unload<Form13>();
    // The ranking window is gone: the cup window is the one in front again.
    Show();

    List3.Clear();
    List3.AddItems(CupLines.Names);
    Label8.setCaption(num::plainNumberText(double(CupLines.ParticipantCount)));
    if (CupLines.DropsLowered)
        Text3.setText(num::plainNumberText(CupLines.Drops));
    List4.Clear();
    List4.AddItems(CupLines.SortLines);
    List5.Clear();
    List5.AddItems(CupLines.DisplayLines);
    Command2.setEnabled(true);
}

void Form20::Command2_Click()
{
    PrintCupList();
}

void PrintCupList()
{
    Form20 &f = form<Form20>();
    CupListRequest request;
    request.cupName = f.Text4.Text();
    for (int k = 0; k < f.List4.ListCount(); ++k)
        request.keys.append(f.List4.List(k));
    request.separatePages = f.Check1.Value() == 1;
    f.Command2.setEnabled(false);
    PrintCupList(request);
}

void Form20::Command3_Click()
{
    Unload();
}

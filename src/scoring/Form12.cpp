#include "Form12.h"

#include <QStringList>

#include "TeamResultList.h"
#include "TeamScoring.h"
#include "core/Form1.h"
#include "core/Form4.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "lists/Form28.h"
#include "lists/ListRows.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "race/Form13.h"
#include "race/Ranking.h"

namespace {

// A ranking window the user has open shows the ranking; else the ranking
// makes no display lines.
void rankRace()
{
    if (isLoaded<Form13>()) {
        ComputeProvisionalResult();
        RefreshRankingWindow();
    } else {
        ComputeRankingWithoutWindow();
    }
}

void fill(ComboBox &combo, const QStringList &items)
{
    combo.Clear();
    combo.AddItems(items);
    combo.setListIndex(0);
}

} // namespace

Form12::Form12()
    : Form(12, QStringLiteral("Mannschafts-, Vereins- und Gruppen - Ergebnisse"))
{
    setClientSize(12960, 8160);
    const QString fixedPitch = QStringLiteral("Monospac821 BT");

    Label1.Move(240, 120, 7440, 420);
    Label1.setFontSize(12);
    Label1.setFontBold(true);
    Label1.setUseMnemonic(false);
    Label3.Move(240, 600, 2640, 300);
    Label3.setUseMnemonic(false);
    Command6.Move(240, 900, 2640, 360);
    Command6.setCaption(QStringLiteral("Drucker wählen"));

    Label10.Move(240, 1440, 2640, 270);
    Label10.setCaption(QStringLiteral("Art der Wertung:"));
    Check1.Move(240, 1740, 2640, 300);
    Check1.setCaption(QStringLiteral("Vereinswertung"));
    Check1.setValue(1);
    Check2.Move(240, 2070, 2640, 300);
    Check2.setCaption(QStringLiteral("Mannschaftswertung"));
    Check3.Move(240, 2400, 2640, 300);
    Check3.setCaption(QStringLiteral("Gruppenwertung"));
    Combo3.Move(240, 2760, 2640, 330);

    Label4.Move(240, 3300, 2640, 270);
    Label4.setCaption(QStringLiteral("Auswertung nach:"));
    Option1.Move(240, 3600, 2640, 300);
    Option1.setCaption(QStringLiteral("Bestzeit"));
    Option1.setValue(true);
    Option2.Move(240, 3930, 2640, 300);
    Option2.setCaption(QStringLiteral("Durchschnitt"));
    Option3.Move(240, 4260, 2640, 300);
    Option3.setCaption(QStringLiteral("Zeitsumme der besten"));
    Combo2.Move(240, 4620, 1200, 330);
    Combo2.setEnabled(false);

    Command2.Move(240, 5400, 2640, 420);
    Command2.setCaption(QStringLiteral("Auswertung starten"));
    Command3.Move(240, 5940, 2640, 420);
    Command3.setCaption(QStringLiteral("drucken"));
    Command3.setEnabled(false);
    Command1.Move(240, 7560, 2640, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    Label5.Move(3120, 600, 3360, 270);
    Label5.setCaption(QStringLiteral("Vereine"));
    List1.Move(3120, 870, 3360, 2160);
    Label6.Move(3120, 3120, 3360, 270);
    Label6.setCaption(QStringLiteral("Mannschaften"));
    List3.Move(3120, 3390, 3360, 2160);
    Label7.Move(3120, 5640, 3360, 270);
    Label7.setCaption(QStringLiteral("Gruppen"));
    List4.Move(3120, 5910, 3360, 2070);

    Label2.Move(6720, 600, 6000, 270);
    Label2.setCaption(QStringLiteral("Ergebnisliste"));
    List2.Move(6720, 870, 6000, 3000);
    Label8.Move(6720, 3960, 6000, 270);
    Label8.setCaption(QStringLiteral("Teilnehmer"));
    List5.Move(6720, 4230, 6000, 3000);
    Label9.Move(6720, 7320, 2400, 270);
    Label9.setCaption(QStringLiteral("Teilnehmer sortieren:"));
    Combo1.Move(9240, 7290, 3480, 330);

    for (ListBox *list : {&List1, &List2, &List3, &List4, &List5}) {
        list->setFontName(fixedPitch);
        list->setFontSize(8);
    }

    Check1.onClick = [this] { Check1_Click(); };
    Check2.onClick = [this] { Check2_Click(); };
    Check3.onClick = [this] { Check3_Click(); };
    Option1.onClick = [this] { Option1_Click(); };
    Option2.onClick = [this] { Option2_Click(); };
    Option3.onClick = [this] { Option3_Click(); };
    Combo2.onClick = [this] { Combo2_Click(); };
    Combo3.onClick = [this] { Combo3_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    List2.onClick = [this] { List2_Click(); };
    setTabOrder({&Check1, &Check2, &Check3, &Combo3, &Option1, &Option2, &Option3, &Combo2,
                 &Command2, &List2, &List5, &Combo1, &Command3, &List1, &List3, &List4,
                 &Command6, &Command1});
}

void Form12::Form_Load()
{
    InitTeamResultsWindow();
    // The print server may name the default printer after the window opened.
    watchPrinterNames(this, [this] {
        if (takesEvents())
            Label3.setCaption(printer().DeviceName());
    });
}

void Form12::Form_Activate()
{
    Label3.setCaption(printer().DeviceName());
}

void Form12::Form_Unload()
{
    StoreWindowPosition(*this);
    form<Form4>().Show();
}

void Form12::categoryClick(CheckBox &box)
{
    if (box.Value() == 1)
        for (CheckBox *other : {&Check1, &Check2, &Check3})
            if (other != &box)
                other->setValue(0);
    Command3.setEnabled(false);
}

void Form12::Check1_Click() { categoryClick(Check1); }
void Form12::Check2_Click() { categoryClick(Check2); }
void Form12::Check3_Click() { categoryClick(Check3); }
void Form12::Option1_Click() { Command3.setEnabled(false); }
void Form12::Option2_Click() { Command3.setEnabled(false); }

void Form12::Option3_Click()
{
    Combo2.setEnabled(true);
    Command3.setEnabled(false);
}

void Form12::Combo2_Click() { Command3.setEnabled(false); }
void Form12::Combo3_Click() { Command3.setEnabled(false); }
void Form12::Command1_Click() { Unload(); }
void Form12::Command2_Click() { EvaluateTeams(); }

// Prints the result lines with their members. The members come from the
// member list, in the order chosen there: each line is selected in turn,
// which lists them (a line already selected is listed anew, so that a
// changed order takes effect); the last line stays selected. The hourglass
// shows from the first line on.
void Form12::Command3_Click()
{
    const PrintRun printRun;
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    OpenAthleteAndClubFilesIfClosed();
    TeamResultRequest request;
    for (int k = 0; k < List2.ListCount(); ++k) {
        const bool sameLine = List2.ListIndex() == k;
        List2.setListIndex(k);
        if (sameLine)
            ShowTeamMembers();
        letWindowSystemRedraw();
        TeamResultLine &line = request.lines.emplace_back();
        line.line = List2.List(k);
        for (int m = 0; m < List5.ListCount(); ++m)
            line.memberLines.append(List5.List(m));
    }
    PrintTeamResults(request);
}

void Form12::Command6_Click() { form<Form28>().Show(); }
void Form12::List2_Click() { ShowTeamMembers(); }

void InitTeamResultsWindow()
{
    Form12 &f = form<Form12>();
    RestoreWindowPosition(f);
    if (::isLoaded<Form1>())
        form<Form1>().Hide();
    OpenAthleteAndClubFilesIfClosed();
    f.Label1.setCaption(Rec.RaceName);
    fill(f.Combo3, {QStringLiteral("gemischt"), QStringLiteral("nur männlich"),
                    QStringLiteral("nur weiblich")});
    QStringList counts;
    for (int n = 2; n <= 10; ++n)
        counts << num::numberText(n);
    fill(f.Combo2, counts);
    fill(f.Combo1, {QStringLiteral("nach Zeit"), QStringLiteral("alphabetisch"),
                    QStringLiteral("nach Klassen")});

    CollectRaceClubs();
    rankRace();

    f.List1.Clear();
    f.List1.AddItems(RaceClubLines());
    f.List3.Clear();
    f.List3.AddItems(TeamsWithEntriesLines());
    if (f.List3.ListCount() == 0)
        f.Check2.setEnabled(false);
    f.List4.Clear();
    f.List4.AddItems(NamedGroupLines());
}

void EvaluateTeams()
{
    Form12 &f = form<Form12>();
    TeamScoringState &s = TeamScoring;
    s.Category = f.Check1.Value() == 1 ? TeamCategory::Club
        : f.Check2.Value() == 1       ? TeamCategory::Team
        : f.Check3.Value() == 1       ? TeamCategory::Group
                                      : TeamCategory::None;
    s.ScoreKind = f.Option3.Value() ? TeamScoreKind::TimeSum
        : f.Option2.Value()         ? TeamScoreKind::Average
                                    : TeamScoreKind::BestTime;
    s.TimeSumCount = f.Combo2.ListIndex() + 2;
    const int filter = f.Combo3.ListIndex();
    s.SexFilter = filter == 1 ? TeamSexFilter::MaleOnly
        : filter == 2         ? TeamSexFilter::FemaleOnly
                              : TeamSexFilter::Mixed;

    rankRace();
    ScoreTeams();

    if (s.ScoredKind == TeamScoreKind::TimeSum && s.ScoredCategory != TeamCategory::None) {
        f.List5.Clear();
        f.List5.AddItems(s.LastSortLines);
    }
    f.List2.Clear();
    f.List2.AddItems(TeamResultLines());
    f.Command3.setEnabled(true);
}

void ShowTeamMembers()
{
    Form12 &f = form<Form12>();
    const int line = f.List2.ListIndex();
    if (line < 0)
        return;
    f.List5.Clear();
    TeamScoring.SelectedTeamIndex = TeamIndexOfLine(f.List2.List(line));
    const int order = f.Combo1.ListIndex();
    TeamScoring.MemberOrder = order == 1 ? TeamMemberOrder::Alphabetical
        : order == 2                     ? TeamMemberOrder::ByClass
                                         : TeamMemberOrder::ByTime;
    f.List5.AddItems(TeamMemberLines());
}

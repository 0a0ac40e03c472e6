#include "TeamResultList.h"

#include "TeamScoring.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/ListRows.h"
#include "lists/PrintHelpers.h"
#include "platform/Colours.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Redraw.h"
#include "platform/Strings.h"
#include "race/Ranking.h"

namespace {

double rowY(double row) { return 42 + 4.5 * row; }

QString categoryTitle(TeamCategory category)
{
    switch (category) {
    case TeamCategory::Club: return QStringLiteral("Vereinswertung");
    case TeamCategory::Team: return QStringLiteral("Mannschaftswertung");
    case TeamCategory::Group: return QStringLiteral("Gruppenwertung");
    case TeamCategory::None: break;
    }
    return {};
}

QString categoryHead(TeamCategory category)
{
    switch (category) {
    case TeamCategory::Club: return QStringLiteral("Verein");
    case TeamCategory::Team: return QStringLiteral("Mannschaft");
    case TeamCategory::Group: return QStringLiteral("Gruppe");
    case TeamCategory::None: break;
    }
    return {};
}

class TeamResultJob {
public:
    explicit TeamResultJob(const TeamResultRequest &request) : request(request) {}
    void run();

private:
    void pageHead();
    // A new page when this one has taken more than ten rows and the print
    // position (or, before a band, the foot of the band) is below 240 mm.
    bool pageIsFull(bool beforeBand);
    void newPage();
    void band(int rank, const QString &line);
    void member(int slot);

    const TeamResultRequest &request;
    Printer &p = printer();
    double row = 0;
};

// The row of the first band of a page: clear of the column heads.
constexpr double FirstBandRow = 2;
// From a band to its first member.
constexpr double BandToMember = 1.3;

void TeamResultJob::run()
{
    p.setJobTitle(categoryTitle(TeamScoring.ScoredCategory), Rec.RaceName);
    PrintRun printRun;
    OpenAthleteAndClubFilesIfClosed();
    ListPrint.PageNo = 0;
    row = 0;
    pageHead();
    row = 0;

    for (std::size_t k = 0; k < request.lines.size(); ++k) {
        const QString &line = request.lines[k].line;
        const int rank = int(k) + 1;
        // A band never stays alone at the foot of a page: it goes on when
        // its first member would.
        row += 2;
        if (pageIsFull(true)) {
            newPage();
            row = FirstBandRow;
        }
        band(rank, line);
        row += 0.3;
        letWindowSystemRedraw();

        for (const QString &memberLine : request.lines[k].memberLines) {
            const int slot = SlotOfMemberLine(memberLine);
            row += 1;
            if (pageIsFull(false)) {
                // The club, team or group running on is named again.
                newPage();
                row = FirstBandRow;
                band(rank, line);
                row += BandToMember;
            }
            if (slot != 0)
                member(slot);
        }
    }

    p.EndDoc();
}

bool TeamResultJob::pageIsFull(bool beforeBand)
{
    if (row <= 10)
        return false;
    if (p.CurrentY > 240)
        return true;
    if (!beforeBand)
        return false;
    // Where the print position will be after the band: the test before
    // its first member reads it there.
    p.FontSize = 10;
    p.FontBold = true;
    return rowY(row) + p.TextHeight() > 240;
}

void TeamResultJob::newPage()
{
    p.NewPage();
    pageHead();
}

void TeamResultJob::pageHead()
{
    const TeamScoringState &s = TeamScoring;
    QString kind;
    switch (s.ScoredKind) {
    case TeamScoreKind::BestTime: kind = QStringLiteral("Bestzeit"); break;
    case TeamScoreKind::Average: kind = QStringLiteral("Durchschnitt"); break;
    case TeamScoreKind::TimeSum:
        kind = QStringLiteral("Zeitsumme der besten") + num::numberText(s.ScoredTimeSumCount);
        break;
    }
    ListHeadStyle style;
    style.Title = categoryTitle(s.ScoredCategory);
    style.Subtitle = QStringLiteral("Auswertung nach: ") + kind;
    style.RaceNameLimit = 98;
    style.ShortNameFirst = true;
    style.DateY = 32;
    style.FrameBottom = 37;
    style.ProgramName = true;
    ListPageHead(style);

    std::vector<ColumnHead> heads = {
        {20, QStringLiteral("Rang")},
        {38, categoryHead(s.ScoredCategory)},
        {60, QStringLiteral("Läufer")},
        {108, QStringLiteral("Zeit")},
    };
    if (Rec.TwoRuns == 1) {
        heads.push_back({144, QStringLiteral("1.DG")});
        heads.push_back({181, QStringLiteral("2.DG")});
    }
    PrintColumnHeads(10, 43, heads);

    PrintLogo(120, 11);
}

void TeamResultJob::band(int rank, const QString &line)
{
    const TeamScoringState &s = TeamScoring;
    double score = num::decimalCommaValue(leftChars(line, 10));
    const int t = TeamIndexOfLine(line);

    QString name;
    switch (s.ScoredCategory) {
    case TeamCategory::Club: {
        const int club = t != 0 ? s.RaceClubList[t] : 0;
        if (club >= 1 && club <= Rec.ClubCount) {
            Rec.CurrentClubNo = club;
            ReadClubRecord();
            name = trimBlanks(Rec.ClubShortName) + blanks(5) + trimBlanks(Rec.ClubFullName);
        }
        break;
    }
    case TeamCategory::Team: name = t != 0 ? Race.TeamNames[t] : QString(); break;
    case TeamCategory::Group: name = t != 0 ? Race.GroupNames[t] : QString(); break;
    case TeamCategory::None: break;
    }

    const double y = rowY(row);
    GreyBand(20, y - 0.5, 190, y + 4.5, colourValue(208, 208, 208));

    p.FontSize = 10;
    p.FontBold = true;
    p.CurrentX = 20;
    p.CurrentY = y;
    p.Print(num::numberText(rank));
    p.CurrentX = 38;
    p.CurrentY = y;
    p.Print(FitToColumn(name, 38, 100));

    QString label;
    switch (s.ScoredKind) {
    case TeamScoreKind::BestTime: label = QStringLiteral("Bestzeit:"); break;
    case TeamScoreKind::Average: label = QStringLiteral("Durchschnittszeit:"); break;
    case TeamScoreKind::TimeSum: label = QStringLiteral("Zeitsumme:"); break;
    }
    // A time sum without its penalties for missing finishers.
    while (score >= MissingTimePenalty)
        score -= MissingTimePenalty;
    const QString time = PrintedTime(score);
    PrintAt(100, y, label, PrintEnd::StayOnLine);
    p.Print(time);
}

void TeamResultJob::member(int slot)
{
    const double y = rowY(row);
    ReadSlotAthleteRecord(slot);

    p.FontSize = 8;
    p.FontBold = TeamScoring.SlotCounted[slot] == 1;
    p.CurrentX = 60;
    p.CurrentY = y;
    p.Print(FitToColumn(trimBlanks(Rec.AthleteName), 60, 100));
    PrintAt(100, y, PrintedTime(Ranking.SlotTotalTime[slot]));
    if (Rec.TwoRuns == 1) {
        PrintAt(138, y, PrintedTime(Race.SlotTime1[slot]));
        PrintAt(175, y, PrintedTime(Race.SlotTime2[slot]));
    }
    p.FontBold = false;
}

} // namespace

void PrintTeamResults(const TeamResultRequest &request)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    TeamResultJob job(request);
    job.run();
}

#include "ResultList.h"

#include <QDate>
#include <QHash>
#include <memory>
#include <vector>

#include "CombinationFile.h"
#include "CupTable.h"
#include "ListRows.h"
#include "PrintHelpers.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Strings.h"
#include "race/RankingRefresh.h"
#include "race/Ranking.h"

namespace {

// Where one layout puts its columns (0: the column is not printed).
struct Layout {
    bool combination = false;
    double startNoX = 0, nameX = 0, clubX = 0, yearX = 0;
    double time1X = 0, time2X = 0, totalX = 0;
    std::vector<ColumnHead> heads;
};

Layout normalLayout()
{
    Layout l;
    l.startNoX = 20;
    l.nameX = 34;
    l.clubX = 79;
    l.yearX = 113;
    l.time1X = 125;
    l.heads = {{6, QStringLiteral("Rang")}, {20, QStringLiteral("St.Nr.")},
               {34, QStringLiteral("Name")}, {79, QStringLiteral("Verein/Mannschaft")},
               {113, QStringLiteral("Jahrg.")}, {133, QStringLiteral("Zeit")}};
    if (Rec.TwoRuns == 1) {
        l.time2X = 144;
        l.totalX = 165;
        l.heads.push_back({150, QStringLiteral("Zeit2")});
        l.heads.push_back({166, QStringLiteral("Summe")});
    }
    return l;
}

Layout combinationLayout()
{
    Layout l;
    l.combination = true;
    l.nameX = 20;
    l.clubX = 65;
    l.yearX = 98;
    l.time1X = 114;
    l.time2X = 140;
    l.totalX = 165;
    l.heads = {{6, QStringLiteral("Rang")}, {20, QStringLiteral("Name")},
               {65, QStringLiteral("Verein/Mannschaft")}, {98, QStringLiteral("Jahrg.")},
               // Race names are the user's: kept off the next head.
               {114, CupTable.CombiRaceNames[1], 140 - 114 - CellGap},
               {140, CupTable.CombiRaceNames[2], 166 - 140 - CellGap},
               {166, QStringLiteral("Summe")}};
    return l;
}

// The per-race times of the combination file, joined to the entries by the
// athlete number the file stores: slots are renumbered when an entry is
// removed, so slot i of the race need no longer be entry i of the file.
class CombinationTimes {
public:
    explicit CombinationTimes(int linesRead) : linesRead_(linesRead)
    {
        for (int i = CupRows; i >= 1; --i)
            if (CupTable.CupAthleteNo[i] != 0)
                firstRow_.insert(CupTable.CupAthleteNo[i], i);
    }

    // The file's entry of the athlete in `slot`; 0 when the file has none.
    int rowOf(int slot) const
    {
        const int athlete = Race.SlotAthleteId[slot];
        if (athlete == 0)
            return 0;
        // An athlete entered twice has the same times in both entries; the
        // entry of the same number is taken when it still matches.
        if (slot <= CupRows && CupTable.CupAthleteNo[slot] == athlete)
            return slot;
        return firstRow_.value(athlete, 0);
    }

    // Whether the file held the line of that time (a short file may not).
    bool has(int row, int column) const
    {
        return row > 0 && CombinationTimeLine(row, column) <= linesRead_;
    }

private:
    int linesRead_;
    QHash<int, int> firstRow_;
};

class ResultListJob {
public:
    void run();

private:
    void pageHead();
    void band(int slot);
    void athleteRow(int slot);
    QString bestTimeTitle(int slot, double *size) const;
    const QString &clubName(int club);

    Printer &p = printer();
    Layout layout;
    std::unique_ptr<CombinationTimes> combiTimes;
    QString title;
    double row = 0;
    // The short names of the clubs read so far in this job, by club number;
    // a race has far fewer clubs than entries.
    std::vector<QString> clubNames;
    std::vector<bool> clubRead;
    int lastClub = 0;
};

// The club of the club result list: the one chosen in the print window, and
// only when the ranking was restricted to it, so that the title never names
// a club the rows do not belong to (ticked with no club chosen is the whole
// race).
int clubOfClubResult(int rankedClub)
{
    const int club = ListPrint.ChosenClub;
    if (club < 1 || club > Rec.ClubCount || club != rankedClub)
        return 0;
    return club;
}

void ResultListJob::run()
{
    PrintRun printRun;

    // A ranking window the user has open shows the ranking printed; else
    // the list needs none.
    const int rankedClub = Ranking.ClubFilter;
    if (RankingWindowLoaded()) {
        ComputeProvisionalResult();
        RefreshRankingWindow();
    } else {
        ComputeRankingWithoutWindow();
    }

    OpenAthleteAndClubFilesIfClosed();

    if (CombinationFileExists()) {
        const int lines = ReadCombinationFile();
        combiTimes = std::make_unique<CombinationTimes>(lines);
        layout = combinationLayout();
    } else {
        layout = normalLayout();
    }

    title = layout.combination ? QStringLiteral("Ergebnisliste Kombination")
                               : QStringLiteral("Ergebnisliste");
    if (const int club = clubOfClubResult(rankedClub)) {
        Rec.CurrentClubNo = club;
        ReadClubRecord();
        title += u' ' + trimBlanks(Rec.ClubShortName);
    }
    p.setJobTitle(title, Rec.RaceName);

    ListPrint.PageNo = 0;
    row = 0;
    pageHead();

    BandedRows rows(
        row,
        [this] {
            p.NewPage();
            pageHead();
            row = 1;
        },
        [this](int slot) { band(slot); });
    for (int position = 1; position <= MaxSlots; ++position) {
        const int slot = Ranking.RankOrder[position];
        if (slot < 1 || slot > MaxSlots)
            break;
        if (Race.SlotStatus1[slot] + Race.SlotStatus2[slot] > 0)
            continue;
        ReadSlotAthleteRecord(slot);
        // The class running on is named again at the top of a page.
        rows.next(slot, Ranking.ClassFirstFlag[slot] != 0, true);
        athleteRow(slot);
    }

    // The club fields are left as reading every row's club would leave them.
    if (lastClub != 0) {
        Rec.CurrentClubNo = lastClub;
        ReadClubRecord();
    }
    p.EndDoc();
}

const QString &ResultListJob::clubName(int club)
{
    if (std::size_t(club) >= clubRead.size()) {
        clubNames.resize(club + 1);
        clubRead.resize(club + 1, false);
    }
    if (!clubRead[club]) {
        Rec.CurrentClubNo = club;
        ReadClubRecord();
        clubNames[club] = trimBlanks(Rec.ClubShortName);
        clubRead[club] = true;
    }
    lastClub = club;
    return clubNames[club];
}

void ResultListJob::pageHead()
{
    ListHeadStyle style = PictureListHead(title);
    style.PageNumberSize = layout.combination ? 9 : 8;
    // A club's name in the title ends before the logo.
    style.TitleEnd = 120;
    ListPageHead(style);

    PrintColumnHeads(10, 38, layout.heads);

    PrintLogo(120, 11);
}

void ResultListJob::band(int slot)
{
    PrintClassBand(slot, row, 4, layout.combination ? 65 : 79, 200);
}

QString ResultListJob::bestTimeTitle(int slot, double *size) const
{
    *size = 8;
    const double total = Ranking.SlotTotalTime[slot];
    const bool female = Rec.AthleteSex == 0 && total == Ranking.BestTimeFemale;
    const bool male = Rec.AthleteSex == 1 && total == Ranking.BestTimeMale;
    if (!female && !male)
        return {};
    switch (Rec.BestTimeTitle) {
    case 1: return QStringLiteral("Bestzeit");
    case 2: return QStringLiteral("Tagesbestzeit");
    case 3: return female ? QStringLiteral("Ortsmeisterin") : QStringLiteral("Ortsmeister");
    case 4:
        *size = 6.5;
        return female ? QStringLiteral("Vereinsmeisterin") : QStringLiteral("Vereinsmeister");
    default: return {};
    }
}

void ResultListJob::athleteRow(int slot)
{
    const double y = ListRowY(row);
    p.FontBold = false;
    p.FontItalic = false;
    p.FontSize = 10;

    p.CurrentX = 6;
    p.CurrentY = y;
    p.Print(rightChars(blanks(3) + num::plainNumberText(Ranking.SlotRank[slot]), 3) + u'.');

    if (layout.startNoX > 0) {
        const QString number = num::plainNumberText(Race.SlotStartNo[slot]);
        p.CurrentX = layout.startNoX;
        p.CurrentY = y;
        p.Print(number.size() < 4 ? blanks(4 - number.size()) + number : number);
    }

    p.CurrentX = layout.nameX;
    p.CurrentY = y;
    p.Print(FitToWidth(leftChars(trimBlanks(Rec.AthleteName), 26),
                       layout.clubX - layout.nameX - CellGap));

    const int club = SlotClubNo(slot);
    if (club >= 1 && club <= Rec.ClubCount) {
        const QString &name = clubName(club);
        if (!name.isEmpty()) {
            p.CurrentX = layout.clubX;
            p.CurrentY = y;
            p.Print(FitToWidth(leftChars(name, 20), layout.yearX - layout.clubX - CellGap));
        }
    }

    p.FontSize = 9;
    const QDate birth = dates::dateFromOle(Rec.AthleteBirthDate);
    if (birth.isValid()) {
        p.CurrentX = layout.yearX;
        p.CurrentY = y;
        p.Print(QStringLiteral("%1").arg(birth.year(), 4, 10, QLatin1Char('0')));
    }

    if (layout.combination) {
        const int entry = combiTimes->rowOf(slot);
        if (combiTimes->has(entry, 1))
            PrintAt(layout.time1X, y, PrintedTime(CupTable.CombiTimes[entry][1]));
        if (combiTimes->has(entry, 2))
            PrintAt(layout.time2X, y, PrintedTime(CupTable.CombiTimes[entry][2]));
        PrintAt(layout.totalX, y, PrintedTime(Ranking.SlotTotalTime[slot]));
    } else {
        PrintAt(layout.time1X, y, PrintedTime(Ranking.SlotAdjTime1[slot]));
        if (Rec.TwoRuns == 1) {
            PrintAt(layout.time2X, y, PrintedTime(Ranking.SlotAdjTime2[slot]));
            PrintAt(layout.totalX, y, PrintedTime(Ranking.SlotTotalTime[slot]));
        }
    }

    if (Rec.BestTimeTitle != 0) {
        double size = 8;
        const QString text = bestTimeTitle(slot, &size);
        if (!text.isEmpty()) {
            p.FontSize = size;
            p.CurrentX = 180;
            p.CurrentY = y;
            p.Print(text);
        }
    }
}

} // namespace

void PrintResultList()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    const RecordFile::ReadScope clubs(Channels.ClubFile);
    ResultListJob job;
    job.run();
}

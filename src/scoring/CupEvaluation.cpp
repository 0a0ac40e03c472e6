#include "CupEvaluation.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "CupFile.h"
#include "SavedCriteria.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/CupTable.h"
#include "platform/NumberText.h"
#include "platform/Redraw.h"
#include "platform/Strings.h"
#include "platform/TextOrder.h"
#include "race/ClassAssignment.h"
#include "race/Ranking.h"

CupEvaluationLines CupLines;

namespace {

const bool registered = registerStateReset([] { CupLines = CupEvaluationLines{}; });

struct HourglassWhile {
    HourglassWhile() : before(hourglass()) { setHourglass(true); }
    ~HourglassWhile() { setHourglass(before); }
    bool before;
};

int rowCount()
{
    int n = 0;
    while (n < CupRows && CupTable.CupAthleteNo[std::size_t(n + 1)] != 0)
        ++n;
    return n;
}

int columnCount()
{
    return std::clamp(CupTable.CupRaceCount, 0, CupColumns);
}

// The name that identifies a participant: the athlete's trimmed name. An
// athlete number outside the athlete file, or a record without a name,
// names nobody (the ranking does not rank such an entry either).
bool athleteName(int athlete, QString *name)
{
    if (athlete < 1 || athlete > Rec.AthleteCount)
        return false;
    Rec.CurrentAthleteId = athlete;
    ReadAthleteRecord();
    *name = trimBlanks(Rec.AthleteName);
    return !name->isEmpty();
}

void clearParticipants()
{
    CupTable.CupAthleteNo.fill(0);
    CupTable.CupClassCell.fill(0);
    for (std::size_t i = 0; i <= CupRows; ++i) {
        for (std::size_t c = 1; c <= CupColumns; ++c)
            CupTable.CombiTimes[i][c] = 0;
        CupTable.CupPoints[i].fill(0);
        CupTable.CupPlace[i].fill(0);
        CupTable.CupStatus[i].fill(0);
        CupTable.CupDropped[i].fill(0);
    }
}

// Column c from the ranking just computed: each participant's last entry in
// the race (the highest slot of the athlete number), or not in the race.
void fillColumn(int c)
{
    QHash<int, int> lastSlot;
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (Race.SlotAthleteId[std::size_t(slot)] != 0)
            lastSlot.insert(Race.SlotAthleteId[std::size_t(slot)], slot);
    const int rows = rowCount();
    for (int i = 1; i <= rows; ++i) {
        const auto row = std::size_t(i), col = std::size_t(c);
        CupTable.CupStatus[row][col] = 1;
        CupTable.CombiTimes[row][col] = 0;
        CupTable.CupPlace[row][col] = 99;
        const int k = lastSlot.value(CupTable.CupAthleteNo[row], 0);
        if (k == 0)
            continue;
        CupTable.CupPlace[row][col] = Ranking.SlotRank[std::size_t(k)];
        CupTable.CombiTimes[row][col] = Ranking.SlotAdjTime1[std::size_t(k)];
        CupTable.CupStatus[row][col] = Race.SlotStatus1[std::size_t(k)];
    }
}

void rankRace(const SavedCriteria &criteria)
{
    criteria.restore();
    AssignClasses();
    ComputeProvisionalResult();
}

// Right-aligned in the width; a longer text is kept whole.
QString alignRight(const QString &text, int width)
{
    return text.size() < width ? blanks(width - text.size()) + text : text;
}

QString headingLine(int cell, int columns)
{
    QString line = leftChars(CupClassName(cell) + QString(26, u'-'), 26);
    for (int c = 1; c <= columns; ++c)
        line += rightChars(QStringLiteral("-----R") + QString::number(c), 6);
    return line + QStringLiteral("-Summe");
}

QString participantLine(int rank, int row, const QString &name, int columns)
{
    const auto i = std::size_t(row);
    QString line = alignRight(num::plainNumberText(rank), 4) + QStringLiteral(". ") + fitLeft(name, 20);
    for (int c = 1; c <= columns; ++c)
        line += CupTable.CupDropped[i][std::size_t(c)] == 1
            ? QStringLiteral("     X")
            : alignRight(num::plainNumberText(CupTable.CupPoints[i][std::size_t(c)]), 6);
    return line + alignRight(num::plainNumberText(CupTable.CupPoints[i][0]), 6);
}

} // namespace

QString CupClassName(int cell)
{
    return cell >= 0 && cell < CellCount ? CupTable.CupClassNames[std::size_t(cell)] : QString();
}

void DropCupResults(int steps)
{
    const int rows = rowCount();
    const int columns = columnCount();
    // Every step drops one column at most.
    steps = std::clamp(steps, 0, columns);
    for (int i = 1; i <= rows; ++i) {
        auto &dropped = CupTable.CupDropped[std::size_t(i)];
        const auto &status = CupTable.CupStatus[std::size_t(i)];
        const auto &place = CupTable.CupPlace[std::size_t(i)];
        const auto &time = CupTable.CombiTimes[std::size_t(i)];
        for (std::size_t c = 1; c <= CupColumns; ++c)
            dropped[c] = 0;
        for (int step = 1; step <= steps; ++step) {
            // An entry without a place (no time, or no second run in a
            // second-run column) earned nothing there: it goes first, like a
            // race the participant was not in, never a real result before it.
            int pick = 0;
            for (int c = columns; c >= 1 && pick == 0; --c)
                if (dropped[std::size_t(c)] == 0
                    && (status[std::size_t(c)] >= 1 || place[std::size_t(c)] < 1))
                    pick = c;
            if (pick == 0) {
                int worst = 0;
                for (int c = 1; c <= columns; ++c)
                    if (dropped[std::size_t(c)] == 0)
                        worst = std::max(worst, place[std::size_t(c)]);
                double largest = 0;
                for (int c = 1; c <= columns; ++c)
                    if (dropped[std::size_t(c)] == 0 && place[std::size_t(c)] == worst
                        && time[std::size_t(c)] > largest) {
                        largest = time[std::size_t(c)];
                        pick = c;
                    }
            }
            if (pick != 0)
                dropped[std::size_t(pick)] = 1;
        }
    }
}

void ComputeCupPoints()
{
    const int rows = rowCount();
    const int columns = columnCount();
    for (int i = 1; i <= rows; ++i) {
        const auto row = std::size_t(i);
        int total = 0;
        for (int c = 1; c <= CupColumns; ++c) {
            const auto col = std::size_t(c);
            const int place = CupTable.CupPlace[row][col];
            int points = 0;
            if (c <= columns && CupTable.CupStatus[row][col] == 0 && CupTable.CupDropped[row][col] == 0
                && place >= 0 && place <= CupPlaces)
                points = Cup.PointsTable[std::size_t(place)];
            CupTable.CupPoints[row][col] = points;
            total += points;
        }
        CupTable.CupPoints[row][0] = total;
    }
}

QString CupRankingKey(int row, const QString &name)
{
    const auto i = std::size_t(row);
    // The fields have 3 and 4 characters: codes and totals beyond them are
    // held at the edge, so that the lines keep their columns.
    const int cell = std::clamp(CupTable.CupClassCell[i], 0, 999);
    const int rest = std::clamp(9999 - CupTable.CupPoints[i][0], 0, 9999);
    return alignRight(QString::number(cell), 3) + alignRight(QString::number(rest), 4) + u' '
        + name + blanks(6) + num::numberText(row);
}

int CupRowOfKey(const QString &line)
{
    const int row = num::toInt32(num::numericValue(rightChars(line, 5)));
    return row >= 1 && row <= CupRows ? row : 0;
}

void EvaluateCup(const std::vector<std::int32_t> &races, double drops)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    HourglassWhile hourglass;
    OpenAthleteAndClubFilesIfClosed();

    clearParticipants();
    CupLines = CupEvaluationLines{};
    QStringList names;
    QHash<QString, int> rowOfName;

    // First pass: the participants, each under the athlete number and class
    // cell of the highest-numbered race that has the name.
    SavedCriteria criteria;
    for (const std::int32_t race : races) {
        Race.ActiveRaceNo = race;
        LoadRaceFiles();
        Rec.RaceRecordNo = Race.ActiveRaceNo;
        if (Rec.RaceRecordNo >= 1 && Rec.RaceRecordNo <= Rec.RaceCount)
            ReadRaceHeader();
        else
            ClearRaceHeader();
        criteria.take();
        CupTable.CupClassNames = Race.ClassDesignations;
        for (int slot = 1; slot <= MaxSlots; ++slot) {
            if (!SlotInUse(slot))
                continue;
            QString name;
            if (!athleteName(Race.SlotAthleteId[std::size_t(slot)], &name) || rowOfName.contains(name))
                continue;
            // The table has room for 1000 participants; later names stay out.
            if (names.size() >= CupRows)
                continue;
            names << name;
            const int row = int(names.size());
            rowOfName.insert(name, row);
            CupTable.CupAthleteNo[std::size_t(row)] = Race.SlotAthleteId[std::size_t(slot)];
            CupTable.CupClassCell[std::size_t(row)] = Race.SlotClassCell[std::size_t(slot)];
        }
    }
    CupLines.Names = names;
    sortInTextOrder(CupLines.Names);
    CupLines.ParticipantCount = int(names.size());

    // Second pass: one column per race, lowest number first, and one more
    // for a second run that five or more entries have run. All are ranked
    // under the header read last (the lowest-numbered race).
    CupTable.CupRaceCount = 0;
    for (auto it = races.rbegin(); it != races.rend(); ++it) {
        if (CupTable.CupRaceCount >= CupColumns)
            break;   // no room for more columns
        Race.ActiveRaceNo = *it;
        LoadRaceFiles();
        int run2Count = 0;
        for (int slot = 1; slot <= MaxSlots; ++slot) {
            if (Race.SlotTime2[std::size_t(slot)] > 0)
                ++run2Count;
            Race.SlotTime2[std::size_t(slot)] = 0;
            Race.SlotStatus2[std::size_t(slot)] = 0;
        }
        rankRace(criteria);
        fillColumn(++CupTable.CupRaceCount);

        if (run2Count >= 5 && CupTable.CupRaceCount < CupColumns) {
            LoadRaceFiles();
            for (int slot = 1; slot <= MaxSlots; ++slot) {
                const auto s = std::size_t(slot);
                Race.SlotTime1[s] = Race.SlotTime2[s];
                Race.SlotStatus1[s] = Race.SlotStatus2[s];
                Race.SlotTime2[s] = 0;
                Race.SlotStatus2[s] = 0;
            }
            rankRace(criteria);
            fillColumn(++CupTable.CupRaceCount);
        }
    }
    // Drop results: as many as asked, at most one per column.
    double d = std::abs(drops);
    if (d > CupTable.CupRaceCount) {
        d = CupTable.CupRaceCount;
        CupLines.DropsLowered = true;
    }
    CupLines.Drops = d;
    DropCupResults(num::floorToInt32(d));
    ComputeCupPoints();

    // The order of the printout: class cell, then total downwards, then name.
    const int rows = rowCount();
    QStringList keys;
    for (int i = 1; i <= rows; ++i)
        keys << CupRankingKey(i, names[i - 1]);
    sortInTextOrder(keys);

    QStringList lines;
    int cell = 0, position = 0, rank = 0, lastTotal = 0;
    bool first = true;
    for (const QString &key : keys) {
        const int row = CupRowOfKey(key);
        if (row == 0 || row > rows)
            continue;
        const int total = CupTable.CupPoints[std::size_t(row)][0];
        if (first || CupTable.CupClassCell[std::size_t(row)] != cell) {
            first = false;
            cell = CupTable.CupClassCell[std::size_t(row)];
            position = 0;
            lines << headingLine(cell, CupTable.CupRaceCount);
        }
        ++position;
        if (position == 1 || total != lastTotal)
            rank = position;
        lastTotal = total;
        lines << participantLine(rank, row, names[row - 1], CupTable.CupRaceCount);
    }
    CupLines.SortLines = std::move(keys);
    CupLines.DisplayLines = std::move(lines);
}

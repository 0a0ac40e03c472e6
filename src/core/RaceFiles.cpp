#include "RaceFiles.h"

#include <QStringList>
#include <memory>

#include "RecordFiles.h"
#include "SharedState.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

namespace {

constexpr int SlotBlockValues = 16;
constexpr int SlotBlockEmptyLines = 7;

// K-file order of a class's eight cells: boarder outermost, sex innermost.
int &cellOrder(int k, int index)
{
    const int boarder = (index >> 2) & 1;
    const int guest = (index >> 1) & 1;
    const int sex = index & 1;
    return Race.ClassCellOrder[k][sex][guest][boarder];
}

int readInt(TextReader &in)
{
    return num::toInt32(in.readNumber());
}

int readInt16(TextReader &in)
{
    return num::toInt16(in.readNumber());
}

double readDecimalLine(TextReader &in)
{
    return num::decimalCommaValue(in.readLine());
}

void readNames(const QString &fileName, std::array<QString, NameCount + 1> &names)
{
    TextReader in(fileName);
    for (int i = 1; i <= NameCount && !in.atEnd(); ++i)
        names[i] = in.readLine();
}

bool anyName(const std::array<QString, NameCount + 1> &names)
{
    for (int i = 1; i <= NameCount; ++i)
        if (!names[i].isEmpty())
            return true;
    return false;
}

// The 100 names' writer when any is set; none when the file is to go.
std::unique_ptr<TextWriter> namesWriter(const QString &fileName,
                                        const std::array<QString, NameCount + 1> &names)
{
    if (!anyName(names))
        return nullptr;
    auto out = std::make_unique<TextWriter>(fileName);
    for (int i = 1; i <= NameCount; ++i)
        out->line(names[i]);
    out->startWriteback();
    return out;
}

// Commits the names; without a writer removes a file left from an earlier
// save, so that emptied names do not come back on loading.
bool commitNames(const QString &fileName, const std::unique_ptr<TextWriter> &out)
{
    if (!out)
        return deleteFile(fileName);
    return out->commit();
}

} // namespace

QString RaceFileName(QChar letter, const QString &extension)
{
    return App.DataDir + letter + num::numberText(Race.ActiveRaceNo) + extension;
}

void LoadRaceFiles()
{
    for (int i = 1; i <= MaxSlots; ++i) {
        Race.SlotAthleteId[i] = 0;
        Race.SlotStartNo[i] = 0;
        Race.SlotClass[i] = 0;
        Race.SlotClassOrder[i] = 0;
        Race.SlotClub[i] = 0;
        Race.SlotGroup[i] = 0;
        Race.SlotTeam[i] = 0;
        Race.SlotPaid[i] = 0;
        Race.SlotPoints[i] = 0;
        Race.SlotTime1[i] = 0;
        Race.SlotReserve[i] = 0;
        Race.SlotStatus1[i] = 0;
        Race.SlotStatus2[i] = 0;
        Race.SlotGuest[i] = 0;
        Race.SlotTime2[i] = 0;
        Race.SlotBoarder[i] = 0;
    }
    for (QString &d : Race.ClassDesignations)
        d.clear();

    {
        TextReader in(RaceFileName(u'R', QStringLiteral(".dat")));
        if (in.exists()) {
            for (int i = 1; i <= MaxSlots; ++i) {
                for (int line = 1; line <= SlotBlockValues && !in.atEnd(); ++line) {
                    switch (line) {
                    case 1: Race.SlotAthleteId[i] = readInt(in); break;
                    case 2: Race.SlotStartNo[i] = readInt(in); break;
                    case 3: Race.SlotClass[i] = readInt(in); break;
                    case 4: Race.SlotClub[i] = readInt(in); break;
                    case 5: Race.SlotGroup[i] = readInt(in); break;
                    case 6: Race.SlotPaid[i] = readInt(in); break;
                    case 7: Race.SlotPoints[i] = float(readDecimalLine(in)); break;
                    case 8: Race.SlotTime1[i] = readDecimalLine(in); break;
                    case 9: Race.SlotReserve[i] = readInt(in); break;
                    case 10:
                        Race.SlotStatus1[i] = readInt(in);
                        if (Race.SlotStatus1[i] > 3)
                            Race.SlotStatus1[i] = 0;
                        break;
                    case 11: Race.SlotGuest[i] = readInt(in); break;
                    case 12:
                        Race.SlotTeam[i] = readInt16(in);
                        if (Race.SlotTeam[i] < 0)
                            Race.SlotTeam[i] = 0;
                        break;
                    case 13: Race.SlotTime2[i] = readDecimalLine(in); break;
                    case 14: Race.SlotStatus2[i] = readInt(in); break;
                    case 15: Race.SlotBoarder[i] = readInt16(in); break;
                    case 16: Race.SlotClassCell[i] = readInt16(in); break;
                    }
                }
                for (int e = 0; e < SlotBlockEmptyLines && !in.atEnd(); ++e)
                    in.skipLine();
                if (in.atEnd())
                    break;
            }
        }
    }

    for (int i = 1; i <= NameCount; ++i) {
        Race.TeamNames[i].clear();
        Race.GroupNames[i].clear();
    }
    for (int k = 1; k <= ClassCount; ++k) {
        Race.ClassNames[k].clear();
        Race.ClassYears[k] = {0, 0};
    }

    readNames(RaceFileName(u'M', QStringLiteral(".lst")), Race.TeamNames);
    readNames(RaceFileName(u'G', QStringLiteral(".lst")), Race.GroupNames);

    TextReader k(RaceFileName(u'K', QStringLiteral(".lst")));
    if (k.exists()) {
        for (int c = 1; c <= ClassCount; ++c) {
            if (!k.atEnd())
                Race.ClassNames[c] = k.readLine();
            if (!k.atEnd())
                Race.ClassYears[c][0] = readInt16(k);
            if (!k.atEnd())
                Race.ClassYears[c][1] = readInt16(k);
            for (int cell = 0; cell < 8; ++cell)
                if (!k.atEnd())
                    cellOrder(c, cell) = readInt16(k);
        }
        for (int code = 0; code < CellCount; ++code)
            if (!k.atEnd())
                Race.ClassDesignations[code] = k.readLine();
    } else {
        for (int c = 1; c <= ClassCount; ++c) {
            Race.ClassNames[c] = App.StandardClassNames[c];
            Race.ClassYears[c] = App.StandardClassYears[c];
        }
    }
}

bool WriteRaceFiles()
{
    // All four files are written to their temporary files and handed to the
    // disk first, so that their disk writes overlap; then they are committed
    // one by one in this order, each synced before it replaces its old file.
    TextWriter r(RaceFileName(u'R', QStringLiteral(".dat")));
    for (int i = 1; i <= MaxSlots; ++i) {
        if (Race.SlotAthleteId[i] == 0)
            continue;
        r.numberLine(Race.SlotAthleteId[i]);
        r.numberLine(Race.SlotStartNo[i]);
        r.numberLine(Race.SlotClass[i]);
        r.numberLine(Race.SlotClub[i]);
        r.numberLine(Race.SlotGroup[i]);
        r.numberLine(Race.SlotPaid[i]);
        r.plainNumberLineSingle(Race.SlotPoints[i]);
        r.plainNumberLine(Race.SlotTime1[i]);
        r.numberLine(Race.SlotReserve[i]);
        r.numberLine(Race.SlotStatus1[i]);
        r.numberLine(Race.SlotGuest[i]);
        r.numberLine(Race.SlotTeam[i]);
        r.plainNumberLine(Race.SlotTime2[i]);
        r.numberLine(Race.SlotStatus2[i]);
        r.numberLine(Race.SlotBoarder[i]);
        r.numberLine(Race.SlotClassCell[i]);
        for (int e = 0; e < SlotBlockEmptyLines; ++e)
            r.line(QString());
    }
    r.startWriteback();

    const QString teamFile = RaceFileName(u'M', QStringLiteral(".lst"));
    const QString groupFile = RaceFileName(u'G', QStringLiteral(".lst"));
    const std::unique_ptr<TextWriter> teams = namesWriter(teamFile, Race.TeamNames);
    const std::unique_ptr<TextWriter> groups = namesWriter(groupFile, Race.GroupNames);

    TextWriter k(RaceFileName(u'K', QStringLiteral(".lst")));
    for (int c = 1; c <= ClassCount; ++c) {
        k.line(Race.ClassNames[c]);
        k.numberLine(Race.ClassYears[c][0]);
        k.numberLine(Race.ClassYears[c][1]);
        for (int cell = 0; cell < 8; ++cell)
            k.numberLine(cellOrder(c, cell));
    }
    for (int code = 0; code < CellCount; ++code)
        k.line(Race.ClassDesignations[code]);
    k.startWriteback();

    bool ok = r.commit();
    ok = commitNames(teamFile, teams) && ok;
    ok = commitNames(groupFile, groups) && ok;
    ok = k.commit() && ok;
    return ok;
}

QStringList MissingDataLines()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    QStringList lines;
    for (int i = 1; i <= MaxSlots; ++i) {
        const int id = Race.SlotAthleteId[i];
        if (id == 0)
            continue;
        // Cleared first, so that a number outside the file never shows the
        // previous athlete's data.
        ClearAthleteFields();
        Rec.CurrentAthleteId = id;
        if (id >= 1 && id <= Rec.AthleteCount)
            ReadAthleteRecord();
        const QString head = num::plainNumberText(id) + QStringLiteral("   ") + Rec.AthleteName;
        if (Rec.AthleteSex == 2)
            lines << head + QStringLiteral(" m/w ?");
        if (Rec.AthleteBirthDate == NoBirthDate)
            lines << head + QStringLiteral(" Geburtsdatum ?");
    }
    return lines;
}

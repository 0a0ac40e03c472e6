#include "RaceFiles.h"

#include <QFileInfo>
#include <QStringList>
#include <memory>

#include "RecordFiles.h"
#include "SharedState.h"
#include "platform/FileOps.h"
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

// The four files of a race are replaced as one set, so that after a failed
// save or a crash at any moment of one, R, M, G and K always come from the
// same save, the old one or the new one:
//  1. Each file of the new set is written to its temporary file (its name
//     and ".tmp"), synced and closed, and nothing may stand in the way of
//     the renames. A failure removes the temporary files again, and nothing
//     else has changed.
//  2. The marker file ("R n.set") lists what the set does to each file: its
//     name when its temporary file replaces it, "-" and its name when it is
//     to be removed (an M or G file without names, which must not come back
//     from an earlier save). The marker is itself written through its
//     temporary file and renamed into place, and the folder synced: from
//     that rename on, the new set counts as saved.
//  3. SettleRaceFiles finishes the set from the marker: renames the
//     temporary files that are still there, removes what is to go, syncs the
//     folder, removes the marker and syncs the folder again (so that a
//     marker cannot come back after a crash and apply to a later save's
//     temporary files).
// Every reader and writer of the race's files settles first, so a set that
// a crash interrupted is finished (marker there: renames still to do and
// removals are safe to repeat) or thrown away (no marker: its temporary
// files are removed) before anything reads or writes the files.
QString markerFileName()
{
    return RaceFileName(u'R', QStringLiteral(".set"));
}

struct SetFiles {
    QString files[4];
};

SetFiles setFiles()
{
    return {{RaceFileName(u'R', QStringLiteral(".dat")), RaceFileName(u'M', QStringLiteral(".lst")),
             RaceFileName(u'G', QStringLiteral(".lst")), RaceFileName(u'K', QStringLiteral(".lst"))}};
}

// Anything at path, a link that leads nowhere included.
bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString baseName(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

bool SettleRaceFiles()
{
    const QString marker = markerFileName();
    const SetFiles set = setFiles();
    bool ok = true;
    TextReader in(marker);
    if (in.exists()) {
        QStringList lines;
        while (!in.atEnd())
            lines << in.readLine();
        for (const QString &file : set.files) {
            const QString name = baseName(file);
            const QString temporary = TextWriter::temporaryPath(file);
            if (lines.contains(name)) {
                if (present(temporary))
                    ok = fileops::rename(temporary, file) && ok;
            } else if (lines.contains(u'-' + name)) {
                if (present(file))
                    ok = fileops::remove(file) && ok;
            }
        }
        ok = ok && fileops::syncFolder(marker) && fileops::remove(marker)
            && fileops::syncFolder(marker);
        if (!ok)
            return false;   // the marker stays: the next try finishes the set
    }
    // What is left of a set that never counted.
    for (const QString &file : set.files) {
        const QString temporary = TextWriter::temporaryPath(file);
        if (present(temporary))
            ok = fileops::remove(temporary) && ok;
    }
    const QString markerTemporary = TextWriter::temporaryPath(marker);
    if (present(markerTemporary))
        ok = fileops::remove(markerTemporary) && ok;
    return ok;
}

namespace {

} // namespace

QString RaceFileName(QChar letter, const QString &extension)
{
    return App.DataDir + letter + num::numberText(Race.ActiveRaceNo) + extension;
}

void LoadRaceFiles()
{
    // A save interrupted by a crash is finished or undone first. Should
    // that fail, the files are read as they stand; the next load or save
    // tries again.
    SettleRaceFiles();
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
    // A set that an earlier save left unfinished is settled before this one
    // writes temporary files of the same names.
    if (!SettleRaceFiles())
        return false;

    // All four files are written to their temporary files and handed to the
    // disk first, so that their disk writes overlap; then each is synced.
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

    const QString setFile[4] = {r.path(), teamFile, groupFile, k.path()};
    TextWriter *const writers[4] = {&r, teams.get(), groups.get(), &k};
    for (TextWriter *w : writers)
        if (w && !w->prepare())
            return false;   // the writers remove their temporary files
    // What stands in the way of a rename or a removal (a folder of the
    // file's name) is found now, before the set counts: a set that could
    // not be finished would leave R of one save beside K of another.
    for (const QString &file : setFile)
        if (QFileInfo(file).isDir())
            return false;

    TextWriter marker(markerFileName());
    for (int f = 0; f < 4; ++f)
        marker.line(writers[f] ? baseName(setFile[f]) : u'-' + baseName(setFile[f]));
    const bool counted = marker.commit();
    // A marker in place, even one whose folder sync failed, is finished
    // from; without one the save never happened.
    if (!counted && !present(markerFileName()))
        return false;
    for (TextWriter *w : writers)
        if (w)
            w->release();
    return SettleRaceFiles() && counted;
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

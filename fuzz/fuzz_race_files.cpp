// The four files of race 1 as the fuzz input, split at the byte 0x1E:
// "R 1.dat", "M 1.lst", "G 1.lst", "K 1.lst" (a part left out is a missing
// file). After loading, the classes are assigned against a small athlete
// file, the reminder lines are built, and the tables are written back and
// loaded again, which runs the values read through the code that indexes
// with them.
#include "FuzzCommon.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/StartUp.h"
#include "race/ClassAssignment.h"

#include <QStringList>

namespace {

constexpr int FuzzAthletes = 24;

// A fixed athlete file: athletes of several birth years, both sexes, one
// without sex and one without birth date, so that class assignment and the
// reminder have something to do.
void writeAthleteFile()
{
    resetAllSharedState();
    Rec.AthleteCount = FuzzAthletes;
    OpenAthleteFile();
    for (int n = 1; n <= FuzzAthletes; ++n) {
        ClearAthleteFields();
        Rec.CurrentAthleteId = n;
        Rec.AthleteName = QStringLiteral("MAIER Athlet %1").arg(n);
        Rec.AthleteClub1 = n % 5;
        Rec.AthleteBirthDate = n == 7 ? NoBirthDate : 25000.0 + 400.0 * n;
        Rec.AthleteSex = n == 5 ? 2 : n % 2;
        WriteAthleteRecord();
    }
    CloseAthleteFile();
}

const QString R = QStringLiteral("R 1.dat");
const QString M = QStringLiteral("M 1.lst");
const QString G = QStringLiteral("G 1.lst");
const QString K = QStringLiteral("K 1.lst");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const bool athletes = [] {
        fuzz::enterPrivateWorkDir();
        writeAthleteFile();
        return true;
    }();
    (void)athletes;

    fuzz::resetState();
    const QString names[] = {R, M, G, K};
    const std::vector<QByteArray> parts = fuzz::splitParts(data, size);
    for (int f = 0; f < 4; ++f) {
        if (f < int(parts.size()))
            fuzz::writeFile(names[f], reinterpret_cast<const std::uint8_t *>(parts[f].constData()),
                            std::size_t(parts[f].size()));
        else
            fuzz::removeFile(names[f]);
    }

    App.SeasonYearOffset = 11;
    LoadStandardClassTable();
    SetStatusNames();
    Rec.AthleteCount = FuzzAthletes;
    Race.ActiveRaceNo = 1;
    OpenAthleteFile();

    LoadRaceFiles();
    AssignClasses();
    (void)MissingDataLines();
    WriteRaceFiles();
    LoadRaceFiles();
    AssignClasses();

    CloseAthleteFile();
    return 0;
}

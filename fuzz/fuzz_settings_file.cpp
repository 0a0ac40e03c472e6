// Zirpa.dat as the fuzz input: the counts are read, the current club,
// athlete and race records they point at are read from (missing) record
// files, and the file is written back and read again.
#include "FuzzCommon.h"
#include "core/RecordFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetState();
    fuzz::writeFile(QStringLiteral("Zirpa.dat"), data, size);
    ReadSettingsFile();
    OpenClubFile();
    OpenAthleteFile();
    OpenRaceFile();
    ReadClubRecord();
    ReadAthleteRecord();
    ReadRaceHeader();
    CloseClubFile();
    CloseAthleteFile();
    CloseRaceFile();
    WriteSettingsFile();
    ReadSettingsFile();
    fuzz::removeFile(QStringLiteral("Verein.rec"));
    fuzz::removeFile(QStringLiteral("Laeufer.rec"));
    fuzz::removeFile(QStringLiteral("Rennen.rec"));
    return 0;
}

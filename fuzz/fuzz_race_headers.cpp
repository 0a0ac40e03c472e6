// Rennen.rec as the fuzz input: every race header the count covers (and the
// ones just outside it) is read, its date turned into text, written back and
// read again.
#include "FuzzCommon.h"
#include "core/RecordFiles.h"
#include "platform/DateText.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::makePathArgumentsAbsolute(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetState();
    fuzz::writeFile(QStringLiteral("Rennen.rec"), data, size);
    Rec.RaceCount = std::int32_t(size / RaceRecordLength) + 1;
    const std::int32_t count = Rec.RaceCount;
    OpenRaceFile();
    for (std::int32_t n = 0; n <= count + 1; ++n) {
        Rec.RaceRecordNo = n;
        ReadRaceHeader();
        (void)dates::germanDateText(Rec.RaceDate);
        WriteRaceHeader();
        ReadRaceHeader();
    }
    CloseRaceFile();
    fuzz::removeFile(QStringLiteral("Zirpa.dat"));
    return 0;
}

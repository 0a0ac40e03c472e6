// Laeufer.rec as the fuzz input: every record the count covers (and the ones
// just outside it) is read, its birth date turned into a date and text the
// way the lists use it, written back and read again.
#include "FuzzCommon.h"
#include "core/RecordFiles.h"
#include "platform/DateText.h"

#include <QDate>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::makePathArgumentsAbsolute(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetState();
    fuzz::writeFile(QStringLiteral("Laeufer.rec"), data, size);
    Rec.AthleteCount = int(size / AthleteRecordLength) + 1;
    OpenAthleteFile();
    // Fixed here: writing a record past the count raises the count.
    const int count = Rec.AthleteCount;
    for (int n = 0; n <= count + 1; ++n) {
        Rec.CurrentAthleteId = n;
        ReadAthleteRecord();
        const QDate d = dates::dateFromOle(Rec.AthleteBirthDate);
        (void)d.year();
        (void)dates::germanDateText(Rec.AthleteBirthDate);
        WriteAthleteRecord();
        ReadAthleteRecord();
    }
    CloseAthleteFile();
    return 0;
}

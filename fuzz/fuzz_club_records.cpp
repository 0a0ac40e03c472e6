// Verein.rec as the fuzz input: every record the count covers (and the ones
// just outside it) is read, written back and read again.
#include "FuzzCommon.h"
#include "core/RecordFiles.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::makePathArgumentsAbsolute(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetState();
    fuzz::writeFile(QStringLiteral("Verein.rec"), data, size);
    // One more than the whole records, so a trailing partial record is read too.
    Rec.ClubCount = int(size / ClubRecordLength) + 1;
    OpenClubFile();
    // Fixed here: writing a record past the count raises the count.
    const int count = Rec.ClubCount;
    for (int n = 0; n <= count + 1; ++n) {
        Rec.CurrentClubNo = n;
        ReadClubRecord();
        WriteClubRecord();
        ReadClubRecord();
    }
    CloseClubFile();
    return 0;
}

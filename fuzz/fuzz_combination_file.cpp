// The combination file of race 1 ("Z 1.dat") as the fuzz input: read,
// written back and read again.
#include "FuzzCommon.h"
#include "lists/CombinationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetState();
    Rec.RaceRecordNo = 1;
    fuzz::writeFile(CombinationFileName(), data, size);
    ReadCombinationFile();
    WriteCombinationFile();
    ReadCombinationFile();
    return 0;
}

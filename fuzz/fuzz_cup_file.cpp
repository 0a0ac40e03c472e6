// The cup settings file ("Cup.dat") as the fuzz input: read over the default
// points, written back and read again, which must give the same settings.
#include <cstdlib>

#include "FuzzCommon.h"
#include "platform/Strings.h"
#include "scoring/CupFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetState();
    fuzz::writeFile(CupFileName(), data, size);
    SetDefaultCupPoints();
    const CupFileContent first = ReadCupFile();
    const QString title = first.hasTitle ? first.title : QStringLiteral("Vereinscup");
    const auto points = Cup.PointsTable;
    if (!WriteCupFile(title, first.races))
        return 0;

    Cup = CupState{};
    const CupFileContent second = ReadCupFile();
    if (!second.exists || !second.hasTitle || second.title != trimBlanks(title)
        || second.races != first.races || Cup.PointsTable != points)
        std::abort();
    return 0;
}

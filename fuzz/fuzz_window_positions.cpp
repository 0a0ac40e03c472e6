// TopLeft.dat as the fuzz input: the positions are read, written back and
// read again.
#include "FuzzCommon.h"
#include "core/StartUp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetState();
    fuzz::writeFile(QStringLiteral("TopLeft.dat"), data, size);
    ReadWindowPositions();
    SaveWindowPositions();
    ReadWindowPositions();
    return 0;
}

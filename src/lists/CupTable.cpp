#include "CupTable.h"

#include "core/SharedState.h"

CupTableState CupTable;

namespace {
const bool registered = registerStateReset([] { CupTable.clear(); });
} // namespace

void CupTableState::clear()
{
    CupAthleteNo.fill(0);
    CupClassCell.fill(0);
    for (auto &row : CombiTimes)
        row.fill(0);
    for (auto *table : {&CupPoints, &CupPlace, &CupStatus, &CupDropped})
        for (auto &row : *table)
            row.fill(0);
    for (QString &name : CombiRaceNames)
        name.clear();
    for (QString &name : CupClassNames)
        name.clear();
    CupRaceCount = 0;
}

#pragma once
// A race whose four files all carry the number of the save that wrote them,
// so that a test sees at once whether R, M, G and K come from one save.
#include <QString>

#include "core/SharedState.h"

// Fills the race tables of save gen: slot 1's start number is gen and the
// race has gen % 3 + 1 entries; the team file exists for even saves only
// (odd ones remove it); the group and class files name gen.
inline void setRaceGeneration(int gen)
{
    for (int i = 1; i <= MaxSlots; ++i)
        Race.SlotAthleteId[i] = 0;
    for (int i = 1; i <= gen % 3 + 1; ++i) {
        Race.SlotAthleteId[i] = i;
        Race.SlotStartNo[i] = gen;
    }
    Race.TeamNames[1] = gen % 2 == 0 ? QStringLiteral("Team %1").arg(gen) : QString();
    Race.GroupNames[1] = QStringLiteral("Gruppe %1").arg(gen);
    Race.ClassNames[1] = QStringLiteral("Klasse %1").arg(gen);
}

// The save the loaded tables come from; -1 when they mix saves.
inline int loadedRaceGeneration()
{
    const int gen = Race.SlotStartNo[1];
    int entries = 0;
    for (int i = 1; i <= MaxSlots; ++i) {
        if (Race.SlotAthleteId[i] == 0)
            continue;
        ++entries;
        if (Race.SlotStartNo[i] != gen)
            return -1;
    }
    const bool whole = entries == gen % 3 + 1
        && Race.TeamNames[1] == (gen % 2 == 0 ? QStringLiteral("Team %1").arg(gen) : QString())
        && Race.GroupNames[1] == QStringLiteral("Gruppe %1").arg(gen)
        && Race.ClassNames[1] == QStringLiteral("Klasse %1").arg(gen);
    return whole ? gen : -1;
}

#include "StartNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/TextOrder.h"

namespace {

bool evaluatedByClass()
{
    return Rec.EvalByClass == 1;
}

bool validSlot(int slot)
{
    return slot >= 1 && slot <= MaxSlots;
}

// The numbering lines end in five characters that hold the slot.
int slotOfNumberingLine(const QString &line)
{
    return num::toInt32(num::numericValue(rightChars(line, 5)));
}

QString numberingTail(const QString &name, int slot)
{
    return QStringLiteral("   ") + name + blanks(5) + num::plainNumberText(slot);
}

// Numbers the sorted lines from start + 1 on, gap numbers more where the
// block key (the first three characters) changes. Nothing is written unless
// every number fits.
NumberingResult numberInOrder(SortedTextList &lines, int start, int gap)
{
    std::vector<std::pair<int, int>> given;
    std::int64_t number = start;
    QString previousKey;
    for (const QString &line : lines.lines()) {
        const QString key = leftChars(line, 3);
        number += 1;
        if (!previousKey.isEmpty() && key != previousKey)
            number += gap;
        if (number > HighestStartNo)
            return NumberingResult::BeyondHighest;
        const int slot = slotOfNumberingLine(line);
        if (validSlot(slot))
            given.emplace_back(slot, int(number));
        previousKey = key;
    }
    for (const auto &[slot, startNo] : given)
        Race.SlotStartNo[slot] = startNo;
    return NumberingResult::Done;
}

} // namespace

QString startNumberLine(int startNo, const QString &name, int slot)
{
    return rightChars(blanks(5) + num::numberText(startNo), 5) + QStringLiteral("  ") + name
        + blanks(10) + num::plainNumberText(slot);
}

int slotOfStartNumberLine(const QString &line)
{
    return num::toInt32(num::numericValue(rightChars(line, 6)));
}

QString entryName(int slot)
{
    if (!validSlot(slot))
        return {};
    const int athlete = Race.SlotAthleteId[slot];
    // A number outside the file would read the previous athlete's data.
    if (athlete < 1 || athlete > Rec.AthleteCount)
        return {};
    const int kept = Rec.CurrentAthleteId;
    Rec.CurrentAthleteId = athlete;
    ReadAthleteRecord();
    Rec.CurrentAthleteId = kept;
    return trimBlanks(Rec.AthleteName);
}

QStringList startNumberLines()
{
    QStringList lines;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (Race.SlotAthleteId[slot] == 0)
            continue;
        const QString name = entryName(slot);
        if (!name.isEmpty())
            lines << startNumberLine(Race.SlotStartNo[slot], name, slot);
    }
    return lines;
}

QString startBlockKey(int slot)
{
    const int value = evaluatedByClass() ? Race.SlotClassOrder[slot] : Race.SlotGroup[slot];
    // Three digits whatever a file held, so every key has the same width.
    return num::formatNumber(std::clamp(value, 0, 999), u"0##");
}

int typedStartNo(QStringView text)
{
    // The whole text must be the number: "12,5" is twelve and a half, not
    // 12, and a stray letter after the digits is a typing error.
    bool ok = false;
    const double value = num::decimalCommaValue(text, &ok);
    if (!ok || value != std::floor(value) || value < 1 || value > HighestStartNo)
        return 0;
    return int(value);
}

bool startNoTaken(int startNo)
{
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (Race.SlotAthleteId[slot] != 0 && Race.SlotStartNo[slot] == startNo)
            return true;
    return false;
}

int reserveGap(QStringView text)
{
    return std::max(num::toInt32(num::numericValue(text)), 0);
}

int firstStartNo(QStringView text)
{
    return num::toInt32(num::numericValue(text));
}

NumberingResult drawStartNumbers(int gap)
{
    SortedTextList lines;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (Race.SlotAthleteId[slot] == 0)
            continue;
        const QString name = entryName(slot);
        if (name.isEmpty())
            continue;
        const int random = std::clamp(int(std::floor(100 * rnd::next())), 0, 99);
        lines.add(startBlockKey(slot) + num::formatNumber(random, u"0#")
                  + numberingTail(name, slot));
    }
    return numberInOrder(lines, 0, std::max(gap, 0));
}

NumberingResult numberStartBlock(int chosen, int first, int gap)
{
    if (first < 1 || first > HighestStartNo)
        return NumberingResult::FirstOutOfRange;
    SortedTextList lines;
    const bool byClass = evaluatedByClass();
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (Race.SlotAthleteId[slot] == 0)
            continue;
        if ((byClass ? Race.SlotClass[slot] : Race.SlotGroup[slot]) != chosen)
            continue;
        const QString name = entryName(slot);
        if (!name.isEmpty())
            lines.add(startBlockKey(slot) + numberingTail(name, slot));
    }
    return numberInOrder(lines, first - 1, std::max(gap, 0));
}

void clearStartNumbers()
{
    for (int slot = 1; slot <= MaxSlots; ++slot)
        Race.SlotStartNo[slot] = 0;
}

bool anyStartNumber()
{
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (Race.SlotStartNo[slot] != 0)
            return true;
    return false;
}

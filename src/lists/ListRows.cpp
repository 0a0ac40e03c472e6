#include "ListRows.h"

#include <QDate>

#include "PrintHelpers.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Colours.h"
#include "platform/DateText.h"
#include "platform/Redraw.h"
#include "platform/NumberText.h"
#include "platform/Printer.h"
#include "platform/Strings.h"

SortedTextList &PrintSortList()
{
    return ListPrint.SortList;
}

std::vector<int> SortedEntrySlots(const std::function<QString(int slot)> &keyPrefix,
                                  const std::function<bool(int slot)> &listed)
{
    SortedTextList &list = PrintSortList();
    list.clear();
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (Race.SlotAthleteId[slot] == 0 || (listed && !listed(slot)))
            continue;
        ReadSlotAthlete(slot);
        if (Rec.AthleteName.isEmpty())
            continue;
        list.add(keyPrefix(slot) + Rec.AthleteName + blanks(3) + num::plainNumberText(slot));
    }
    letWindowSystemRedraw();
    letWindowSystemRedraw();

    std::vector<int> entries;
    entries.reserve(std::size_t(list.count()));
    for (const QString &line : list.lines())
        if (const int slot = SortLineSlot(line))
            entries.push_back(slot);
    return entries;
}

int SortLineSlot(const QString &line)
{
    const int slot = num::toInt32(num::numericValue(rightChars(line, 4)));
    return slot >= 1 && slot <= MaxSlots ? slot : 0;
}

void ReadSlotAthleteRecord(int slot)
{
    Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
    if (Rec.CurrentAthleteId >= 1 && Rec.CurrentAthleteId <= Rec.AthleteCount)
        ReadAthleteRecord();
    else
        ClearAthleteFields();
}

void ReadSlotAthlete(int slot)
{
    ReadSlotAthleteRecord(slot);
    Rec.AthleteName = trimBlanks(Rec.AthleteName);
}

QString SlotDesignation(int slot)
{
    const int cell = Race.SlotClassCell[slot];
    return cell >= 0 && cell < CellCount ? Race.ClassDesignations[cell] : QString();
}

QString SlotGroupName(int slot)
{
    const int group = Race.SlotGroup[slot];
    return group >= 0 && group <= NameCount ? Race.GroupNames[group] : QString();
}

QString SlotClassName(int slot)
{
    const int k = Race.SlotClass[slot];
    return k >= 0 && k <= ClassCount ? Race.ClassNames[k] : QString();
}

QString SlotClassOrGroup(int slot)
{
    return Rec.EvalByClass == 1 ? SlotDesignation(slot) : SlotGroupName(slot);
}

QString StatusName(int status)
{
    return status >= 0 && status < int(App.StatusNames.size()) ? App.StatusNames[status]
                                                                : QString();
}

int SlotClubNo(int slot)
{
    switch (Race.SlotClub[slot]) {
    case 1: return Rec.AthleteClub1;
    case 2: return Rec.AthleteClub2;
    case 3: return Rec.AthleteClub3;
    default: return 0;
    }
}

QString SlotClubText(int slot)
{
    const int club = SlotClubNo(slot);
    if (club < 1 || club > Rec.ClubCount)
        return {};
    Rec.CurrentClubNo = club;
    ReadClubRecord();
    const QString shortName = trimBlanks(Rec.ClubShortName);
    return shortName.isEmpty() ? trimBlanks(Rec.ClubFullName) : shortName;
}

void PrintBirthYear(double x, double y)
{
    const QDate birth = dates::dateFromOle(Rec.AthleteBirthDate);
    if (birth.isValid())
        PrintAt(x, y, birth.year());
}

void PrintNumberNameSexYear(int slot, double y, double sexX)
{
    PrintAt(20, y, Race.SlotStartNo[slot]);
    PrintAt(45, y, FitToColumn(Rec.AthleteName, 45, sexX));
    PrintAt(sexX, y, Rec.AthleteSex == 1 ? QStringLiteral("m") : QStringLiteral("w"));
    PrintBirthYear(sexX + 10, y);
}

void PrintNumberNameClub(int slot, double y, int clubChars, double clubEnd)
{
    PrintAt(20, y, rightChars(blanks(4) + num::plainNumberText(Race.SlotStartNo[slot]), 4));
    PrintAt(34, y, FitToColumn(leftChars(Rec.AthleteName, 26), 34, 79));
    const QString club = SlotClubText(slot);
    if (!club.isEmpty())
        PrintAt(79, y, FitToColumn(leftChars(club, clubChars), 79, clubEnd));
}

void PrintClassBand(int slot, double r, double left, double textX, double right)
{
    Printer &p = printer();
    GreyBand(left, 42 + 4.5 * r - 2.1, right, 42 + 4.5 * r + 2.5, colourValue(192, 192, 192));
    p.FontSize = 11;
    p.FontBold = false;
    p.FontItalic = true;
    PrintAt(textX, ListRowY(r),
            FitToColumn(SlotClassOrGroup(slot) + u' ', textX, right),
            PrintEnd::StayOnLine);
    p.FontItalic = false;
}

std::vector<ColumnHead> NumberNameSexYearHeads(double sexX)
{
    return {{20, QStringLiteral("StartNr.")},
            {45, QStringLiteral("Name")},
            {sexX, QStringLiteral("m/w")},
            {sexX + 10, QStringLiteral("Jahr")}};
}

void PrintEntryRows(const std::vector<int> &entries,
                    const std::function<bool(double row)> &breaksPage, void (*pageHead)(),
                    void (*entryRow)(int slot, double row))
{
    double row = 0;
    for (const int slot : entries) {
        Work.CurrentSlot = slot;
        ReadSlotAthlete(slot);
        row += 1;
        if (breaksPage(row)) {
            printer().NewPage();
            pageHead();
            row = 1;
        }
        entryRow(slot, row);
    }
}

BandedRows::BandedRows(double &row, std::function<void()> newPage,
                       std::function<void(int slot)> band)
    : row_(row), newPage_(std::move(newPage)), band_(std::move(band))
{
}

void BandedRows::next(int slot, bool opensClass, bool repeatBand)
{
    const Printer &p = printer();
    if (opensClass) {
        if (bands_ == 0)
            row_ -= 1;
        ++bands_;
        row_ += 2;
        if (p.CurrentY > 240 && row_ > 10)
            newPage_();
        band_(slot);
    }
    row_ += 1;
    if (p.CurrentY > 265 && row_ > 10) {
        newPage_();
        if (repeatBand) {
            band_(slot);
            row_ += 1;
        }
    }
}

PrintRun::PrintRun(PrintButtonSwitch button)
    : hourglassBefore_(hourglass()), button_(std::move(button))
{
    setHourglass(true);
    if (button_)
        button_(false);
}

PrintRun::~PrintRun()
{
    if (button_)
        button_(true);
    setHourglass(hourglassBefore_);
}

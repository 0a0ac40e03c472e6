#pragma once
// The cup settings that outlive the cup window: the cup's title, the points
// per place and the races of the cup, kept in Cup.dat in the data directory.
//
// Layout, one value per line: the title as it stands, the points of places
// 1 to 100 as number lines (" 20 "), then one number line per race of the
// cup (none when no race is marked).
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

constexpr int CupPlaces = 100;        // places 1..100 earn points

struct CupState {
    // Points of places 0..100 in one cup column; place 0 is never set and
    // stays 0 (an entry in a race without a place earns nothing).
    std::array<std::int16_t, CupPlaces + 1> PointsTable{};
    // The race that was current when the cup window opened.
    std::int32_t SavedRaceNo = 0;
};

extern CupState Cup;

// DataDir & "Cup.dat".
QString CupFileName();

// The default points of places 1 to 9 (20, 15, 10, 8, 5, 4, 3, 2, 1); the
// other places keep theirs.
void SetDefaultCupPoints();

// What a cup file holds beside the points.
struct CupFileContent {
    bool exists = false;     // false: nothing was read
    bool hasTitle = false;   // false: the file has not even a first line
    QString title;
    std::vector<std::int32_t> races;   // in file order
};

// Reads Cup.dat: the title line, the points of places 1..100 into
// PointsTable while lines remain (a short file leaves the later places as
// they are), then every further line as a race number. A missing file
// changes nothing. Numbers outside the range of a points value are
// saturated.
CupFileContent ReadCupFile();

// Writes Cup.dat whole: the title without leading and trailing blanks, the
// 100 points and the races in the given order. False when it could not be
// written (an earlier file is then left as it was).
bool WriteCupFile(const QString &title, const std::vector<std::int32_t> &races);

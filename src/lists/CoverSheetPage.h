#pragma once
// The page of the official cover sheet of the current race: headed
// "Offizielle" / "Ergebnisliste", with the organisation, the logo, the race
// data and officials from the race header, four counts of the field, two
// signature fields, the place and date of printing and, when a banner is
// ticked, the sponsor band with the given banners. Reads only.
#include "race/Banners.h"

// The banners as the banner window's rows hold them; a banner is ticked when
// its Shown is 1, and its picture is looked up in the data folder.
void PrintCoverSheetPage(const BannerTable &banners);

// The field of the race over the entries with a start number. Each entry
// counts once: not at the start when either run is "naS", else disqualified
// when either is "dis", else not in the finish when either is "niZ", else in
// the finish. Those at the start are the other three together.
struct FieldCounts {
    int started = 0;
    int finished = 0;
    int disqualified = 0;
    int notInFinish = 0;
};
FieldCounts CountField();

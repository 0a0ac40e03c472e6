#pragma once
// The eight sponsor banners of the cover page and their file werbung.dat,
// which holds one set of banners for all races. While the program runs the
// banners live in the rows of the banner window (Form21); these routines
// touch no window: the file format, the defaults and the clamps of the
// numeric fields.
//
// werbung.dat: 40 lines, CR LF, five per banner, banners 0..7 in order:
// Shown as a number line (" 1 " or " 0 "), then the file name, "rechts",
// "runter" and "Größe %" as the boxes hold them.
#include <QString>
#include <array>

constexpr int BannerCount = 8;

struct BannerEntry {
    int Shown = 0;            // 1 printed and previewed, 0 not (2: a greyed tick)
    QString FileName;         // looked up as DataDir & the trimmed name
    QString Right;            // mm from the left edge of the page, 0..183
    QString Down;             // mm from the top edge of the page, 233..283
    QString SizePercent;      // of the picture's own size, 10..800
};

using BannerTable = std::array<BannerEntry, BannerCount>;

struct BannerState {
    // The banner being edited in the banner window; it survives closing it.
    int SelectedBanner = 0;
};
extern BannerState Banners;

// The banners when there is no werbung.dat.
BannerTable DefaultBanners();

// DataDir & "werbung.dat".
QString BannerFilePath();

// Reads werbung.dat over the given table. A missing file leaves the table
// alone (false). A short file sets the values it holds; the rest keep what
// the table held. A Shown line reads as its numeric value rounded to a whole
// number; anything but 1 and 2 (the values a tick box holds) is 0.
bool ReadBannerFile(BannerTable &banners);
// Writes the whole file anew (through a temporary file); false when it
// could not be written, and the old file then stays as it was.
bool WriteBannerFile(const BannerTable &banners);

// The clamps of the banner numbers, on the box texts: a numeric value below
// the range gives the lowest value as text, above it the highest; a value
// inside leaves the text as it stands (a fraction with a decimal comma
// stays; readers take only what comes before the comma).
QString ClampBannerRight(const QString &text);
QString ClampBannerDown(const QString &text);
QString ClampBannerSize(const QString &text);

// The ranges of the clamps.
constexpr int BannerRightMin = 0, BannerRightMax = 183;
constexpr int BannerDownMin = 233, BannerDownMax = 283;
constexpr int BannerSizeMin = 10, BannerSizeMax = 800;

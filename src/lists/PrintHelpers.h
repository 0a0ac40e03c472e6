#pragma once
// The helpers every printed list and certificate shares: boxes, centred and
// right-aligned texts, grey bands, the logo and the head of a list page. They
// print on the current printer (platform/Printer.h) in its current font and
// take their text from WorkText, as it stands.
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/Printer.h"
#include "platform/TextOrder.h"

struct ListPrintState {
    // The rectangle PrintBox draws, in mm; the bottom in whole millimetres.
    float BoxLeft = 0, BoxTop = 0, BoxRight = 0;
    std::int16_t BoxBottom = 0;

    // The pictures of the list heads: the emblem beside the head frame and
    // the narrow strip right of it. The print window may put its own in;
    // left null, the program's pictures are taken (LoadHeadPictures).
    QImage HeadEmblemPicture, HeadStripPicture;

    // The running list: ListPageHead counts the pages (0 before the first)
    // and, for the lists that want it, sets the row counter to 1.
    int PageNo = 0;
    double RowCounter = 0;

    // The club ticked and chosen in the print window (its record number,
    // whether the window is shown or not), else 0; the print window keeps it.
    int ChosenClub = 0;

    // The print jobs order their rows here (PrintSortList).
    SortedTextList SortList;
};

extern ListPrintState ListPrint;

// The four edges of BoxLeft, BoxTop, BoxRight, BoxBottom as black lines of
// the current DrawWidth: top left to right, right downwards, bottom right to
// left, left upwards.
void PrintBox();
// WorkText centred on the page / 7 mm right of the middle of the left half /
// 3 mm right of the middle of the right half, at the current y; then the
// position is on the next line.
void PrintCentred();
void PrintCentredLeftHalf();
void PrintCentredRightHalf();
// WorkText ending at the current x; afterwards CurrentX is that x again and
// CurrentY one line lower.
void PrintRightAligned();

// The item printed at (x, y) in the current font.
void PrintAt(double x, double y, const PrintItem &item, PrintEnd end = PrintEnd::NewLine);

// A column head of a list page.
struct ColumnHead {
    double x;
    QString text;
    double maxWidth = 0;    // 0: printed as it stands; else cut to that width
};

// The column heads of a list page at y, bold and not italic in `size`
// points; bold is off afterwards.
void PrintColumnHeads(double size, double y, const std::vector<ColumnHead> &heads);

// A time as the lists print it (FormatHms); WorkText holds it as well.
QString PrintedTime(double seconds);

// A class, group or team band: the rectangle filled solid in the colour,
// with FillStyle 4, FillColor the colour and DrawWidth 1 left set.
void GreyBand(double left, double top, double right, double bottom, double colour);

// The text as it fits into a cell of width mm in the current font: a text
// that fits stays as it is; a wider one is cut and ends with "." so that the
// reader sees it goes on: the longest beginning that fits with the "." after
// it, without the blanks before the cut. Empty when not even that fits. The
// character limits of the cells alone would let wide capitals run into the
// next column. The cost grows with the part that fits, not with the text, so
// a text of any length is cut quickly.
QString FitToWidth(const QString &text, double width);

// The room kept free between a cell and the next column, in mm.
constexpr double CellGap = 1;

// The text cut as FitToWidth cuts it for a cell from x that ends before the
// column at nextX (keeping CellGap free).
inline QString FitToColumn(const QString &text, double x, double nextX)
{
    return FitToWidth(text, nextX - x - CellGap);
}

// The number of leading characters of text that are at most width mm wide
// in the current font (widths grow with the length): what is left when the
// text is cut one character at a time from its end until it fits.
qsizetype FittingLength(const QString &text, double width);

// The printer's FontSize for WorkText in the current face: 24 pt, one point
// less while the text is wider than the limit (a text exactly as wide stays),
// never below 1 pt.
void FitRaceNameText(double limitMm);

// Logo.jpg of the data directory, 35 x 18 mm with its top-left corner at
// (x, y); nothing when the file is missing or is no picture.
void PrintLogo(double x, double y = 11);
// The picture PrintLogo paints; null when the file is missing or is no
// picture. Loaded once while the file stays the same.
const QImage &LogoPicture();

// Fills a null HeadEmblemPicture / HeadStripPicture with the program's own.
void LoadHeadPictures();

// What tells the list heads apart.
struct ListHeadStyle {
    QString Name;                   // the first line; empty: the race's name
    double NameY = 12;              // of the first line, at x 22
    QString Title;                  // 18 pt at (22, 22); none when empty
    double TitleEnd = 175;          // x the title ends before: the page number's
    QString Subtitle;               // 12 pt at (22, 30) under the title; none when empty
    double RaceNameLimit = 110;     // mm the first line is fitted to
    bool ShortNameFirst = false;    // RaceShortName instead of RaceName when it is not empty
    bool HeadPictures = false;      // strip, its box and the emblem
    double PageNumberX = 175;       // of the page number and the date
    double PageNumberSize = 8;      // points of "Seite - n"
    double DateY = 25;
    double FrameRight = 190, FrameBottom = 30;  // of the head frame from (20, 10)
    bool ProgramName = false;       // the program and its version, 7 pt at (174, 22)
    bool StartsRowCounter = false;  // RowCounter := 1
};

// The style of the participant, alphabetical and result lists: the short
// race name when there is one, in 98 mm, and the pictures.
ListHeadStyle PictureListHead(const QString &title);

// The head of a list page: page number + 1, race name (fitted), title,
// subtitle, page number, print date, the head frame and, when the style says
// so, the pictures and the program's name. Leaves DrawWidth 1, 6 pt, neither
// bold nor italic, face Arial.
void ListPageHead(const ListHeadStyle &style);

#pragma once
// The printer the print routines draw on. Every page is A4; positions and
// sizes are millimetres from the top-left corner of the printable area (of
// an installed printer; the PDF printer has no unprintable margin, so there
// it is the sheet's corner), y grows downwards. A text placed at (CurrentX, CurrentY) has
// the top-left corner of its first character cell there.
//
// One printer object serves the whole run: its drawing state (font, line
// width, fill settings, position) carries over from one operation to the
// next and across pages and jobs. What it draws on is its backend: an
// installed printer (through Qt and CUPS), the built-in PDF printer (one new
// file per job in the folder "PDF" of the data directory) or, in tests, a
// recording printer. A job begins with the first drawing operation and ends
// with EndDoc.
//
//     Printer &p = printer();
//     p.setJobTitle("Ergebnisliste", raceName);   // names the job and its file
//     p.FontName = "Arial"; p.FontSize = 10;
//     p.CurrentX = 20; p.CurrentY = 40;
//     p.Print("Seite -", PrintEnd::StayOnLine);
//     p.Print(2);                      // " 2 " right after it, then next line
//     p.Line(20, 42, 190, 42);         // a rule
//     p.EndDoc();
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/PrinterList.h"

class PrinterBackend;
class RecordingPrinter;

// How a Print ends: on the next line (no separator), right after the text
// (";") or at the next print zone (",").
enum class PrintEnd { NewLine, StayOnLine, NextZone };

// The forms of Line: a straight line, a box outline ("B") or a box filled
// solid in the line's colour ("BF").
enum class LineShape { Plain, Box, FilledBox };

// Fill patterns of box interiors (FillStyle).
namespace fillstyle {
constexpr int Solid = 0;
constexpr int Transparent = 1;
constexpr int HorizontalLine = 2;
constexpr int VerticalLine = 3;
constexpr int UpwardDiagonal = 4;
constexpr int DownwardDiagonal = 5;
constexpr int Cross = 6;
constexpr int DiagonalCross = 7;
} // namespace fillstyle

// One item of a Print: a text as it stands, or a number written with a blank
// (or "-") in front and a blank after it (12 prints as " 12 ").
class PrintItem {
public:
    PrintItem(const QString &text) : text_(text) {}
    PrintItem(const char *text) : text_(QString::fromUtf8(text)) {}
    PrintItem(const char16_t *text) : text_(QString::fromUtf16(text)) {}
    PrintItem(double number);
    PrintItem(float number);
    PrintItem(int number) : PrintItem(double(number)) {}
    PrintItem(std::int16_t number) : PrintItem(double(number)) {}
    const QString &text() const { return text_; }

private:
    QString text_;
};

// What a job is: the printout ("Ergebnisliste") and the race it is of.
struct PrintJobTitle {
    QString printout;
    QString race;
    // "Ergebnisliste - Bezirkscup", or the printout alone without a race;
    // "Druck" for a job no routine named.
    QString text() const;
    QString printoutOrDefault() const;
};

class Printer {
public:
    Printer();
    ~Printer();
    Printer(const Printer &) = delete;
    Printer &operator=(const Printer &) = delete;

    // Drawing state, named as the print routines use it.
    QString FontName = QStringLiteral("Arial");
    double FontSize = 10;                 // points, fractions allowed
    bool FontBold = false, FontItalic = false;
    double CurrentX = 0, CurrentY = 0;    // mm
    int DrawWidth = 1;                    // line width in printer dots (1/1200 inch)
    int FillStyle = fillstyle::Transparent;
    double FillColor = 0;                 // colour number, red + 256 green + 65536 blue
    int Orientation = 1;                  // 1 portrait, 2 landscape; from the next page on

    // Width in mm of text in the current font, measured on the device that
    // prints it.
    double TextWidth(const QString &text) const;
    // Height in mm of a line of the current font: what a Print moves down.
    double TextHeight() const;
    // A number standing for the current font on the current device, for a
    // routine that remembers what it measured: while it stays the same,
    // TextWidth gives the same widths; another font, size, weight, slant or
    // device gives another number. Numbers are never reused within a run.
    std::uint64_t measureKey() const;

    // Prints at the current position. Items of a list are separated as by
    // ",": each next one starts at the next print zone (every 14 average
    // character widths of the current font, counted from x 0). Then the
    // position moves as `end` says; NewLine is CurrentX 0 and CurrentY one
    // line height lower.
    void Print(const PrintItem &item, PrintEnd end = PrintEnd::NewLine);
    void Print(std::initializer_list<PrintItem> items, PrintEnd end = PrintEnd::NewLine);
    // Only the move to the next line.
    void Print();

    // A line from (x1, y1) to (x2, y2) in the given colour and DrawWidth; the
    // current position is left at (x2, y2). A box outline keeps its interior
    // transparent whatever FillStyle says, so it never hides what is printed
    // inside it; a filled box is solid in the given colour.
    void Line(double x1, double y1, double x2, double y2, double colour = 0,
              LineShape shape = LineShape::Plain);
    // The picture stretched into the rectangle; a null picture (a file that
    // is missing or could not be read) draws nothing.
    void PaintPicture(const QImage &picture, double x, double y, double width, double height);

    // Names the next job (or the running one, before its first page is
    // drawn): the installed printer's queue shows it, the PDF printer names
    // its file after the printout and gives the file this title. It holds
    // for that one job.
    void setJobTitle(const QString &printout, const QString &race = QString());
    const PrintJobTitle &jobTitle() const { return jobTitle_; }

    // Ends the page and begins the next one (a job is begun first when none
    // runs); the position goes back to the top-left corner, the rest of the
    // drawing state is kept.
    void NewPage();
    // Ends the job and hands it to the device. False when the device could
    // not take it (the PDF file could not be written, the printer refused
    // the job), with a beep; true also when no job was running.
    bool EndDoc();

    // Between these two, jobs may overlap: EndDoc may hand a job to the
    // device and return before it is written (the PDF printer writes several
    // files at once), reporting only what is known by then. The end waits
    // for every job, beeps once for each that failed after all, and says
    // whether all of them went out. Nested runs end with the outermost.
    void beginOverlappingJobs();
    bool endOverlappingJobs();

    // The page size of the current page (of the next page outside a job) in
    // mm.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // The name of the device, as the list of printers shows it. Never waits
    // on the print server (see printer()).
    QString DeviceName() const;
    // Page number within the running job (1, 2, ...); 0 when no job runs.
    int Page() const { return page_; }
    bool jobRunning() const { return page_ > 0; }

    // Nominal resolution of every page; a device that cannot print at it
    // draws at its own and converts.
    static constexpr int Dpi = 1200;
    static double mmFromDevice(double units) { return units * 25.4 / Dpi; }
    static double deviceFromMm(double mm) { return mm * Dpi / 25.4; }

    // The font the drawing state names.
    QFont currentFont() const;

    // Draws from now on on the given device; a running job is ended first.
    // The drawing state is kept.
    void setBackend(std::unique_ptr<PrinterBackend> backend);
    PrinterBackend &backend() const;
    // The drawing state of a printer never used.
    void resetDrawingState();

    // A font of the drawing state resolved for the device (cached: a list
    // switches between a few fonts on every row).
    struct DeviceFont;

private:
    const DeviceFont &deviceFont() const;
    void beginJobIfNone();
    void printText(const QString &text);
    void moveToNextZone();

    mutable std::unique_ptr<PrinterBackend> backend_;   // made on first use
    mutable std::vector<std::unique_ptr<DeviceFont>> fonts_;
    mutable const DeviceFont *lastFont_ = nullptr;
    int page_ = 0;
    int pageOrientation_ = 1;
    bool jobOk_ = false;    // the device took the running job
    int overlapping_ = 0;   // depth of beginOverlappingJobs
    int lateFailures_ = 0;  // of overlapping jobs, found while changing the device
    PrintJobTitle jobTitle_;
};

// Jobs overlap while one of these lives (see beginOverlappingJobs); its end
// waits for them and beeps for those that failed.
class OverlappingPrintJobs {
public:
    OverlappingPrintJobs();
    ~OverlappingPrintJobs();
    OverlappingPrintJobs(const OverlappingPrintJobs &) = delete;
    OverlappingPrintJobs &operator=(const OverlappingPrintJobs &) = delete;
};

// The current printer of the process. Until a printer is chosen it is the
// machine's default: the print server's default queue as it last named it,
// otherwise the PDF printer. Its name is shown at once; while the server
// has not answered yet that is the PDF printer's, and the watchers of
// printerNames() hear of the answer. A job waits for the first answer.
Printer &printer();
// Back to the default printer of the machine with the default drawing
// state; the default is asked anew at the next use. Also ends a test's
// recording.
void resetPrinter();

// The name of the built-in PDF printer; it cannot clash with an installed
// printer, whose queue names hold no blank.
QString pdfPrinterName();
// Makes the printer of that name (one of printerNames()) the current one for
// the rest of the run, keeping the drawing state. A name that is not in the
// list, or a queue the server no longer has, changes nothing and gives
// false.
bool selectPrinter(const QString &name);

// Tests: from now on the current printer records what it is asked to draw,
// until resetPrinter().
RecordingPrinter &useRecordingPrinter();

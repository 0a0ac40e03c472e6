#pragma once
// The devices behind the printer object: an installed printer, the PDF
// printer, and (RecordingPrinter.h) the recording printer of tests. The
// printer object keeps the drawing state and the page count; a backend only
// draws what it is told, in mm, and measures text on its own device.
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPainter>
#include <QPen>
#include <QRunnable>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/Printer.h"
#include "platform/RememberedTable.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPdfWriter;
class QThreadPool;

struct Printer::DeviceFont {
    QString name;           // the drawing state it stands for
    double size = 0;
    bool bold = false, italic = false;

    QFont font;
    QFontMetricsF metrics;  // on the backend's device
    double dotsPerMm = 0;   // of that device, horizontally
    double ascentMm = 0, heightMm = 0, averageCharMm = 0;
    std::uint64_t id = 0;   // unique over the run: tells fonts apart cheaply

    DeviceFont(const QFont &f, const QPaintDevice *device);

    // metrics.horizontalAdvance(text), remembered: a list measures the same
    // times and names over and over, and shaping a text is the costly part
    // of printing one.
    double advance(const QString &text) const;

private:
    // Widths kept per font; a 20-page list measures a few thousand different
    // texts, the bound only stops a long run from growing without end.
    mutable RememberedTable<QString, double, 8192> widths_;
};

// A stand-in of 1200 dpi for measuring where no printing device is at hand:
// font metrics depend only on the device's resolution.
const QPaintDevice *printerStandInDevice();

class PrinterBackend {
public:
    virtual ~PrinterBackend();

    virtual QString deviceName() const = 0;
    // The device that text is measured on: the one that prints, or one of
    // the same resolution.
    virtual const QPaintDevice *metricsDevice() = 0;
    // Size of a page in mm for orientation 1 (portrait) or 2 (landscape).
    virtual QSizeF pageSizeMm(int orientation) const;

    // False when the job cannot be begun; the drawing of that job is then
    // dropped and EndDoc reports the failure.
    virtual bool beginJob(int orientation, const PrintJobTitle &title) = 0;
    virtual void newPage(int orientation, int page) = 0;
    virtual bool endJob() = 0;

    // Positions in mm; the printer passes its drawing state along, and for a
    // text its width in mm as measured in that font.
    virtual void drawText(const Printer &state, const Printer::DeviceFont &font, double x,
                          double y, const QString &text, double width) = 0;
    virtual void drawLine(const Printer &state, double x1, double y1, double x2, double y2,
                          double colour, LineShape shape) = 0;
    virtual void drawPicture(const Printer &state, const QImage &picture, double x, double y,
                             double width, double height) = 0;

    // While jobs overlap, endJob may leave a job to finish later and report
    // success; finishJobs waits for every such job and gives how many of
    // them failed. A device that finishes each job in endJob ignores both.
    virtual void setOverlappingJobs(bool on);
    virtual int finishJobs();
};

// The painter calls a job comes down to on a paged device of (nominally)
// 1200 dpi with A4 pages, its origin at the top-left corner of the printable
// area inside the given margins. The installed printers paint with it as
// they are told; the PDF printer paints a job it kept, perhaps on another
// thread: it touches nothing but its own painter and what it is given.
class JobPainter {
public:
    ~JobPainter();

    bool begin(QPagedPaintDevice *device, int orientation, const QMarginsF &marginsMm = QMarginsF());
    bool end();
    bool isActive() const { return painter_.isActive(); }

    // A text with the top of its character cell at (x, y) mm; `fontId`
    // tells fonts apart, `ascentPx` is the font's ascent on the device.
    void text(const QFont &font, std::uint64_t fontId, double ascentPx, double x, double y,
              const QString &text);
    // DrawWidth counts dots of the 1200 dpi page.
    void line(int drawWidth, double x1, double y1, double x2, double y2, double colour,
              LineShape shape);
    void picture(const QImage &picture, double x, double y, double width, double height);

    static void setUpPages(QPagedPaintDevice &device, int orientation, const QMarginsF &marginsMm);

private:
    QPointF devicePoint(double x, double y) const;
    void usePen(const QColor &colour, double width);

    QPainter painter_;
    double dotsPerMmX_ = 0, dotsPerMmY_ = 0;
    std::uint64_t fontId_ = 0;
    bool penSet_ = false;
    QColor penColour_;
    double penWidth_ = -1;
};

// An installed printer paints a job as it is drawn.
class PaintingBackend : public PrinterBackend {
public:
    ~PaintingBackend() override;

    void drawText(const Printer &state, const Printer::DeviceFont &font, double x, double y,
                  const QString &text, double width) override;
    void drawLine(const Printer &state, double x1, double y1, double x2, double y2,
                  double colour, LineShape shape) override;
    void drawPicture(const Printer &state, const QImage &picture, double x, double y,
                     double width, double height) override;

protected:
    // Begins painting on the device, set up for the job.
    bool beginPainting(QPagedPaintDevice *device, int orientation,
                       const QMarginsF &marginsMm = QMarginsF());
    bool endPainting();
    // The printable area of an A4 page within those margins, in mm.
    static QSizeF printableSizeMm(int orientation, const QMarginsF &marginsMm);
    JobPainter painter_;
};

// The built-in PDF printer: each job is a new file in the folder (relative
// to the working directory, which is the data directory) named after the
// printout and the moment the job began, "Ergebnisliste 2025-03-01
// 14-15-02.pdf", with " (2)", " (3)", ... added when that name is taken; an
// earlier file is never overwritten. The file's title names the printout
// and the race. The sheet has no unprintable margin: its corner is the
// origin.
//
// The file is named and opened when the job begins; what the job draws is
// kept and painted into the PDF when it ends. Most of that time goes into
// embedding the fonts and pictures, afresh in every document, so while jobs
// overlap (a run of certificates, each a job of its own) the documents are
// painted on worker threads, several at once, and written to their files in
// the order the jobs were begun; finishJobs waits for the last of them.
class PdfPrinterBackend : public PrinterBackend {
public:
    explicit PdfPrinterBackend(const QString &folder = QStringLiteral("PDF"));
    ~PdfPrinterBackend() override;

    QString deviceName() const override;
    const QPaintDevice *metricsDevice() override;
    bool beginJob(int orientation, const PrintJobTitle &title) override;
    void newPage(int orientation, int page) override;
    bool endJob() override;
    void drawText(const Printer &state, const Printer::DeviceFont &font, double x, double y,
                  const QString &text, double width) override;
    void drawLine(const Printer &state, double x1, double y1, double x2, double y2,
                  double colour, LineShape shape) override;
    void drawPicture(const Printer &state, const QImage &picture, double x, double y,
                     double width, double height) override;
    void setOverlappingJobs(bool on) override;
    int finishJobs() override;

    // The file of the running job, or of the last one when none runs.
    QString lastFile() const { return lastFile_; }

    // Tests: a disk that is full after this many more bytes of PDF files
    // (negative: no limit).
    void setBytesLeftForTests(qint64 bytes) { bytesLeft_ = bytes; }

    struct Job;

private:
    struct Pending;
    bool writeOut(Pending &pending);

    QString folder_;
    QString lastFile_;
    std::unique_ptr<QPdfWriter> measurer_;   // never painted on
    std::unique_ptr<Job> job_;               // the running one
    bool overlapping_ = false;
    std::unique_ptr<QThreadPool> workers_;
    std::vector<std::unique_ptr<QRunnable>> tasks_;   // until the workers are gone
    std::deque<std::unique_ptr<Pending>> pending_;   // in the order begun
    int failed_ = 0;                                 // of those written out since the last finish
    qint64 bytesLeft_ = -1;
};

// An installed printer: a CUPS queue. A job is drawn with the origin at the
// top-left corner of the queue's printable area into a PDF file, and handed
// to that queue and no other when it ends. Before the job the queue is asked
// whether it is there and takes jobs; a job that cannot reach it (the queue
// was deleted, refuses jobs, the server does not answer in time) prints
// nowhere and EndDoc reports it.
class SystemPrinterBackend : public PaintingBackend {
public:
    // The margins are the queue's as far as known; each job asks anew.
    explicit SystemPrinterBackend(const QString &name, const QMarginsF &marginsMm = QMarginsF());
    // Tests: draws on the given device (a QPrinter printing to a file) as
    // its page layout says, margins included, and hands nothing to a server.
    SystemPrinterBackend(const QString &name, std::unique_ptr<QPagedPaintDevice> device);
    ~SystemPrinterBackend() override;

    QString deviceName() const override { return name_; }
    const QPaintDevice *metricsDevice() override;
    // The printable area, as the queue gave it at the last job.
    QSizeF pageSizeMm(int orientation) const override;
    bool beginJob(int orientation, const PrintJobTitle &title) override;
    void newPage(int orientation, int page) override;
    bool endJob() override;

private:
    QPagedPaintDevice *device() const;

    QString name_;
    QString title_;
    QMarginsF margins_;
    std::unique_ptr<QPagedPaintDevice> given_;   // tests
    std::unique_ptr<QPdfWriter> measurer_;       // never painted on
    std::unique_ptr<QFile> spool_;               // the running job's PDF
    std::unique_ptr<QPdfWriter> writer_;
};

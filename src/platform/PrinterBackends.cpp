#include "PrinterBackends.h"

#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>

#include "platform/Clock.h"
#include "platform/Colours.h"
#include "platform/Fonts.h"
#include "platform/PrintServer.h"

namespace {

constexpr double MmPerInch = 25.4;

std::uint64_t nextFontId()
{
    static std::uint64_t id = 0;
    return ++id;
}

QPageLayout::Orientation pageOrientation(int orientation)
{
    return orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

const QPaintDevice *printerStandInDevice()
{
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        const int dotsPerMeter = qRound(Printer::Dpi / 0.0254);
        img.setDotsPerMeterX(dotsPerMeter);
        img.setDotsPerMeterY(dotsPerMeter);
        return img;
    }();
    return &device;
}

Printer::DeviceFont::DeviceFont(const QFont &f, const QPaintDevice *device)
    : font(f)
    , metrics(f, device)
    , dotsPerMm(device->logicalDpiX() / MmPerInch)
    , id(nextFontId())
{
    const double dotsPerMmY = device->logicalDpiY() / MmPerInch;
    ascentMm = metrics.ascent() / dotsPerMmY;
    heightMm = metrics.height() / dotsPerMmY;
    // The print zones are counted in the named face's own average width;
    // the stand-in's would put them elsewhere.
    const double designedEm = designedAverageCharWidthEm(f.family());
    averageCharMm = designedEm > 0 ? designedEm * f.pointSizeF() * MmPerInch / 72
                                   : metrics.averageCharWidth() / dotsPerMm;
}

namespace {

// FNV-1a over the UTF-16 units, folded to 32 bits: the texts are short, and
// a plain hash of them is cheaper than Qt's seeded one.
std::uint32_t textHash(const QString &text)
{
    std::uint64_t h = 14695981039346656037ull;
    for (const QChar c : text) {
        h ^= c.unicode();
        h *= 1099511628211ull;
    }
    return std::uint32_t(h ^ (h >> 32));
}

} // namespace

double Printer::DeviceFont::advance(const QString &text) const
{
    const std::uint32_t hash = textHash(text);
    if (const double *width = widths_.find(text, hash))
        return *width;
    const double width = metrics.horizontalAdvance(text);
    widths_.add(text, hash, width);
    return width;
}

PrinterBackend::~PrinterBackend() = default;

QSizeF PrinterBackend::pageSizeMm(int orientation) const
{
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return orientation == 2 ? a4.transposed() : a4;
}

// --- painting on a paged device ---------------------------------------------

PaintingBackend::~PaintingBackend()
{
    if (painter_.isActive())
        painter_.end();
}

void PaintingBackend::setUpPages(QPagedPaintDevice &device, int orientation,
                                 const QMarginsF &marginsMm)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(pageOrientation(orientation));
    device.setPageMargins(marginsMm, QPageLayout::Millimeter);
}

QSizeF PaintingBackend::printableSizeMm(int orientation, const QMarginsF &marginsMm)
{
    const QPageLayout layout(QPageSize(QPageSize::A4), pageOrientation(orientation), marginsMm,
                             QPageLayout::Millimeter);
    return layout.paintRect(QPageLayout::Millimeter).size();
}

bool PaintingBackend::beginPainting(QPagedPaintDevice *device, int orientation,
                                    const QMarginsF &marginsMm)
{
    setUpPages(*device, orientation, marginsMm);
    if (!painter_.begin(device))
        return false;
    // The device's own resolution: a printer that cannot do 1200 dpi still
    // gets its millimetres right.
    dotsPerMmX_ = device->logicalDpiX() / MmPerInch;
    dotsPerMmY_ = device->logicalDpiY() / MmPerInch;
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.setBrush(Qt::NoBrush);
    fontId_ = 0;
    penSet_ = false;
    return true;
}

bool PaintingBackend::endPainting()
{
    if (!painter_.isActive())
        return false;
    return painter_.end();
}

QPointF PaintingBackend::devicePoint(double x, double y) const
{
    return {x * dotsPerMmX_, y * dotsPerMmY_};
}

void PaintingBackend::usePen(const QColor &colour, double width)
{
    if (penSet_ && colour == penColour_ && width == penWidth_)
        return;
    QPen pen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter_.setPen(pen);
    penSet_ = true;
    penColour_ = colour;
    penWidth_ = width;
}

void PaintingBackend::drawText(const Printer &, const Printer::DeviceFont &font, double x,
                               double y, const QString &text, double)
{
    if (!painter_.isActive())
        return;
    if (font.id != fontId_) {
        painter_.setFont(font.font);
        fontId_ = font.id;
    }
    // Text takes only the pen's colour: any black pen does.
    if (!penSet_ || penColour_ != Qt::black)
        usePen(Qt::black, penSet_ ? penWidth_ : 1);
    // The position is the top of the character cell; Qt draws on the baseline.
    painter_.drawText(QPointF(x * dotsPerMmX_, y * dotsPerMmY_ + font.metrics.ascent()), text);
}

void PaintingBackend::drawLine(const Printer &state, double x1, double y1, double x2, double y2,
                               double colour, LineShape shape)
{
    if (!painter_.isActive())
        return;
    const QColor c = colourFromValue(colour);
    const QPointF a = devicePoint(x1, y1);
    const QPointF b = devicePoint(x2, y2);
    if (shape == LineShape::FilledBox) {
        painter_.fillRect(QRectF(a, b).normalized(), c);
        return;
    }
    // DrawWidth counts dots of the 1200 dpi page.
    const double width = std::max(1, state.DrawWidth) * dotsPerMmX_ * MmPerInch / Printer::Dpi;
    usePen(c, width);
    if (shape == LineShape::Plain)
        painter_.drawLine(a, b);
    else
        painter_.drawRect(QRectF(a, b).normalized());   // no brush: the inside stays as it is
}

void PaintingBackend::drawPicture(const Printer &, const QImage &picture, double x, double y,
                                  double width, double height)
{
    if (!painter_.isActive() || picture.isNull())
        return;
    const QRectF target(devicePoint(x, y), QSizeF(width * dotsPerMmX_, height * dotsPerMmY_));
    painter_.drawImage(target.normalized(), picture);
}

// --- the PDF printer ---------------------------------------------------------

PdfPrinterBackend::PdfPrinterBackend(const QString &folder)
    : folder_(folder)
{
}

PdfPrinterBackend::~PdfPrinterBackend()
{
    endJob();
}

QString PdfPrinterBackend::deviceName() const
{
    return pdfPrinterName();
}

const QPaintDevice *PdfPrinterBackend::metricsDevice()
{
    if (writer_)
        return writer_.get();
    if (!measurer_) {
        // Never begun, so it writes nothing; it only lends its resolution.
        measurer_ = std::make_unique<QPdfWriter>(QString());
        measurer_->setResolution(Printer::Dpi);
    }
    return measurer_.get();
}

namespace {

// A printout's name as a part of a file name: no folder separators or
// characters the common file systems refuse.
QString fileNamePart(const QString &text)
{
    QString part;
    for (const QChar c : text) {
        if (c.unicode() < 32 || QStringView(u"/\\:*?\"<>|").contains(c))
            part += u'-';
        else
            part += c;
    }
    return part.trimmed();
}

} // namespace

bool PdfPrinterBackend::beginJob(int orientation, const PrintJobTitle &title)
{
    endJob();
    if (!QDir().mkpath(folder_))
        return false;
    // "Ergebnisliste 2025-03-01 14-15-02": the time sorts, and names the
    // moment the job began.
    const QString stem = QDir(folder_).filePath(
        fileNamePart(title.printoutOrDefault()) + u' '
        + sysclock::now().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
    // NewOnly: a name taken in the meantime is never overwritten.
    auto file = std::make_unique<QFile>();
    for (int n = 1; n < 100000; ++n) {
        const QString name = n == 1 ? stem + QStringLiteral(".pdf")
                                    : stem + QStringLiteral(" (%1).pdf").arg(n);
        if (QFile::exists(name))
            continue;
        file->setFileName(name);
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!QFile::exists(name))
            return false;   // not a clash: the folder does not take files
    }
    if (!file->isOpen())
        return false;
    file_ = std::move(file);
    lastFile_ = file_->fileName();
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    writer_->setResolution(Printer::Dpi);
    writer_->setCreator(QCoreApplication::applicationName());
    writer_->setTitle(title.text());
    if (!beginPainting(writer_.get(), orientation)) {
        writer_.reset();
        file_->remove();
        file_.reset();
        return false;
    }
    return true;
}

void PdfPrinterBackend::newPage(int orientation, int)
{
    if (!writer_)
        return;
    if (writer_->pageLayout().orientation() != pageOrientation(orientation))
        writer_->setPageOrientation(pageOrientation(orientation));
    writer_->newPage();
}

bool PdfPrinterBackend::endJob()
{
    if (!writer_)
        return true;
    bool ok = endPainting();
    writer_.reset();
    ok = file_->flush() && ok;
    ok = file_->error() == QFileDevice::NoError && ok;
    file_->close();
    if (!ok)
        file_->remove();   // a half-written file would look like a good one
    file_.reset();
    return ok;
}

// --- installed printers -----------------------------------------------------

SystemPrinterBackend::SystemPrinterBackend(const QString &name, const QMarginsF &marginsMm)
    : name_(name)
    , margins_(marginsMm)
{
}

SystemPrinterBackend::SystemPrinterBackend(const QString &name,
                                           std::unique_ptr<QPagedPaintDevice> device)
    : name_(name)
    , margins_(device->pageLayout().margins(QPageLayout::Millimeter))
    , given_(std::move(device))
{
}

SystemPrinterBackend::~SystemPrinterBackend()
{
    endJob();
}

QPagedPaintDevice *SystemPrinterBackend::device() const
{
    if (given_)
        return given_.get();
    return writer_.get();
}

const QPaintDevice *SystemPrinterBackend::metricsDevice()
{
    if (QPagedPaintDevice *d = device())
        return d;
    if (!measurer_) {
        // As on the PDF printer: the job is drawn into a PDF file.
        measurer_ = std::make_unique<QPdfWriter>(QString());
        measurer_->setResolution(Printer::Dpi);
    }
    return measurer_.get();
}

QSizeF SystemPrinterBackend::pageSizeMm(int orientation) const
{
    return printableSizeMm(orientation, margins_);
}

bool SystemPrinterBackend::beginJob(int orientation, const PrintJobTitle &title)
{
    endJob();
    title_ = title.text();
    if (given_) {
        if (auto *printer = dynamic_cast<QPrinter *>(given_.get()))
            printer->setDocName(title_);
        return beginPainting(given_.get(), orientation, margins_);
    }
    // The chosen queue or none: a job never goes to another printer.
    const printserver::Queue queue = printserver::queue(name_);
    if (!queue.answered || !queue.exists || !queue.acceptingJobs)
        return false;
    margins_ = queue.marginsMm;
    auto spool = std::make_unique<QTemporaryFile>(QDir::temp().filePath(
        QCoreApplication::applicationName() + QStringLiteral("-XXXXXX.pdf")));
    if (!spool->open())
        return false;
    spool_ = std::move(spool);
    writer_ = std::make_unique<QPdfWriter>(spool_.get());
    writer_->setResolution(Printer::Dpi);
    writer_->setCreator(QCoreApplication::applicationName());
    writer_->setTitle(title_);
    if (!beginPainting(writer_.get(), orientation, margins_)) {
        writer_.reset();
        spool_.reset();
        return false;
    }
    return true;
}

void SystemPrinterBackend::newPage(int orientation, int)
{
    QPagedPaintDevice *d = device();
    if (!painter_.isActive() || !d)
        return;
    if (d->pageLayout().orientation() != pageOrientation(orientation))
        d->setPageOrientation(pageOrientation(orientation));
    d->newPage();
}

bool SystemPrinterBackend::endJob()
{
    if (!painter_.isActive())
        return true;
    bool ok = endPainting();
    if (given_) {
        auto *printer = dynamic_cast<QPrinter *>(given_.get());
        return ok && (!printer || printer->printerState() != QPrinter::Error);
    }
    writer_.reset();
    ok = spool_->flush() && spool_->error() == QFileDevice::NoError && ok;
    spool_->close();
    // The server's answer tells whether the job is in the queue.
    ok = ok && printserver::submit(name_, spool_->fileName(), title_, nullptr);
    spool_.reset();   // removes the file: the server has its own copy
    return ok;
}

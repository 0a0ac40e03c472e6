#include "PrinterBackends.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <optional>

#include "platform/Clock.h"
#include "platform/Colours.h"
#include "platform/Fonts.h"
#include "platform/PrintServer.h"

namespace {

constexpr double MmPerInch = 25.4;

std::uint64_t nextFontId()
{
    static std::atomic<std::uint64_t> id = 0;
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

void PrinterBackend::setOverlappingJobs(bool) {}

int PrinterBackend::finishJobs()
{
    return 0;
}

QSizeF PrinterBackend::pageSizeMm(int orientation) const
{
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return orientation == 2 ? a4.transposed() : a4;
}

// --- painting on a paged device ---------------------------------------------

JobPainter::~JobPainter()
{
    if (painter_.isActive())
        painter_.end();
}

void JobPainter::setUpPages(QPagedPaintDevice &device, int orientation, const QMarginsF &marginsMm)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(pageOrientation(orientation));
    device.setPageMargins(marginsMm, QPageLayout::Millimeter);
}

bool JobPainter::begin(QPagedPaintDevice *device, int orientation, const QMarginsF &marginsMm)
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

bool JobPainter::end()
{
    if (!painter_.isActive())
        return false;
    return painter_.end();
}

QPointF JobPainter::devicePoint(double x, double y) const
{
    return {x * dotsPerMmX_, y * dotsPerMmY_};
}

void JobPainter::usePen(const QColor &colour, double width)
{
    if (penSet_ && colour == penColour_ && width == penWidth_)
        return;
    QPen pen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter_.setPen(pen);
    penSet_ = true;
    penColour_ = colour;
    penWidth_ = width;
}

void JobPainter::text(const QFont &font, std::uint64_t fontId, double ascentPx, double x,
                      double y, const QString &text)
{
    if (!painter_.isActive())
        return;
    if (fontId != fontId_) {
        painter_.setFont(font);
        fontId_ = fontId;
    }
    // Text takes only the pen's colour: any black pen does.
    if (!penSet_ || penColour_ != Qt::black)
        usePen(Qt::black, penSet_ ? penWidth_ : 1);
    // The position is the top of the character cell; Qt draws on the baseline.
    painter_.drawText(QPointF(x * dotsPerMmX_, y * dotsPerMmY_ + ascentPx), text);
}

void JobPainter::line(int drawWidth, double x1, double y1, double x2, double y2, double colour,
                      LineShape shape)
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
    const double width = std::max(1, drawWidth) * dotsPerMmX_ * MmPerInch / Printer::Dpi;
    usePen(c, width);
    if (shape == LineShape::Plain)
        painter_.drawLine(a, b);
    else
        painter_.drawRect(QRectF(a, b).normalized());   // no brush: the inside stays as it is
}

void JobPainter::picture(const QImage &picture, double x, double y, double width, double height)
{
    if (!painter_.isActive() || picture.isNull())
        return;
    const QRectF target(devicePoint(x, y), QSizeF(width * dotsPerMmX_, height * dotsPerMmY_));
    painter_.drawImage(target.normalized(), picture);
}

PaintingBackend::~PaintingBackend() = default;

QSizeF PaintingBackend::printableSizeMm(int orientation, const QMarginsF &marginsMm)
{
    const QPageLayout layout(QPageSize(QPageSize::A4), pageOrientation(orientation), marginsMm,
                             QPageLayout::Millimeter);
    return layout.paintRect(QPageLayout::Millimeter).size();
}

bool PaintingBackend::beginPainting(QPagedPaintDevice *device, int orientation,
                                    const QMarginsF &marginsMm)
{
    return painter_.begin(device, orientation, marginsMm);
}

bool PaintingBackend::endPainting()
{
    return painter_.end();
}

void PaintingBackend::drawText(const Printer &, const Printer::DeviceFont &font, double x,
                               double y, const QString &text, double)
{
    painter_.text(font.font, font.id, font.metrics.ascent(), x, y, text);
}

void PaintingBackend::drawLine(const Printer &state, double x1, double y1, double x2, double y2,
                               double colour, LineShape shape)
{
    painter_.line(state.DrawWidth, x1, y1, x2, y2, colour, shape);
}

void PaintingBackend::drawPicture(const Printer &, const QImage &picture, double x, double y,
                                  double width, double height)
{
    painter_.picture(picture, x, y, width, height);
}

// --- the PDF printer ---------------------------------------------------------

// What a job drew, kept to be painted when it ends. It holds values only (no
// font or device of the printer's thread): a worker thread paints it with
// fonts of its own.
struct PdfPrinterBackend::Job {
    QString title, creator;
    int orientation = 1;

    struct Font {
        std::uint64_t id;
        QString family;
        double pointSize;
        bool bold, italic;
        double ascentPx;   // as measured by the printer, so the text sits where it measured
    };
    std::vector<Font> fonts;

    enum class Kind : std::uint8_t { Text, Line, Picture, Page };
    struct Op {
        Kind kind;
        LineShape shape = LineShape::Plain;
        int value = 0;   // Text: index into fonts; Line: DrawWidth; Page: orientation
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0, colour = 0;
        QString text{};
        QImage picture{};
    };
    std::vector<Op> ops;

    int fontIndex(const Printer::DeviceFont &font)
    {
        for (std::size_t i = fonts.size(); i-- > 0;)
            if (fonts[i].id == font.id)
                return int(i);
        fonts.push_back({font.id, font.font.family(), font.font.pointSizeF(), font.font.bold(),
                         font.font.italic(), font.metrics.ascent()});
        return int(fonts.size() - 1);
    }

    // The PDF document of the job, or nothing when it could not be painted.
    std::optional<QByteArray> paint() const
    {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        if (!buffer.open(QIODevice::WriteOnly))
            return std::nullopt;
        QPdfWriter writer(&buffer);
        writer.setResolution(Printer::Dpi);
        writer.setCreator(creator);
        writer.setTitle(title);
        JobPainter painter;
        if (!painter.begin(&writer, orientation))
            return std::nullopt;
        // The fonts are made here, on the painting thread: a font is not to
        // be shared between threads while they paint.
        std::vector<std::optional<QFont>> made(fonts.size());
        for (const Op &op : ops) {
            switch (op.kind) {
            case Kind::Text: {
                const Font &f = fonts[std::size_t(op.value)];
                std::optional<QFont> &font = made[std::size_t(op.value)];
                if (!font) {
                    // As the printer's drawing state makes it.
                    font.emplace(f.family);
                    font->setPointSizeF(f.pointSize);
                    font->setBold(f.bold);
                    font->setItalic(f.italic);
                }
                painter.text(*font, f.id, f.ascentPx, op.x1, op.y1, op.text);
                break;
            }
            case Kind::Line:
                painter.line(op.value, op.x1, op.y1, op.x2, op.y2, op.colour, op.shape);
                break;
            case Kind::Picture:
                painter.picture(op.picture, op.x1, op.y1, op.x2, op.y2);
                break;
            case Kind::Page:
                if (writer.pageLayout().orientation() != pageOrientation(op.value))
                    writer.setPageOrientation(pageOrientation(op.value));
                writer.newPage();
                break;
            }
        }
        if (!painter.end())
            return std::nullopt;
        buffer.close();
        return pdf;
    }
};

// A job that has ended: its file, open since the job began, and the document
// once painted.
struct PdfPrinterBackend::Pending {
    std::unique_ptr<QFile> file;
    std::optional<QByteArray> pdf;
    std::future<void> painted;   // not valid: painted already
    QRunnable *painting = nullptr;   // its task, kept by the backend
};

PdfPrinterBackend::PdfPrinterBackend(const QString &folder)
    : folder_(folder)
{
}

PdfPrinterBackend::~PdfPrinterBackend()
{
    endJob();
    finishJobs();
}

QString PdfPrinterBackend::deviceName() const
{
    return pdfPrinterName();
}

const QPaintDevice *PdfPrinterBackend::metricsDevice()
{
    if (!measurer_) {
        // Never begun, so it writes nothing; it lends its resolution, the
        // one every job's document has.
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
    // NewOnly: a name taken in the meantime is never overwritten. The name
    // is taken here, so the files of overlapping jobs are named in the order
    // the jobs began.
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
    lastFile_ = file->fileName();
    auto pending = std::make_unique<Pending>();
    pending->file = std::move(file);
    pending_.push_back(std::move(pending));
    job_ = std::make_unique<Job>();
    job_->title = title.text();
    job_->creator = QCoreApplication::applicationName();
    job_->orientation = orientation;
    return true;
}

void PdfPrinterBackend::newPage(int orientation, int)
{
    if (!job_)
        return;
    Job::Op op{Job::Kind::Page};
    op.value = orientation;
    job_->ops.push_back(std::move(op));
}

void PdfPrinterBackend::drawText(const Printer &, const Printer::DeviceFont &font, double x,
                                 double y, const QString &text, double)
{
    if (!job_)
        return;
    Job::Op op{Job::Kind::Text};
    op.value = job_->fontIndex(font);
    op.x1 = x;
    op.y1 = y;
    op.text = text;
    job_->ops.push_back(std::move(op));
}

void PdfPrinterBackend::drawLine(const Printer &state, double x1, double y1, double x2,
                                 double y2, double colour, LineShape shape)
{
    if (!job_)
        return;
    Job::Op op{Job::Kind::Line, shape, state.DrawWidth, x1, y1, x2, y2, colour};
    job_->ops.push_back(std::move(op));
}

void PdfPrinterBackend::drawPicture(const Printer &, const QImage &picture, double x, double y,
                                    double width, double height)
{
    if (!job_ || picture.isNull())
        return;
    Job::Op op{Job::Kind::Picture};
    op.x1 = x;
    op.y1 = y;
    op.x2 = width;
    op.y2 = height;
    op.picture = picture;   // shared, and only read while painted
    job_->ops.push_back(std::move(op));
}

bool PdfPrinterBackend::writeOut(Pending &pending)
{
    if (pending.painted.valid()) {
        // Rather than wait for a worker to start it, this thread paints it.
        if (pending.painting && workers_ && workers_->tryTake(pending.painting))
            pending.painting->run();
        pending.painted.get();
    }
    QFile &file = *pending.file;
    bool ok = pending.pdf.has_value();
    if (ok) {
        const QByteArray &pdf = *pending.pdf;
        const qint64 take = bytesLeft_ < 0 ? pdf.size() : std::min<qint64>(bytesLeft_, pdf.size());
        ok = file.write(pdf.constData(), take) == pdf.size();
        if (bytesLeft_ >= 0)
            bytesLeft_ -= take;
        ok = file.flush() && ok;
    }
    ok = file.error() == QFileDevice::NoError && ok;
    file.close();
    if (!ok)
        file.remove();   // a half-written file would look like a good one
    pending.file.reset();
    pending.pdf.reset();
    return ok;
}

bool PdfPrinterBackend::endJob()
{
    if (!job_)
        return true;
    std::shared_ptr<const Job> job(job_.release());
    Pending &pending = *pending_.back();
    if (!overlapping_) {
        pending.pdf = job->paint();
        const bool ok = writeOut(pending);
        pending_.pop_back();
        return ok;
    }
    if (!workers_) {
        workers_ = std::make_unique<QThreadPool>();
        workers_->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    }
    auto done = std::make_shared<std::promise<void>>();
    pending.painted = done->get_future();
    std::optional<QByteArray> *pdf = &pending.pdf;   // the Pending stays put until written out
    // The task is not deleted by the pool: a worker may still hold it a
    // moment after the document is done, and this thread may run it itself.
    QRunnable *painting = QRunnable::create([job, pdf, done] {
        *pdf = job->paint();
        done->set_value();
    });
    painting->setAutoDelete(false);
    tasks_.emplace_back(painting);
    pending.painting = painting;
    workers_->start(painting);
    // The files already painted are written out in order; the documents
    // waiting for their file stay few however long the run.
    const std::size_t keep = std::size_t(3 * workers_->maxThreadCount());
    while (!pending_.empty()
           && (pending_.size() > keep
               || pending_.front()->painted.wait_for(std::chrono::seconds(0))
                   == std::future_status::ready)) {
        if (!writeOut(*pending_.front()))
            ++failed_;
        pending_.pop_front();
    }
    return true;
}

void PdfPrinterBackend::setOverlappingJobs(bool on)
{
    if (!on)
        failed_ += finishJobs();
    overlapping_ = on;
}

int PdfPrinterBackend::finishJobs()
{
    int failed = failed_;
    failed_ = 0;
    while (!pending_.empty()) {
        // The running job's file waits for the job.
        if (job_ && pending_.size() == 1)
            break;
        if (!writeOut(*pending_.front()))
            ++failed;
        pending_.pop_front();
    }
    // The workers end with the run: their fonts go with them, while the
    // application that they belong to is still there.
    workers_.reset();
    tasks_.clear();
    return failed;
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

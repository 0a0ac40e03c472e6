#include "Printer.h"

#include <QCoreApplication>
#include <cmath>

#include "platform/Beep.h"
#include "platform/NumberText.h"
#include "platform/PrintServer.h"
#include "platform/PrinterBackends.h"
#include "platform/RecordingPrinter.h"

PrintItem::PrintItem(double number)
    : text_(num::numberText(number) + QLatin1Char(' '))
{
}

PrintItem::PrintItem(float number)
    : text_(num::numberTextSingle(number) + QLatin1Char(' '))
{
}

QString PrintJobTitle::printoutOrDefault() const
{
    const QString p = printout.trimmed();
    return p.isEmpty() ? QStringLiteral("Druck") : p;
}

QString PrintJobTitle::text() const
{
    const QString r = race.trimmed();
    return r.isEmpty() ? printoutOrDefault() : printoutOrDefault() + QStringLiteral(" - ") + r;
}

namespace {

// Fonts kept per printer; a list uses a handful, so the cache is only a
// guard against a routine that walks through many sizes (FitRaceNameText).
constexpr std::size_t MaxCachedFonts = 48;

// The machine's default printer, as the print server last named it. A
// server that has not answered leaves no installed printer to take as the
// default, so the PDF printer is it until the user chooses another.
QString defaultPrinterName()
{
    return knownPrinters().defaultName;
}

std::unique_ptr<PrinterBackend> defaultBackend()
{
    const QString name = defaultPrinterName();
    if (!name.isEmpty())
        return std::make_unique<SystemPrinterBackend>(name);
    return std::make_unique<PdfPrinterBackend>();
}

} // namespace

Printer::Printer() = default;

Printer::~Printer()
{
    EndDoc();
}

void Printer::resetDrawingState()
{
    FontName = QStringLiteral("Arial");
    FontSize = 10;
    FontBold = FontItalic = false;
    CurrentX = CurrentY = 0;
    DrawWidth = 1;
    FillStyle = fillstyle::Transparent;
    FillColor = 0;
    Orientation = 1;
}

QFont Printer::currentFont() const
{
    QFont f(FontName);
    f.setPointSizeF(FontSize > 0 && std::isfinite(FontSize) ? FontSize : 1);
    f.setBold(FontBold);
    f.setItalic(FontItalic);
    return f;
}

PrinterBackend &Printer::backend() const
{
    if (!backend_) {
        // Drawing on the default printer needs to know which one it is: the
        // server's first answer, waited for within its time limit.
        if (!printerNamesAsked()) {
            if (!printerNamesPending())
                refreshPrinterNames();
            awaitPrinterNames();   // (a watcher told of it may have decided already)
        }
        if (!backend_)
            backend_ = defaultBackend();
        if (overlapping_ > 0)
            backend_->setOverlappingJobs(true);
    }
    return *backend_;
}

void Printer::setBackend(std::unique_ptr<PrinterBackend> backend)
{
    EndDoc();
    if (backend_ && overlapping_ > 0) {
        // The old device's jobs are finished before it goes; they are
        // reported with the rest.
        lateFailures_ += backend_->finishJobs();
        backend_->setOverlappingJobs(false);
    }
    // The fonts were measured on the old device.
    lastFont_ = nullptr;
    fonts_.clear();
    backend_ = std::move(backend);
    if (backend_ && overlapping_ > 0)
        backend_->setOverlappingJobs(true);
}

const Printer::DeviceFont &Printer::deviceFont() const
{
    auto matches = [this](const DeviceFont &f) {
        // The name is mostly the very text the font was made from: the same
        // characters in memory need no comparing.
        return f.size == FontSize && f.bold == FontBold && f.italic == FontItalic
            && ((f.name.constData() == FontName.constData() && f.name.size() == FontName.size())
                || f.name == FontName);
    };
    if (lastFont_ && matches(*lastFont_))
        return *lastFont_;
    for (const auto &f : fonts_) {
        if (matches(*f)) {
            lastFont_ = f.get();
            return *f;
        }
    }
    if (fonts_.size() >= MaxCachedFonts)
        fonts_.clear();
    auto made = std::make_unique<DeviceFont>(currentFont(), backend().metricsDevice());
    made->name = FontName;
    made->size = FontSize;
    made->bold = FontBold;
    made->italic = FontItalic;
    lastFont_ = made.get();
    fonts_.push_back(std::move(made));
    return *lastFont_;
}

double Printer::TextWidth(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    const DeviceFont &f = deviceFont();
    return f.advance(text) / f.dotsPerMm;
}

std::uint64_t Printer::measureKey() const
{
    return deviceFont().id;
}

double Printer::TextHeight() const
{
    return deviceFont().heightMm;
}

void Printer::beginJobIfNone()
{
    if (jobRunning())
        return;
    // A job left open when the program ends still reaches its device, while
    // the fonts and devices it needs are there.
    static const bool hooked = [] {
        qAddPostRoutine([] {
            Printer &p = printer();
            p.EndDoc();
            while (p.overlapping_ > 0)
                p.endOverlappingJobs();
        });
        return true;
    }();
    (void)hooked;
    pageOrientation_ = Orientation == 2 ? 2 : 1;
    jobOk_ = backend().beginJob(pageOrientation_, jobTitle_);
    page_ = 1;
}

void Printer::printText(const QString &text)
{
    beginJobIfNone();
    if (text.isEmpty())
        return;
    const DeviceFont &f = deviceFont();
    const double width = f.advance(text) / f.dotsPerMm;
    if (jobOk_)
        backend().drawText(*this, f, CurrentX, CurrentY, text, width);
    CurrentX += width;
}

void Printer::moveToNextZone()
{
    const double zone = 14 * deviceFont().averageCharMm;
    if (!(zone > 0))
        return;
    // A position a hair short of a zone start (from adding widths) counts
    // as on it.
    CurrentX = (std::floor(CurrentX / zone + 1e-9) + 1) * zone;
}

void Printer::Print(const PrintItem &item, PrintEnd end)
{
    Print({item}, end);
}

void Printer::Print(std::initializer_list<PrintItem> items, PrintEnd end)
{
    std::size_t i = 0;
    for (const PrintItem &item : items) {
        printText(item.text());
        if (++i < items.size())
            moveToNextZone();
    }
    if (items.size() == 0)
        beginJobIfNone();
    switch (end) {
    case PrintEnd::StayOnLine:
        break;
    case PrintEnd::NextZone:
        moveToNextZone();
        break;
    case PrintEnd::NewLine:
        CurrentX = 0;
        CurrentY += TextHeight();
        break;
    }
}

void Printer::Print()
{
    Print(std::initializer_list<PrintItem>{}, PrintEnd::NewLine);
}

void Printer::Line(double x1, double y1, double x2, double y2, double colour, LineShape shape)
{
    beginJobIfNone();
    if (jobOk_)
        backend().drawLine(*this, x1, y1, x2, y2, colour, shape);
    CurrentX = x2;
    CurrentY = y2;
}

void Printer::PaintPicture(const QImage &picture, double x, double y, double width,
                           double height)
{
    beginJobIfNone();
    if (jobOk_ && !picture.isNull())
        backend().drawPicture(*this, picture, x, y, width, height);
}

void Printer::setJobTitle(const QString &printout, const QString &race)
{
    jobTitle_ = {printout, race};
}

void Printer::NewPage()
{
    beginJobIfNone();
    pageOrientation_ = Orientation == 2 ? 2 : 1;
    ++page_;
    if (jobOk_)
        backend().newPage(pageOrientation_, page_);
    CurrentX = CurrentY = 0;
}

bool Printer::EndDoc()
{
    if (!jobRunning())
        return true;
    const bool ok = backend().endJob() && jobOk_;
    // The print routines go on as if the job had gone out; the beep is the
    // only sign the user gets that nothing was printed.
    if (!ok)
        beep();
    page_ = 0;
    jobOk_ = false;
    jobTitle_ = {};
    CurrentX = CurrentY = 0;
    return ok;
}

void Printer::beginOverlappingJobs()
{
    if (overlapping_++ == 0 && backend_)
        backend_->setOverlappingJobs(true);
}

bool Printer::endOverlappingJobs()
{
    if (overlapping_ == 0 || --overlapping_ > 0)
        return true;
    int failed = lateFailures_;
    lateFailures_ = 0;
    if (backend_) {
        failed += backend_->finishJobs();
        backend_->setOverlappingJobs(false);
    }
    // As EndDoc would have for each of them.
    for (int i = 0; i < failed; ++i)
        beep();
    return failed == 0;
}

OverlappingPrintJobs::OverlappingPrintJobs()
{
    printer().beginOverlappingJobs();
}

OverlappingPrintJobs::~OverlappingPrintJobs()
{
    printer().endOverlappingJobs();
}

double Printer::ScaleWidth() const
{
    const int o = jobRunning() ? pageOrientation_ : (Orientation == 2 ? 2 : 1);
    return backend().pageSizeMm(o).width();
}

double Printer::ScaleHeight() const
{
    const int o = jobRunning() ? pageOrientation_ : (Orientation == 2 ? 2 : 1);
    return backend().pageSizeMm(o).height();
}

QString Printer::DeviceName() const
{
    if (!backend_ && !printerNamesAsked()) {
        // A window shows the name as it opens: what the default is while
        // the server has not answered, without deciding it yet.
        if (!printerNamesPending())
            refreshPrinterNames();
        return pdfPrinterName();
    }
    return backend().deviceName();
}

Printer &printer()
{
    // Never destroyed: it may hold fonts and devices that must not outlive
    // the application object; the post routine above ends its job in time.
    static Printer *p = new Printer;
    return *p;
}

void resetPrinter()
{
    Printer &p = printer();
    p.setBackend(nullptr);   // the machine's default again, chosen at first use
    forgetPrinterNames();    // and asked anew
    p.resetDrawingState();
}

QString pdfPrinterName()
{
    return QStringLiteral("PDF-Drucker (Ordner PDF)");
}

bool selectPrinter(const QString &name)
{
    if (name == pdfPrinterName()) {
        printer().setBackend(std::make_unique<PdfPrinterBackend>());
        return true;
    }
    if (name.isEmpty())
        return false;
    // The queue says where its printable area lies, so the page reads its
    // size before the first job.
    const printserver::Queue queue = printserver::queue(name);
    if (!queue.exists)
        return false;
    printer().setBackend(std::make_unique<SystemPrinterBackend>(name, queue.marginsMm));
    return true;
}

RecordingPrinter &useRecordingPrinter()
{
    auto made = std::make_unique<RecordingPrinter>();
    RecordingPrinter &recording = *made;
    printer().setBackend(std::move(made));
    return recording;
}

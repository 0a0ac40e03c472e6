#include "RecordingPrinter.h"

#include <QImage>

RecordingPrinter::RecordingPrinter() = default;

const QPaintDevice *RecordingPrinter::metricsDevice()
{
    return printerStandInDevice();
}

QSizeF RecordingPrinter::pageSizeMm(int orientation) const
{
    return orientation == 2 ? PortraitPageSize.transposed() : PortraitPageSize;
}

PrintOp RecordingPrinter::stateOp(PrintOp::Kind kind, const Printer &state) const
{
    PrintOp op;
    op.kind = kind;
    op.job = jobs_;
    op.page = page_;
    op.fontName = state.FontName;
    op.fontSize = state.FontSize;
    op.bold = state.FontBold;
    op.italic = state.FontItalic;
    op.drawWidth = state.DrawWidth;
    op.fillStyle = state.FillStyle;
    op.fillColour = state.FillColor;
    op.orientation = orientation_;
    return op;
}

bool RecordingPrinter::beginJob(int orientation, const PrintJobTitle &title)
{
    ++jobs_;
    jobTitles.push_back(title);
    page_ = 1;
    orientation_ = orientation;
    return true;
}

void RecordingPrinter::newPage(int orientation, int page)
{
    page_ = page;
    orientation_ = orientation;
    PrintOp op;
    op.kind = PrintOp::Kind::NewPage;
    op.job = jobs_;
    op.page = page_;
    op.orientation = orientation_;
    ops.push_back(op);
}

bool RecordingPrinter::endJob()
{
    if (page_ == 0)
        return true;
    PrintOp op;
    op.kind = PrintOp::Kind::EndDoc;
    op.job = jobs_;
    op.page = page_;
    op.orientation = orientation_;
    ops.push_back(op);
    page_ = 0;
    return true;
}

void RecordingPrinter::drawText(const Printer &state, const Printer::DeviceFont &font,
                                double x, double y, const QString &text, double width)
{
    PrintOp op = stateOp(PrintOp::Kind::Text, state);
    op.x = x;
    op.y = y;
    op.text = text;
    op.width = width;
    op.height = font.heightMm;
    ops.push_back(std::move(op));
}

void RecordingPrinter::drawLine(const Printer &state, double x1, double y1, double x2,
                                double y2, double colour, LineShape shape)
{
    const PrintOp::Kind kind = shape == LineShape::Plain ? PrintOp::Kind::Line
        : shape == LineShape::Box                        ? PrintOp::Kind::Box
                                                         : PrintOp::Kind::FilledBox;
    PrintOp op = stateOp(kind, state);
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    ops.push_back(std::move(op));
}

void RecordingPrinter::drawPicture(const Printer &state, const QImage &picture, double x,
                                   double y, double width, double height)
{
    PrintOp op = stateOp(PrintOp::Kind::Picture, state);
    op.x = x;
    op.y = y;
    op.width = width;
    op.height = height;
    op.pictureSize = picture.size();
    ops.push_back(std::move(op));
}

std::vector<PrintOp> RecordingPrinter::ofKind(PrintOp::Kind kind) const
{
    std::vector<PrintOp> found;
    for (const PrintOp &op : ops)
        if (op.kind == kind)
            found.push_back(op);
    return found;
}

std::vector<PrintOp> RecordingPrinter::textsOnPage(int page, int job) const
{
    std::vector<PrintOp> found;
    for (const PrintOp &op : ops)
        if (op.kind == PrintOp::Kind::Text && op.page == page && op.job == job)
            found.push_back(op);
    return found;
}

const PrintOp *RecordingPrinter::findText(const QString &text, int occurrence) const
{
    for (const PrintOp &op : ops) {
        if (op.kind == PrintOp::Kind::Text && op.text == text && occurrence-- == 0)
            return &op;
    }
    return nullptr;
}

int RecordingPrinter::pageCount(int job) const
{
    // A job has at least the page it began with; each NewPage adds one.
    bool seen = false;
    int pages = 0;
    for (const PrintOp &op : ops) {
        if (op.job != job)
            continue;
        seen = true;
        pages = std::max(pages, op.page);
    }
    if (!seen && job >= 1 && job <= jobs_)
        return 1;
    return pages;
}

void RecordingPrinter::clear()
{
    ops.clear();
}

#pragma once
// The printer of tests: keeps every drawing operation with its position and
// the drawing state it was drawn in, so that a test checks a printout by
// its texts, positions, fonts and pages. It measures text as the PDF printer
// does (1200 dpi), so widths and centring come out as on paper.
//
//     RecordingPrinter &rec = useRecordingPrinter();
//     PrintResultList();
//     const PrintOp *band = rec.findText("Schüler I");
//     EXPECT_NEAR(band->y, 44.5, 1e-9);
#include <QSize>
#include <QSizeF>
#include <QString>
#include <vector>

#include "platform/PrinterBackends.h"

struct PrintOp {
    enum class Kind { Text, Line, Box, FilledBox, Picture, NewPage, EndDoc };
    Kind kind = Kind::Text;
    int job = 0;            // 1 for the first job of the recording
    int page = 0;           // page of the job, from 1 (NewPage: the page it begins)

    double x = 0, y = 0;    // text and picture: top-left; lines and boxes: first corner
    double x2 = 0, y2 = 0;  // lines and boxes: second corner
    double width = 0, height = 0;   // text: its width and line height; picture: size drawn
    QString text;
    double colour = 0;      // lines and boxes

    // Drawing state at the operation.
    QString fontName;
    double fontSize = 0;
    bool bold = false, italic = false;
    int drawWidth = 0;
    int fillStyle = 0;
    double fillColour = 0;
    int orientation = 1;    // of the page

    QSize pictureSize;      // pixels of the picture drawn
};

class RecordingPrinter : public PrinterBackend {
public:
    RecordingPrinter();

    std::vector<PrintOp> ops;
    // The title each job was begun with, job 1 first (kept by clear(), as
    // the job count is).
    std::vector<PrintJobTitle> jobTitles;
    // The page of the recording; a test may give it another width.
    QSizeF PortraitPageSize{210, 297};

    QString deviceName() const override { return QStringLiteral("Aufzeichnung"); }
    const QPaintDevice *metricsDevice() override;
    QSizeF pageSizeMm(int orientation) const override;
    bool beginJob(int orientation, const PrintJobTitle &title) override;
    void newPage(int orientation, int page) override;
    bool endJob() override;
    void drawText(const Printer &state, const Printer::DeviceFont &font, double x, double y,
                  const QString &text, double width) override;
    void drawLine(const Printer &state, double x1, double y1, double x2, double y2,
                  double colour, LineShape shape) override;
    void drawPicture(const Printer &state, const QImage &picture, double x, double y,
                     double width, double height) override;

    // Look-ups for tests.
    std::vector<PrintOp> ofKind(PrintOp::Kind kind) const;
    std::vector<PrintOp> texts() const { return ofKind(PrintOp::Kind::Text); }
    std::vector<PrintOp> textsOnPage(int page, int job = 1) const;
    // The n-th (0-based) text op with exactly this text; null when there is none.
    const PrintOp *findText(const QString &text, int occurrence = 0) const;
    int jobCount() const { return jobs_; }
    // Pages of a job (jobs count from 1).
    int pageCount(int job = 1) const;
    void clear();

private:
    PrintOp stateOp(PrintOp::Kind kind, const Printer &state) const;

    int jobs_ = 0;
    int page_ = 0;
    int orientation_ = 1;
};

#pragma once
// The check that a printout is fit to hang on a wall: on every page of a
// job, nothing is printed over anything else and nothing leaves the sheet.
//
//     RecordingPrinter &rec = useRecordingPrinter();
//     PrintResultList();
//     EXPECT_THAT(PageFaults(rec), ::testing::IsEmpty());
//
// What counts as a fault, per page:
// - two texts whose boxes (x .. x + width, y .. y + height) overlap; touching
//   edges are fine, and texts of blanks only take no room;
// - a text crossed by a line or by an edge of a box outline;
// - a text on a filled box (a band) that is not wholly on it or was drawn
//   before it: the texts of a band lie within it and come after it;
// - a text under a picture;
// - a band with no text under it on its page: a band is never the last row
//   of a page;
// - a text, line, box or picture outside the sheet.
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <gtest/gtest.h>
#include <functional>
#include <vector>

#include "platform/RecordingPrinter.h"

// The faults of one job, given its operations in drawing order (as the
// recording printer keeps them), one readable line each. The sheet is the
// portrait size; landscape pages turn it.
std::vector<QString> PageFaults(const std::vector<PrintOp> &jobOps,
                                QSizeF portraitSheet = QSizeF(210, 297));

// The faults of every job of the recording.
std::vector<QString> PageFaults(const RecordingPrinter &rec);

// The operations of one job of the recording (jobs count from 1).
std::vector<PrintOp> JobOps(const RecordingPrinter &rec, int job = 1);

// For EXPECT_TRUE: success when two recordings draw the same, operation by
// operation (every field but the job number), else the first difference.
// The printer keeps its drawing state from one job to the next: compare
// recordings that each began on a fresh printer.
::testing::AssertionResult SameDrawing(const std::vector<PrintOp> &a,
                                       const std::vector<PrintOp> &b);

// For EXPECT_TRUE: success when the recording has no fault, else the faults
// one a line.
::testing::AssertionResult PagesAreClean(const RecordingPrinter &rec);

// Whether cut is whole cut to a cell as the lists cut: a beginning of it,
// longer than minChars, followed by the "." that shows the cut.
bool IsMarkedCutOf(const QString &cut, const QString &whole, int minChars = 1);

// n characters of the widest capitals, beginning with start: a text that
// runs into the next column unless it is cut.
QString WidestText(const QString &start, int n);

// The pages of a PDF file as pictures of `dpi`, rendered by pdftoppm into
// files that begin with `prefix`; empty when pdftoppm is not installed.
std::vector<QImage> RenderPdfPages(const QString &pdf, const QString &prefix, int dpi);

// The bounding box, in mm, of the pixels within the area (mm) of a page
// rendered at `dpi` that match; empty when none does.
QRectF MatchingPixelBox(const QImage &page, int dpi, const QRectF &areaMm,
                        const std::function<bool(QRgb)> &matches);

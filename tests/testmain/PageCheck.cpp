#include "PageCheck.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <climits>
#include <map>
#include <tuple>
#include <utility>

namespace {

// What counts as touching rather than overlapping, in mm.
constexpr double Eps = 1e-6;

struct Rect {
    double left, top, right, bottom;
};

Rect textRect(const PrintOp &op)
{
    return {op.x, op.y, op.x + op.width, op.y + op.height};
}

Rect boxRect(const PrintOp &op)
{
    return {std::min(op.x, op.x2), std::min(op.y, op.y2), std::max(op.x, op.x2),
            std::max(op.y, op.y2)};
}

Rect pictureRect(const PrintOp &op)
{
    return {op.x, op.y, op.x + op.width, op.y + op.height};
}

bool overlap(const Rect &a, const Rect &b)
{
    return std::min(a.right, b.right) - std::max(a.left, b.left) > Eps
        && std::min(a.bottom, b.bottom) - std::max(a.top, b.top) > Eps;
}

bool inside(const Rect &inner, const Rect &outer)
{
    return inner.left >= outer.left - Eps && inner.right <= outer.right + Eps
        && inner.top >= outer.top - Eps && inner.bottom <= outer.bottom + Eps;
}

// Whether the segment runs through the inside of the rectangle (along an
// edge or ending on it is touching).
bool crosses(double x1, double y1, double x2, double y2, const Rect &r)
{
    const double left = r.left + Eps, right = r.right - Eps;
    const double top = r.top + Eps, bottom = r.bottom - Eps;
    if (left >= right || top >= bottom)
        return false;
    // Liang-Barsky: clip the segment to the rectangle.
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

bool blankText(const PrintOp &op)
{
    return op.text.trimmed().isEmpty() || op.width <= Eps;
}

QString describe(const PrintOp &op)
{
    return QStringLiteral("\"%1\" at (%2, %3) %4 x %5 mm")
        .arg(op.text)
        .arg(op.x, 0, 'f', 2)
        .arg(op.y, 0, 'f', 2)
        .arg(op.width, 0, 'f', 2)
        .arg(op.height, 0, 'f', 2);
}

QString describeBox(const char *kind, const Rect &r)
{
    return QStringLiteral("%1 (%2, %3)-(%4, %5)")
        .arg(QString::fromLatin1(kind))
        .arg(r.left, 0, 'f', 2)
        .arg(r.top, 0, 'f', 2)
        .arg(r.right, 0, 'f', 2)
        .arg(r.bottom, 0, 'f', 2);
}

void checkPage(const std::vector<const PrintOp *> &ops, QSizeF portraitSheet,
               const QString &where, std::vector<QString> &faults)
{
    std::vector<std::pair<std::size_t, const PrintOp *>> texts, lines, boxes, bands, pictures;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const PrintOp *op = ops[i];
        switch (op->kind) {
        case PrintOp::Kind::Text:
            if (!blankText(*op))
                texts.emplace_back(i, op);
            break;
        case PrintOp::Kind::Line: lines.emplace_back(i, op); break;
        case PrintOp::Kind::Box: boxes.emplace_back(i, op); break;
        case PrintOp::Kind::FilledBox: bands.emplace_back(i, op); break;
        case PrintOp::Kind::Picture: pictures.emplace_back(i, op); break;
        case PrintOp::Kind::NewPage:
        case PrintOp::Kind::EndDoc: break;
        }
    }

    auto fault = [&](const QString &text) { faults.push_back(where + QStringLiteral(": ") + text); };

    // The sheet, turned for a landscape page.
    auto sheetOf = [&](const PrintOp &op) {
        const QSizeF s = op.orientation == 2 ? portraitSheet.transposed() : portraitSheet;
        return Rect{0, 0, s.width(), s.height()};
    };
    for (const PrintOp *op : ops) {
        Rect r{};
        QString what;
        switch (op->kind) {
        case PrintOp::Kind::Text:
            if (blankText(*op))
                continue;
            r = textRect(*op);
            what = describe(*op);
            break;
        case PrintOp::Kind::Line:
        case PrintOp::Kind::Box:
        case PrintOp::Kind::FilledBox:
            r = boxRect(*op);
            what = describeBox(op->kind == PrintOp::Kind::Line ? "line" : "box", r);
            break;
        case PrintOp::Kind::Picture:
            r = pictureRect(*op);
            what = describeBox("picture", r);
            break;
        default: continue;
        }
        if (!inside(r, sheetOf(*op)))
            fault(what + QStringLiteral(" leaves the sheet"));
    }

    for (std::size_t a = 0; a < texts.size(); ++a)
        for (std::size_t b = a + 1; b < texts.size(); ++b)
            if (overlap(textRect(*texts[a].second), textRect(*texts[b].second)))
                fault(describe(*texts[a].second) + QStringLiteral(" overlaps ")
                      + describe(*texts[b].second));

    for (const auto &[i, line] : lines)
        for (const auto &[j, text] : texts)
            if (crosses(line->x, line->y, line->x2, line->y2, textRect(*text)))
                fault(describe(*text) + QStringLiteral(" is crossed by ")
                      + describeBox("line", boxRect(*line)));

    for (const auto &[i, box] : boxes) {
        const Rect r = boxRect(*box);
        const double edges[4][4] = {{r.left, r.top, r.right, r.top},
                                    {r.right, r.top, r.right, r.bottom},
                                    {r.right, r.bottom, r.left, r.bottom},
                                    {r.left, r.bottom, r.left, r.top}};
        for (const auto &[j, text] : texts)
            for (const auto &e : edges)
                if (crosses(e[0], e[1], e[2], e[3], textRect(*text))) {
                    fault(describe(*text) + QStringLiteral(" is crossed by the edge of ")
                          + describeBox("box", r));
                    break;
                }
    }

    for (const auto &[i, band] : bands) {
        const Rect r = boxRect(*band);
        bool below = false;
        for (const auto &[j, text] : texts) {
            const Rect t = textRect(*text);
            if (t.top >= r.bottom - Eps)
                below = true;
            if (!overlap(t, r))
                continue;
            if (!inside(t, r))
                fault(describe(*text) + QStringLiteral(" lies partly on ")
                      + describeBox("band", r));
            else if (j < i)
                fault(describe(*text) + QStringLiteral(" is covered by ")
                      + describeBox("band", r));
        }
        if (!below)
            fault(describeBox("band", r) + QStringLiteral(" is the last row of the page"));
    }

    for (const auto &[i, picture] : pictures)
        for (const auto &[j, text] : texts)
            if (overlap(textRect(*text), pictureRect(*picture)))
                fault(describe(*text) + QStringLiteral(" lies under ")
                      + describeBox("picture", pictureRect(*picture)));
}

} // namespace

std::vector<QString> PageFaults(const std::vector<PrintOp> &jobOps, QSizeF portraitSheet)
{
    std::map<std::pair<int, int>, std::vector<const PrintOp *>> pages;
    for (const PrintOp &op : jobOps)
        if (op.kind != PrintOp::Kind::NewPage && op.kind != PrintOp::Kind::EndDoc)
            pages[{op.job, op.page}].push_back(&op);
    std::vector<QString> faults;
    for (const auto &[key, ops] : pages)
        checkPage(ops, portraitSheet,
                  QStringLiteral("job %1 page %2").arg(key.first).arg(key.second), faults);
    return faults;
}

std::vector<QString> PageFaults(const RecordingPrinter &rec)
{
    std::vector<QString> faults;
    for (int job = 1; job <= rec.jobCount(); ++job) {
        const std::vector<QString> more = PageFaults(JobOps(rec, job), rec.PortraitPageSize);
        faults.insert(faults.end(), more.begin(), more.end());
    }
    return faults;
}

std::vector<PrintOp> JobOps(const RecordingPrinter &rec, int job)
{
    std::vector<PrintOp> ops;
    for (const PrintOp &op : rec.ops)
        if (op.job == job)
            ops.push_back(op);
    return ops;
}

::testing::AssertionResult SameDrawing(const std::vector<PrintOp> &a,
                                       const std::vector<PrintOp> &b)
{
    auto fields = [](const PrintOp &op) {
        return std::tie(op.kind, op.page, op.x, op.y, op.x2, op.y2, op.width, op.height,
                        op.text, op.colour, op.fontName, op.fontSize, op.bold, op.italic,
                        op.drawWidth, op.fillStyle, op.fillColour, op.orientation,
                        op.pictureSize);
    };
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (fields(a[i]) != fields(b[i]))
            return ::testing::AssertionFailure()
                << "operation " << i << " differs: \"" << a[i].text.toStdString() << "\" at ("
                << a[i].x << ", " << a[i].y << ") against \"" << b[i].text.toStdString()
                << "\" at (" << b[i].x << ", " << b[i].y << ")";
    if (a.size() != b.size())
        return ::testing::AssertionFailure()
            << a.size() << " operations against " << b.size();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PagesAreClean(const RecordingPrinter &rec)
{
    const std::vector<QString> faults = PageFaults(rec);
    if (faults.empty())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    result << faults.size() << " faults:";
    for (const QString &f : faults)
        result << "\n  " << f.toStdString();
    return result;
}

bool IsMarkedCutOf(const QString &cut, const QString &whole, int minChars)
{
    if (!cut.endsWith(u'.') || cut == whole)
        return false;
    const QString kept = cut.chopped(1);
    return kept.size() >= minChars && whole.startsWith(kept) && !kept.endsWith(u' ');
}

QString WidestText(const QString &start, int n)
{
    static const QString capitals = QStringLiteral("WMÄWWMÄMW");
    QString text = start;
    for (int i = 0; text.size() < n; ++i)
        text += capitals[i % capitals.size()];
    return text.left(n);
}

std::vector<QImage> RenderPdfPages(const QString &pdf, const QString &prefix, int dpi)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    QProcess run;
    run.start(tool, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf,
                     prefix});
    if (!run.waitForFinished(30000) || run.exitCode() != 0)
        return {};
    std::vector<QImage> pages;
    for (int n = 1;; ++n) {
        QImage page(prefix + QStringLiteral("-%1.png").arg(n));
        if (page.isNull())
            break;
        pages.push_back(page.convertToFormat(QImage::Format_RGB32));
    }
    return pages;
}

QRectF MatchingPixelBox(const QImage &page, int dpi, const QRectF &areaMm,
                        const std::function<bool(QRgb)> &matches)
{
    const auto pixels = [dpi](double mm) { return int(mm * dpi / 25.4); };
    const auto mm = [dpi](double px) { return px * 25.4 / dpi; };
    const QRect area(pixels(areaMm.left()), pixels(areaMm.top()), pixels(areaMm.width()),
                     pixels(areaMm.height()));
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = std::max(0, area.top()); y <= std::min(page.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(page.width() - 1, area.right()); ++x) {
            if (matches(page.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    return QRectF(mm(left), mm(top), mm(right + 1 - left), mm(bottom + 1 - top));
}

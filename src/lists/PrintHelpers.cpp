#include "PrintHelpers.h"

#include <QDateTime>
#include <QFileInfo>

#include "core/NumberTimeText.h"
#include "core/ProgramPictures.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Pictures.h"
#include "platform/Printer.h"
#include "platform/Strings.h"

ListPrintState ListPrint;

namespace {

// The logo is painted on every page of a list: loaded once while the file
// stays the same, and kept as one image, so that a PDF holds it only once.
struct LogoCache {
    QString key;
    QImage picture;
};
LogoCache Logo;

const bool registered = registerStateReset([] {
    ListPrint = ListPrintState{};
    Logo = LogoCache{};
});

// Half a text width as the centring helpers subtract it: single precision.
double halfWidth(const QString &text)
{
    return double(float(printer().TextWidth(text) / 2));
}

} // namespace

qsizetype FittingLength(const QString &text, double width)
{
    const Printer &p = printer();
    auto fits = [&](qsizetype n) { return p.TextWidth(text.left(n)) <= width; };
    // Probing doubles the length, so no measured piece is longer than twice
    // what fits, whatever the length of the text.
    qsizetype low = 0, high = 16;
    while (high < text.size() && fits(high)) {
        low = high;
        high *= 2;
    }
    if (high >= text.size()) {
        high = text.size();
        if (fits(high))
            return high;
    }
    // low fits (0 always counts as fitting), high does not.
    while (high - low > 1) {
        const qsizetype mid = low + (high - low) / 2;
        if (fits(mid))
            low = mid;
        else
            high = mid;
    }
    // A character outside the basic plane is kept whole.
    if (low > 0 && text.at(low - 1).isHighSurrogate())
        --low;
    return low;
}

QString FitToWidth(const QString &text, double width)
{
    const Printer &p = printer();
    if (p.TextWidth(text) <= width)
        return text;
    // From what fits without the mark, a character or two go for it.
    QString cut = text.left(FittingLength(text, width));
    for (;;) {
        while (!cut.isEmpty() && cut.back() == u' ')
            cut.chop(1);
        if (cut.isEmpty())
            return {};
        const QString marked = cut.endsWith(u'.') ? cut : cut + u'.';
        if (p.TextWidth(marked) <= width)
            return marked;
        cut.chop(1);
    }
}

void PrintBox()
{
    Printer &p = printer();
    const double left = ListPrint.BoxLeft, top = ListPrint.BoxTop, right = ListPrint.BoxRight;
    const double bottom = ListPrint.BoxBottom;
    p.Line(left, top, right, top);
    p.Line(right, top, right, bottom);
    p.Line(right, bottom, left, bottom);
    p.Line(left, bottom, left, top);
}

void PrintCentred()
{
    Printer &p = printer();
    p.CurrentX = p.ScaleWidth() / 2 - halfWidth(Work.WorkText);
    p.Print(Work.WorkText);
}

void PrintCentredLeftHalf()
{
    Printer &p = printer();
    p.CurrentX = p.ScaleWidth() * 0.25 - halfWidth(Work.WorkText) + 7;
    p.Print(Work.WorkText);
}

void PrintCentredRightHalf()
{
    Printer &p = printer();
    p.CurrentX = p.ScaleWidth() * 0.75 - halfWidth(Work.WorkText) + 3;
    p.Print(Work.WorkText);
}

void PrintRightAligned()
{
    Printer &p = printer();
    const double x = p.CurrentX;
    p.CurrentX = x - p.TextWidth(Work.WorkText);
    p.Print(Work.WorkText);
    p.CurrentX = x;
}

void PrintAt(double x, double y, const PrintItem &item, PrintEnd end)
{
    Printer &p = printer();
    p.CurrentX = x;
    p.CurrentY = y;
    p.Print(item, end);
}

void PrintColumnHeads(double size, double y, const std::vector<ColumnHead> &heads)
{
    Printer &p = printer();
    p.FontSize = size;
    p.FontBold = true;
    p.FontItalic = false;
    for (const ColumnHead &h : heads)
        PrintAt(h.x, y, h.maxWidth > 0 ? FitToWidth(h.text, h.maxWidth) : h.text);
    p.FontBold = false;
}

QString PrintedTime(double seconds)
{
    Work.HmsInput = seconds;
    SecondsToHms();
    FormatHms();
    return Work.WorkText;
}

void GreyBand(double left, double top, double right, double bottom, double colour)
{
    Printer &p = printer();
    p.FillStyle = fillstyle::UpwardDiagonal;
    p.FillColor = colour;
    p.DrawWidth = 1;
    p.Line(left, top, right, bottom, colour, LineShape::FilledBox);
}

void FitRaceNameText(double limitMm)
{
    Printer &p = printer();
    double size = 24;
    for (;;) {
        p.FontSize = size;
        // Not "!(w <= limit)": a width that is no number must not keep it going.
        if (size <= 1 || !(p.TextWidth(Work.WorkText) > limitMm))
            break;
        size -= 1;
    }
}

const QImage &LogoPicture()
{
    const QFileInfo file(QStringLiteral("Logo.jpg"));
    if (!file.isFile()) {
        Logo = LogoCache{};
        return Logo.picture;
    }
    const QString key = file.absoluteFilePath() + QLatin1Char('|')
        + QString::number(file.size()) + QLatin1Char('|')
        + QString::number(file.lastModified().toMSecsSinceEpoch());
    if (key != Logo.key) {
        Logo.key = key;
        Logo.picture = loadPicture(file.filePath());
    }
    return Logo.picture;
}

void PrintLogo(double x, double y)
{
    // A file that is no picture is passed over like a missing one.
    const QImage &picture = LogoPicture();
    if (picture.isNull())
        return;
    printer().PaintPicture(picture, x, y, 35, 18);
}

void LoadHeadPictures()
{
    if (ListPrint.HeadEmblemPicture.isNull())
        ListPrint.HeadEmblemPicture = ProgramPicture(QStringLiteral("emblem.png"));
    if (ListPrint.HeadStripPicture.isNull())
        ListPrint.HeadStripPicture = ProgramPicture(QStringLiteral("strip.png"));
}

ListHeadStyle PictureListHead(const QString &title)
{
    ListHeadStyle style;
    style.Title = title;
    style.RaceNameLimit = 98;
    style.ShortNameFirst = true;
    style.HeadPictures = true;
    return style;
}

void ListPageHead(const ListHeadStyle &style)
{
    Printer &p = printer();
    ListPrint.PageNo += 1;
    if (style.StartsRowCounter)
        ListPrint.RowCounter = 1;
    p.FontName = QStringLiteral("Arial");

    Work.WorkText = style.Name.isEmpty() ? Rec.RaceName : style.Name;
    if (style.Name.isEmpty() && style.ShortNameFirst && !trimBlanks(Rec.RaceShortName).isEmpty())
        Work.WorkText = Rec.RaceShortName;
    p.CurrentX = 22;
    p.CurrentY = style.NameY;
    p.FontBold = true;
    p.FontItalic = true;
    FitRaceNameText(style.RaceNameLimit);
    // Even at the smallest size a text of any length stays in its room.
    p.Print(FitToWidth(Work.WorkText, style.RaceNameLimit));
    p.FontBold = false;

    if (!style.Title.isEmpty()) {
        p.CurrentX = 22;
        p.CurrentY = 22;
        p.FontSize = 18;
        p.Print(FitToColumn(style.Title, 22, style.TitleEnd));
    }
    if (!style.Subtitle.isEmpty()) {
        p.CurrentX = 22;
        p.CurrentY = 30;
        p.FontSize = 12;
        p.Print(FitToColumn(style.Subtitle, 22, style.TitleEnd));
    }

    p.CurrentX = style.PageNumberX;
    p.CurrentY = 12;
    p.FontSize = style.PageNumberSize;
    p.Print(QStringLiteral("Seite -"), PrintEnd::StayOnLine);
    p.Print(ListPrint.PageNo);

    p.CurrentX = style.PageNumberX;
    p.CurrentY = style.DateY;
    p.FontSize = 7;
    p.Print(dates::germanDateText(dates::oleFromDate(sysclock::today())));

    p.DrawWidth = 5;
    ListPrint.BoxLeft = 20;
    ListPrint.BoxTop = 10;
    ListPrint.BoxRight = float(style.FrameRight);
    ListPrint.BoxBottom = std::int16_t(style.FrameBottom);
    PrintBox();

    if (style.HeadPictures) {
        LoadHeadPictures();
        p.PaintPicture(ListPrint.HeadStripPicture, 191, 11, 5.5, 18);
        ListPrint.BoxLeft = 190.5f;
        ListPrint.BoxTop = 10;
        ListPrint.BoxRight = 197;
        ListPrint.BoxBottom = 30;
        PrintBox();
        p.PaintPicture(ListPrint.HeadEmblemPicture, 4, 10, 15.5, 20);
    }

    p.DrawWidth = 1;
    p.FontSize = 6;
    p.FontBold = false;
    if (style.ProgramName) {
        // In the title's italics.
        p.CurrentX = 174;
        p.CurrentY = 22;
        p.FontSize = 7;
        p.Print(App.ProductName + QStringLiteral("  V") + App.VersionText);
        p.FontSize = 6;
    }
    p.FontItalic = false;
}

#include "Printer.h"

#include <QFontMetricsF>
#include <QImage>
#include <memory>

Printer::~Printer() = default;

QFont Printer::currentFont() const
{
    QFont f(FontName);
    f.setPointSizeF(FontSize > 0 ? FontSize : 1);
    f.setBold(FontBold);
    f.setItalic(FontItalic);
    return f;
}

double Printer::TextWidth(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    return mmFromDevice(measureText(currentFont(), text));
}

double Printer::measureText(const QFont &font, const QString &text) const
{
    // A tiny image stands in for the 1200 dpi page: font metrics depend only
    // on the device's resolution.
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        const int dotsPerMeter = qRound(Dpi / 0.0254);
        img.setDotsPerMeterX(dotsPerMeter);
        img.setDotsPerMeterY(dotsPerMeter);
        return img;
    }();
    return QFontMetricsF(font, &device).horizontalAdvance(text);
}

namespace {
std::unique_ptr<Printer> &current()
{
    static std::unique_ptr<Printer> p = std::make_unique<Printer>();
    return p;
}
} // namespace

Printer &printer()
{
    return *current();
}

void resetPrinter()
{
    current() = std::make_unique<Printer>();
}

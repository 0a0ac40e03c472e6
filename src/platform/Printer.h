#pragma once
// The printer the print routines draw on. Positions are in millimetres from
// the top-left corner of an A4 page; the device has 1200 dpi. For now it
// measures text; drawing, pages and the backends (real printers, the PDF
// printer, a recording printer for tests) build on this class.
#include <QFont>
#include <QString>

class Printer {
public:
    Printer() = default;
    virtual ~Printer();
    Printer(const Printer &) = delete;
    Printer &operator=(const Printer &) = delete;

    // Drawing state, named as the print routines use it.
    QString FontName = QStringLiteral("Arial");
    double FontSize = 10;            // points
    bool FontBold = false, FontItalic = false;
    double CurrentX = 0, CurrentY = 0;   // mm

    // Width in mm of text in the current font.
    double TextWidth(const QString &text) const;

    // Device resolution of every page.
    static constexpr int Dpi = 1200;
    static double mmFromDevice(double units) { return units * 25.4 / Dpi; }
    static double deviceFromMm(double mm) { return mm * Dpi / 25.4; }

    // The font the drawing state names.
    QFont currentFont() const;

protected:
    // Advance width of text in device units (1200 dpi). A backend measures on
    // the device that prints.
    virtual double measureText(const QFont &font, const QString &text) const;
};

// The current printer of the process.
Printer &printer();
// Tests: back to a default printer with the default drawing state.
void resetPrinter();

#pragma once
// Colour numbers as the windows store and set them: red + 256 * green +
// 65536 * blue. Numbers with the top bit set (as a 32-bit value) name a
// colour of the desktop scheme, e.g. 0x8000000F the face of a button.
#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <cmath>
#include <cstdint>

namespace colours {

constexpr double Black = 0;
constexpr double Red = 255;
constexpr double Green = 65280;
constexpr double Yellow = 65535;
constexpr double Blue = 16711680;
constexpr double Magenta = 16711935;
constexpr double Cyan = 16776960;
constexpr double White = 16777215;

constexpr double WindowBackground = -2147483643.0;   // 0x80000005
constexpr double WindowText = -2147483640.0;         // 0x80000008
constexpr double ButtonFace = -2147483633.0;         // 0x8000000F
constexpr double ButtonText = -2147483630.0;         // 0x80000012

} // namespace colours

inline double colourValue(int red, int green, int blue)
{
    auto part = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
    return part(red) + 256.0 * part(green) + 65536.0 * part(blue);
}

inline double colourValue(const QColor &colour)
{
    return colourValue(colour.red(), colour.green(), colour.blue());
}

inline QColor colourFromValue(double value)
{
    if (!std::isfinite(value))
        return QColor(0, 0, 0);
    // The stored numbers are 32-bit: negative ones are the scheme colours.
    const double whole = std::trunc(value);
    std::uint32_t bits = 0;
    if (whole < 0 && whole >= -2147483648.0)
        bits = std::uint32_t(std::int64_t(whole) & 0xFFFFFFFF);
    else if (whole >= 0 && whole <= 4294967295.0)
        bits = std::uint32_t(whole);
    else
        return QColor(0, 0, 0);
    if (bits & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (bits & 0xFFu) {
        case 0x05: return palette.color(QPalette::Base);
        case 0x06: return palette.color(QPalette::Shadow);      // window frame
        case 0x08: return palette.color(QPalette::Text);
        case 0x0D: return palette.color(QPalette::Highlight);
        case 0x0E: return palette.color(QPalette::HighlightedText);
        case 0x0F: return palette.color(QPalette::Button);
        case 0x10: return palette.color(QPalette::Mid);         // button shadow
        case 0x11: return palette.color(QPalette::Disabled, QPalette::Text);
        case 0x12: return palette.color(QPalette::ButtonText);
        case 0x14: return palette.color(QPalette::Light);       // 3D highlight
        case 0x15: return palette.color(QPalette::Dark);        // 3D dark shadow
        case 0x17: return palette.color(QPalette::ToolTipText);
        case 0x18: return palette.color(QPalette::ToolTipBase);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

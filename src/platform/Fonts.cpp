#include "platform/Fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutions()
{
    struct Substitution {
        const char *asked;
        const char *installed;
    };
    // Liberation faces are metric-compatible with the faces they replace,
    // so texts measured for those fit; Blankenburg is the blackletter face
    // the certificates are set in.
    static const Substitution substitutions[] = {
        {"Arial", "Liberation Sans"},
        {"Times", "Liberation Serif"},
        {"Times New Roman", "Liberation Serif"},
        {"Monospac821 BT", "Liberation Mono"},
        {"Courier New", "Liberation Mono"},
        {"Fraktur BT", "Blankenburg_UNZ1A"},
    };
    for (const Substitution &s : substitutions) {
        const QString asked = QString::fromLatin1(s.asked);
        const QString installed = QString::fromLatin1(s.installed);
        if (!QFont::substitutes(asked).contains(installed))
            QFont::insertSubstitution(asked, installed);
    }
}

double designedAverageCharWidthEm(const QString &family)
{
    // Average character width of the face as designed, in font units of its
    // em square (regular style; the zones do not change with bold or italic).
    struct Average {
        const char *family;
        double units, unitsPerEm;
    };
    static const Average averages[] = {
        {"Arial", 904, 2048},
        {"Times", 821, 2048},
        {"Times New Roman", 821, 2048},
        {"Courier New", 1229, 2048},
        {"Monospac821 BT", 600, 1000},
    };
    for (const Average &a : averages)
        if (family.compare(QLatin1String(a.family), Qt::CaseInsensitive) == 0)
            return a.units / a.unitsPerEm;
    return 0;
}

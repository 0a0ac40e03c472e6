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

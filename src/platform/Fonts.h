#pragma once
// The faces the windows and printed pages ask for are not installed on a
// Linux machine; map each to its metric-compatible or look-alike face.

// Installs the substitutions. Call it before the first QFont of one of these
// families exists (it needs no QApplication, so main() calls it first).
void installFontSubstitutions();

class QString;

// The average character width of a face as designed, in em: the figure the
// face's own font file gives, which the print zones of the pages are counted
// in. The installed stand-ins are metric-compatible glyph by glyph, but they
// give another average. 0 for a face whose figure is not known here (the
// blackletter face): its stand-in's own average then counts.
double designedAverageCharWidthEm(const QString &family);

#pragma once
// The faces the windows and printed pages ask for are not installed on a
// Linux machine; map each to its metric-compatible or look-alike face.

// Installs the substitutions. Call it before the first QFont of one of these
// families exists (it needs no QApplication, so main() calls it first).
void installFontSubstitutions();

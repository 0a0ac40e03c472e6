#pragma once
// The certificates ("Urkunde") of the finishers marked in the print window's
// list of ranked finishers: one portrait page and one print job each, in the
// order of the list. Reads the window's free-text option and the race
// header's pictogram and best-time title. Ranks the whole race first (no
// club filter); a marked entry without a rank gets no certificate.
void PrintCertificates();

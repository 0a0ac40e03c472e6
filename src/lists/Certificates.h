#pragma once
// The certificates ("Urkunde") of the finishers marked in the print window's
// list of ranked finishers: one portrait page and one print job each, in the
// order of the list. Takes the window's free-text option and reads the race
// header's pictogram and best-time title. Ranks the whole race first (no
// club filter); a marked entry without a rank gets no certificate.
#include <QString>
#include <QStringList>

// What the print window hands over: its marked lines and free texts.
struct CertificateRequest {
    // The marked lines of the list of ranked finishers, in list order; each
    // ends with its slot number in the last four characters.
    QStringList markedLines;
    // "alternativer Text auf Urkunde" ticked: the three lines below instead
    // of rank, time and class.
    bool alternativeText = false;
    QString text1, text2, text3;
};

void PrintCertificates(const CertificateRequest &request);

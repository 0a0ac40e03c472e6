#pragma once
// Small text helpers with the semantics the program's routines are written
// for: trimming removes blanks only, and taking characters never fails on
// texts that are too short.
#include <QString>
#include <QStringView>

QString trimBlanks(QStringView text);          // leading and trailing " "
QString trimLeadingBlanks(QStringView text);
QString trimTrailingBlanks(QStringView text);
QString leftChars(QStringView text, qsizetype n);    // first n (all when shorter)
QString rightChars(QStringView text, qsizetype n);   // last n (all when shorter)
QString midChars(QStringView text, qsizetype start1, qsizetype n = -1);  // 1-based start
QString padRight(QStringView text, qsizetype width);  // blanks added, never cut
QString fitLeft(QStringView text, qsizetype width);   // padded or cut to width
QString blanks(qsizetype n);

#pragma once
// Dates as record files hold them: OLE automation dates, the days since
// 30 December 1899 as a double (the fraction is the time of day).
#include <QDate>
#include <QString>

namespace dates {

// 0 (30.12.1899) for an invalid date.
double oleFromDate(const QDate &date);
// The calendar date of an OLE date: the whole days count from 30.12.1899
// towards zero and the fraction is the time of that day whatever the sign
// (-1.25 is 29.12.1899 06:00, -0.5 is 30.12.1899 12:00); the time is dropped
// after rounding it to the second, as OLE does. NaN, infinities and dates
// outside the years 100..9999 give an invalid QDate.
QDate dateFromOle(double ole);

// German date text "13.04.1983" (two-digit day and month, four-digit year);
// "" for a value that is no valid date.
QString germanDateText(double ole);

// Reads German date text day.month.year: one or two digits for day and
// month, one to four for the year ("13.4.1983", " 1.1.1900 "). A year of one
// or two digits is taken the way a user typing "13.04.83" means it: 0..29 are
// 2000..2029, 30..99 are 1930..1999; a longer one is the year as written and
// must lie in 100..9999. Blanks around are skipped. Returns false, *ole
// untouched, for text that is no valid calendar date.
bool parseGermanDate(const QString &text, double *ole);

} // namespace dates

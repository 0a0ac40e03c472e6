#pragma once
// Number text as the program writes and reads it. Never uses the C library's
// locale: the decimal separator is always spelled out here.
#include <QString>
#include <QStringView>
#include <cstdint>

namespace num {

// Numeric value of typed text: leading blanks are skipped, an optional sign,
// digits with "." as the decimal point; reading stops at the first other
// character (so "12,5" is 12 and "abc" is 0). An exponent ("1E5", "2.5e-3")
// is read when digits follow the "E". Out-of-range values saturate to the
// largest finite value (or 0); never NaN or infinite.
double numericValue(QStringView text);
// The same for a box the user is still typing a number into: false while
// the text holds no digit yet ("", "-", "abc"), otherwise true with *value
// as numericValue reads it.
bool typedNumber(QStringView text, double *value);

// Value of number text written with a decimal comma ("65,32", "-1,5"); a "."
// is taken as the decimal separator too, and an exponent is read as by
// numericValue (numberText writes one for huge values). Blanks around the
// number are skipped. Text that holds no number gives 0 and *ok = false;
// other text after the number gives the number read and *ok = false.
double decimalCommaValue(QStringView text, bool *ok = nullptr);

// The number-to-text conversion: a blank before a number that is not
// negative, "-" before a negative one, the shortest text with a decimal comma
// that reads back as the same double (at most 15 significant digits).
// 12 -> " 12", -3.5 -> "-3,5", 0.5 -> " 0,5". No exponent from 1E-15 up to
// 15 integer digits; beyond that " 1E+20", " 1,5E-16". Negative zero gives
// " 0", NaN " 0" and an infinity the largest finite value.
QString numberText(double value);
// The same for single precision values (at most 7 significant digits).
QString numberTextSingle(float value);

// The same without the leading blank: 12 -> "12", 12.5 -> "12,5", -3 -> "-3".
QString plainNumberText(double value);
QString plainNumberTextSingle(float value);

// A number line of a text file: numberText(value) followed by one blank
// (" 17 ", "-2,5 ").
QString numberLine(double value);

// The same texts as bytes (they are ASCII), for the file writers: each writes
// at out, which has room for NumberTextBytes, and returns the end of what it
// wrote. plainNumberBytes gives plainNumberText, plainNumberBytesSingle
// plainNumberTextSingle and numberLineBytes numberLine.
constexpr int NumberTextBytes = 48;
char *plainNumberBytes(double value, char *out);
char *plainNumberBytesSingle(float value, char *out);
char *numberLineBytes(double value, char *out);

// Format patterns of the program: "#.#0", "0#", "0#.00", "0##", "0###",
// "0#####", "00000.00", "0####.#0", "####  ". Placeholders before the
// decimal point: at least as many digits as there are placeholders from the
// first "0" on (so "0###" gives 4, "#.#0" none: 0.5 -> ",50"); after the point
// every placeholder is a digit. Literal text around the placeholders (the
// trailing blanks) is copied. Rounded half away from zero on the decimal value
// (as roundHalfAway); decimal comma; "-" before a negative value unless it
// rounds to zero.
QString formatNumber(double value, QStringView pattern);
// The same appended to line, without a text of its own; gives the number of
// characters appended.
qsizetype appendFormatNumber(QString &line, double value, QStringView pattern);

// Round half away from zero to the given number of decimals (on the shortest
// decimal text of the value, at most 15 significant digits, so 2.675 gives
// 2.68 and 1.0049999999999999 gives 1.01). Negative decimals round to tens,
// hundreds, ...
double roundHalfAway(double value, int decimals = 0);

// Conversions to integers: rounded half away from zero, saturated to the
// range of the target type; NaN gives 0.
std::int32_t toInt32(double value);
std::int16_t toInt16(double value);
// Largest whole number not above value (Int), saturated, NaN gives 0.
std::int32_t floorToInt32(double value);

} // namespace num

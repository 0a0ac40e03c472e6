#pragma once
// Number and time text of lists, sort keys and printouts. Inputs and results
// pass through WorkState (SharedState.h).

// WorkText := CurrentSlot with two decimals and a decimal comma, right-aligned
// in 8 (FormatDecimal8) or 10 (FormatDecimal10) characters.
void FormatDecimal8();
void FormatDecimal10();

// HmsHours, HmsMinutes, HmsSeconds := HmsInput split; the seconds cut (not
// rounded) to thousandths.
void SecondsToHms();

// WorkText := the time as hours:minutes:seconds,hundredths without leading
// zeros, padded on the left with blanks to a printed width of 14 in the
// current printer's unit and font.
void FormatHms();

// WorkText trimmed, an empty text made "0", the first "." made ",".
void NormalizeDecimalText();

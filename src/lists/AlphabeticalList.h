#pragma once
// The printed "Alphabetische Teilnehmerliste": every entry whose athlete has
// a name, in alphabetical order, with start number, name, club and class
// (or group), each row framed, so that a start number is found by name.
void PrintAlphabeticalList();

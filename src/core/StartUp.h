#pragma once
#include <QString>

// Start-up values of the program and the window-position file. The main
// window's load runs them in this order (Form1.cpp).

// Product name, version and the data-directory prefix.
void SetProductAndDataDir();
// Seeds the random generator from the clock.
void SeedRandomGenerator();
// Reads TopLeft.dat when it exists (false when it does not).
bool ReadWindowPositions();
// Rewrites TopLeft.dat: Top and Left of window slots 1..60.
void SaveWindowPositions();
// Year of the date 180 days after today, minus 2015.
void ComputeSeasonYearOffset();
// The 20 standard age classes of the season.
void LoadStandardClassTable();
void SetStatusNames();
void SetColourTable();
// The organisation's name: the first line of Organisation.dat ("" without it).
void ReadOrganisationName();

QString OrganisationFileName();

#pragma once
// The print window's cover sheet: the page of CoverSheetPage.h with the
// banners of the banner window's rows. Reaching the rows loads the banner
// window hidden when it is not loaded (and so reads werbung.dat); the print
// window closes it again when it is next activated.
#include "CoverSheetPage.h"

void PrintCoverSheet();

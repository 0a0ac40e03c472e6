#include "CoverSheet.h"

#include "platform/Redraw.h"
#include "race/Form21.h"

void PrintCoverSheet()
{
    // Loading the banner window reads its pictures: the hourglass from the
    // start (the page turns it off when it is out).
    setHourglass(true);
    PrintCoverSheetPage(form<Form21>().BannerRows());
}

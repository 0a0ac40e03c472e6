#include "CoverSheet.h"

#include "race/Form21.h"

void PrintCoverSheet()
{
    PrintCoverSheetPage(form<Form21>().BannerRows());
}

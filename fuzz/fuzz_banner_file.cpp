// werbung.dat as the fuzz input: the banners are read over the defaults,
// their numbers go through the clamps of the banner window and are taken as
// the cover sheet takes them, and the file is written back and read again.
#include "FuzzCommon.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "race/Banners.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetState();
    fuzz::writeFile(QStringLiteral("werbung.dat"), data, size);
    BannerTable banners = DefaultBanners();
    ReadBannerFile(banners);
    double sum = 0;
    for (BannerEntry &b : banners) {
        b.Right = ClampBannerRight(b.Right);
        b.Down = ClampBannerDown(b.Down);
        b.SizePercent = ClampBannerSize(b.SizePercent);
        sum += num::numericValue(b.Right) + num::numericValue(b.Down)
            + num::numericValue(b.SizePercent) * b.Shown;
        (void)trimBlanks(b.FileName);
    }
    (void)sum;
    WriteBannerFile(banners);
    BannerTable again = DefaultBanners();
    ReadBannerFile(again);
    fuzz::removeFile(QStringLiteral("werbung.dat"));
    return 0;
}

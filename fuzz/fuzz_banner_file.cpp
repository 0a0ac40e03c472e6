// werbung.dat as the fuzz input, and after the first byte 0x1E (when there is one)
// the bytes of the picture file "Bild.jpg"; beside them lies a good small
// picture "gut.jpg". The banners are read over the defaults, their numbers go
// through the clamps of the banner window and are taken as the cover sheet
// takes them, and the file is written back and read again. Then the banner
// window loads the file: its rows, the preview with the pictures, each
// banner selected with its picture shown and nudged; the cover sheet prints
// the banners on the recording printer, and closing the window writes the
// file, which is read once more.
#include <QImage>

#include "FuzzWindows.h"
#include "core/StartUp.h"
#include "lists/CoverSheet.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "race/Banners.h"
#include "race/Form21.h"

namespace {

const QString Picture = QStringLiteral("Bild.jpg");

void writeGoodPicture()
{
    QImage image(40, 12, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.save(QStringLiteral("gut.jpg"), "JPG");
}

BannerTable bannerWindow()
{
    SetColourTable();
    Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
    Rec.RacePlace = QStringLiteral("Bergdorf");
    Rec.RaceDate = 46000;
    Form21 &f = form<Form21>();
    f.Show();
    for (int i = 0; i < BannerCount; ++i) {
        f.Text1_Click(i);
        f.Command2.click();
        f.Command5.click();
    }
    f.Command3.click();
    f.Command4.click();
    f.LayoutBannerPreview();
    (void)f.MeasuredSizeMm();
    PrintCoverSheet();
    return f.BannerRows();
}

bool sameBanners(const BannerTable &a, const BannerTable &b)
{
    for (int i = 0; i < BannerCount; ++i) {
        const BannerEntry &x = a[std::size_t(i)];
        const BannerEntry &y = b[std::size_t(i)];
        if (x.Shown != y.Shown || x.FileName != y.FileName || x.Right != y.Right
            || x.Down != y.Down || x.SizePercent != y.SizePercent)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    writeGoodPicture();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetWindowState();
    // Only the first 0x1E separates: the picture's bytes may hold more.
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype sep = all.indexOf('\x1e');
    std::vector<QByteArray> parts{all.left(sep < 0 ? all.size() : sep)};
    if (sep >= 0)
        parts.push_back(all.mid(sep + 1));
    const QByteArray &file = parts[0];
    fuzz::writeFile(QStringLiteral("werbung.dat"),
                    reinterpret_cast<const std::uint8_t *>(file.constData()), std::size_t(file.size()));
    if (parts.size() > 1) {
        const QByteArray &picture = parts[1];
        fuzz::writeFile(Picture, reinterpret_cast<const std::uint8_t *>(picture.constData()),
                        std::size_t(picture.size()));
    } else {
        fuzz::removeFile(Picture);
    }

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

    // The file as it came, in the banner window and on the cover sheet.
    fuzz::writeFile(QStringLiteral("werbung.dat"),
                    reinterpret_cast<const std::uint8_t *>(file.constData()), std::size_t(file.size()));
    const BannerTable rows = bannerWindow();
    fuzz::unloadWindows();
    // Closing the window saved its rows: the file gives them back as they
    // stood.
    BannerTable written = DefaultBanners();
    if (!ReadBannerFile(written) || !sameBanners(written, rows)) {
        std::fprintf(stderr, "werbung.dat does not give back the rows it was written from\n");
        std::abort();
    }
    fuzz::removeFile(QStringLiteral("werbung.dat"));
    return 0;
}

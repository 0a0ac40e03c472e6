#include "Banners.h"

#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

BannerState Banners;

namespace {

const bool registered = registerStateReset([] { Banners = BannerState{}; });

QString clamped(const QString &text, int low, int high)
{
    const double value = num::numericValue(text);
    if (value < low)
        return QString::number(low);
    if (value > high)
        return QString::number(high);
    return text;
}

int shownFrom(double value)
{
    const std::int32_t shown = num::toInt32(value);
    return shown == 1 || shown == 2 ? shown : 0;
}

} // namespace

BannerTable DefaultBanners()
{
    struct Row {
        const char *file;
        int right, down, size;
    };
    static const Row rows[BannerCount] = {
        {"werbung1.jpg", 20, 235, 100},  {"werbung2.jpg", 56, 235, 100},
        {"werbung4.jpg", 135, 250, 100}, {"werbung3.jpg", 100, 235, 100},
        {"werbung6.jpg", 53, 260, 120},  {"werbung5.jpg", 20, 258, 60},
        {"werbung8.jpg", 116, 267, 100}, {"werbung7.jpg", 85, 255, 100},
    };
    BannerTable table;
    for (int i = 0; i < BannerCount; ++i) {
        const Row &r = rows[i];
        BannerEntry &b = table[std::size_t(i)];
        b.Shown = 1;
        b.FileName = QString::fromLatin1(r.file);
        b.Right = QString::number(r.right);
        b.Down = QString::number(r.down);
        b.SizePercent = QString::number(r.size);
    }
    return table;
}

QString BannerFilePath()
{
    return App.DataDir + QStringLiteral("werbung.dat");
}

bool ReadBannerFile(BannerTable &banners)
{
    TextReader in(BannerFilePath());
    if (!in.exists())
        return false;
    for (BannerEntry &b : banners) {
        if (in.atEnd())
            break;
        b.Shown = shownFrom(num::numericValue(in.readLine()));
        // Each line only while the file has one: what is missing keeps its value.
        for (QString *field : {&b.FileName, &b.Right, &b.Down, &b.SizePercent}) {
            if (in.atEnd())
                break;
            *field = in.readLine();
        }
    }
    return true;
}

bool WriteBannerFile(const BannerTable &banners)
{
    TextWriter out(BannerFilePath());
    for (const BannerEntry &b : banners) {
        out.numberLine(b.Shown);
        out.line(b.FileName);
        out.line(b.Right);
        out.line(b.Down);
        out.line(b.SizePercent);
    }
    return out.commit();
}

QString ClampBannerRight(const QString &text)
{
    return clamped(text, BannerRightMin, BannerRightMax);
}

QString ClampBannerDown(const QString &text)
{
    return clamped(text, BannerDownMin, BannerDownMax);
}

QString ClampBannerSize(const QString &text)
{
    return clamped(text, BannerSizeMin, BannerSizeMax);
}

#include "CupFile.h"

#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

CupState Cup;

namespace {
const bool registered = registerStateReset([] { Cup = CupState{}; });
} // namespace

QString CupFileName()
{
    return App.DataDir + QStringLiteral("Cup.dat");
}

void SetDefaultCupPoints()
{
    static constexpr std::int16_t defaults[] = {20, 15, 10, 8, 5, 4, 3, 2, 1};
    for (int place = 1; place <= 9; ++place)
        Cup.PointsTable[std::size_t(place)] = defaults[place - 1];
}

CupFileContent ReadCupFile()
{
    CupFileContent content;
    TextReader in(CupFileName());
    if (!in.exists())
        return content;
    content.exists = true;
    // An empty file has no title line: the window keeps its own title then.
    if (in.atEnd())
        return content;
    content.hasTitle = true;
    content.title = in.readLine();
    for (int place = 1; place <= CupPlaces && !in.atEnd(); ++place)
        Cup.PointsTable[std::size_t(place)] = num::toInt16(in.readNumber());
    while (!in.atEnd())
        content.races.push_back(num::toInt32(in.readNumber()));
    return content;
}

bool WriteCupFile(const QString &title, const std::vector<std::int32_t> &races)
{
    TextWriter out(CupFileName());
    out.line(trimBlanks(title));
    for (int place = 1; place <= CupPlaces; ++place)
        out.numberLine(Cup.PointsTable[std::size_t(place)]);
    for (const std::int32_t race : races)
        out.numberLine(race);
    return out.commit();
}

#include "StartUp.h"

#include <cmath>

#include "SharedState.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

namespace {

QString windowPositionFileName()
{
    return App.DataDir + QStringLiteral("TopLeft.dat");
}

struct StandardClass {
    const char16_t *name;
    int first;
    int last;
};

// Birth years of the season 2015; each season moves them by one year.
constexpr StandardClass StandardClasses[ClassCount] = {
    {u"Bambini 1", 2009, 2015},   {u"Bambini 2", 2008, 2008},
    {u"Kinder U8", 2007, 2007},   {u"Kinder U9", 2006, 2006},
    {u"Kinder U10", 2005, 2005},  {u"Kinder U11", 2004, 2004},
    {u"Kinder U12", 2003, 2003},  {u"Schüler U13", 2002, 2002},
    {u"Schüler U14", 2001, 2001}, {u"Schüler U15", 2000, 2000},
    {u"Schüler U16", 1999, 1999}, {u"Jugend U18", 1997, 1998},
    {u"Jugend U21", 1994, 1996},  {u"Allg. Kl.", 1985, 1993},
    {u"AK 1", 1975, 1984},        {u"AK 2", 1965, 1974},
    {u"AK 3", 1955, 1964},        {u"AK 4", 1945, 1954},
    {u"AK 5", 1935, 1944},        {u"AK 6", 1900, 1934},
};

float colour(int r, int g, int b)
{
    return float(r + 256 * g + 65536 * b);
}

} // namespace

void SetProductAndDataDir()
{
    App.ProductName = QStringLiteral("ZIRPA");
    App.VersionText = QStringLiteral("2.00");
    App.DataDir = QString();
}

void SeedRandomGenerator()
{
    rnd::randomize(sysclock::secondsSinceMidnight());
}

bool ReadWindowPositions()
{
    TextReader in(windowPositionFileName());
    if (!in.exists())
        return false;
    for (int i = 1; i <= WindowSlots; ++i) {
        double top = 0;
        double left = 0;
        if (!in.atEnd())
            top = in.readNumber();
        if (!in.atEnd())
            left = in.readNumber();
        // A negative position is restored as positive.
        App.WindowTop[i] = num::toInt32(std::fabs(top));
        App.WindowLeft[i] = std::isfinite(left) ? std::fabs(left) : 0;
        App.WindowLeftSet[i] = true;
    }
    return true;
}

void SaveWindowPositions()
{
    TextWriter out(windowPositionFileName());
    for (int i = 1; i <= WindowSlots; ++i) {
        out.numberLine(App.WindowTop[i]);
        if (App.WindowLeftSet[i])
            out.numberLine(App.WindowLeft[i]);
        else
            out.line(QString());
    }
    // Every window that unloads saves the positions; mostly they are the
    // ones already on disk.
    if (!out.commitUnlessUnchanged())
        beep();
}

void ComputeSeasonYearOffset()
{
    App.SeasonYearOffset = float(sysclock::today().addDays(180).year() - 2015);
}

void LoadStandardClassTable()
{
    const int offset = num::toInt32(App.SeasonYearOffset);
    for (int k = 1; k <= ClassCount; ++k) {
        const StandardClass &c = StandardClasses[k - 1];
        App.StandardClassNames[k] = QString::fromUtf16(c.name);
        App.StandardClassYears[k] = {c.first + offset, c.last + offset};
    }
}

void SetStatusNames()
{
    for (QString &s : App.StatusNames)
        s.clear();
    App.StatusNames[0] = QStringLiteral("ok");
    App.StatusNames[1] = QStringLiteral("naS");
    App.StatusNames[2] = QStringLiteral("niZ");
    App.StatusNames[3] = QStringLiteral("dis");
}

void SetColourTable()
{
    App.ColourTable = {
        colour(224, 224, 224), colour(192, 255, 255), colour(0, 128, 0),
        colour(192, 0, 0),     colour(255, 192, 192), colour(255, 192, 128),
        colour(192, 255, 192), colour(255, 255, 192), colour(255, 255, 255),
    };
}

QString OrganisationFileName()
{
    return App.DataDir + QStringLiteral("Organisation.dat");
}

void ReadOrganisationName()
{
    TextReader in(OrganisationFileName());
    App.OrganisationName = in.atEnd() ? QString() : trimBlanks(in.readLine());
}

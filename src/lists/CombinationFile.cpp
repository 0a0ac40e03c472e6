#include "CombinationFile.h"

#include "CupTable.h"
#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

QString CombinationFileName()
{
    return App.DataDir + u'Z' + num::numberText(Rec.RaceRecordNo) + QStringLiteral(".dat");
}

bool CombinationFileExists()
{
    return fileExists(CombinationFileName());
}

bool WriteCombinationFile()
{
    TextWriter out(CombinationFileName());
    for (int k = 1; k <= CupColumns; ++k)
        out.line(CupTable.CombiRaceNames[k]);
    for (int i = 1; i <= CupRows; ++i) {
        out.numberLine(CupTable.CupAthleteNo[i]);
        for (int c = 0; c <= CupColumns; ++c)
            out.numberLine(CupTable.CombiTimes[i][c]);
    }
    return out.commit();
}

int ReadCombinationFile()
{
    for (int k = 1; k <= CupColumns; ++k)
        CupTable.CombiRaceNames[k].clear();
    CupTable.CupAthleteNo.fill(0);
    for (auto &row : CupTable.CombiTimes)
        row.fill(0);

    TextReader in(CombinationFileName());
    int lines = 0;
    for (int k = 1; k <= CupColumns && !in.atEnd(); ++k, ++lines)
        CupTable.CombiRaceNames[k] = in.readLine();
    // A short file ends the reading where it ends: a participant block cut
    // off keeps what it has, the rest of the table stays empty.
    for (int i = 1; i <= CupRows && !in.atEnd(); ++i) {
        CupTable.CupAthleteNo[i] = num::toInt32(in.readNumber());
        ++lines;
        for (int c = 0; c <= CupColumns && !in.atEnd(); ++c, ++lines)
            CupTable.CombiTimes[i][c] = num::decimalCommaValue(in.readLine());
    }
    return lines;
}

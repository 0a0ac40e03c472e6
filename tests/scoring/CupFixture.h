#pragma once
// A small cup world for the cup tests: clubs, athletes and races written to
// their files as the program keeps them, the race window loaded as the
// opener of the cup window.
#include <QDate>
#include <QStringList>
#include <vector>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "lists/CupTable.h"
#include "platform/DateText.h"
#include "platform/Printer.h"
#include "race/ClassAssignment.h"
#include "scoring/CupEvaluation.h"
#include "scoring/CupFile.h"
#include "scoring/Form20.h"

// Born 2010: "Jugend" (cell 0); born earlier: "Allgemein" (cell 8).
constexpr int YouthCell = 0, AdultCell = 8;

struct CupEntry {
    int athlete = 0;
    double t1 = 0;
    int status1 = 0;
    double t2 = 0;
};

class CupTest : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        SetStatusNames();
        openDataFiles();
    }

    void TearDown() override
    {
        resetPrinter();
        WindowDataTest::TearDown();
    }

    // year 0: no birth date given.
    using RaceBuilder::addAthlete;
    int addAthlete(const QString &name, int year = 1990, int club1 = 0, int club2 = 0,
                   int club3 = 0)
    {
        return addAthlete({.name = name, .sex = 1, .year = year, .clubs = {club1, club2, club3}});
    }

    // Race n with its header and files; the entries take slots 1, 2, ...
    // in the order given, their class cells assigned as the program does.
    void addRace(int n, const QString &name, const std::vector<CupEntry> &entries,
                 const QString &youth = QStringLiteral("Jugend"),
                 const QString &adults = QStringLiteral("Allgemein"), int youthFrom = 2005)
    {
        writeRace(n, {.name = name, .shortName = name.left(8), .byClass = 1, .byTime = 1});
        Race.ClassNames[1] = youth;
        Race.ClassYears[1] = {youthFrom, 2030};
        Race.ClassNames[2] = adults;
        Race.ClassYears[2] = {1900, youthFrom - 1};
        for (int k = 3; k <= ClassCount; ++k) {
            Race.ClassNames[k].clear();
            Race.ClassYears[k] = {0, 0};
        }
        for (int k = 1; k <= 2; ++k)
            for (int s = 0; s < 2; ++s)
                for (int g = 0; g < 2; ++g)
                    for (int b = 0; b < 2; ++b)
                        Race.ClassCellOrder[k][s][g][b] = k;
        Race.ClassDesignations[YouthCell] = youth;
        Race.ClassDesignations[AdultCell] = adults;
        for (const CupEntry &e : entries)
            addEntry(e.athlete, {.startNo = SlotNumber,
                                 .t1 = e.t1,
                                 .t2 = e.t2,
                                 .status1 = e.status1,
                                 .club = 1});
        AssignClasses();
        ASSERT_TRUE(WriteRaceFiles());
    }

    // The cup window opened from the race window, with race `current`
    // selected there.
    Form20 &openCup(int current = 1)
    {
        Rec.RaceRecordNo = current;
        Race.ActiveRaceNo = current;
        ReadRaceHeader();
        LoadRaceFiles();
        form<Form4>().Hide();
        Form20 &f = form<Form20>();
        f.Show();
        return f;
    }

    // Marks exactly the lines of these races.
    static void mark(Form20 &f, const std::vector<int> &races)
    {
        for (int k = 0; k < f.List1.ListCount(); ++k) {
            const int n = RaceNoOfListLine(f.List1.List(k));
            f.List1.setSelected(k, std::find(races.begin(), races.end(), n) != races.end());
        }
    }

    // The cup row of an athlete (0 when the athlete is no participant).
    static int rowOf(int athlete)
    {
        for (int i = 1; i <= CupRows && CupTable.CupAthleteNo[i] != 0; ++i)
            if (CupTable.CupAthleteNo[i] == athlete)
                return i;
        return 0;
    }
};

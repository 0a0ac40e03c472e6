// The cup evaluation over race files written as the program keeps them:
// participants by name, one column per race and per second run, drop
// results, points, the ranking keys and the result text.
#include <QFile>

#include "CupFixture.h"
#include "platform/Strings.h"
#include "race/Form13.h"

namespace {

class CupEvaluationTest : public CupTest {
protected:
    // Marks the races, sets the drop results and evaluates.
    Form20 &evaluate(const std::vector<int> &races, const QString &drops = QStringLiteral("1"))
    {
        Form20 &f = isLoaded<Form20>() ? form<Form20>() : openCup();
        mark(f, races);
        f.Text3.setText(drops);
        f.Command1.click();
        return f;
    }

    int column(int athlete, int c, const CupTableState::CellTable<int> &table) const
    {
        const int row = rowOf(athlete);
        return row ? table[row][c] : -1;
    }

    // Three adults whose places in races 1, 2, 3 go round (1 3 2, 2 1 3,
    // 3 2 1) and a youth who misses race 2.
    void threeRaces()
    {
        a = addAthlete(QStringLiteral("AMANN Alex"));
        b = addAthlete(QStringLiteral("BAUER Ben"));
        c = addAthlete(QStringLiteral("CHRIST Carl"));
        y = addAthlete(QStringLiteral("JUNG Jan"), 2010);
        addRace(1, QStringLiteral("Erstes"), {{a, 40}, {b, 41}, {c, 42}, {y, 50}});
        addRace(2, QStringLiteral("Zweites"), {{c, 41}, {a, 42}, {b, 40}});
        addRace(3, QStringLiteral("Drittes"), {{a, 41}, {b, 42}, {c, 40}, {y, 52}});
    }

    int a = 0, b = 0, c = 0, y = 0;
};

} // namespace

TEST_F(CupEvaluationTest, PlacesBecomePointsAndTheWorstResultIsDropped)
{
    threeRaces();
    const QByteArray race2 = readBytes(QStringLiteral("R 2.dat"));
    Form20 &f = evaluate({1, 2, 3});

    // The races are read, never written.
    EXPECT_EQ(readBytes(QStringLiteral("R 2.dat")), race2);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Cup.dat"))));
    EXPECT_EQ(CupTable.CupRaceCount, 3);
    EXPECT_EQ(lines(f.List3), QStringList({"AMANN Alex", "BAUER Ben", "CHRIST Carl", "JUNG Jan"}));
    EXPECT_EQ(f.Label8.Caption(), QStringLiteral("4"));
    EXPECT_TRUE(f.Command2.Enabled());

    // Columns in race order, lowest race first.
    EXPECT_EQ(column(a, 1, CupTable.CupPlace), 1);
    EXPECT_EQ(column(a, 2, CupTable.CupPlace), 3);
    EXPECT_EQ(column(a, 3, CupTable.CupPlace), 2);
    EXPECT_DOUBLE_EQ(CupTable.CombiTimes[rowOf(a)][2], 42);
    EXPECT_EQ(column(a, 2, CupTable.CupDropped), 1);
    EXPECT_EQ(column(a, 0, CupTable.CupPoints), 35);

    // The youth is not in race 2: that column is the one dropped, though
    // his places elsewhere are all first.
    EXPECT_EQ(column(y, 2, CupTable.CupPlace), 99);
    EXPECT_EQ(column(y, 2, CupTable.CupStatus), 1);
    EXPECT_EQ(column(y, 2, CupTable.CupDropped), 1);
    EXPECT_EQ(column(y, 0, CupTable.CupPoints), 40);

    EXPECT_EQ(lines(f.List5), QStringList({
                                  "Jugend--------------------" "----R1----R2----R3-Summe",
                                  "   1. JUNG Jan                20     X    20    40",
                                  "Allgemein-----------------" "----R1----R2----R3-Summe",
                                  "   1. AMANN Alex              20     X    15    35",
                                  "   1. BAUER Ben               15    20     X    35",
                                  "   1. CHRIST Carl              X    15    20    35",
                              }));
    EXPECT_FALSE(isLoaded<Form13>());
}

TEST_F(CupEvaluationTest, TheDropFieldIsTakenAsAWholeCountUpToTheColumns)
{
    threeRaces();
    const struct {
        const char *typed;
        const char *shownAfter;
        int dropped;   // columns of AMANN Alex
        int total;
    } cases[] = {{"1", "1", 1, 35},   {"0", "0", 0, 45},   {"", "", 0, 45},
                 {" -1 ", " -1 ", 1, 35}, {"2.7", "2.7", 2, 20}, {"1,9", "1,9", 1, 35},
                 {"5", "3", 3, 0},    {"abc", "abc", 0, 45}};
    for (const auto &k : cases) {
        SCOPED_TRACE(k.typed);
        Form20 &f = evaluate({1, 2, 3}, QString::fromUtf8(k.typed));
        EXPECT_EQ(f.Text3.Text(), QString::fromUtf8(k.shownAfter));
        int dropped = 0;
        for (int col = 1; col <= 3; ++col)
            dropped += column(a, col, CupTable.CupDropped);
        EXPECT_EQ(dropped, k.dropped);
        EXPECT_EQ(column(a, 0, CupTable.CupPoints), k.total);
    }
}

TEST_F(CupEvaluationTest, DropStepsPickStatusFirstThenWorstPlaceThenLongestTime)
{
    const struct {
        const char *name;
        int steps;
        std::array<int, 4> place;     // columns 1..4
        std::array<int, 4> status;
        std::array<double, 4> time;
        std::array<int, 4> dropped;
    } cases[] = {
        {"worst place", 1, {2, 5, 1, 3}, {0, 0, 0, 0}, {40, 41, 39, 45}, {0, 1, 0, 0}},
        {"same place, longer time", 1, {3, 3, 1, 2}, {0, 0, 0, 0}, {50, 52, 40, 45}, {0, 1, 0, 0}},
        {"same place and time: the first", 1, {3, 3, 1, 2}, {0, 0, 0, 0}, {50, 50, 40, 45}, {1, 0, 0, 0}},
        {"status before place: the highest column", 1, {1, 0, 0, 9}, {0, 2, 3, 0}, {40, 0, 0, 60}, {0, 0, 1, 0}},
        {"two steps: status, then place", 2, {99, 2, 6, 4}, {1, 0, 0, 0}, {0, 40, 48, 44}, {1, 0, 1, 0}},
        {"more steps than columns", 9, {1, 2, 3, 4}, {0, 0, 0, 0}, {40, 41, 42, 43}, {1, 1, 1, 1}},
        {"no time to choose by", 1, {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        // An entry without a place earned nothing: it goes before a real
        // result, like a race the participant was not in.
        {"no place before the worst place", 1, {0, 1, 3, 2}, {0, 0, 0, 0}, {0, 40, 45, 42}, {1, 0, 0, 0}},
        {"no place and not in the race: the highest column", 1, {99, 0, 1, 2}, {1, 0, 0, 0}, {0, 0, 40, 42}, {0, 1, 0, 0}},
        {"not in the race above no place", 1, {1, 0, 99, 2}, {0, 0, 1, 0}, {40, 0, 0, 42}, {0, 0, 1, 0}},
        {"two steps: no place, then worst place", 2, {3, 0, 1, 2}, {0, 0, 0, 0}, {45, 0, 40, 42}, {1, 1, 0, 0}},
        {"no places at all: the highest column", 1, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 1}},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        CupTable.clear();
        CupTable.CupRaceCount = 4;
        CupTable.CupAthleteNo[1] = 1;
        for (int col = 1; col <= 4; ++col) {
            CupTable.CupPlace[1][col] = k.place[col - 1];
            CupTable.CupStatus[1][col] = k.status[col - 1];
            CupTable.CombiTimes[1][col] = k.time[col - 1];
            CupTable.CupDropped[1][col] = 1;   // an earlier evaluation's marks go
        }
        DropCupResults(k.steps);
        for (int col = 1; col <= 4; ++col)
            EXPECT_EQ(CupTable.CupDropped[1][col], k.dropped[col - 1]) << "column " << col;
    }
}

TEST_F(CupEvaluationTest, AnEntryWithoutAPlaceIsDroppedBeforeARealResult)
{
    const int a = addAthlete(QStringLiteral("AMANN Alex"));
    std::vector<int> o;
    for (const char *name : {"BAUER Ben", "CHRIST Carl", "DAXER Dino", "EDER Emil", "FINK Felix"})
        o.push_back(addAthlete(QString::fromUtf8(name)));
    const struct {
        const char *name;
        std::vector<std::vector<CupEntry>> races;   // races 1, 2, ...
        const char *line;   // AMANN Alex in the result text, after his rank
    } cases[] = {
        // Places 0, 1 and 3: entered in race 1, but without a time.
        {"entered without a time",
         {{{a, 0}, {o[0], 40}, {o[1], 41}},
          {{a, 40}, {o[0], 41}, {o[1], 42}},
          {{o[0], 40}, {o[1], 41}, {a, 42}}},
         "AMANN Alex               X    20    10    30"},
        // Race 1 has five second runs, none of them his: its second-run
        // column has him entered without a place.
        {"second run without a time",
         {{{a, 40}, {o[0], 41, 0, 50}, {o[1], 42, 0, 51}, {o[2], 43, 0, 52}, {o[3], 44, 0, 53},
           {o[4], 45, 0, 54}},
          {{o[0], 40}, {o[1], 41}, {a, 42}}},
         "AMANN Alex              20     X    10    30"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        std::vector<int> marked;
        for (std::size_t r = 0; r < k.races.size(); ++r) {
            addRace(int(r) + 1, QStringLiteral("Rennen %1").arg(r + 1), k.races[r]);
            marked.push_back(int(r) + 1);
        }
        Form20 &f = evaluate(marked, QStringLiteral("1"));
        ASSERT_EQ(CupTable.CupRaceCount, 3);
        EXPECT_EQ(column(a, 0, CupTable.CupPoints), 30);
        const QStringList shown = lines(f.List5).filter(QStringLiteral("AMANN"));
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0].mid(6), QString::fromUtf8(k.line));
    }
}

TEST_F(CupEvaluationTest, PointsComeOnlyFromFinishedUndroppedPlacesUpTo100)
{
    CupTable.CupRaceCount = 5;
    CupTable.CupAthleteNo[1] = 1;
    Cup.PointsTable[1] = 20;
    Cup.PointsTable[100] = 3;
    const int place[] = {1, 100, 101, 0, 1};
    const int status[] = {0, 0, 0, 0, 3};
    for (int col = 1; col <= 5; ++col) {
        CupTable.CupPlace[1][col] = place[col - 1];
        CupTable.CupStatus[1][col] = status[col - 1];
    }
    CupTable.CupPoints[1][6] = 50;   // beyond the columns in use: not counted
    ComputeCupPoints();
    EXPECT_EQ(CupTable.CupPoints[1][1], 20);
    EXPECT_EQ(CupTable.CupPoints[1][2], 3);
    EXPECT_EQ(CupTable.CupPoints[1][3], 0);
    EXPECT_EQ(CupTable.CupPoints[1][4], 0);
    EXPECT_EQ(CupTable.CupPoints[1][5], 0);
    EXPECT_EQ(CupTable.CupPoints[1][0], 23);
}

TEST_F(CupEvaluationTest, EqualTotalsShareARankAndGoByName)
{
    const int z = addAthlete(QStringLiteral("ZANDER Zoe"));
    const int m = addAthlete(QStringLiteral("MOSER Mia"));
    const int b = addAthlete(QStringLiteral("BERG Bea"));
    const int h = addAthlete(QStringLiteral("HAAS Hanna"));
    addRace(1, QStringLiteral("Eins"), {{z, 41}, {m, 40}, {b, 41}, {h, 42}});
    Form20 &f = evaluate({1}, QStringLiteral("0"));
    EXPECT_EQ(lines(f.List5), QStringList({
                                  "Allgemein-----------------" "----R1-Summe",
                                  "   1. MOSER Mia               20    20",
                                  "   2. BERG Bea                15    15",
                                  "   2. ZANDER Zoe              15    15",
                                  "   4. HAAS Hanna               8     8",
                              }));
    EXPECT_EQ(CupRowOfKey(f.List4.List(1)), rowOf(b));
}

TEST_F(CupEvaluationTest, FiveSecondRunsMakeAColumnOfTheirOwn)
{
    std::vector<int> ids;
    for (const char *name : {"ANGER Aron", "BECK Bruno", "DAXER Dino", "EDER Emil", "FINK Felix"})
        ids.push_back(addAthlete(QString::fromUtf8(name)));
    // Race 1: five second runs, in the reverse order of the first.
    addRace(1, QStringLiteral("Zwei Läufe"),
            {{ids[0], 40, 0, 50}, {ids[1], 41, 0, 49}, {ids[2], 42, 0, 48}, {ids[3], 43, 0, 47},
             {ids[4], 44, 0, 46}});
    // Race 2: only four.
    addRace(2, QStringLiteral("Vier"),
            {{ids[0], 40, 0, 50}, {ids[1], 41, 0, 49}, {ids[2], 42, 0, 48}, {ids[3], 43, 0, 47},
             {ids[4], 44, 0, 0}});
    Form20 &f = evaluate({1, 2}, QStringLiteral("0"));
    EXPECT_EQ(CupTable.CupRaceCount, 3);
    EXPECT_TRUE(f.List5.List(0).endsWith(QStringLiteral("----R1----R2----R3-Summe")));
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(column(ids[k], 1, CupTable.CupPlace), k + 1);
        EXPECT_EQ(column(ids[k], 2, CupTable.CupPlace), 5 - k);
        EXPECT_DOUBLE_EQ(CupTable.CombiTimes[rowOf(ids[k])][2], 50.0 - k);
        EXPECT_EQ(column(ids[k], 3, CupTable.CupPlace), k + 1);
    }
}

TEST_F(CupEvaluationTest, ParticipantsAreNamesAndTheLastEntryOfARaceCounts)
{
    const int first = addAthlete(QStringLiteral("MAIER Max"));
    const int other = addAthlete(QStringLiteral("BRUNNER Ida"));
    const int twin = addAthlete(QStringLiteral("MAIER Max"));   // a second record, same name
    // Race 1 has only the second record of MAIER Max; race 3, met first,
    // has the first one. BRUNNER Ida is entered twice in race 3.
    addRace(1, QStringLiteral("Eins"), {{twin, 40}, {other, 41}});
    addRace(2, QStringLiteral("Leer"), {});
    addRace(3, QStringLiteral("Drei"), {{other, 45}, {first, 42}, {other, 40}});
    Form20 &f = evaluate({1, 2, 3}, QStringLiteral("0"));

    EXPECT_EQ(lines(f.List3), QStringList({"BRUNNER Ida", "MAIER Max"}));
    EXPECT_EQ(rowOf(first), 2);
    EXPECT_EQ(rowOf(twin), 0);
    EXPECT_EQ(column(first, 1, CupTable.CupPlace), 99);    // only the twin ran race 1
    EXPECT_EQ(column(first, 1, CupTable.CupStatus), 1);
    EXPECT_EQ(column(first, 3, CupTable.CupPlace), 2);
    // The later of Ida's two entries in race 3.
    EXPECT_EQ(column(other, 3, CupTable.CupPlace), 1);
    EXPECT_DOUBLE_EQ(CupTable.CombiTimes[rowOf(other)][3], 40);
    // The empty race is a column where nobody was.
    EXPECT_EQ(column(other, 2, CupTable.CupPlace), 99);
    EXPECT_EQ(column(first, 2, CupTable.CupStatus), 1);

    // A second evaluation of race 1 alone lists only its participants.
    evaluate({1}, QStringLiteral("0"));
    EXPECT_EQ(lines(f.List3), QStringList({"BRUNNER Ida", "MAIER Max"}));
    EXPECT_EQ(rowOf(twin), 1);
    EXPECT_EQ(rowOf(first), 0);
    EXPECT_EQ(CupTable.CupRaceCount, 1);
    EXPECT_EQ(f.Label8.Caption(), QStringLiteral("2"));
}

TEST_F(CupEvaluationTest, ClassCellFromTheHighestRaceDesignationsFromTheLowest)
{
    const int x = addAthlete(QStringLiteral("KERN Kai"), 1990);
    // In race 2 the youth class reaches back to 1985, so he is a youth there.
    addRace(1, QStringLiteral("Eins"), {{x, 40}}, QStringLiteral("Jugend 1"), QStringLiteral("Allg 1"));
    addRace(2, QStringLiteral("Zwei"), {{x, 41}}, QStringLiteral("Jugend 2"), QStringLiteral("Allg 2"), 1985);
    Form20 &f = evaluate({1, 2}, QStringLiteral("0"));
    EXPECT_EQ(CupTable.CupClassCell[rowOf(x)], YouthCell);
    EXPECT_EQ(CupTable.CupClassNames[YouthCell], QStringLiteral("Jugend 1"));
    EXPECT_TRUE(f.List5.List(0).startsWith(QStringLiteral("Jugend 1-----")));
}

TEST_F(CupEvaluationTest, RankingKeysHoldTheirColumns)
{
    CupTable.CupAthleteNo[7] = 3;
    CupTable.CupClassCell[7] = 8;
    CupTable.CupPoints[7][0] = 35;
    EXPECT_EQ(CupRankingKey(7, QStringLiteral("AMANN Alex")), QStringLiteral("  89964 AMANN Alex       7"));
    CupTable.CupClassCell[7] = 159;
    CupTable.CupPoints[7][0] = 0;
    EXPECT_EQ(CupRankingKey(7, QStringLiteral("X")), QStringLiteral("1599999 X       7"));
    // Totals beyond the field are held at its edges.
    CupTable.CupPoints[7][0] = 12000;
    EXPECT_EQ(CupRankingKey(7, QStringLiteral("X")).left(7), QStringLiteral("159   0"));
    CupTable.CupPoints[7][0] = -20;
    EXPECT_EQ(CupRankingKey(7, QStringLiteral("X")).left(7), QStringLiteral("1599999"));

    const struct {
        const char *line;
        int row;
    } rows[] = {{"  89964 A       7", 7}, {"  89964 A    1000", 1000}, {"  89964 A    1001", 0},
                {"", 0}, {"  89964 A       0", 0}};
    for (const auto &r : rows)
        EXPECT_EQ(CupRowOfKey(QString::fromUtf8(r.line)), r.row) << r.line;
}

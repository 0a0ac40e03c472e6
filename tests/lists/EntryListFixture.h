#pragma once
// A small race for the entry lists of the print window (start list of the
// second run, participant list, those not classified, alphabetical list):
// clubs, athletes and entry slots written by the test, a recording printer
// and look-ups of the texts on its pages.
#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTime>
#include <cmath>
#include <optional>
#include <vector>

#include "GuiTestHelpers.h"
#include "PageCheck.h"
#include "RaceBuilder.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Clock.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"
#include "platform/Strings.h"
#include "race/Ranking.h"

struct ListEntry {
    QString name;
    double t1 = 0;
    int order = 1;       // SlotClassOrder
    int cell = -1;       // SlotClassCell; -1: the same as order
    int status1 = 0, status2 = 0;
    int startNo = SlotNumber;
    int sex = 1;
    int year = 1990;     // 0: no birth date given
    int club = 1;        // SlotClub: which of the athlete's clubs counts
    int clubs[3] = {1, 0, 0};
    int group = 1;
    int klass = 1;       // SlotClass
    int guest = 0;
};

class EntryListTest : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 2, 14), QTime(10, 0)));
        rec = &useRecordingPrinter();
        OpenClubFile();
        OpenAthleteFile();
        SetStatusNames();
        SetColourTable();
        addClub(QStringLiteral("SC Berg"));
        addClub(QStringLiteral("WSV Tal"));
        addClub(QString(), QStringLiteral("Skiclub Oberhinterdorf am Gletscher"));
        addClub(QString(), QString());
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
        Rec.RaceShortName.clear();
        Rec.RaceRecordNo = 1;
        Race.ActiveRaceNo = 1;
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
        Rec.TwoRuns = 0;
        Race.ClassDesignations[1] = QStringLiteral("Schüler I");
        Race.ClassDesignations[2] = QStringLiteral("Schüler II");
        Race.ClassDesignations[3] = QStringLiteral("Jugend");
        for (int k = 1; k <= ClassCount; ++k)
            Race.ClassNames[k] = QStringLiteral("Klasse %1").arg(k);
        Race.GroupNames[1] = QStringLiteral("Familien");
        Race.GroupNames[2] = QStringLiteral("Firmen");
    }

    void TearDown() override
    {
        resetPrinter();
        WindowDataTest::TearDown();
    }

    // A new athlete in the next free slot; returns the slot.
    int add(const ListEntry &e)
    {
        const int id = addAthlete({.name = e.name,
                                   .sex = e.sex,
                                   .year = e.year,
                                   .clubs = {e.clubs[0], e.clubs[1], e.clubs[2]}});
        return addEntry(id, {.startNo = e.startNo,
                             .t1 = e.t1,
                             .status1 = e.status1,
                             .status2 = e.status2,
                             .klass = e.klass,
                             .order = e.order,
                             .cell = e.cell < 0 ? e.order : e.cell,
                             .club = e.club,
                             .group = e.group,
                             .guest = e.guest});
    }

    static double rowY(double row) { return 40 + 4.5 * row; }

    // The text op at exactly this place.
    const PrintOp *textAt(double x, double y, int page = 1) const
    {
        for (const PrintOp &op : rec->ops)
            if (op.kind == PrintOp::Kind::Text && op.page == page
                && std::abs(op.x - x) < 1e-6 && std::abs(op.y - y) < 1e-6)
                return &op;
        return nullptr;
    }
    QString trimmedTextAt(double x, double y, int page = 1) const
    {
        const PrintOp *op = textAt(x, y, page);
        return op ? trimBlanks(op->text) : QStringLiteral("<none>");
    }
    // The rows of one column of a page (below the column heads), in print
    // order.
    std::vector<PrintOp> column(double x, int page = 1) const
    {
        std::vector<PrintOp> cells;
        for (const PrintOp &op : rec->textsOnPage(page))
            if (std::abs(op.x - x) < 1e-6 && op.y > 40)
                cells.push_back(op);
        return cells;
    }
    QStringList columnTexts(double x, int page = 1) const
    {
        QStringList texts;
        for (const PrintOp &op : column(x, page))
            texts << trimBlanks(op.text);
        return texts;
    }
    std::vector<PrintOp> opsOnPage(PrintOp::Kind kind, int page) const
    {
        std::vector<PrintOp> found;
        for (const PrintOp &op : rec->ofKind(kind))
            if (op.page == page)
                found.push_back(op);
        return found;
    }

    // One entry whose name and club are of wide capitals, printed by print:
    // both are cut before the next column (the name's at x 78, the club's at
    // clubEnd), each a beginning of its text cut to its character limit and
    // marked as cut.
    void expectWideNameAndClubCut(void (*print)(), int clubChars, double clubEnd)
    {
        const QString name = QStringLiteral("HÖFLINGER-WEIßENBACH ÄNNE");
        const QString club = QStringLiteral("WSV MÜHLBACH-WÖRGL-WALDHÄUSER");
        add({.name = name, .clubs = {addClub(club), 0, 0}});

        print();

        const std::vector<PrintOp> names = column(34);
        ASSERT_EQ(names.size(), 1u);
        const PrintOp *clubOp = textAt(79, names[0].y);
        ASSERT_NE(clubOp, nullptr);
        EXPECT_TRUE(IsMarkedCutOf(names[0].text, name, 15)) << names[0].text.toStdString();
        EXPECT_LE(names[0].x + names[0].width, 78 + 1e-9);
        EXPECT_TRUE(IsMarkedCutOf(clubOp->text, club.left(clubChars), 10))
            << clubOp->text.toStdString();
        EXPECT_LE(clubOp->x + clubOp->width, clubEnd + 1e-9);
    }

    // The page number the head of a page shows after "Seite -".
    QString pageNumberOn(int page) const
    {
        for (const PrintOp &op : rec->textsOnPage(page))
            if (std::abs(op.y - 12) < 1e-6 && op.x > 175 + 1e-6)
                return op.text;
        return QStringLiteral("<none>");
    }

    // A race name whose width at 24 pt bold italic Arial lies strictly
    // between the two limits, in mm.
    static QString raceNameWiderThan(double lower, double upper)
    {
        Printer &p = printer();
        p.FontName = QStringLiteral("Arial");
        p.FontSize = 24;
        p.FontBold = true;
        p.FontItalic = true;
        QString name = QStringLiteral("Vereinsmeisterschaft");
        while (p.TextWidth(name) <= lower)
            name += u'e';
        return p.TextWidth(name) < upper ? name : QString();
    }

    RecordingPrinter *rec = nullptr;
};

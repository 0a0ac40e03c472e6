// The official cover sheet on the recording printer: head, race data and
// officials, the counts of the field, the signature block with and without
// the sponsor band, the footer and the banners.
#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "GuiTestHelpers.h"
#include "PageCheck.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/CoverSheet.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"
#include "race/Banners.h"
#include "race/Form21.h"

namespace {

class CoverSheetTest : public WindowDataTest {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2027, 1, 18), QTime(19, 0)));
        rec = &useRecordingPrinter();
        App.OrganisationName = QStringLiteral("Skiclub Oberau e.V.");
        ClearRaceHeader();
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft Oberau");
        Rec.RacePlace = QStringLiteral("  Oberau ");
        Rec.RaceDate = dates::oleFromDate(QDate(2027, 1, 16));
        Rec.Organiser = QStringLiteral("SC Oberau");
        Rec.HostClub = QStringLiteral("WSV Tal");
        Rec.StartReferee.clear();
        Rec.FinishReferee = QStringLiteral("Wimmer Franz");
        Rec.TimingOfficial = QStringLiteral("Berger Lisa");
        Rec.ChiefJudge = QStringLiteral("Gruber Anna");
    }

    void TearDown() override
    {
        WindowDataTest::TearDown();
        resetPrinter();
    }

    // Banners ticked (and greyed, 2) as given; the rest of the table as the
    // defaults.
    void writeBanners(std::initializer_list<int> ticked, BannerTable t = DefaultBanners(),
                      std::initializer_list<int> greyed = {})
    {
        for (BannerEntry &b : t)
            b.Shown = 0;
        for (int k : ticked)
            t[std::size_t(k)].Shown = 1;
        for (int k : greyed)
            t[std::size_t(k)].Shown = 2;
        ASSERT_TRUE(WriteBannerFile(t));
    }

    // A JPEG of 127 dpi: 5 pixels are one millimetre.
    void writePicture(const QString &name, int widthMm, int heightMm)
    {
        QImage picture(widthMm * 5, heightMm * 5, QImage::Format_RGB32);
        picture.fill(QColor(20, 90, 200));
        picture.setDotsPerMeterX(5000);
        picture.setDotsPerMeterY(5000);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&buffer, "jpg").write(picture));
        writeBytes(name, bytes);
    }

    const PrintOp &text(const QString &t)
    {
        const PrintOp *op = rec->findText(t);
        static const PrintOp none;
        EXPECT_NE(op, nullptr) << t.toStdString();
        return op ? *op : none;
    }

    std::vector<PrintOp> linesAtY(double y) const
    {
        std::vector<PrintOp> found;
        for (const PrintOp &op : rec->ofKind(PrintOp::Kind::Line))
            if (std::abs(op.y - y) < 1e-6 && std::abs(op.y2 - y) < 1e-6)
                found.push_back(op);
        return found;
    }

    RecordingPrinter *rec = nullptr;
};

TEST_F(CoverSheetTest, Head_OrganisationLogoRaceNameAndTitle)
{
    writeBanners({});
    writePicture(QStringLiteral("Logo.jpg"), 70, 36);
    Rec.RaceShortName = QStringLiteral("VM 2027");
    PrintCoverSheet();

    EXPECT_EQ(rec->jobCount(), 1);
    EXPECT_EQ(rec->pageCount(), 1);
    EXPECT_FALSE(hourglass());

    const PrintOp &org = text(QStringLiteral("Skiclub Oberau e.V."));
    EXPECT_EQ(org.x, 20);
    EXPECT_EQ(org.y, 20);
    EXPECT_EQ(org.fontName, QStringLiteral("Times"));
    EXPECT_EQ(org.fontSize, 24);
    EXPECT_FALSE(org.bold);
    EXPECT_FALSE(org.italic);

    const auto pictures = rec->ofKind(PrintOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].x, 150);
    EXPECT_EQ(pictures[0].y, 11);
    EXPECT_EQ(pictures[0].width, 35);
    EXPECT_EQ(pictures[0].height, 18);

    const auto rule = linesAtY(30);
    ASSERT_EQ(rule.size(), 1u);
    EXPECT_EQ(rule[0].x, 20);
    EXPECT_EQ(rule[0].x2, 185);
    EXPECT_EQ(rule[0].drawWidth, 5);

    // The short name is preferred, centred on the page.
    EXPECT_EQ(rec->findText(QStringLiteral("Vereinsmeisterschaft Oberau")), nullptr);
    const PrintOp &name = text(QStringLiteral("VM 2027"));
    EXPECT_EQ(name.y, 40);
    EXPECT_EQ(name.fontSize, 30);
    EXPECT_TRUE(name.bold);
    EXPECT_NEAR(name.x + name.width / 2, 105, 1e-3);
    for (auto [title, y] : {std::pair{"Offizielle", 70}, std::pair{"Ergebnisliste", 87}}) {
        const PrintOp &t = text(QString::fromUtf8(title));
        EXPECT_EQ(t.y, y);
        EXPECT_EQ(t.fontSize, 48);
        EXPECT_TRUE(t.bold);
        EXPECT_EQ(t.fontName, QStringLiteral("Times"));
        EXPECT_NEAR(t.x + t.width / 2, 105, 1e-3);
    }
}

TEST_F(CoverSheetTest, RaceData_LabelsEndAt58Or153ValuesStartAt60Or155)
{
    writeBanners({});
    PrintCoverSheet();

    struct Pair {
        const char *label;
        const char *value;   // nullptr: the label alone (an empty value)
        double y;
        bool left;
    };
    const Pair pairs[] = {
        {"Ort:", "  Oberau ", 125, true},
        {"Datum:", "16.01.2027", 125, false},
        {"Zeit:", "12:00", 130, true},
        {"Durchführender Verein:", "WSV Tal", 130, false},
        {"Veranstalter:", "SC Oberau", 135, true},
        {"Startrichter:", nullptr, 145, true},
        {"Zielrichter:", "Wimmer Franz", 145, false},
        {"Zeitnehmung/Auswertung:", "Berger Lisa", 150, true},
        {"Chefkampfrichter:", "Gruber Anna", 150, false},
    };
    for (const Pair &pr : pairs) {
        const PrintOp &label = text(QString::fromUtf8(pr.label));
        EXPECT_EQ(label.y, pr.y) << pr.label;
        EXPECT_NEAR(label.x + label.width, pr.left ? 58 : 153, 1e-6) << pr.label;
        EXPECT_TRUE(label.bold) << pr.label;
        EXPECT_EQ(label.fontSize, 12) << pr.label;
        if (!pr.value)
            continue;
        const PrintOp &value = text(QString::fromUtf8(pr.value));
        EXPECT_EQ(value.y, pr.y) << pr.label;
        EXPECT_EQ(value.x, pr.left ? 60 : 155) << pr.label;
        EXPECT_FALSE(value.bold) << pr.label;
    }
    // No gates and no race director or course setter: those pairs are left out.
    EXPECT_EQ(rec->findText(QStringLiteral("Anzahl der Tore:")), nullptr);
    EXPECT_EQ(rec->findText(QStringLiteral("Rennleiter:")), nullptr);
    EXPECT_EQ(rec->findText(QStringLiteral("Kurssetzung:")), nullptr);
    // Without a short name the race name heads the sheet.
    EXPECT_EQ(text(QStringLiteral("Vereinsmeisterschaft Oberau")).y, 40);
}

TEST_F(CoverSheetTest, RaceData_GatesDirectorAndCourseSetterWhenGiven)
{
    writeBanners({});
    struct Case {
        const char *gates;
        bool printed;
    };
    for (const Case &c : {Case{"12", true}, Case{"1", true}, Case{"0", false},
                          Case{"", false}, Case{"ca.", false}, Case{"0,9", false}}) {
        rec->clear();
        Rec.NumberOfGates = QString::fromUtf8(c.gates);
        Rec.RaceDirector = QStringLiteral("Huber Sepp");
        Rec.CourseSetter = QStringLiteral("Maier Toni");
        PrintCoverSheet();
        EXPECT_EQ(rec->findText(QStringLiteral("Anzahl der Tore:")) != nullptr, c.printed)
            << c.gates;
        if (c.printed) {
            EXPECT_EQ(text(QString::fromUtf8(c.gates)).x, 155);
            EXPECT_EQ(text(QString::fromUtf8(c.gates)).y, 135);
        }
        EXPECT_EQ(text(QStringLiteral("Huber Sepp")).y, 140);
        EXPECT_EQ(text(QStringLiteral("Huber Sepp")).x, 60);
        EXPECT_EQ(text(QStringLiteral("Maier Toni")).x, 155);
        EXPECT_NE(rec->findText(QStringLiteral("Rennleiter:")), nullptr);
        EXPECT_NE(rec->findText(QStringLiteral("Kurssetzung:")), nullptr);
    }
}

TEST_F(CoverSheetTest, Counts_OfTheEntriesWithAStartNumber)
{
    writeBanners({});
    // 40 entries: 2 naS in run 1, 3 dis, 4 niZ (one run each); one more entry
    // without a start number is not counted at all.
    for (int s = 1; s <= 41; ++s) {
        Race.SlotAthleteId[s] = s;
        Race.SlotStartNo[s] = s <= 40 ? s : 0;
    }
    Race.SlotStatus1[1] = Race.SlotStatus1[2] = 1;
    Race.SlotStatus1[3] = 3;
    Race.SlotStatus2[4] = Race.SlotStatus2[5] = 3;
    Race.SlotStatus1[6] = Race.SlotStatus2[7] = 2;
    Race.SlotStatus2[8] = Race.SlotStatus1[9] = 2;
    Race.SlotStatus1[41] = 3;
    PrintCoverSheet();

    struct Count {
        const char *label;
        const char *value;
        double y;
        bool left;
    };
    for (const Count &c : {Count{"Läufer am Start:", " 38 ", 160, true},
                           Count{"Läufer im Ziel:", " 31 ", 160, false},
                           Count{"Disqualifiziert:", " 3 ", 165, true},
                           Count{"Läufer nicht im Ziel:", " 4 ", 165, false}}) {
        const PrintOp &label = text(QString::fromUtf8(c.label));
        EXPECT_EQ(label.y, c.y) << c.label;
        EXPECT_NEAR(label.x + label.width, c.left ? 58 : 153, 1e-6) << c.label;
        const PrintOp &value = text(QString::fromUtf8(c.value));
        EXPECT_EQ(value.y, c.y) << c.label;
        EXPECT_EQ(value.x, c.left ? 60 : 155) << c.label;
    }
}

TEST_F(CoverSheetTest, Counts_EachEntryOnceWhateverItsTwoStatuses)
{
    struct Case {
        int status1, status2;
        FieldCounts expected;   // started, finished, disqualified, not in the finish
    };
    const Case cases[] = {
        {0, 0, {1, 1, 0, 0}}, {1, 0, {0, 0, 0, 0}}, {0, 1, {0, 0, 0, 0}},
        {0, 3, {1, 0, 1, 0}}, {2, 0, {1, 0, 0, 1}}, {2, 3, {1, 0, 1, 0}},
        {3, 2, {1, 0, 1, 0}}, {1, 3, {0, 0, 0, 0}}, {3, 1, {0, 0, 0, 0}},
        {2, 2, {1, 0, 0, 1}}, {0, 7, {1, 1, 0, 0}},
    };
    for (const Case &c : cases) {
        Race = RaceState{};
        Race.SlotStartNo[500] = 12;
        Race.SlotStatus1[500] = c.status1;
        Race.SlotStatus2[500] = c.status2;
        const FieldCounts got = CountField();
        EXPECT_EQ(got.started, c.expected.started) << c.status1 << "/" << c.status2;
        EXPECT_EQ(got.finished, c.expected.finished) << c.status1 << "/" << c.status2;
        EXPECT_EQ(got.disqualified, c.expected.disqualified) << c.status1 << "/" << c.status2;
        EXPECT_EQ(got.notInFinish, c.expected.notInFinish) << c.status1 << "/" << c.status2;
        EXPECT_EQ(got.started, got.finished + got.disqualified + got.notInFinish);
    }
}

TEST_F(CoverSheetTest, SignatureBlock_MovesDownWithoutTheSponsorBand)
{
    struct Case {
        bool anyTicked;
        double captionY, lineY;
    };
    for (const Case &c : {Case{false, 230, 229}, Case{true, 210, 209}}) {
        rec->clear();
        unload<Form21>();
        if (c.anyTicked)
            writeBanners({6});
        else
            writeBanners({});
        PrintCoverSheet();

        const PrintOp &left = text(QStringLiteral("Für die Rennleitung"));
        const PrintOp &right = text(QStringLiteral("Für den Chefkampfrichter"));
        EXPECT_EQ(left.y, c.captionY);
        EXPECT_EQ(right.y, c.captionY);
        EXPECT_EQ(left.fontSize, 10);
        EXPECT_FALSE(left.bold);
        EXPECT_NEAR(left.x + left.width / 2, 210 * 0.25 + 7, 1e-3);
        EXPECT_NEAR(right.x + right.width / 2, 210 * 0.75 + 3, 1e-3);

        const auto lines = linesAtY(c.lineY);
        ASSERT_EQ(lines.size(), 2u) << c.anyTicked;
        EXPECT_EQ(lines[0].x, 20);
        EXPECT_EQ(lines[0].x2, 93);
        EXPECT_EQ(lines[1].x, 123);
        EXPECT_EQ(lines[1].x2, 185);
        EXPECT_EQ(lines[0].drawWidth, 3);

        const auto band = linesAtY(228);
        const PrintOp *caption = rec->findText(QStringLiteral("Mit freundlicher Unterstützung von"));
        if (c.anyTicked) {
            ASSERT_EQ(band.size(), 1u);
            EXPECT_EQ(band[0].x, 20);
            EXPECT_EQ(band[0].x2, 185);
            EXPECT_EQ(band[0].drawWidth, 5);
            ASSERT_NE(caption, nullptr);
            EXPECT_EQ(caption->y, 229);
            EXPECT_EQ(caption->fontSize, 8);
            EXPECT_TRUE(caption->bold);
            EXPECT_NEAR(caption->x + caption->width / 2, 105, 1e-3);
        } else {
            EXPECT_TRUE(band.empty());
            EXPECT_EQ(caption, nullptr);
        }
    }
}

TEST_F(CoverSheetTest, Footer_TrimmedPlaceAndTheDateOfPrinting)
{
    writeBanners({});
    for (auto [place, footer] : {std::pair{"  Oberau ", "Oberau, am 18.01.2027"},
                                 std::pair{"", ", am 18.01.2027"}}) {
        rec->clear();
        Rec.RacePlace = QString::fromUtf8(place);
        PrintCoverSheet();
        const PrintOp &f = text(QString::fromUtf8(footer));
        EXPECT_EQ(f.y, 278);
        EXPECT_NEAR(f.x + f.width, 185, 1e-6);
        EXPECT_EQ(f.fontSize, 8);
        EXPECT_TRUE(f.italic);
        EXPECT_FALSE(f.bold);
        // "Datum:" shows the race date, not the day of printing.
        EXPECT_NE(rec->findText(QStringLiteral("16.01.2027")), nullptr);
    }
}

TEST_F(CoverSheetTest, Banners_PaintedAtTheirPlaceAndSizeLastOfAll)
{
    BannerTable t = DefaultBanners();
    t[0].Right = QStringLiteral("30");
    t[0].Down = QStringLiteral("240");
    t[0].SizePercent = QStringLiteral("50");
    t[2].SizePercent = QStringLiteral("150");
    writeBanners({0, 1, 2, 3, 4}, t);
    writePicture(QStringLiteral("werbung1.jpg"), 40, 20);   // banner 0
    writePicture(QStringLiteral("werbung4.jpg"), 10, 8);    // banner 2
    writePicture(QStringLiteral("werbung5.jpg"), 10, 8);    // banner 5, not ticked
    writeBytes(QStringLiteral("werbung2.jpg"), "kein Bild");  // banner 1: broken
    // banner 3 (werbung3.jpg) and 4 (werbung6.jpg) have no file
    PrintCoverSheet();

    EXPECT_EQ(rec->jobCount(), 1);
    const auto pictures = rec->ofKind(PrintOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_NEAR(pictures[0].x, 30, 1e-9);
    EXPECT_NEAR(pictures[0].y, 240, 1e-9);
    EXPECT_NEAR(pictures[0].width, 20, 1e-6);
    EXPECT_NEAR(pictures[0].height, 10, 1e-6);
    EXPECT_NEAR(pictures[1].x, 135, 1e-9);
    EXPECT_NEAR(pictures[1].y, 250, 1e-9);
    EXPECT_NEAR(pictures[1].width, 15, 1e-6);
    EXPECT_NEAR(pictures[1].height, 12, 1e-6);

    // Nothing is drawn after the banners but the end of the job.
    const auto &ops = rec->ops;
    ASSERT_GE(ops.size(), 3u);
    EXPECT_EQ(ops[ops.size() - 1].kind, PrintOp::Kind::EndDoc);
    EXPECT_EQ(ops[ops.size() - 2].kind, PrintOp::Kind::Picture);
    EXPECT_EQ(ops[ops.size() - 3].kind, PrintOp::Kind::Picture);

    // The banner window was loaded for the rows and stays loaded, hidden.
    ASSERT_TRUE(isLoaded<Form21>());
    EXPECT_FALSE(form<Form21>().Visible());
}

// The page takes the banners handed over: from the banner window's rows it
// is the print window's cover sheet, a greyed tick (2) included, which
// paints its banner but draws no band; it loads no window itself.
TEST_F(CoverSheetTest, ThePageOfTheBannerRowsHandedOverIsTheCoverSheet)
{
    BannerTable t = DefaultBanners();
    t[0].Right = QStringLiteral("30");
    t[0].Down = QStringLiteral("240");
    t[0].SizePercent = QStringLiteral("50");
    writeBanners({0}, t, {2});
    writePicture(QStringLiteral("werbung1.jpg"), 40, 20);   // banner 0
    writePicture(QStringLiteral("werbung4.jpg"), 10, 8);    // banner 2

    PrintCoverSheet();
    ASSERT_EQ(rec->ofKind(PrintOp::Kind::Picture).size(), 2u);
    const std::vector<PrintOp> windowPage = rec->ops;
    BannerTable rows = form<Form21>().BannerRows();
    EXPECT_EQ(rows[2].Shown, 2);
    unload<Form21>();

    resetPrinter();
    rec = &useRecordingPrinter();
    PrintCoverSheetPage(rows);
    EXPECT_FALSE(isLoaded<Form21>());
    EXPECT_TRUE(SameDrawing(rec->ops, windowPage));

    // The greyed banner alone: painted, without the band, and the
    // signatures in the band's place.
    rows[0].Shown = 0;
    rec->clear();
    PrintCoverSheetPage(rows);
    const auto pictures = rec->ofKind(PrintOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_NEAR(pictures[0].width, 10, 1e-6);
    EXPECT_TRUE(linesAtY(228).empty());
    EXPECT_EQ(rec->findText(QStringLiteral("Mit freundlicher Unterstützung von")), nullptr);
    EXPECT_EQ(text(QStringLiteral("Für die Rennleitung")).y, 230);
}

} // namespace

#include "Form15.h"

#include "ClassStartOrder.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

const double RowShade = colourValue(224, 224, 224);
const double ChosenNumber = colourValue(0, 192, 0);
const double Refused = colourValue(255, 0, 0);
constexpr double Accepted = colours::WindowBackground;

const char16_t *const ColumnHeadings[GridColumns] = {u"w",  u"m",  u"G-w",  u"G-m",
                                                     u"Bw", u"Bm", u"B,Gw", u"B,Gm"};
// The headings of the even columns when the race does not split by sex.
const char16_t *const UnsplitHeadings[GridColumns / 2] = {u"w+m", u"Gäste", u"Board", u"G,B"};

constexpr int SideLeft = 6600;

} // namespace

Form15::Form15()
    : Form(15, QStringLiteral("Klassen-Start-Reihenfolge & Zusammenlegungen"))
{
    setClientSize(10080, 6600);

    Label1.Move(240, 240, 9600, 360);
    Label1.setFontBold(true);
    Label1.setUseMnemonic(false);

    for (int c = 0; c < GridColumns; ++c) {
        Label &h = Label4(c);
        h.Move(columnLeft(c), ColumnHeadingTop, CellWidth, CellHeight);
        h.setAlignment(Alignment::Center);
        h.setCaption(QString::fromUtf16(ColumnHeadings[c]));
    }
    for (int r = 0; r < GridRows; ++r) {
        Label &h = Label2(r);
        h.Move(RowHeadingLeft, rowTop(r), RowHeadingWidth, CellHeight);
        h.setUseMnemonic(false);
        if (r % 2 == 1)
            h.setBackColor(RowShade);
    }
    for (int i = 0; i < CellCount; ++i) {
        Label &cell = Label3(i);
        cell.Move(cellLeft(i), cellTop(i), CellWidth, CellHeight);
        cell.setAlignment(Alignment::Center);
        cell.setFontBold(true);
        cell.setCaption(QStringLiteral("0"));
        if ((i / GridColumns) % 2 == 1)
            cell.setBackColor(RowShade);
        cell.onClick = [this, i] { Label3_Click(i); };
    }

    Label5.Move(SideLeft, GridTop, 1200, 300);
    Label5.setCaption(QStringLiteral("-1"));
    // Two lines: the caption is wider than the column beside the grid.
    Label7.Move(SideLeft, 1620, 3240, 510);
    Label7.setWordWrap(true);
    Label7.setCaption(QStringLiteral("genaue Bezeichnung der gewählten Klasse"));
    Text1.Move(SideLeft, 2140, 3240, 360);
    Label8.Move(SideLeft, 2640, 1200, 300);
    Label8.setCaption(QStringLiteral("Nummer"));
    Text2.Move(SideLeft, 2940, 1080, 360);
    // All numbers 0 means the order was never set: the classes are then
    // numbered one by one (NumberUnsetClassCells).
    Text2.setToolTipText(QStringLiteral(
        "für Zusammenlegungen - gleiche Nummern vergeben; alle Klassen in einer Wertung: "
        "überall dieselbe Nummer außer 0 (sind alle Nummern 0, bekommt jede Klasse "
        "ihre eigene)"));
    Command2.Move(SideLeft + 1200, 2940, 1200, 360);
    Command2.setCaption(QStringLiteral("eintragen"));
    Command4.Move(SideLeft, 3720, 2400, 420);
    Command4.setCaption(QStringLiteral("alles auf 0 setzen"));
    Command5.Move(SideLeft, 4260, 1080, 420);
    Command5.setCaption(QStringLiteral("JA"));
    Command5.setVisible(false);
    Command6.Move(SideLeft + 1200, 4260, 1200, 420);
    Command6.setCaption(QStringLiteral("nein !"));
    Command6.setVisible(false);
    Command1.Move(SideLeft, 5640, 1200, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    Text2.onLostFocus = [this] { Text2_LostFocus(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    setTabOrder({&Text1, &Text2, &Command2, &Command4, &Command5, &Command6, &Command1});
}

int Form15::ChosenCell() const
{
    const int i = num::toInt32(num::numericValue(Label5.Caption()));
    return i >= 0 && i < CellCount ? i : -1;
}

void Form15::showCellNumber(int index)
{
    Label3(index).setCaption(
        num::plainNumberText(StartOrder.ClassStartOrder[std::size_t(index)]));
}

void Form15::Form_Load()
{
    RestoreWindowPosition(*this);
    // Hiding a window that is not loaded would load it first.
    if (::isLoaded<Form1>())
        form<Form1>().Hide();
    if (::isLoaded<Form4>())
        form<Form4>().Hide();
    Label1.setCaption(Rec.RaceName);
}

void Form15::Form_Activate()
{
    if (filled_)
        return;
    filled_ = true;
    fillGrid();
}

void Form15::fillGrid()
{
    readClassStartOrder();
    for (int r = 0; r < GridRows; ++r) {
        const QString &name = Race.ClassNames[std::size_t(r + 1)];
        Label2(r).setCaption(name);
        Label2(r).setVisible(!name.isEmpty());
    }
    for (int i = 0; i < CellCount; ++i) {
        showCellNumber(i);
        Label3(i).setVisible(!Race.ClassNames[std::size_t(gridClass(i))].isEmpty()
                             && cellInUse(i));
    }

    for (int c = 0; c < GridColumns; ++c) {
        Label4(c).setCaption(QString::fromUtf16(ColumnHeadings[c]));
        Label4(c).setVisible(true);
    }
    if (Rec.EvalBySex != 1) {
        for (int c = 0; c < GridColumns; c += 2)
            Label4(c).setCaption(QString::fromUtf16(UnsplitHeadings[c / 2]));
        for (int c = 1; c < GridColumns; c += 2)
            Label4(c).setVisible(false);
    }
    if (Rec.EvalGuestsApart != 1)
        for (int c : {2, 3, 6, 7})
            Label4(c).setVisible(false);
    if (Rec.EvalBoarders != 1)
        for (int c : {4, 5, 6, 7})
            Label4(c).setVisible(false);
}

void Form15::Label3_Click(int Index)
{
    if (Index < 0 || Index >= CellCount)
        return;
    // A clicked label takes no focus: what is typed for the cell chosen so
    // far would otherwise be overwritten below without being kept.
    if (Text1.hasFocus())
        Text1_LostFocus();
    if (Text2.hasFocus())
        Text2_LostFocus();

    std::int16_t &number = StartOrder.ClassStartOrder[std::size_t(Index)];
    Label5.setCaption(QString::number(Index));
    Text1.setText(Race.ClassDesignations[std::size_t(Index)]);
    if (number < 1) {
        const int next = nextClassStartOrder();
        if (next == 0)
            beep();   // every number up to the highest is taken
        else
            number = std::int16_t(next);
        showCellNumber(Index);
    }
    Text2.setText(num::plainNumberText(number));
    Text2.setBackColor(Accepted);

    for (int i = 0; i < CellCount; ++i)
        Label3(i).setForeColor(i == Index ? ChosenNumber : colours::Black);
}

void Form15::Text1_LostFocus()
{
    const int i = ChosenCell();
    if (i < 0)
        return;
    Race.ClassDesignations[std::size_t(i)] = trimBlanks(Text1.Text());
}

void Form15::Text2_LostFocus()
{
    const int i = ChosenCell();
    if (i < 0)
        return;
    int value = 0;
    if (!startOrderFromText(Text2.Text(), &value)) {
        Text2.setBackColor(Refused);
        return;
    }
    Text2.setBackColor(Accepted);
    StartOrder.ClassStartOrder[std::size_t(i)] = std::int16_t(value);
    // The grid shows what is stored, also when the next cell is clicked
    // without "eintragen".
    showCellNumber(i);
}

void Form15::Command2_Click()
{
    const int i = ChosenCell();
    if (i < 0)
        return;
    showCellNumber(i);
}

void Form15::Command4_Click()
{
    Command5.setVisible(true);
    Command6.setVisible(true);
}

void Form15::Command6_Click()
{
    Command5.setVisible(false);
    Command6.setVisible(false);
}

void Form15::Command5_Click()
{
    Command5.setVisible(false);
    Command6.setVisible(false);
    clearClassStartOrder();
    for (int i = 0; i < CellCount; ++i)
        showCellNumber(i);
    // The boxes show the chosen cell as it now is, so that leaving them
    // does not bring the old values back.
    const int i = ChosenCell();
    if (i >= 0) {
        Text1.setText(Race.ClassDesignations[std::size_t(i)]);
        Text2.setText(num::plainNumberText(0));
        Text2.setBackColor(Accepted);
    }
}

void Form15::Command1_Click()
{
    Unload();
}

void Form15::Form_Unload()
{
    StoreWindowPosition(*this);
    // Only a grid filled from this race's table goes back into it.
    if (filled_)
        writeBackClassStartOrder();
    // Saved before the race window shows: loading that window would reload
    // the race files over the tables.
    SaveRaceFiles();
    form<Form4>().Show();
    if (::isLoaded<Form17>() && form<Form17>().Visible())
        form<Form17>().raise();
}

// The event behaviour of the controls the windows are written for: Change,
// LostFocus before Click, Click on selection changes, Enter.
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

#include "GuiTestHelpers.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/Controls.h"
#include "platform/TextOrder.h"

namespace {

class ControlsForm : public Form {
public:
    ControlsForm() : Form(9, "Steuerelemente")
    {
        setClientSize(9000, 7500);
        Text1.Move(120, 120, 2400, 300);
        Text2.Move(120, 540, 2400, 300);
        Command1.Move(120, 960, 1500, 450);
        List1.Move(3000, 120, 2400, 2400);
        Combo1.Move(3000, 2700, 2400, 315);
        Combo2.Move(3000, 3150, 2400, 315);
        Check1.Move(120, 1560, 2400, 300);
        Frame1.Move(120, 2000, 2600, 1400);
        Option1.Move(120, 300, 2000, 300);
        Option2.Move(120, 700, 2000, 300);
        Option3.Move(120, 3600, 2000, 300);
        Label1.Move(6000, 120, 2000, 300);
        Image1.Move(6000, 600, 1500, 1500);
        Picture1.Move(6000, 2400, 1500, 1500);

        for (const char *line : {"Anna", "Bernd", "Clara", "Dieter"})
            List1.AddItem(line);
        Combo1.AddItems({"Damen", "Herren", "Jugend"});
        Combo2.AddItems({"Bayern", "Hessen", "Sachsen"});

        Text1.onChange = [this] { log << "Text1.Change:" + Text1.Text(); };
        Text1.onGotFocus = [this] { log << "Text1.GotFocus"; };
        Text1.onLostFocus = [this] { log << "Text1.LostFocus:" + Text1.Text(); };
        Text1.onKeyDown = [this](int &keyCode, int shift) {
            log << QString("Text1.KeyDown:%1:%2").arg(keyCode).arg(shift);
            if (keyCode == swallowKey)
                keyCode = 0;
        };
        Text2.onGotFocus = [this] { log << "Text2.GotFocus"; };
        Command1.onGotFocus = [this] { log << "Command1.GotFocus"; };
        Command1.onClick = [this] { log << "Command1.Click"; };
        List1.onClick = [this] { log << "List1.Click:" + List1.Text(); };
        List1.onLostFocus = [this] { log << "List1.LostFocus"; };
        Combo1.onClick = [this] { log << "Combo1.Click:" + Combo1.Text(); };
        Combo1.onLostFocus = [this] { log << "Combo1.LostFocus"; };
        Combo2.onClick = [this] { log << "Combo2.Click:" + Combo2.Text(); };
        Combo2.onChange = [this] { log << "Combo2.Change:" + Combo2.Text(); };
        Check1.onClick = [this] { log << QString("Check1.Click:%1").arg(Check1.Value()); };
        Option1.onClick = [this] { log << "Option1.Click"; };
        Option2.onClick = [this] { log << "Option2.Click"; };
        Option3.onClick = [this] { log << "Option3.Click"; };
        Label1.onClick = [this] { log << "Label1.Click"; };
        Label1.onMouseMove = [this](int, int, double x, double y) {
            log << QString("Label1.MouseMove:%1:%2").arg(x).arg(y);
        };
    }
    void Form_MouseMove(int, int, double, double) override { log << "Form.MouseMove"; }
    void Form_KeyDown(int &keyCode, int) override
    {
        log << QString("Form.KeyDown:%1").arg(keyCode);
        if (keyCode == key::F1 + 1)
            keyCode = 0;
    }

    QStringList log;
    int swallowKey = -1;

    TextBox Text1{this, "Text1"};
    TextBox Text2{this, "Text2"};
    CommandButton Command1{this, "Command1"};
    ListBox List1{this, "List1"};
    ComboBox Combo1{this, "Combo1", ComboBox::Style::DropDownList};
    ComboBox Combo2{this, "Combo2", ComboBox::Style::DropDownCombo};
    CheckBox Check1{this, "Check1"};
    Frame Frame1{this, "Frame1"};
    OptionButton Option1{Frame1, "Option1"};
    OptionButton Option2{Frame1, "Option2"};
    OptionButton Option3{this, "Option3"};
    Label Label1{this, "Label1"};
    Image Image1{this, "Image1"};
    PictureBox Picture1{this, "Picture1"};
    Timer Timer1{this, "Timer1"};
};

// A window that is never shown: Qt sends it no focus events at all.
class HiddenForm : public Form {
public:
    HiddenForm() : Form(10, "Verborgen")
    {
        Text1.onLostFocus = [this] { log << "Text1.LostFocus"; };
        Command1.onClick = [this] { log << "Command1.Click"; };
    }
    QStringList log;
    TextBox Text1{this, "Text1"};
    CommandButton Command1{this, "Command1"};
};

class Controls : public WindowTest {
protected:
    ControlsForm &shown()
    {
        ControlsForm &f = form<ControlsForm>();
        EXPECT_TRUE(showAndActivate(f));
        f.log.clear();
        return f;
    }
};

TEST_F(Controls, EveryControlCarriesItsNameAsObjectNameAndAccessibleDescription)
{
    ControlsForm &f = form<ControlsForm>();
    const std::vector<std::pair<Control *, QString>> controls = {
        {&f.Text1, "Text1"},   {&f.Command1, "Command1"}, {&f.List1, "List1"},
        {&f.Combo1, "Combo1"}, {&f.Check1, "Check1"},     {&f.Frame1, "Frame1"},
        {&f.Option1, "Option1"}, {&f.Label1, "Label1"},   {&f.Image1, "Image1"},
        {&f.Picture1, "Picture1"},
    };
    for (const auto &[control, name] : controls) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(control->Name(), name);
        EXPECT_EQ(control->widget()->objectName(), name);
        EXPECT_EQ(control->widget()->accessibleDescription(), name);
        EXPECT_EQ(f.findChild<QWidget *>(name), control->widget());
    }
    EXPECT_EQ(f.Timer1.timer()->objectName(), "Timer1");
    EXPECT_EQ(f.Option1.widget()->parentWidget(), f.Frame1.widget());
    // The accessible name stays the visible text.
    f.Command1.setCaption("Speichern");
    EXPECT_TRUE(f.Command1.widget()->accessibleName().isEmpty());
}

TEST_F(Controls, PositionsAndSizesAreTwipsInTheContainer)
{
    ControlsForm &f = form<ControlsForm>();
    f.Text1.Move(150, 300, 1500, 450);
    EXPECT_EQ(f.Text1.widget()->geometry(), QRect(10, 20, 100, 30));
    EXPECT_EQ(f.Text1.Left(), 150);
    EXPECT_EQ(f.Text1.Top(), 300);
    EXPECT_EQ(f.Text1.Width(), 1500);
    EXPECT_EQ(f.Text1.Height(), 450);
    f.Option1.setTop(150);
    EXPECT_EQ(f.Option1.widget()->y(), 10);   // within the frame
}

TEST_F(Controls, VisibleAndEnabledAreTheControlsOwnSettings)
{
    ControlsForm &f = form<ControlsForm>();   // not shown
    EXPECT_TRUE(f.Text1.Visible());
    f.Frame1.setEnabled(false);
    EXPECT_TRUE(f.Option1.Enabled());
    EXPECT_FALSE(f.Option1.widget()->isEnabled());
    f.Text1.setVisible(false);
    EXPECT_FALSE(f.Text1.Visible());
}

// --- Change ---------------------------------------------------------------

TEST_F(Controls, TextBoxChangeFiresOnEveryChangeTypedOrSetByCode)
{
    ControlsForm &f = shown();
    f.Text1.setText("Ski");
    f.Text1.setText("Ski");   // the same text is no change
    f.Text1.SetFocus();
    f.Text1.setSelStart(3);
    typeText(f.Text1, "ab");
    pressKey(f.Text1, Qt::Key_Backspace);

    EXPECT_EQ(f.log.filter("Change"), QStringList({"Text1.Change:Ski", "Text1.Change:Skia",
                                                   "Text1.Change:Skiab", "Text1.Change:Skia"}));
}

TEST_F(Controls, ChangeTellsTypedTextFromTextSetByCode)
{
    ControlsForm &f = shown();
    QStringList seen;
    f.Text1.onChange = [&] {
        seen << f.Text1.Text() + (f.Text1.ChangeTyped() ? ":typed" : ":code");
        // A box set from a Change handler is set by code.
        if (f.Text1.Text() == "9")
            f.Text2.setText("von Text1");
    };
    f.Text2.onChange = [&] { seen << f.Text2.Text() + (f.Text2.ChangeTyped() ? ":typed" : ":code"); };
    f.Text1.setText("1");
    f.Text1.SetFocus();
    typeText(f.Text1, "2");
    pressKey(f.Text1, Qt::Key_Backspace);
    f.Text1.setText("9");
    EXPECT_EQ(seen, QStringList({"1:code", "12:typed", "1:typed", "9:code", "von Text1:code"}));
    EXPECT_FALSE(f.Text1.ChangeTyped());
}

TEST_F(Controls, ChangeHandlerThatSetsTheTextDoesNotRunItselfAgain)
{
    ControlsForm &f = shown();
    int changes = 0;
    f.Text1.onChange = [&] {
        ++changes;
        f.Text1.setText(f.Text1.Text().toUpper());
    };
    f.Text1.SetFocus();
    typeText(f.Text1, "ab");

    EXPECT_EQ(f.Text1.Text(), "AB");
    EXPECT_EQ(changes, 2);   // one per typed character
}

// --- Focus ----------------------------------------------------------------

TEST_F(Controls, LostFocusOfTheBoxComesBeforeTheClickOfTheButton)
{
    const std::vector<std::pair<const char *, std::function<void(ControlsForm &)>>> clicks = {
        {"mouse", [](ControlsForm &f) { clickWithMouse(f.Command1); }},
        {"click()", [](ControlsForm &f) { f.Command1.click(); }},
    };
    for (const auto &[how, click] : clicks) {
        SCOPED_TRACE(how);
        ControlsForm &f = shown();
        f.Text1.SetFocus();
        f.Text1.setText("");
        typeText(f.Text1, "7");
        f.log.clear();

        click(f);

        EXPECT_EQ(f.log, QStringList({"Text1.LostFocus:7", "Command1.GotFocus", "Command1.Click"}));
        unload<ControlsForm>();
    }
}

TEST_F(Controls, ClickFromCodeCommitsTheBoxAlsoInAWindowThatIsNotActive)
{
    HiddenForm &f = form<HiddenForm>();
    f.Text1.SetFocus();
    f.Command1.click();
    EXPECT_EQ(f.log, QStringList({"Text1.LostFocus", "Command1.Click"}));

    // A disabled or hidden button cannot be clicked.
    f.log.clear();
    f.Text1.SetFocus();
    f.Command1.setEnabled(false);
    f.Command1.click();
    f.Command1.setEnabled(true);
    f.Command1.setVisible(false);
    f.Command1.click();
    EXPECT_TRUE(f.log.isEmpty());
}

TEST_F(Controls, NoLostFocusWhileTheComboListIsOpen)
{
    ControlsForm &f = shown();
    f.Combo1.SetFocus();
    f.log.clear();

    f.Combo1.combo()->showPopup();
    QTest::qWait(20);
    f.Combo1.combo()->hidePopup();
    QTest::qWait(20);

    EXPECT_TRUE(f.log.isEmpty()) << f.log.join(", ").toStdString();
    EXPECT_TRUE(f.Combo1.hasFocus());
}

TEST_F(Controls, NoLostFocusWhenAnotherProgramsWindowIsActivated)
{
    ControlsForm &f = shown();
    f.Text1.SetFocus();
    f.log.clear();

    QWidget otherProgram;   // a window that is no control of ours, as a message box
    otherProgram.resize(100, 100);
    otherProgram.show();
    ASSERT_TRUE(activateByUser(otherProgram));
    otherProgram.hide();
    ASSERT_TRUE(activateByUser(f));

    // Neither LostFocus nor a second GotFocus.
    EXPECT_TRUE(f.log.filter("Text1").isEmpty()) << f.log.join(", ").toStdString();
    EXPECT_TRUE(f.Text1.hasFocus());
}

TEST_F(Controls, FocusMovingToAnotherWindowOfTheProgramIsLostFocus)
{
    ControlsForm &f = shown();
    f.Text1.SetFocus();
    f.log.clear();
    HiddenForm &other = form<HiddenForm>();
    ASSERT_TRUE(showAndActivate(other));

    other.Text1.SetFocus();
    EXPECT_EQ(f.log, QStringList({"Text1.LostFocus:"}));
}

// --- Keys -----------------------------------------------------------------

TEST_F(Controls, EnterIsKeyCode13AndMovesTheFocusOn)
{
    const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> enters = {
        {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_Enter, Qt::KeypadModifier},
    };
    for (const auto &[keyName, modifiers] : enters) {
        SCOPED_TRACE(keyName);
        ControlsForm &f = shown();
        f.Text1.SetFocus();
        f.log.clear();

        pressKey(f.Text1, keyName, modifiers);

        EXPECT_EQ(f.log, QStringList({"Text1.KeyDown:13:0", "Text1.LostFocus:", "Text2.GotFocus"}));
        EXPECT_TRUE(f.Text2.hasFocus());
        EXPECT_EQ(QApplication::focusWidget(), f.Text2.widget());
        unload<ControlsForm>();
    }
}

TEST_F(Controls, KeyDownHandlerSwallowsEnterByClearingTheKeyCode)
{
    ControlsForm &f = shown();
    f.swallowKey = key::Return;
    f.Text1.SetFocus();
    pressKey(f.Text1, Qt::Key_Return);
    EXPECT_TRUE(f.Text1.hasFocus());

    // Any key: a swallowed letter is not typed.
    f.swallowKey = 'X';
    typeText(f.Text1, "xy");
    EXPECT_EQ(f.Text1.Text(), "y");
}

TEST_F(Controls, WithKeyPreviewTheWindowSeesEveryKeyFirst)
{
    ControlsForm &f = shown();
    f.Text1.SetFocus();
    pressKey(f.Text1, Qt::Key_A);
    EXPECT_EQ(f.log.filter("KeyDown"), QStringList({"Text1.KeyDown:65:0"}));   // no preview yet

    f.setKeyPreview(true);
    f.log.clear();
    pressKey(f.Text1, Qt::Key_F2);   // swallowed by the window
    pressKey(f.Text1, Qt::Key_B);
    EXPECT_EQ(f.log.filter("KeyDown"),
              QStringList({"Form.KeyDown:113", "Form.KeyDown:66", "Text1.KeyDown:66:0"}));
}

TEST_F(Controls, KeyCodesAreTheClassicVirtualKeyCodes)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_Up, Qt::NoModifier, 38},     {Qt::Key_Down, Qt::NoModifier, 40},
        {Qt::Key_Left, Qt::NoModifier, 37},   {Qt::Key_Right, Qt::NoModifier, 39},
        {Qt::Key_Escape, Qt::NoModifier, 27}, {Qt::Key_Delete, Qt::NoModifier, 46},
        {Qt::Key_F1, Qt::NoModifier, 112},    {Qt::Key_F12, Qt::NoModifier, 123},
        {Qt::Key_A, Qt::NoModifier, 65},      {Qt::Key_A, Qt::ShiftModifier, 65},
        {Qt::Key_5, Qt::NoModifier, 53},      {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_Tab, Qt::NoModifier, 9},     {Qt::Key_PageDown, Qt::NoModifier, 34},
        // Punctuation whose character code equals a navigation key's code
        // must not pass for it: "." is not Delete, "(" is not Down.
        {Qt::Key_Period, Qt::NoModifier, 190}, {Qt::Key_ParenLeft, Qt::NoModifier, 0},
        {Qt::Key_NumberSign, Qt::NoModifier, 0},
    };
    for (const Case &c : cases) {
        QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(keyCodeOf(event), c.code) << "key " << c.key;
    }
    EXPECT_EQ(shiftStateOf(Qt::ShiftModifier | Qt::ControlModifier), 3);
    EXPECT_EQ(shiftStateOf(Qt::AltModifier), 4);
}

TEST_F(Controls, KeyPressHandlerChangesOrSwallowsTheTypedCharacter)
{
    ControlsForm &f = shown();
    f.Text1.onKeyPress = [](int &ascii) {
        if (ascii == '-')
            ascii = 0;
        else if (ascii >= 'a' && ascii <= 'z')
            ascii -= 32;
    };
    f.Text1.SetFocus();
    typeText(f.Text1, "a-b");
    EXPECT_EQ(f.Text1.Text(), "AB");
}

TEST_F(Controls, CharactersTheDataFilesCannotHoldAreRefusedWithABeep)
{
    ControlsForm &f = shown();
    f.Text1.SetFocus();
    resetBeepCount();
    typeText(f.Text1, QString::fromUtf8("Zoë Ő€"));
    EXPECT_EQ(f.Text1.Text(), QString::fromUtf8("Zoë €"));
    EXPECT_EQ(beepCount(), 1);
}

// --- ListBox --------------------------------------------------------------

TEST_F(Controls, ListClickFiresWhenTheSelectedLineChanges)
{
    ControlsForm &f = shown();
    f.List1.SetFocus();
    f.log.clear();

    clickLine(f.List1, 1);
    clickLine(f.List1, 1);   // the same line again
    pressKey(f.List1, Qt::Key_Down);
    f.List1.setListIndex(0);
    f.List1.setListIndex(0);   // unchanged
    f.List1.setListIndex(99);  // out of range: ignored
    pressKey(f.List1, Qt::Key_Up);   // already at the top

    EXPECT_EQ(f.log, QStringList({"List1.Click:Bernd", "List1.Click:Clara", "List1.Click:Anna"}));
    EXPECT_EQ(f.List1.ListIndex(), 0);
}

TEST_F(Controls, DoubleClickOnALineClicksThenDoubleClicks)
{
    ControlsForm &f = shown();
    f.List1.onDblClick = [&f] { f.log << "List1.DblClick:" + f.List1.Text(); };
    QListView *widget = f.List1.list();
    const QRect line = widget->visualRect(f.List1.lineIndex(2));
    // The window system sends press, release, double click, release.
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
    QTest::mouseDClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
    QTest::mouseRelease(widget->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
    EXPECT_EQ(f.log.filter("List1"), QStringList({"List1.Click:Clara", "List1.DblClick:Clara"}));
}

// MouseUp comes with every release over the lines, also on the line already
// selected (no Click then), after the Click of a line newly picked; the
// line under the pointer is found from its twips.
TEST_F(Controls, ListMouseUpFiresOnEveryReleaseAndFindsTheLineUnderThePointer)
{
    ControlsForm &f = shown();
    f.List1.onMouseUp = [&f](int button, int, double x, double y) {
        f.log << QStringLiteral("List1.MouseUp:%1:%2").arg(button).arg(f.List1.lineAt(x, y));
    };
    clickLine(f.List1, 1);
    clickLine(f.List1, 1);
    EXPECT_EQ(f.log.filter("List1"),
              QStringList({"List1.Click:Bernd", "List1.MouseUp:1:1", "List1.MouseUp:1:1"}));
    f.log.clear();
    QListView *widget = f.List1.list();
    QTest::mouseClick(widget->viewport(), Qt::RightButton, Qt::NoModifier,
                      widget->visualRect(f.List1.lineIndex(2)).center());
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, widget->viewport()->height() - 3));
    EXPECT_EQ(f.log.filter("MouseUp"), QStringList({"List1.MouseUp:2:2", "List1.MouseUp:1:-1"}));
}

TEST_F(Controls, TheFirstArrowKeyInAListWithoutSelectionSelectsTheFirstLine)
{
    ControlsForm &f = shown();
    f.List1.SetFocus();
    f.log.clear();
    pressKey(f.List1, Qt::Key_Down);
    EXPECT_EQ(f.log, QStringList({"List1.Click:Anna"}));
}

TEST_F(Controls, ChangingTheLinesFiresNoClickAndKeepsTheSelectedLine)
{
    ControlsForm &f = form<ControlsForm>();
    f.List1.setListIndex(2);   // Clara
    f.log.clear();

    f.List1.AddItem("Aaron", 0);
    EXPECT_EQ(f.List1.ListIndex(), 3);
    EXPECT_EQ(f.List1.Text(), "Clara");
    f.List1.RemoveItem(0);
    EXPECT_EQ(f.List1.Text(), "Clara");

    f.List1.RemoveItem(2);   // the selected line
    EXPECT_EQ(f.List1.ListIndex(), -1);
    EXPECT_EQ(f.List1.Text(), "");

    f.List1.setListIndex(1);
    f.log.clear();
    f.List1.Clear();
    EXPECT_EQ(f.List1.ListIndex(), -1);
    EXPECT_EQ(f.List1.ListCount(), 0);
    EXPECT_TRUE(f.log.isEmpty()) << f.log.join(", ").toStdString();
}

TEST_F(Controls, ListLinesOutOfRangeReadAsEmpty)
{
    ControlsForm &f = form<ControlsForm>();
    EXPECT_EQ(f.List1.ListCount(), 4);
    EXPECT_EQ(f.List1.List(3), "Dieter");
    EXPECT_EQ(f.List1.List(4), "");
    EXPECT_EQ(f.List1.List(-1), "");
    EXPECT_EQ(f.List1.ItemData(17), 0);
    EXPECT_EQ(f.List1.Text(), "");
}

TEST_F(Controls, SortedListKeepsTheProgramsTextOrder)
{
    ControlsForm &f = form<ControlsForm>();
    ListBox sorted(&f, "List9", true);
    const QStringList lines = {"   12 Maier", "Maier", "    7 Huber", "Ärmel", "MAIER",
                               "Armel",       "  100 Zink", "Maier", "b"};
    for (int i = 0; i < lines.size(); ++i) {
        sorted.AddItem(lines[i]);
        sorted.setItemData(sorted.NewIndex(), i);
        EXPECT_EQ(sorted.List(sorted.NewIndex()), lines[i]);
    }
    QStringList expected = lines;
    std::stable_sort(expected.begin(), expected.end(), textLess);
    QStringList got;
    for (int i = 0; i < sorted.ListCount(); ++i)
        got << sorted.List(i);
    EXPECT_EQ(got, expected);
    EXPECT_LT(got.indexOf("    7 Huber"), got.indexOf("   12 Maier"));
    // Equal lines stay in the order they were added.
    const int firstMaier = got.indexOf("Maier");
    EXPECT_EQ(sorted.ItemData(firstMaier), 1);
    EXPECT_EQ(sorted.ItemData(firstMaier + 1), 7);

    // Bulk, also into a list that has lines, gives the same order.
    ListBox bulk(&f, "List10", true);
    bulk.AddItem(lines[0]);
    bulk.AddItems(lines.mid(1));
    QStringList bulkLines;
    for (int i = 0; i < bulk.ListCount(); ++i)
        bulkLines << bulk.List(i);
    EXPECT_EQ(bulkLines, expected);
}

namespace {

// Lines whose order is easy to get wrong: umlauts beside their base letters,
// case ignored at first and then deciding, blanks and digits before letters,
// lines equal but for case or a trailing blank, lines that are equal, and
// texts whose collation keys are equal (a precomposed and a combining "Ä",
// "ß" and "ss"), which the code points then order.
const QStringList &trickyLines()
{
    static const QStringList lines = {
        "Maier", "MAIER", "maier", "Maier ", "Maier", "Mayer", QStringLiteral("Mäier"),
        QStringLiteral("Müller"), "Mueller", "Muller", "MULLER", QStringLiteral("Ärmel"),
        "Armel", "armel", QStringLiteral("A\u0308rmel"), QStringLiteral("Straße"), "Strasse",
        QStringLiteral("STRASSE"), "   7 Huber", "  12 Huber", "    7 Huber", "0012,50",
        "12,50", "007 00065,30 NAME12   45", "007 00065,30 NAME12   5", "007 00065,3 NAME12",
        "", " ", "  ", "-", ",", "A B", "AB", "A-B", "Zink", "zink", QStringLiteral("Öl"), "Ol",
        "Oel", "9", "10", "b", "B", QStringLiteral("\u00e9t\u00e9"), "ete", "Ete",
    };
    return lines;
}

template <class Box> QStringList linesOf(const Box &box)
{
    QStringList lines;
    for (int i = 0; i < box.ListCount(); ++i)
        lines << box.List(i);
    return lines;
}

} // namespace

// AddItems sorts many lines at once; the result must be what adding them one
// by one gives, for short and long fills, into an empty list and into one
// that has lines.
TEST_F(Controls, SortedBulkFillGivesTheOrderOfSingleInserts)
{
    ControlsForm &f = form<ControlsForm>();
    QStringList many;
    for (const QString &prefix : {QString(), QStringLiteral(" "), QStringLiteral("1 "),
                                  QStringLiteral("Ä"), QStringLiteral("a")})
        for (const QString &line : trickyLines())
            many << prefix + line;
    const QStringList fills[] = {trickyLines().mid(0, 12), trickyLines(), many};
    int n = 0;
    for (const QStringList &fill : fills) {
        for (unsigned seed : {1u, 2u}) {
            QStringList lines = fill;
            std::mt19937 g(seed);
            std::shuffle(lines.begin(), lines.end(), g);
            const QString tag = QString::number(++n);
            ListBox single(&f, "Single" + tag, true);
            for (const QString &line : lines)
                single.AddItem(line);
            const QStringList expected = linesOf(single);
            ListBox bulk(&f, "Bulk" + tag, true);
            bulk.AddItems(lines);
            EXPECT_EQ(linesOf(bulk), expected) << "fill " << n;
            EXPECT_EQ(bulk.NewIndex(), bulk.ListCount() - 1);
            ListBox merged(&f, "Merged" + tag, true);
            merged.AddItems(lines.mid(0, lines.size() / 3));
            merged.AddItems(lines.mid(lines.size() / 3));
            EXPECT_EQ(linesOf(merged), expected) << "fill " << n;
            ComboBox combo(&f, "Combo" + tag, ComboBox::Style::DropDownList, true);
            combo.AddItems(lines);
            EXPECT_EQ(linesOf(combo), expected) << "fill " << n;
            // The same order as the comparator gives, line by line.
            for (qsizetype i = 1; i < expected.size(); ++i)
                ASSERT_LE(compareText(expected[i - 1], expected[i]), 0) << "fill " << n;
        }
    }
}

TEST_F(Controls, MultiSelectListReportsEverySelectionChange)
{
    ControlsForm &f = form<ControlsForm>();
    ListBox multi(&f, "List11", false, ListBox::MultiSelect::Simple);
    multi.AddItems({"a", "b", "c"});
    int clicks = 0;
    multi.onClick = [&] { ++clicks; };
    multi.setSelected(0, true);
    multi.setSelected(2, true);
    multi.setSelected(2, true);   // no change
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(multi.SelCount(), 2);
    EXPECT_TRUE(multi.Selected(2));
    EXPECT_FALSE(multi.Selected(1));
}

TEST_F(Controls, FixedPitchListsUseTheMonospacedFace)
{
    ControlsForm &f = form<ControlsForm>();
    f.List1.setFontName("Monospac821 BT");
    f.List1.setFontSize(9);
    EXPECT_TRUE(QFontInfo(f.List1.widget()->font()).fixedPitch());
    EXPECT_EQ(f.List1.FontName(), "Monospac821 BT");
}

// --- ComboBox -------------------------------------------------------------

TEST_F(Controls, DropDownListHoldsOnlyItsLinesAndClicksOnChange)
{
    ControlsForm &f = shown();
    // Filling selects nothing.
    EXPECT_EQ(f.Combo1.ListIndex(), -1);
    EXPECT_EQ(f.Combo1.Text(), "");

    f.Combo1.setListIndex(1);
    f.Combo1.setListIndex(1);
    f.Combo1.setText("jugend");   // letter case aside
    f.Combo1.SetFocus();
    pressKey(f.Combo1, Qt::Key_Up);
    f.Combo1.setText("Senioren");   // no such line

    EXPECT_EQ(f.log.filter("Click"), QStringList({"Combo1.Click:Herren", "Combo1.Click:Jugend",
                                                  "Combo1.Click:Herren", "Combo1.Click:"}));
    EXPECT_EQ(f.Combo1.ListIndex(), -1);
}

TEST_F(Controls, ChoosingALineInTheOpenComboListClicks)
{
    ControlsForm &f = shown();
    f.Combo1.SetFocus();
    f.Combo1.combo()->showPopup();
    QAbstractItemView *view = f.Combo1.combo()->view();
    ASSERT_TRUE(waitUntil([&] { return view->isVisible(); }));
    const QRect line = view->visualRect(view->model()->index(2, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());

    EXPECT_EQ(f.log.filter("Combo1"), QStringList({"Combo1.Click:Jugend"}));
    EXPECT_TRUE(f.Combo1.hasFocus());
}

TEST_F(Controls, EditableComboChangesOnTypingAndClicksOnChoosing)
{
    ControlsForm &f = shown();
    f.Combo2.setListIndex(0);   // Bayern
    f.Combo2.SetFocus();
    f.Combo2.combo()->lineEdit()->end(false);
    typeText(f.Combo2, "x");
    EXPECT_EQ(f.Combo2.ListIndex(), -1);   // typed away from the line
    f.Combo2.setListIndex(0);              // the same line again is a change now
    f.Combo2.setText("Thüringen");
    f.Combo2.AddItem("Berlin");            // the list changes, the text stays

    EXPECT_EQ(f.log.filter("Combo2"), QStringList({"Combo2.Click:Bayern", "Combo2.Change:Bayernx",
                                  "Combo2.Click:Bayern", "Combo2.Change:Thüringen"}));
    EXPECT_EQ(f.Combo2.Text(), "Thüringen");

    f.Combo2.Clear();
    EXPECT_EQ(f.Combo2.Text(), "");
    EXPECT_EQ(f.Combo2.ListCount(), 0);
}

TEST_F(Controls, EnterInAComboMovesTheFocusOnAndKeepsTheTypedText)
{
    ControlsForm &f = shown();
    f.Combo2.SetFocus();
    typeText(f.Combo2, "bayern");
    pressKey(f.Combo2, Qt::Key_Return);
    EXPECT_FALSE(f.Combo2.hasFocus());
    // Qt's own Enter would have turned the text into the line "Bayern".
    EXPECT_EQ(f.Combo2.Text(), "bayern");
    EXPECT_EQ(f.Combo2.ListIndex(), -1);
}

// --- CheckBox, OptionButton -----------------------------------------------

TEST_F(Controls, CheckBoxClicksWhenItsValueChangesByCodeOrByTheUser)
{
    ControlsForm &f = shown();
    f.Check1.setValue(1);
    f.Check1.setValue(1);
    // The user toggles between off and on; grey goes to on.
    struct Case {
        int before;
        int after;
    };
    for (const Case c : {Case{1, 0}, Case{0, 1}, Case{2, 1}}) {
        f.Check1.setValue(c.before);
        f.log.clear();
        clickWithMouse(f.Check1);
        EXPECT_EQ(f.Check1.Value(), c.after) << "from " << c.before;
        EXPECT_EQ(f.log.filter("Check1"), QStringList({QString("Check1.Click:%1").arg(c.after)}));
    }
}

TEST_F(Controls, OptionButtonsExcludeEachOtherWithinTheirContainerOnly)
{
    ControlsForm &f = shown();
    f.Option1.setValue(true);
    f.Option3.setValue(true);   // another container
    EXPECT_TRUE(f.Option1.Value());

    clickWithMouse(f.Option2);
    EXPECT_TRUE(f.Option2.Value());
    EXPECT_FALSE(f.Option1.Value());
    EXPECT_TRUE(f.Option3.Value());

    clickWithMouse(f.Option2);   // the selected one stays selected
    EXPECT_TRUE(f.Option2.Value());

    // Both of a pair cleared (no sex chosen yet).
    f.Option2.setValue(false);
    EXPECT_FALSE(f.Option1.Value());
    EXPECT_FALSE(f.Option2.Value());

    EXPECT_EQ(f.log.filter("Option"),
              QStringList({"Option1.Click", "Option3.Click", "Option2.Click"}));
}

// --- Label, Image, colours --------------------------------------------------

TEST_F(Controls, LabelShowsItsCaptionWithoutAccessKeyMarks)
{
    ControlsForm &f = form<ControlsForm>();
    f.Label1.setCaption("&Name && Verein <b>");
    EXPECT_EQ(f.Label1.Caption(), "&Name && Verein <b>");
    EXPECT_EQ(f.Label1.label()->text(), "Name & Verein <b>");
    EXPECT_EQ(f.Label1.label()->textFormat(), Qt::PlainText);
}

// The dots of "Ö" in "ÖSV-Nummer" must not be cut off at the label's top
// edge, in whatever face and size the label is set: the caption's ink keeps
// clear of that edge.
TEST_F(Controls, LabelShowsCapitalUmlautsWhole)
{
    ControlsForm &f = shown();
    auto firstInkRow = [](const QImage &image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 192)
                    return y;
        return -1;
    };
    for (const char *family : {"DejaVu Sans", "Liberation Sans", "Arial"}) {
        for (double size : {8.0, 9.0, 10.0, 12.0}) {
            SCOPED_TRACE(std::string(family) + " " + std::to_string(size));
            f.Label1.setFontName(QString::fromLatin1(family));
            f.Label1.setFontSize(size);
            f.Label1.setCaption(QStringLiteral("ÄÖÜ"));
            EXPECT_GE(firstInkRow(f.Label1.widget()->grab().toImage()), 1);
        }
    }
}

TEST_F(Controls, LabelClicksAndTellsTheMouseOverItButNotTheWindow)
{
    ControlsForm &f = shown();
    QTest::mouseMove(f.Label1.widget(), QPoint(4, 6));
    clickWithMouse(f.Label1);
    EXPECT_EQ(f.log.filter("Label1").value(0), "Label1.MouseMove:60:90");
    EXPECT_TRUE(f.log.contains("Label1.Click"));
    EXPECT_FALSE(f.log.contains("Form.MouseMove"));

    QTest::mouseMove(&f, QPoint(2, f.height() - 2));
    EXPECT_TRUE(f.log.contains("Form.MouseMove"));
}

TEST_F(Controls, ImageTakesThePicturesSizeUnlessItStretches)
{
    ControlsForm &f = form<ControlsForm>();
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    f.Image1.setPicture(picture);
    EXPECT_EQ(f.Image1.Width(), 40 * TwipsPerPixel);
    EXPECT_EQ(f.Image1.Height(), 30 * TwipsPerPixel);

    f.Image1.Move(0, 0, 1500, 1500);
    f.Image1.setStretch(true);
    EXPECT_EQ(f.Image1.Width(), 1500);
    EXPECT_TRUE(f.Image1.label()->hasScaledContents());

    f.Image1.setPicture(QImage());
    EXPECT_TRUE(f.Image1.Picture().isNull());
}

TEST_F(Controls, ColourNumbersAreRedPlus256GreenPlus65536Blue)
{
    EXPECT_EQ(colourValue(10, 20, 30), 10 + 256 * 20 + 65536 * 30);
    EXPECT_EQ(colourFromValue(colourValue(10, 20, 30)), QColor(10, 20, 30));
    EXPECT_EQ(colourFromValue(colours::Red), QColor(255, 0, 0));
    EXPECT_EQ(colourFromValue(colours::Blue), QColor(0, 0, 255));
    EXPECT_EQ(colourFromValue(colours::ButtonFace), QGuiApplication::palette().color(QPalette::Button));

    ControlsForm &f = form<ControlsForm>();
    f.Text1.setBackColor(colours::Yellow);
    f.Text1.setForeColor(colourValue(0, 0, 128));
    EXPECT_EQ(f.Text1.widget()->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(f.Text1.widget()->palette().color(QPalette::Text), QColor(0, 0, 128));
    EXPECT_EQ(f.Text1.BackColor(), colours::Yellow);
    f.Label1.setBackColor(colours::Green);
    EXPECT_TRUE(f.Label1.widget()->autoFillBackground());
}

} // namespace

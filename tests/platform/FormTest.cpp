// The life of a window: Load at first use, Activate, Unload, a fresh window
// after Unload, positions in twips, timers, redraw without input.
#include <QCursor>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "GuiTestHelpers.h"
#include "platform/Controls.h"
#include "platform/Form.h"

namespace {

// What the test windows did, kept outside them so that it outlives them.
QStringList &events()
{
    static QStringList log;
    return log;
}

class LifeForm : public Form {
public:
    LifeForm() : Form(4, "Lebenslauf")
    {
        Text1.Move(120, 120, 2400, 300);
        Text2.Move(120, 600, 2400, 300);
        Command1.Move(120, 1080, 1500, 450);
        // Designed values: set before Load, they fire nothing.
        Text1.setText("entworfen");
        Check1.setValue(1);
        Text1.onChange = [this] { events() << "Change:" + Text1.Text(); };
        Text1.onLostFocus = [this] { events() << "LostFocus:" + Text1.Text(); };
        Check1.onClick = [] { events() << "Check1.Click"; };
        Command1.onClick = [this] {
            events() << "Click";
            if (clickAction)
                clickAction();
        };
        Timer1.onTimer = [this] { ++ticks; };
    }
    void Form_Load() override { events() << "Load"; }
    void Form_Activate() override { events() << "Activate"; }
    void Form_Unload() override { events() << "Unload"; }

    std::function<void()> clickAction;
    int ticks = 0;
    TextBox Text1{this, "Text1"};
    TextBox Text2{this, "Text2"};
    CommandButton Command1{this, "Command1"};
    CheckBox Check1{this, "Check1"};
    Timer Timer1{this, "Timer1"};
};

class OtherForm : public Form {
public:
    OtherForm() : Form(5, "Andere")
    {
        Command1.Move(120, 120, 1500, 450);
        Text1.Move(120, 720, 1500, 300);
        Command1.onClick = [] { events() << "Other.Click"; };
    }
    void Form_Activate() override { events() << "Other.Activate"; }
    CommandButton Command1{this, "Command1"};
    TextBox Text1{this, "Text1"};
};

class ShowsItselfForm : public Form {
public:
    ShowsItselfForm() : Form(6, "Zeigt sich")
    {
        Check1.onClick = [] { events() << "Click"; };
    }
    void Form_Load() override
    {
        events() << "Load";
        Check1.setValue(1);   // from Load on, changes fire their events
        Show();
        events() << "Load done";
    }
    void Form_Activate() override { events() << "Activate"; }
    CheckBox Check1{this, "Check1"};
};

class ModalForm : public Form {
public:
    ModalForm() : Form(7, "Modal") {}
};

class FormLife : public WindowTest {
protected:
    void SetUp() override { events().clear(); }
};

TEST_F(FormLife, LoadRunsOnceAtTheFirstUseOfAControl)
{
    EXPECT_FALSE(isLoaded<LifeForm>());
    form<LifeForm>().Text1.setText("neu");
    form<LifeForm>().Text2.setText("auch");

    EXPECT_TRUE(isLoaded<LifeForm>());
    // The designed values set in the constructor fired neither Change nor Click.
    EXPECT_EQ(events(), QStringList({"Load", "Change:neu"}));
    EXPECT_EQ(form<LifeForm>().objectName(), "LifeForm");
    EXPECT_EQ(form<LifeForm>().Caption(), "Lebenslauf");
    EXPECT_EQ(form<LifeForm>().windowSlot(), 4);
}

TEST_F(FormLife, ShowActivatesAtOnceAndOnlyWhenAnotherWindowWasActive)
{
    form<LifeForm>().Show();
    EXPECT_EQ(events(), QStringList({"Load", "Activate"}));
    EXPECT_EQ(Form::activeForm(), &form<LifeForm>());

    form<LifeForm>().Show();
    EXPECT_EQ(events().count("Activate"), 1);

    form<OtherForm>().Show();
    form<LifeForm>().Show();
    EXPECT_EQ(events(), QStringList({"Load", "Activate", "Other.Activate", "Activate"}));
}

// A window opened from the program's active window is the active one when
// it is first painted, so it is painted once, as it stays; with a display
// server that activates a window only after mapping it, it was painted
// inactive first and then again (every list's lines) once the activation
// came in.
TEST_F(FormLife, AWindowOpenedFromTheActiveWindowIsActiveAtItsFirstPaint)
{
    ASSERT_TRUE(showAndActivate(form<OtherForm>()));
    struct FirstPaint : QObject {
        bool seen = false;
        bool active = false;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && !seen) {
                seen = true;
                active = QApplication::activeWindow() == watched;
            }
            return false;
        }
    } firstPaint;
    LifeForm &f = form<LifeForm>();
    f.installEventFilter(&firstPaint);
    form<OtherForm>().Command1.onClick = [&f] { f.Show(); };
    clickWithMouse(form<OtherForm>().Command1);
    ASSERT_TRUE(waitUntil([&] { return firstPaint.seen; }));
    EXPECT_TRUE(firstPaint.active);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    EXPECT_EQ(Form::activeForm(), &f);
    EXPECT_EQ(events().count("Activate"), 1);
    f.removeEventFilter(&firstPaint);
}

TEST_F(FormLife, ActivatingByTheUserRunsActivate)
{
    ASSERT_TRUE(showAndActivate(form<LifeForm>()));
    ASSERT_TRUE(showAndActivate(form<OtherForm>()));
    events().clear();

    ASSERT_TRUE(activateByUser(form<LifeForm>()));
    EXPECT_EQ(events(), QStringList({"Activate"}));
    EXPECT_EQ(Form::activeForm(), &form<LifeForm>());
}

TEST_F(FormLife, ShowInsideFormLoadActivatesOnceLoadHasFinished)
{
    form<ShowsItselfForm>();
    EXPECT_EQ(events(), QStringList({"Load", "Click", "Load done", "Activate"}));
    EXPECT_TRUE(form<ShowsItselfForm>().Visible());
}

TEST_F(FormLife, UnloadDestroysTheWindowAndTheNextUseLoadsAFreshOne)
{
    QPointer<LifeForm> first = &form<LifeForm>();
    first->Text1.setText("geändert");
    first->Show();

    unload<LifeForm>();
    EXPECT_FALSE(isLoaded<LifeForm>());
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(Form::activeForm(), nullptr);

    events().clear();
    LifeForm &second = form<LifeForm>();
    EXPECT_EQ(events(), QStringList({"Load"}));
    EXPECT_EQ(second.Text1.Text(), "entworfen");
    EXPECT_FALSE(second.Visible());
}

TEST_F(FormLife, UnloadFromInsideItsOwnClickHandlerWaitsUntilTheHandlerIsDone)
{
    // A real click (Qt's button code still runs after the handler) and a
    // click from code.
    const std::vector<std::function<void(LifeForm &)>> clicks = {
        [](LifeForm &f) { clickWithMouse(f.Command1); },
        [](LifeForm &f) { f.Command1.click(); },
    };
    for (size_t i = 0; i < clicks.size(); ++i) {
        SCOPED_TRACE(i);
        events().clear();
        LifeForm &f = form<LifeForm>();
        ASSERT_TRUE(showAndActivate(f));
        QPointer<LifeForm> window = &f;
        f.clickAction = [&f] {
            f.Unload();
            // Still alive here: the rest of the handler may use its window.
            f.Text1.setText("danach");
            events() << "after Unload";
        };
        clicks[i](f);

        EXPECT_FALSE(isLoaded<LifeForm>());
        EXPECT_TRUE(events().contains("Unload"));
        EXPECT_EQ(events().last(), "after Unload");
        EXPECT_FALSE(window.isNull());
        destroyUnloadedWindows();
        EXPECT_TRUE(window.isNull());
        // The next use already gets a fresh window.
        EXPECT_EQ(form<LifeForm>().Text1.Text(), "entworfen");
        unload<LifeForm>();
    }
}

TEST_F(FormLife, ClosingTheWindowCommitsTheFocusedBoxThenUnloads)
{
    LifeForm &f = form<LifeForm>();
    ASSERT_TRUE(showAndActivate(f));
    f.Text1.SetFocus();
    f.Text1.setText("");
    typeText(f.Text1, "ab");
    events().clear();

    f.close();   // the close box of the title bar

    EXPECT_EQ(events(), QStringList({"LostFocus:ab", "Unload"}));
    EXPECT_FALSE(isLoaded<LifeForm>());
}

TEST_F(FormLife, AWindowUnloadedByAnotherWindowsLostFocusSurvivesItsOwnFocusEvent)
{
    // Text1 of LifeForm has the focus; clicking OtherForm's button commits it,
    // and that LostFocus unloads OtherForm while its button takes the focus.
    LifeForm &life = form<LifeForm>();
    ASSERT_TRUE(showAndActivate(life));
    life.Text1.SetFocus();
    life.Text1.onLostFocus = [] {
        events() << "LostFocus";
        unload<OtherForm>();
    };
    QPointer<OtherForm> other = &form<OtherForm>();
    other->Show();
    events().clear();

    other->Command1.click();

    EXPECT_EQ(events(), QStringList({"LostFocus"}));   // no Click of an unloaded window
    EXPECT_FALSE(isLoaded<OtherForm>());
    destroyUnloadedWindows();
    EXPECT_TRUE(other.isNull());
}

TEST_F(FormLife, TimersTickWhileLoadedAndStopWhenTheWindowUnloads)
{
    LifeForm &f = form<LifeForm>();
    f.Timer1.setInterval(0);   // enabled, but an interval of 0 never ticks
    QTest::qWait(30);
    EXPECT_EQ(f.ticks, 0);

    f.Timer1.setInterval(5);
    ASSERT_TRUE(waitUntil([&] { return f.ticks >= 2; }));

    QPointer<QTimer> timer = f.Timer1.timer();
    f.Unload();
    EXPECT_TRUE(timer.isNull() || !timer->isActive());
}

class PaintCounter : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

TEST_F(FormLife, RedrawRepaintsButRunsNoTimerTick)
{
    LifeForm &f = form<LifeForm>();
    auto *area = new PaintCounter(&f);
    area->setGeometry(0, 0, 50, 50);
    ASSERT_TRUE(showAndActivate(f));
    QTest::qWait(20);
    f.Timer1.setInterval(1);
    QThread::msleep(20);   // the tick is due
    const int paintsBefore = area->paints;

    area->update();
    for (int i = 0; i < 5; ++i)
        letWindowSystemRedraw();
    EXPECT_GT(area->paints, paintsBefore);
    EXPECT_EQ(f.ticks, 0);

    ASSERT_TRUE(waitUntil([&] { return f.ticks >= 1; }));
}

TEST_F(FormLife, PositionsAreTwipsAndStayOnAVisibleScreen)
{
    LifeForm &f = form<LifeForm>();
    f.setClientSize(6000, 4500);
    EXPECT_EQ(f.ScaleWidth(), 6000);
    EXPECT_EQ(f.ScaleHeight(), 4500);

    f.Move(1500, 750);
    EXPECT_EQ(f.Left(), 1500);
    EXPECT_EQ(f.Top(), 750);
    f.setLeft(1507);   // whole pixels
    EXPECT_EQ(f.Left(), 1500);

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    f.Move(-90000, 9000000);   // stored on a screen that is not there
    EXPECT_EQ(f.Left(), area.left() * TwipsPerPixel);
    EXPECT_EQ(f.Top() + f.Height(), (area.top() + area.height()) * TwipsPerPixel);

    // A window laid out for one size still changes it from code.
    f.setHeight(3000);
    EXPECT_EQ(f.Height(), 3000);
}

TEST_F(FormLife, ShowModalReturnsWhenTheWindowIsUnloaded)
{
    QPointer<ModalForm> modal = &form<ModalForm>();
    QTimer::singleShot(0, [] {
        events() << (form<ModalForm>().isModal() ? "modal" : "not modal");
        unload<ModalForm>();
    });
    modal->ShowModal();

    EXPECT_EQ(events(), QStringList({"modal"}));
    EXPECT_FALSE(isLoaded<ModalForm>());
    destroyUnloadedWindows();
    EXPECT_TRUE(modal.isNull());
}

TEST_F(FormLife, HourglassIsAStateNotACount)
{
    setHourglass(true);
    setHourglass(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    setHourglass(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(hourglass());
}

TEST(FormPlacement, BesideTheOtherWindowWhereItFitsElseCoveringLeast)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize frame(760, 480);
    const struct {
        const char *what;
        QRect other;
        QPoint at;
    } cases[] = {
        {"right of it", QRect(0, 0, 1016, 520), QPoint(1016, 0)},
        {"left of it", QRect(1100, 100, 800, 500), QPoint(340, 100)},
        {"below it", QRect(300, 0, 1400, 520), QPoint(300, 520)},
        {"above it", QRect(300, 560, 1400, 520), QPoint(300, 80)},
        // No side free: the least covered place on the screen, never the
        // other window's own corner.
        {"offset", QRect(0, 0, 1600, 900), QPoint(1160, 0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QPoint at = placeBeside(frame, c.other, screen);
        EXPECT_EQ(at, c.at);
        EXPECT_TRUE(screen.contains(QRect(at, frame)));
    }
    // A screen smaller than the window: its top left corner stays on it.
    EXPECT_EQ(placeBeside(frame, QRect(0, 0, 300, 200), QRect(0, 0, 700, 400)), QPoint(0, 0));
}

TEST_F(FormLife, AWindowKeptInFrontStaysBeforeWindowsShownOrActivatedAfterIt)
{
    LifeForm &kept = form<LifeForm>();
    kept.setKeptInFront(true);
    OtherForm &other = form<OtherForm>();
    ASSERT_TRUE(showAndActivate(other));
    kept.Show();
    other.Show();   // as a window does that shows its opener after a save
    ASSERT_EQ(Form::frontToBack().size(), 2u);
    EXPECT_EQ(Form::frontToBack().front(), &kept);
    EXPECT_EQ(Form::activeForm(), &other);
    ASSERT_TRUE(activateByUser(other));
    EXPECT_EQ(Form::frontToBack().front(), &kept);

    // Not kept in front, the window shown last is in front.
    kept.setKeptInFront(false);
    other.Show();
    EXPECT_EQ(Form::frontToBack().front(), &other);
    kept.ZOrder();
    EXPECT_EQ(Form::frontToBack().front(), &kept);
    EXPECT_EQ(Form::activeForm(), &other);
}

} // namespace

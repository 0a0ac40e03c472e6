#pragma once
// Helpers of window tests on the offscreen platform. A window test shows its
// window with showAndActivate() when it needs real focus events or mouse
// clicks (Qt sends focus events only inside the active window), and derives
// from WindowTest so that every window is unloaded and destroyed after it.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStringList>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

#include "TestSupport.h"
#include "platform/Controls.h"
#include "platform/Form.h"


// Shows the window and waits until the window system has made it the
// active one (on the offscreen platform that takes one turn of the event
// loop). False when it did not become active.
inline bool showAndActivate(Form &form)
{
    form.Show();
    return QTest::qWaitForWindowActive(&form);
}

// Activates a window that is already shown, as the user does by clicking
// into it.
inline bool activateByUser(QWidget &window)
{
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Destroys the windows whose Unload ran inside one of their own handlers
// (they go at the next turn of the event loop, which a test does not reach
// by itself).
inline void destroyUnloadedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the event loop until the condition holds or the time is up.
inline bool waitUntil(const std::function<bool()> &condition, int milliseconds = 2000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QTest::qWait(5);
    }
    return true;
}

// A real left click into the middle of a control.
inline void clickWithMouse(Control &control)
{
    QTest::mouseClick(control.widget(), Qt::LeftButton);
}

// A real left click on line row of a list box.
inline void clickLine(ListBox &list, int row)
{
    QListView *widget = list.list();
    const QRect line = widget->visualRect(list.lineIndex(row));
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
}

inline void pressKey(Control &control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(control.widget(), key, modifiers);
}

// Typing into a control (give it the focus first, as the user does). Any
// character, also those QTest::keyClicks cannot type: Latin-1 characters
// come with their Qt key, others with Qt::Key_unknown, as from an input
// method.
inline void typeText(Control &control, const QString &text)
{
    for (const QChar c : text) {
        const Qt::Key key = c.unicode() < 256 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, control.widget(), key, QString(c), Qt::NoModifier);
    }
}

// The lines of a list box or a combo box's list, top to bottom.
inline QStringList lines(const ListBox &list)
{
    QStringList out;
    for (int i = 0; i < list.ListCount(); ++i)
        out << list.List(i);
    return out;
}
inline QStringList lines(const ComboBox &combo)
{
    QStringList out;
    for (int i = 0; i < combo.ListCount(); ++i)
        out << combo.List(i);
    return out;
}

// The first line that begins with text; -1 when there is none.
inline int lineBeginningWith(const ListBox &list, const QString &text)
{
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i).startsWith(text))
            return i;
    return -1;
}

// The line edit of a window's text box, found by its objectName as a UI
// test tool finds it.
inline QLineEdit *lineEditNamed(QWidget &window, const char *name)
{
    return window.findChild<QLineEdit *>(QString::fromUtf8(name));
}

// One step of the user at a number box: text typed key by key, or one key
// (Backspace, Tab, Return), then what the box and the window show.
struct NumberKeyStep {
    const char *typed;      // nullptr: press key instead
    Qt::Key key;
    const char *boxAfter;   // the text of the box afterwards
    int shownAfter;         // the record (or name number) the window shows
};

inline void pressStep(QLineEdit *box, const NumberKeyStep &step)
{
    if (step.typed)
        QTest::keyClicks(box, QString::fromUtf8(step.typed));
    else
        QTest::keyClick(box, step.key);
}

// The number box Text1 of a window, focused with the cursor behind its
// text, as the user clicks into it; nullptr when the window has none.
inline QLineEdit *focusNumberBox(QWidget &window)
{
    QLineEdit *box = lineEditNamed(window, "Text1");
    if (box) {
        box->setFocus();
        box->end(false);
    }
    return box;
}

// Each step pressed into the box; after it the number box shows the step's
// text and check(step) tests what the window shows.
template <std::size_t N, class Check>
void pressNumberSteps(QLineEdit *box, TextBox &numberBox, const NumberKeyStep (&steps)[N],
                      Check check)
{
    for (const NumberKeyStep &step : steps) {
        SCOPED_TRACE(step.boxAfter);
        pressStep(box, step);
        EXPECT_EQ(numberBox.Text(), QString::fromUtf8(step.boxAfter));
        check(step);
    }
}

// The caption of a label fits its box: on one line, or wrapped in its height.
inline bool captionShownWhole(const Label &label)
{
    const QLabel *l = label.label();
    if (l->wordWrap())
        return l->heightForWidth(l->contentsRect().width()) <= l->contentsRect().height();
    return l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width();
}

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        unloadAllForms();
        destroyUnloadedWindows();
    }
};

// A window test in its own data directory: every window is unloaded (its
// Form_Unload still writing there) before the directory goes.
class WindowDataTest : public DataDirTest {
protected:
    void TearDown() override
    {
        unloadAllForms();
        destroyUnloadedWindows();
        DataDirTest::TearDown();
    }
};

#pragma once
// The controls the program's windows are built from. Each wraps one Qt
// widget, a child of its window (or of a Frame or PictureBox in it), and
// gives it the event behaviour the windows are written for:
//
// - Change of a text box fires on every change of its text, typed or set
//   by code (not again from inside its own Change handler).
// - LostFocus fires when the focus moves on to another control of the
//   program, before the Click of the button that took it; a popup (an open
//   combo list, a context menu), a message box or another program's window
//   is no such move.
// - Click of a list, combo box, check box or option button fires when its
//   selection or value changes: by mouse, by keyboard or by code.
// - Enter (Return or keypad Enter) is KeyDown with key code 13; in a text
//   box or combo box it then moves the focus on, unless a handler swallowed
//   the key (keyCode = 0).
//
// A window creates its controls as members and assigns their handlers in
// its constructor:
//
//     TextBox Text1{this, "Text1"};
//     ...
//     Text1.onChange = [this] { Text1_Change(); };
//
// Property values set in the constructor fire no events; from Form_Load on,
// changes do. Positions and sizes are twips within the container.
#include <QImage>
#include <QMetaObject>
#include <QPalette>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

#include "platform/Form.h"

class QCheckBox;
class QComboBox;
class QFocusEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class ListBoxLines;
class QMouseEvent;
class QPushButton;
class QRadioButton;
class QWidget;

class Frame;
class PictureBox;
class HookedWidget;
template <class W>
class Hooked;

// Key codes of KeyDown.
namespace key {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Menu = 18;   // Alt
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F1 = 112;
constexpr int F12 = 123;
} // namespace key

// The shift argument of key and mouse handlers.
namespace shiftkey {
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
} // namespace shiftkey

// The key code of a key event: letters and digits as their upper-case
// character code, the keypad digits 96..105, F1..F12 112..123, the
// navigation and editing keys as in key::; 0 for a key without one.
int keyCodeOf(const QKeyEvent &event);
int shiftStateOf(Qt::KeyboardModifiers modifiers);
// The button argument of mouse handlers: 1 left, 2 right, 4 middle.
int mouseButtonsOf(Qt::MouseButtons buttons);

enum class Alignment { Left = 0, Right = 1, Center = 2 };

// Where a control lives: its window (this) or a Frame or PictureBox in it.
class ControlParent {
public:
    ControlParent(QWidget *widget) : widget_(widget) {}
    ControlParent(Frame &frame);
    ControlParent(PictureBox &box);
    QWidget *widget() const { return widget_; }

private:
    QWidget *widget_;
};

class Control {
public:
    using KeyDownHandler = std::function<void(int &keyCode, int shift)>;
    using KeyPressHandler = std::function<void(int &keyAscii)>;
    using MouseHandler = std::function<void(int button, int shift, double x, double y)>;

    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    QString Name() const;
    QWidget *widget() const { return widget_; }
    // The window of the control; null for a control outside any Form.
    Form *form() const { return form_; }

    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int left) { Move(left, Top()); }
    void setTop(int top) { Move(Left(), top); }
    void setWidth(int width) { Move(Left(), Top(), width, Height()); }
    void setHeight(int height) { Move(Left(), Top(), Width(), height); }

    // Visible and Enabled are the control's own settings (a control on a
    // window that is not shown yet is still Visible).
    bool Visible() const;
    void setVisible(bool visible);
    bool Enabled() const;
    void setEnabled(bool enabled);
    // Tab and Enter pass over a control without TabStop; a click still
    // gives it the focus.
    bool TabStop() const;
    void setTabStop(bool on);
    QString ToolTipText() const;
    void setToolTipText(const QString &text);
    // Paints the control now (a progress text inside a long loop), without
    // processing any other event.
    void Refresh();

    // Moves the focus here (firing LostFocus of the control that had it and
    // GotFocus of this one), also while the window is not the active one.
    // Nothing happens for a control that is hidden or disabled.
    void SetFocus();
    // True when this control has the program's focus.
    bool hasFocus() const;
    // The control that has the program's focus, if any.
    static Control *focused();
    // The control a widget belongs to (the widget or one of its parents).
    static Control *of(const QWidget *widget);

    double BackColor() const { return backColor_; }
    void setBackColor(double colour);
    double ForeColor() const { return foreColor_; }
    void setForeColor(double colour);
    QString FontName() const;
    void setFontName(const QString &family);
    double FontSize() const;
    void setFontSize(double points);
    bool FontBold() const;
    void setFontBold(bool on);
    bool FontItalic() const;
    void setFontItalic(bool on);
    bool FontUnderline() const;
    void setFontUnderline(bool on);

    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    // Every key the control gets, before it acts on it; keyCode = 0
    // swallows the key. The window's Form_KeyDown sees it first when the
    // window has KeyPreview.
    KeyDownHandler onKeyDown;
    // The character a key types (its Unicode value; 13 for Enter, 8 for
    // Backspace); keyAscii = 0 swallows it, another value types that.
    KeyPressHandler onKeyPress;
    // The mouse moving over a Label, Frame, Image or PictureBox (x and y in
    // twips within the control).
    MouseHandler onMouseMove;

protected:
    // widget: one of the hooked widget classes of the controls.
    Control(QWidget *widget, const ControlParent &parent, const QString &name);

    // Runs a handler body when the window takes events, inside its handler
    // scope. False when it did not run.
    template <class Body>
    bool run(Body &&body)
    {
        if (!takesEvents())
            return false;
        Form::HandlerScope scope(form_);
        body();
        return true;
    }
    bool fire(const std::function<void()> &handler);
    bool takesEvents() const;
    void keep(QMetaObject::Connection connection) { connections_.push_back(connection); }
    // The palette roles BackColor and ForeColor set; fills: the widget
    // paints its background only once a BackColor is set.
    void setColourRoles(std::vector<QPalette::ColorRole> back,
                        std::vector<QPalette::ColorRole> fore, bool fills);
    void setFillsBackground(bool fills);

    // Called by the widget. The defaults keep the program's focus and run
    // KeyDown and KeyPress.
    virtual void focusInHook(QFocusEvent *event);
    virtual void focusOutHook(QFocusEvent *event);
    // True when the key has been dealt with and the widget must not see it.
    virtual bool keyPressHook(QKeyEvent *event, HookedWidget &widget);
    virtual void mouseReleaseHook(QMouseEvent *) {}
    virtual void mouseDoubleClickHook(QMouseEvent *) {}
    virtual void mouseMoveHook(QMouseEvent *event);

    // KeyDown through the window's preview and this control's handler;
    // false when the key was swallowed.
    bool runKeyDown(int &keyCode, int shift);
    // KeyPress; false when the character was swallowed.
    bool runKeyPress(int &keyAscii);
    // The shared key path of boxes: KeyDown, KeyPress, Enter moves on,
    // characters outside the file code page are refused with a beep.
    bool boxKeyPress(QKeyEvent *event, HookedWidget &widget, bool enterMovesOn,
                     bool refuseUnencodable);
    // Gives this control the program's focus: LostFocus of the one that
    // had it, then GotFocus here.
    void takeFocus();
    // Moves the focus on as Tab does and follows it.
    void moveFocusOn(HookedWidget &widget);
    // For handlers of mouse events: left button released over the widget.
    bool isClick(QMouseEvent *event) const;

private:
    friend class Form;
    template <class W>
    friend class Hooked;

    static void commitFocusOf(Form *form);
    static void forgetFocusOf(Form *form);
    void applyColours();

    QPointer<QWidget> widget_;
    HookedWidget *hooked_;
    Form *form_;
    std::vector<QMetaObject::Connection> connections_;
    std::vector<QPalette::ColorRole> backRoles_{QPalette::Window};
    std::vector<QPalette::ColorRole> foreRoles_{QPalette::WindowText};
    bool fillsBackground_ = false;
    double backColor_ = -1;
    double foreColor_ = -1;
};

class Label : public Control {
public:
    Label(const ControlParent &parent, const QString &name);
    QLabel *label() const;

    QString Caption() const { return caption_; }
    void setCaption(const QString &caption);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment);
    bool WordWrap() const;
    void setWordWrap(bool on);
    // The label grows or shrinks to its caption.
    void setAutoSize(bool on);
    // 0: transparent, 1: opaque (the default; BackColor shows).
    void setBackStyle(int style);
    // "&" marks the access key and is not shown ("&&" shows one "&").
    void setUseMnemonic(bool on);

    std::function<void()> onClick;
    std::function<void()> onDblClick;

protected:
    void mouseReleaseHook(QMouseEvent *event) override;
    void mouseDoubleClickHook(QMouseEvent *event) override;

private:
    void showCaption();
    QString caption_;
    Alignment alignment_ = Alignment::Left;
    bool autoSize_ = false;
    bool useMnemonic_ = true;
};

class TextBox : public Control {
public:
    TextBox(const ControlParent &parent, const QString &name);
    QLineEdit *edit() const;

    QString Text() const;
    // Fires Change when the text differs from the present one.
    void setText(const QString &text);
    // Inside a Change: true when the user's editing caused it (keys, paste,
    // an input method), false when setText did. A number box acts on a
    // number set by code at once, but lets the user finish typing one.
    bool ChangeTyped() const { return changeTyped_; }
    // The most characters the box holds (0: no limit of its own); text set
    // by code is cut there too.
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int length);
    bool Locked() const;
    void setLocked(bool on);
    Alignment alignment() const;
    void setAlignment(Alignment alignment);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;

    std::function<void()> onChange;
    std::function<void()> onClick;
    std::function<void()> onDblClick;

protected:
    bool keyPressHook(QKeyEvent *event, HookedWidget &widget) override;
    void mouseReleaseHook(QMouseEvent *event) override;
    void mouseDoubleClickHook(QMouseEvent *event) override;

private:
    void textChanged();
    int maxLength_ = 0;
    bool inChange_ = false;
    bool settingText_ = false;
    bool changeTyped_ = false;
};

class CommandButton : public Control {
public:
    CommandButton(const ControlParent &parent, const QString &name);
    QPushButton *button() const;

    QString Caption() const;
    void setCaption(const QString &caption);
    // A click as the user makes it: when the button is visible and enabled,
    // it takes the focus (the box that had it gets its LostFocus first),
    // then Click fires.
    void click();

    std::function<void()> onClick;
};

class CheckBox : public Control {
public:
    CheckBox(const ControlParent &parent, const QString &name);
    QCheckBox *checkBox() const;

    QString Caption() const;
    void setCaption(const QString &caption);
    // 0 unchecked, 1 checked, 2 grey (set only by code; a click toggles
    // between 0 and 1). Click fires when the value changes.
    int Value() const;
    void setValue(int value);

    std::function<void()> onClick;

private:
    void stateChanged();
    int reported_ = 0;
    bool inClick_ = false;
};

// Option buttons in one container (window, Frame or PictureBox) exclude
// each other; all of them may be off at once (set by code).
class OptionButton : public Control {
public:
    OptionButton(const ControlParent &parent, const QString &name);
    QRadioButton *radio() const;

    QString Caption() const;
    void setCaption(const QString &caption);
    bool Value() const;
    // true selects this one and clears the others of its container; Click
    // fires when it becomes selected, by the user or by code.
    void setValue(bool on);

    std::function<void()> onClick;

private:
    void toggled(bool on);
    bool inClick_ = false;
};

class Frame : public Control {
public:
    Frame(const ControlParent &parent, const QString &name);
    QGroupBox *box() const;

    QString Caption() const;
    void setCaption(const QString &caption);

};

class Image : public Control {
public:
    Image(const ControlParent &parent, const QString &name);
    QLabel *label() const;

    QImage Picture() const { return picture_; }
    // Without Stretch the control takes the picture's size; with it the
    // picture fills the control. A null image clears it.
    void setPicture(const QImage &picture);
    bool Stretch() const { return stretch_; }
    void setStretch(bool on);

    std::function<void()> onClick;
    std::function<void()> onDblClick;

protected:
    void mouseReleaseHook(QMouseEvent *event) override;
    void mouseDoubleClickHook(QMouseEvent *event) override;

private:
    void showPicture();
    QImage picture_;
    bool stretch_ = false;
};

// A plain area: a background colour, optionally a picture at its top left,
// and a container for other controls.
class PictureBox : public Control {
public:
    PictureBox(const ControlParent &parent, const QString &name);
    QLabel *label() const;

    QImage Picture() const { return picture_; }
    void setPicture(const QImage &picture);

    std::function<void()> onClick;

protected:
    void mouseReleaseHook(QMouseEvent *event) override;

private:
    QImage picture_;
};

class ListBox : public Control {
public:
    enum class MultiSelect { None = 0, Simple = 1, Extended = 2 };
    // A sorted list keeps its lines in the program's text order (equal
    // lines in the order they were added).
    ListBox(const ControlParent &parent, const QString &name, bool sorted = false,
            MultiSelect multiSelect = MultiSelect::None);
    QListView *list() const;
    // The view's index of line row (for driving the view, as tests do).
    QModelIndex lineIndex(int row) const;

    bool Sorted() const { return sorted_; }
    // Adds a line (at index, or at the end; a sorted list puts it in its
    // place). NewIndex tells where it went. The selected line stays
    // selected; no Click fires.
    void AddItem(const QString &text, int index = -1);
    // Adds many lines at once (a sorted list sorts them once).
    void AddItems(const QStringList &lines);
    // Removes a line; when it was the selected one nothing is selected
    // afterwards. No Click fires.
    void RemoveItem(int index);
    // Removes every line; nothing is selected afterwards. No Click fires.
    void Clear();
    int ListCount() const;
    // The text of line index (0-based); "" out of range.
    QString List(int index) const;
    void setList(int index, const QString &text);
    int NewIndex() const { return newIndex_; }
    int ItemData(int index) const;
    void setItemData(int index, int value);

    // The selected line (-1: none; with MultiSelect the line with the
    // focus frame). Setting it fires Click when it changes; an index out
    // of range is ignored.
    int ListIndex() const;
    void setListIndex(int index);
    // The text of the selected line ("" when none).
    QString Text() const;
    bool Selected(int index) const;
    void setSelected(int index, bool on);
    int SelCount() const;
    int TopIndex() const;
    void setTopIndex(int index);

    // Fires when the selection changes (by mouse, keyboard or code).
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    // A mouse button released over the lines (x and y in twips within the
    // lines' area), also on the line already selected, which fires no Click.
    MouseHandler onMouseUp;
    // The line at x, y (twips within the lines' area); -1 where there is none.
    int lineAt(double x, double y) const;

protected:
    bool keyPressHook(QKeyEvent *event, HookedWidget &widget) override;
    void mouseReleaseHook(QMouseEvent *event) override;

private:
    struct Mutation;
    int sortedRow(const QString &text, int from = 0) const;
    void selectionMoved();
    void reportIfChanged();
    void clickNow();

    ListBoxLines *lines_ = nullptr;   // owned by the view
    bool sorted_;
    MultiSelect multiSelect_;
    int newIndex_ = -1;
    int reported_ = -1;
    int mutating_ = 0;
    bool inClick_ = false;
};

class ComboBox : public Control {
public:
    // DropDownCombo: the user may type any text; DropDownList: the text is
    // always one of the lines (or empty).
    enum class Style { DropDownCombo = 0, DropDownList = 2 };
    ComboBox(const ControlParent &parent, const QString &name,
             Style style = Style::DropDownCombo, bool sorted = false);
    QComboBox *combo() const;

    Style style() const { return style_; }
    bool Sorted() const { return sorted_; }
    // The list changes without Click or Change and without touching the
    // text, except Clear, which empties the text as well.
    void AddItem(const QString &text, int index = -1);
    void AddItems(const QStringList &lines);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    QString List(int index) const;
    int NewIndex() const { return newIndex_; }
    int ItemData(int index) const;
    void setItemData(int index, int value);

    // The line the text comes from (-1: none, or text typed since). Setting
    // it fires Click when it changes; out of range is ignored.
    int ListIndex() const;
    void setListIndex(int index);
    QString Text() const;
    // DropDownCombo: sets the text (Change fires). DropDownList: selects
    // the line with that text (letter case ignored when no line matches
    // exactly), or none when there is no such line.
    void setText(const QString &text);

    // Fires when a line is chosen (by mouse, keyboard or code) and it is
    // another than before.
    std::function<void()> onClick;
    // DropDownCombo: fires on every change of the text that does not come
    // from choosing a line, typed or set by code.
    std::function<void()> onChange;

protected:
    bool keyPressHook(QKeyEvent *event, HookedWidget &widget) override;

private:
    struct Mutation;
    int sortedRow(const QString &text, int from = 0) const;
    void indexMoved();
    void lineChosen(int index);
    void textMoved();
    void reportIfChanged();

    Style style_;
    bool sorted_;
    int newIndex_ = -1;
    int qtIndex_ = -1;     // the widget's own current line as last seen
    int reported_ = -1;    // ListIndex as last reported by Click
    int mutating_ = 0;
    bool inClick_ = false;
    bool inChange_ = false;
};

// A timer of a window: ticks every Interval milliseconds while Enabled
// (on by default) and the interval is above 0, from the event loop only
// (never inside letWindowSystemRedraw). Stops when its window unloads.
class Timer {
public:
    Timer(const ControlParent &parent, const QString &name);
    ~Timer();
    Timer(const Timer &) = delete;
    Timer &operator=(const Timer &) = delete;

    QString Name() const;
    QTimer *timer() const { return timer_; }
    int Interval() const { return interval_; }
    // Restarts the count when the timer runs.
    void setInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);

    std::function<void()> onTimer;

private:
    friend class Form;
    void update();
    void tick();
    void stop();

    Form *form_;
    QPointer<QTimer> timer_;
    int interval_ = 0;
    bool enabled_ = true;
    bool inTick_ = false;
};

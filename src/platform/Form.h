#pragma once
// The windows of the program and their life: a window is loaded at its
// first use, activated when it becomes the program's active window and
// unloaded when it closes; the next use after that loads a fresh one.
//
// Every window is a Form subclass reached through the registry:
//
//     form<Form4>().Show();          // loads Form4 first if need be
//     form<Form4>().Text1.setText("");
//     unload<Form4>();
//
// form<T>() builds the window (its constructor creates the controls and
// assigns their handlers) and runs Form_Load() before it returns the window.
// Handlers of a window run only while it is loaded: not while its
// constructor sets the designed properties, and never after its Unload.
#include <QString>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "platform/Redraw.h"

class Control;
class QEventLoop;
class Timer;

// Twips: 1440 per inch, 15 per pixel at 96 dpi. Every position and size
// the windows use is in twips.
constexpr int TwipsPerPixel = 15;
int pixelsFromTwips(double twips);   // rounded half away from zero
int twipsFromPixels(int pixels);

class Form : public QWidget {
    Q_OBJECT

public:
    // windowSlot: the number under which the program keeps this window's
    // position (0: none). name: the objectName; form<T>() uses the class
    // name when it is left empty.
    Form(int windowSlot, const QString &caption, const QString &name = QString());
    ~Form() override;
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // The handlers a window overrides.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}
    // With KeyPreview on, the window sees every key of its controls first;
    // keyCode = 0 swallows the key.
    virtual void Form_KeyDown(int &keyCode, int shift);
    // The mouse over the window itself (not over one of its controls);
    // x and y in twips.
    virtual void Form_MouseMove(int button, int shift, double x, double y);

    // Runs Form_Load() once. form<T>() calls it; a window made without the
    // registry (a dialog owned by other code) calls it itself.
    void Load();
    // Shows, raises and activates the window; Form_Activate() runs before
    // Show returns when the window was not the program's active one.
    void Show();
    // Shows the window modally and returns when it is hidden or unloaded.
    void ShowModal();
    void Hide();
    // Brings the window in front of the program's other windows without
    // making it the active one.
    void ZOrder();
    // A window kept in front stays in front of the program's other windows
    // while it is shown: one shown or activated after it does not cover it
    // (other programs' windows still may).
    void setKeptInFront(bool on) { keptInFront_ = on; }
    bool KeptInFront() const { return keptInFront_; }
    // Moves the window beside other on other's screen (placeBeside below).
    void PlaceBeside(const Form &other);
    // The program's visible windows, the one in front first, as the program
    // stacked them (Show, ZOrder, activation by the user); on the offscreen
    // platform, which keeps no stacking of its own, this is the only record.
    static std::vector<Form *> frontToBack();
    // Commits the control with the focus (its LostFocus), runs
    // Form_Unload(), stops the timers, hides and destroys the window. Safe
    // from inside one of the window's own handlers: the object lives on
    // until the handler has returned, but the next form<T>() already gives
    // a fresh window.
    void Unload();

    // Paints the window now, without processing any other event.
    void Refresh() { repaint(); }

    bool Visible() const { return !isHidden(); }
    void setVisible(bool visible) override;   // true is Show(), false Hide()
    bool Enabled() const { return isEnabled(); }
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // Outer position and size in twips. Positions are kept on a visible
    // screen: a window placed off every screen (a position stored on another
    // machine) lands on the nearest edge of the screen it was meant for, or
    // of the primary screen.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int left) { Move(left, Top()); }
    void setTop(int top) { Move(Left(), top); }
    void setWidth(int width);
    void setHeight(int height);
    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    // The inside of the window, where the controls are placed.
    int ScaleWidth() const;
    int ScaleHeight() const;
    // Gives the inside the designed size; windows of the program are laid
    // out for that size and are not resizable.
    void setClientSize(int width, int height);

    double BackColor() const { return backColor_; }
    void setBackColor(double colour);
    bool KeyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }

    // The order Tab and Enter go through the controls.
    using QWidget::setTabOrder;
    void setTabOrder(std::initializer_list<const Control *> controls);

    int windowSlot() const { return windowSlot_; }
    // (Named apart from the free isLoaded<T>(), which it would hide inside a window.)
    bool loadedNow() const;
    // The control of this window that has the program's focus, if any.
    Control *ActiveControl() const;

    // The window that is the program's active one: the last that was
    // activated and has not been hidden since. A message box or another
    // program's window does not change it.
    static Form *activeForm();

    // Runs a handler of the program with the window kept alive (an Unload
    // inside only destroys it once every such scope has been left). Controls
    // and timers run every handler inside one.
    class HandlerScope {
    public:
        explicit HandlerScope(Form *form);
        ~HandlerScope();
        HandlerScope(const HandlerScope &) = delete;
        HandlerScope &operator=(const HandlerScope &) = delete;

        // How many handler scopes have begun in the process: a window can
        // tell that no handler of the program ran between two of its own.
        static std::uint64_t begun() { return begun_; }

    private:
        Form *form_;
        static inline std::uint64_t begun_ = 0;
    };
    // False while the window's constructor runs and after its Unload:
    // handlers do not run then.
    bool takesEvents() const;
    // Runs Form_KeyDown() when KeyPreview is on (controls call it first
    // with every key they get).
    void previewKeyDown(int &keyCode, int shift);

    // Registry plumbing for form<T>(); not for the windows themselves.
    static void adopt(Form *form, Form **slot, const std::type_info &type);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    friend class Timer;
    enum class State { Constructing, Loading, Loaded, Unloading, Unloaded };

    void becomeActive();
    void activateWhenFirstExposed();
    void addTimer(Timer *timer);
    void removeTimer(Timer *timer);

    void broughtToFront();

    int windowSlot_;
    std::uint64_t frontSerial_ = 0;
    bool keptInFront_ = false;
    State state_ = State::Constructing;
    Form **slot_ = nullptr;            // registry slot; null for a window of its own
    bool registryOwned_ = false;       // made by form<T>(), so destroyed by Unload
    int handlerDepth_ = 0;
    bool destroyWhenIdle_ = false;
    bool activatePending_ = false;
    bool activateAtExpose_ = false;    // shown, the window system's activation not yet in
    bool keyPreview_ = false;
    double backColor_ = -1;
    QEventLoop *modalLoop_ = nullptr;
    std::vector<Timer *> timers_;
};

namespace formregistry {
template <class T>
Form *&slot()
{
    static Form *loaded = nullptr;
    return loaded;
}
template <class T>
bool &building()
{
    static bool inConstructor = false;
    return inConstructor;
}
[[noreturn]] void usedInOwnConstructor(const std::type_info &type);
} // namespace formregistry

// The loaded window of class T; loads it first when it is not loaded.
template <class T>
T &form()
{
    static_assert(std::is_base_of_v<Form, T>, "form<T>() takes a Form subclass");
    Form *&slot = formregistry::slot<T>();
    if (slot)
        return static_cast<T &>(*slot);
    // A constructor that reached its own window would build windows forever.
    if (formregistry::building<T>())
        formregistry::usedInOwnConstructor(typeid(T));
    formregistry::building<T>() = true;
    T *made = nullptr;
    try {
        made = new T();
    } catch (...) {
        formregistry::building<T>() = false;
        throw;
    }
    formregistry::building<T>() = false;
    Form::adopt(made, &slot, typeid(T));   // runs Form_Load()
    return *made;
}

template <class T>
bool isLoaded()
{
    return formregistry::slot<T>() != nullptr;
}

// Unloads the window of class T if it is loaded (it is not loaded first).
template <class T>
void unload()
{
    if (Form *loaded = formregistry::slot<T>())
        loaded->Unload();
}

// Where a window with the frame size goes beside another window's frame on
// the screen area (pixels): right of it, left of it, below or above it, the
// first of these that lies wholly on the area without covering the other;
// when none does, the one of them, kept on the area, that covers least of
// the other.
QPoint placeBeside(QSize frame, const QRect &other, const QRect &area);

// Every loaded window, in the order they were loaded.
std::vector<Form *> loadedForms();
// Unloads every window (end of the program, end of a test).
void unloadAllForms();


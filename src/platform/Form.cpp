#include "platform/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>

#include "platform/Colours.h"
#include "platform/Controls.h"

namespace {

Form *activeWindowForm = nullptr;
// Inside the activation of a window, Qt is still walking its list of
// windows: one unloaded meanwhile must not go before that walk ends.
int activationDepth = 0;
std::vector<Form *> liveForms;

QString classNameOf(const std::type_info &type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void *)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : type.name());
    const qsizetype colons = name.lastIndexOf(QLatin1String("::"));
    if (colons >= 0)
        name = name.mid(colons + 2);
    return name;
}

void forgetLive(Form *form)
{
    liveForms.erase(std::remove(liveForms.begin(), liveForms.end(), form), liveForms.end());
}

// A stored position may come from another screen layout: keep the whole
// window on the screen the position points at (or the primary one).
QPoint keptOnScreen(QPoint topLeft, QSize frameSize)
{
    QScreen *screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return topLeft;
    const QRect area = screen->availableGeometry();
    const int x = std::max(area.left(), std::min(topLeft.x(), area.left() + area.width() - frameSize.width()));
    const int y = std::max(area.top(), std::min(topLeft.y(), area.top() + area.height() - frameSize.height()));
    return {x, y};
}

} // namespace

int pixelsFromTwips(double twips)
{
    if (!std::isfinite(twips))
        return 0;
    const double pixels = std::round(twips / TwipsPerPixel);
    return int(std::clamp(pixels, -1.0e8, 1.0e8));
}

int twipsFromPixels(int pixels)
{
    return pixels * TwipsPerPixel;
}

namespace formregistry {
void usedInOwnConstructor(const std::type_info &type)
{
    qFatal("form<%s>() used inside its own constructor", qPrintable(classNameOf(type)));
}
} // namespace formregistry

Form::HandlerScope::HandlerScope(Form *form) : form_(form)
{
    ++begun_;
    if (form_)
        ++form_->handlerDepth_;
}

Form::HandlerScope::~HandlerScope()
{
    if (!form_)
        return;
    // Qt code that delivered the event may still touch the window after the
    // handler returns, so an unloaded window goes at the next turn of the
    // event loop, not here.
    if (--form_->handlerDepth_ == 0 && form_->destroyWhenIdle_) {
        form_->destroyWhenIdle_ = false;
        form_->deleteLater();
    }
}

Form::Form(int windowSlot, const QString &caption, const QString &name)
    : QWidget(nullptr, Qt::Window), windowSlot_(windowSlot)
{
    setWindowTitle(caption);
    if (!name.isEmpty()) {
        setObjectName(name);
        setAccessibleDescription(name);
    }
    setMouseTracking(true);
}

Form::~Form()
{
    state_ = State::Unloaded;
    if (slot_ && *slot_ == this)
        *slot_ = nullptr;
    forgetLive(this);
    if (activeWindowForm == this)
        activeWindowForm = nullptr;
    Control::forgetFocusOf(this);
    for (Timer *timer : timers_)
        timer->form_ = nullptr;
}

void Form::adopt(Form *form, Form **slot, const std::type_info &type)
{
    form->slot_ = slot;
    form->registryOwned_ = true;
    *slot = form;
    if (form->objectName().isEmpty()) {
        form->setObjectName(classNameOf(type));
        form->setAccessibleDescription(form->objectName());
    }
    form->Load();
}

void Form::Load()
{
    if (state_ != State::Constructing)
        return;
    state_ = State::Loading;
    liveForms.push_back(this);
    HandlerScope scope(this);
    Form_Load();
    if (state_ != State::Loading)
        return;   // unloaded by its own Form_Load
    state_ = State::Loaded;
    // Show() inside Form_Load activates the window once it is loaded.
    if (activatePending_) {
        activatePending_ = false;
        if (!isHidden())
            becomeActive();
    }
}

bool Form::loadedNow() const
{
    return state_ == State::Loading || state_ == State::Loaded || state_ == State::Unloading;
}

bool Form::takesEvents() const
{
    return loadedNow();
}

void Form::Show()
{
    if (state_ == State::Constructing)
        Load();
    if (!takesEvents())
        return;
    if (isHidden())
        QWidget::setVisible(true);
    raise();
    broughtToFront();
    activateWindow();
    activateWhenFirstExposed();
    if (state_ == State::Loading) {
        activatePending_ = true;
        return;
    }
    becomeActive();
}

// A window system that activates a window only once it has been mapped
// (X11) has it painted first inactive and at once again active (an item
// view repaints all its lines on every activation). While the program is
// the active application, the window system hands the activation on to the
// window it shows: Qt is told so before the first paint, so the window is
// painted once, as it stays.
void Form::activateWhenFirstExposed()
{
    QWindow *handle = windowHandle();
    if (!handle || handle->isExposed() || QApplication::activeWindow() == this)
        return;
    activateAtExpose_ = true;
    handle->installEventFilter(this);
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        watched->removeEventFilter(this);
        const bool activate = activateAtExpose_;
        activateAtExpose_ = false;
        if (activate && windowHandle()->isExposed() && !isHidden() && activeWindowForm == this
            && QApplication::activeWindow() != this && !QApplication::activePopupWidget()
            && QGuiApplication::applicationState() == Qt::ApplicationActive)
            QApplication::setActiveWindow(this);
    }
    return QWidget::eventFilter(watched, event);
}

void Form::ShowModal()
{
    if (state_ == State::Constructing)
        Load();
    if (!takesEvents())
        return;
    HandlerScope scope(this);
    if (!isHidden())
        Hide();   // modality can only change while the window is hidden
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    modalLoop_ = &loop;
    Show();
    if (!isHidden() && takesEvents())
        loop.exec(QEventLoop::DialogExec);
    modalLoop_ = nullptr;
    if (isHidden())
        setWindowModality(Qt::NonModal);
}

namespace {
std::uint64_t frontCounter = 0;
} // namespace

void Form::broughtToFront()
{
    frontSerial_ = ++frontCounter;
    if (keptInFront_)
        return;
    for (Form *f : liveForms) {
        if (f != this && f->keptInFront_ && !f->isHidden()) {
            f->raise();
            f->frontSerial_ = ++frontCounter;
        }
    }
}

void Form::ZOrder()
{
    if (!takesEvents() || isHidden())
        return;
    raise();
    broughtToFront();
}

std::vector<Form *> Form::frontToBack()
{
    std::vector<Form *> shown;
    for (Form *f : liveForms)
        if (!f->isHidden())
            shown.push_back(f);
    std::stable_sort(shown.begin(), shown.end(),
                     [](const Form *a, const Form *b) { return a->frontSerial_ > b->frontSerial_; });
    return shown;
}

QPoint placeBeside(QSize frame, const QRect &other, const QRect &area)
{
    const int w = frame.width();
    const int h = frame.height();
    const QPoint wanted[] = {
        {other.x() + other.width(), other.y()},   // right
        {other.x() - w, other.y()},               // left
        {other.x(), other.y() + other.height()},  // below
        {other.x(), other.y() - h},               // above
    };
    auto onArea = [&](QPoint p) {
        const int x = std::max(area.left(), std::min(p.x(), area.left() + area.width() - w));
        const int y = std::max(area.top(), std::min(p.y(), area.top() + area.height() - h));
        return QPoint(x, y);
    };
    auto covered = [&](QPoint p) {
        const QRect r = QRect(p, frame).intersected(other);
        return r.isEmpty() ? qint64(0) : qint64(r.width()) * r.height();
    };
    for (QPoint p : wanted)
        if (onArea(p) == p && covered(p) == 0)
            return p;
    QPoint best = onArea(wanted[0]);
    for (QPoint p : wanted)
        if (covered(onArea(p)) < covered(best))
            best = onArea(p);
    return best;
}

void Form::PlaceBeside(const Form &other)
{
    const QRect frame = other.frameGeometry();
    QScreen *screen = other.screen() ? other.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    move(placeBeside(frameGeometry().size(), frame, screen->availableGeometry()));
}

void Form::Hide()
{
    activateAtExpose_ = false;
    if (!isHidden())
        QWidget::setVisible(false);
    if (activeWindowForm == this)
        activeWindowForm = nullptr;
    if (modalLoop_)
        modalLoop_->quit();
}

void Form::setVisible(bool visible)
{
    if (visible)
        Show();
    else
        Hide();
}

void Form::Unload()
{
    if (state_ != State::Loading && state_ != State::Loaded)
        return;
    const bool idle = handlerDepth_ == 0 && activationDepth == 0;
    {
        HandlerScope scope(this);
        state_ = State::Unloading;
        Control::commitFocusOf(this);
        Form_Unload();
        state_ = State::Unloaded;
        for (Timer *timer : timers_)
            timer->stop();
        if (slot_ && *slot_ == this)
            *slot_ = nullptr;
        forgetLive(this);
        Control::forgetFocusOf(this);
        Hide();
        if (registryOwned_ && !idle)
            destroyWhenIdle_ = true;
    }
    // Nothing of this window is running (every entry into it goes through a
    // HandlerScope), so it can go at once.
    if (registryOwned_ && idle)
        delete this;
}

void Form::becomeActive()
{
    if (activeWindowForm == this)
        return;
    activeWindowForm = this;
    HandlerScope scope(this);
    Form_Activate();
}

Form *Form::activeForm()
{
    return activeWindowForm;
}

Control *Form::ActiveControl() const
{
    Control *focused = Control::focused();
    return focused && focused->form() == this ? focused : nullptr;
}

void Form::Form_KeyDown(int &, int) {}

void Form::Form_MouseMove(int, int, double, double) {}

void Form::previewKeyDown(int &keyCode, int shift)
{
    if (!keyPreview_ || !takesEvents())
        return;
    HandlerScope scope(this);
    Form_KeyDown(keyCode, shift);
}

bool Form::event(QEvent *event)
{
    const bool result = QWidget::event(event);
    // The user activated the window (or the window system did after
    // another one closed); Show() has already done this for code.
    if (event->type() == QEvent::WindowActivate)
        activateAtExpose_ = false;
    if (event->type() == QEvent::WindowActivate && state_ == State::Loaded && !isHidden()) {
        // The window system brings the window it activates to the front.
        if (activeWindowForm != this)
            broughtToFront();
        ++activationDepth;
        becomeActive();
        --activationDepth;
    }
    return result;
}

void Form::closeEvent(QCloseEvent *event)
{
    HandlerScope scope(this);
    Unload();
    event->accept();
}

void Form::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (!takesEvents())
        return;
    const QPointF at = event->position();
    HandlerScope scope(this);
    Form_MouseMove(mouseButtonsOf(event->buttons()), shiftStateOf(event->modifiers()),
                   at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
}

int Form::Left() const { return twipsFromPixels(frameGeometry().x()); }
int Form::Top() const { return twipsFromPixels(frameGeometry().y()); }
int Form::Width() const { return twipsFromPixels(frameGeometry().width()); }
int Form::Height() const { return twipsFromPixels(frameGeometry().height()); }
int Form::ScaleWidth() const { return twipsFromPixels(width()); }
int Form::ScaleHeight() const { return twipsFromPixels(height()); }

namespace {
void giveClientSize(QWidget *window, QSize size)
{
    size = size.expandedTo(QSize(1, 1));
    // A window laid out for one size is fixed at it; the program still
    // changes that size from code (a window that opens out).
    if (window->minimumSize() == window->maximumSize())
        window->setFixedSize(size);
    else
        window->resize(size);
}
} // namespace

void Form::setWidth(int width)
{
    const int frame = frameGeometry().width() - QWidget::width();
    giveClientSize(this, QSize(pixelsFromTwips(width) - frame, QWidget::height()));
}

void Form::setHeight(int height)
{
    const int frame = frameGeometry().height() - QWidget::height();
    giveClientSize(this, QSize(QWidget::width(), pixelsFromTwips(height) - frame));
}

void Form::Move(int left, int top)
{
    move(keptOnScreen(QPoint(pixelsFromTwips(left), pixelsFromTwips(top)), frameGeometry().size()));
}

void Form::Move(int left, int top, int width, int height)
{
    setWidth(width);
    setHeight(height);
    Move(left, top);
}

void Form::setClientSize(int width, int height)
{
    setFixedSize(QSize(pixelsFromTwips(width), pixelsFromTwips(height)).expandedTo(QSize(1, 1)));
}

void Form::setBackColor(double colour)
{
    backColor_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::Window, colourFromValue(colour));
    setPalette(p);
    setAutoFillBackground(true);
}

void Form::setTabOrder(std::initializer_list<const Control *> controls)
{
    const Control *previous = nullptr;
    for (const Control *control : controls) {
        if (previous)
            QWidget::setTabOrder(previous->widget(), control->widget());
        previous = control;
    }
}

void Form::addTimer(Timer *timer)
{
    timers_.push_back(timer);
}

void Form::removeTimer(Timer *timer)
{
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

std::vector<Form *> loadedForms()
{
    return liveForms;
}

void unloadAllForms()
{
    // Newest first: a window opened from another goes before its opener. A
    // Form_Unload may use (and so load) another window; a few rounds catch
    // those without looping forever on a window that always does.
    for (int round = 0; round < 4 && !liveForms.empty(); ++round) {
        const std::vector<Form *> forms = liveForms;
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
            if (std::find(liveForms.begin(), liveForms.end(), *it) != liveForms.end())
                (*it)->Unload();
        }
    }
}

#include "platform/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/ControlsWidgets.h"
#include "platform/Cp1252.h"
#include "platform/TextOrder.h"

namespace {

// The control that has the program's focus. Qt's own focus widget is not
// enough: it goes away when another program's window or a message box is
// activated (which is no LostFocus here), and it does not move while the
// window is inactive (which a click from code must not depend on).
Control *focusOwner = nullptr;

QHash<const QWidget *, Control *> &controlOfWidget()
{
    static QHash<const QWidget *, Control *> controls;
    return controls;
}

Qt::Alignment qtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Caption text with "&" access keys as a label shows it.
QString withoutMnemonics(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;   // "&&" shows one "&", "&x" shows "x"
        } else if (caption.at(i) == QLatin1Char('&')) {
            continue;
        }
        shown += caption.at(i);
    }
    return shown;
}

class CheckBoxWidget : public Hooked<QCheckBox> {
public:
    using Hooked<QCheckBox>::Hooked;

protected:
    // The whole control takes the click, not only the box and its caption.
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
    // The user toggles between off and on; grey is set by code only.
    void nextCheckState() override
    {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

class OptionWidget : public Hooked<QRadioButton> {
public:
    using Hooked<QRadioButton>::Hooked;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
    // Clicking the selected option keeps it selected (exclusion is ours:
    // Qt's own cannot clear every button of a group).
    void nextCheckState() override
    {
        if (!isChecked())
            setChecked(true);
    }
};

// A caption set at the top edge of its label: in some faces the dots of the
// capital umlauts rise above the font's ascent and would be cut off there, so
// the text moves down by what they need, and one pixel more to keep them off
// the edge.
class CaptionWidget : public Hooked<QLabel> {
public:
    explicit CaptionWidget(QWidget *parent) : Hooked<QLabel>(parent) { fitTopMargin(); }

protected:
    void changeEvent(QEvent *event) override
    {
        Hooked<QLabel>::changeEvent(event);
        if (event->type() == QEvent::FontChange)
            fitTopMargin();
    }

private:
    void fitTopMargin()
    {
        const QFontMetrics fm(font());
        const int above = -fm.tightBoundingRect(QStringLiteral("ÄÖÜÅ")).top() - fm.ascent();
        setContentsMargins(0, above >= 0 ? above + 1 : 0, 0, 0);
    }
};

} // namespace

int sortedInsertRow(int count, const std::function<QString(int)> &lineAt, const QString &text,
                    int from)
{
    int low = std::max(0, std::min(from, count));
    int high = count;
    // Lines are often added in order: try the end first.
    if (count > low && compareText(lineAt(count - 1), text) <= 0)
        return count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (compareText(lineAt(middle), text) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

int keyCodeOf(const QKeyEvent &event)
{
    const int k = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (keypad && k >= Qt::Key_0 && k <= Qt::Key_9)
        return 96 + (k - Qt::Key_0);
    // Qt's codes of letters and digits are their upper-case characters.
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    if (keypad) {
        switch (k) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma: return 110;
        case Qt::Key_Slash: return 111;
        default: break;
        }
    }
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return key::Return;
    case Qt::Key_Backspace: return key::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return key::Tab;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Shift: return key::Shift;
    case Qt::Key_Control: return key::Control;
    case Qt::Key_Alt: return key::Menu;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return key::Escape;
    case Qt::Key_Space: return key::Space;
    case Qt::Key_PageUp: return key::PageUp;
    case Qt::Key_PageDown: return key::PageDown;
    case Qt::Key_End: return key::End;
    case Qt::Key_Home: return key::Home;
    case Qt::Key_Left: return key::Left;
    case Qt::Key_Up: return key::Up;
    case Qt::Key_Right: return key::Right;
    case Qt::Key_Down: return key::Down;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return key::Insert;
    case Qt::Key_Delete: return key::Delete;
    case Qt::Key_Help: return 47;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: return 190;
    default: return 0;
    }
}

int mouseButtonsOf(Qt::MouseButtons buttons)
{
    int button = 0;
    if (buttons & Qt::LeftButton)
        button |= 1;
    if (buttons & Qt::RightButton)
        button |= 2;
    if (buttons & Qt::MiddleButton)
        button |= 4;
    return button;
}

int shiftStateOf(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= shiftkey::Shift;
    if (modifiers & Qt::ControlModifier)
        shift |= shiftkey::Ctrl;
    if (modifiers & Qt::AltModifier)
        shift |= shiftkey::Alt;
    return shift;
}

// --- ControlParent, Control ---------------------------------------------

ControlParent::ControlParent(Frame &frame) : widget_(frame.widget()) {}
ControlParent::ControlParent(PictureBox &box) : widget_(box.widget()) {}

Control::Control(QWidget *widget, const ControlParent &parent, const QString &name)
    : widget_(widget), hooked_(dynamic_cast<HookedWidget *>(widget)),
      form_(parent.widget() ? qobject_cast<Form *>(parent.widget()->window()) : nullptr)
{
    Q_ASSERT(hooked_);
    widget->setObjectName(name);
    // Qt does not publish objectName to accessibility tools; the name goes
    // there as the description, the accessible name stays the visible text.
    widget->setAccessibleDescription(name);
    widget->setAttribute(Qt::WA_NoMousePropagation);
    // Shown with its window, hidden only by setVisible(false).
    widget->setVisible(true);
    hooked_->control = this;
    controlOfWidget().insert(widget, this);
}

Control::~Control()
{
    if (focusOwner == this)
        focusOwner = nullptr;
    for (const QMetaObject::Connection &connection : connections_)
        QObject::disconnect(connection);
    if (widget_) {
        controlOfWidget().remove(widget_);
        hooked_->control = nullptr;
        // Qt would hand the focus to a sibling whose control may already be
        // gone with the rest of the window.
        if (widget_->hasFocus())
            widget_->clearFocus();
        delete widget_.data();
    }
}

QString Control::Name() const
{
    return widget_ ? widget_->objectName() : QString();
}

bool Control::takesEvents() const
{
    return !form_ || form_->takesEvents();
}

bool Control::fire(const std::function<void()> &handler)
{
    if (!handler)
        return false;
    return run([&] { handler(); });
}

void Control::Move(int left, int top)
{
    widget_->move(pixelsFromTwips(left), pixelsFromTwips(top));
}

void Control::Move(int left, int top, int width, int height)
{
    widget_->setGeometry(pixelsFromTwips(left), pixelsFromTwips(top),
                         std::max(0, pixelsFromTwips(width)), std::max(0, pixelsFromTwips(height)));
}

int Control::Left() const { return twipsFromPixels(widget_->x()); }
int Control::Top() const { return twipsFromPixels(widget_->y()); }
int Control::Width() const { return twipsFromPixels(widget_->width()); }
int Control::Height() const { return twipsFromPixels(widget_->height()); }

bool Control::Visible() const
{
    return !widget_->isHidden();
}

void Control::setVisible(bool visible)
{
    Form::HandlerScope scope(form_);
    widget_->setVisible(visible);
}

bool Control::Enabled() const
{
    // The control's own setting, not whether its container is enabled.
    return !widget_->testAttribute(Qt::WA_ForceDisabled);
}

void Control::setEnabled(bool enabled)
{
    Form::HandlerScope scope(form_);
    widget_->setEnabled(enabled);
}

bool Control::TabStop() const
{
    return widget_->focusPolicy() & Qt::TabFocus;
}

void Control::setTabStop(bool on)
{
    if (widget_->focusPolicy() == Qt::NoFocus)
        return;
    widget_->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

QString Control::ToolTipText() const
{
    return widget_->toolTip();
}

void Control::setToolTipText(const QString &text)
{
    widget_->setToolTip(text);
}

void Control::Refresh()
{
    widget_->repaint();
}

Control *Control::focused()
{
    return focusOwner;
}

bool Control::hasFocus() const
{
    return focusOwner == this;
}

Control *Control::of(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (Control *control = controlOfWidget().value(widget))
            return control;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

void Control::SetFocus()
{
    Form::HandlerScope scope(form_);
    if (!widget_->isEnabled() || !widget_->isVisibleTo(widget_->window())
        || widget_->focusPolicy() == Qt::NoFocus)
        return;
    // In the active window Qt sends the focus events at once; otherwise it
    // only notes the widget for later, so the program's focus moves here.
    widget_->setFocus(Qt::OtherFocusReason);
    takeFocus();
}

void Control::takeFocus()
{
    if (focusOwner == this || !takesEvents())
        return;
    Form::HandlerScope scope(form_);
    Control *previous = focusOwner;
    focusOwner = nullptr;
    if (previous)
        previous->fire(previous->onLostFocus);
    // The LostFocus handler may have sent the focus elsewhere itself.
    if (!focusOwner && takesEvents()) {
        focusOwner = this;
        fire(onGotFocus);
    }
}

void Control::commitFocusOf(Form *form)
{
    if (focusOwner && focusOwner->form_ == form) {
        Control *committed = focusOwner;
        focusOwner = nullptr;
        committed->fire(committed->onLostFocus);
    }
}

void Control::forgetFocusOf(Form *form)
{
    if (focusOwner && focusOwner->form_ == form)
        focusOwner = nullptr;
}

void Control::focusInHook(QFocusEvent *)
{
    takeFocus();
}

void Control::focusOutHook(QFocusEvent *event)
{
    if (focusOwner != this)
        return;
    // The focus comes back when the popup closes or the program is active
    // again; the user has not left the control. (Qt moves the focus into an
    // open popup's list in a second step, with another reason.)
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason
        || QApplication::activePopupWidget())
        return;
    // Focus gone to another window: when a control of the program gets it
    // there, that commits this one (takeFocus); a dialog of other code or
    // another program does not.
    const QWidget *next = QApplication::focusWidget();
    if (next && widget_ && next->window() != widget_->window())
        return;
    focusOwner = nullptr;
    fire(onLostFocus);
}

void Control::moveFocusOn(HookedWidget &widget)
{
    widget.moveFocusOn();
    // Follow the move also where Qt sent no focus event (inactive window).
    if (QWidget *window = widget_ ? widget_->window() : nullptr) {
        if (Control *next = Control::of(window->focusWidget()))
            next->takeFocus();
    }
}

bool Control::runKeyDown(int &keyCode, int shift)
{
    if (keyCode == 0 || !takesEvents())
        return true;
    if (form_) {
        form_->previewKeyDown(keyCode, shift);
        if (keyCode == 0)
            return false;
    }
    if (onKeyDown)
        run([&] { onKeyDown(keyCode, shift); });
    return keyCode != 0;
}

bool Control::runKeyPress(int &keyAscii)
{
    if (keyAscii == 0 || !onKeyPress || !takesEvents())
        return true;
    run([&] { onKeyPress(keyAscii); });
    return keyAscii != 0;
}

bool Control::keyPressHook(QKeyEvent *event, HookedWidget &widget)
{
    return boxKeyPress(event, widget, false, false);
}

bool Control::boxKeyPress(QKeyEvent *event, HookedWidget &widget, bool enterMovesOn,
                          bool refuseUnencodable)
{
    int keyCode = keyCodeOf(*event);
    if (!runKeyDown(keyCode, shiftStateOf(event->modifiers())))
        return true;
    if (!takesEvents() || !widget_)
        return false;

    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    int ascii = 0;
    if (enter)
        ascii = 13;
    else if (text.size() == 1 && text.at(0).unicode() != 0x7F)
        ascii = text.at(0).unicode();
    const int typed = ascii;
    if (!runKeyPress(ascii))
        return true;
    if (!takesEvents() || !widget_)
        return true;

    if (enter && enterMovesOn) {
        // Unless a handler already moved the focus elsewhere.
        if (focusOwner == this || widget_->hasFocus())
            moveFocusOn(widget);
        return true;
    }
    const QString typedText = ascii != typed ? QString(QChar(char16_t(ascii))) : text;
    if (refuseUnencodable && !typedText.isEmpty() && !cp1252::canEncode(typedText)) {
        beep();
        return true;
    }
    if (ascii != typed) {
        QKeyEvent changed(event->type(), event->key(), event->modifiers(), typedText,
                          event->isAutoRepeat(), ushort(event->count()));
        widget.passKeyPress(&changed);
        event->setAccepted(changed.isAccepted());
        return true;
    }
    return false;
}

void Control::mouseMoveHook(QMouseEvent *event)
{
    if (!onMouseMove)
        return;
    const QPointF at = event->position();
    const int button = mouseButtonsOf(event->buttons());
    const int shift = shiftStateOf(event->modifiers());
    run([&] { onMouseMove(button, shift, at.x() * TwipsPerPixel, at.y() * TwipsPerPixel); });
}

bool Control::isClick(QMouseEvent *event) const
{
    return event->button() == Qt::LeftButton && widget_
           && widget_->rect().contains(event->position().toPoint());
}

void Control::setColourRoles(std::vector<QPalette::ColorRole> back,
                             std::vector<QPalette::ColorRole> fore, bool fills)
{
    backRoles_ = std::move(back);
    foreRoles_ = std::move(fore);
    fillsBackground_ = fills;
}

void Control::setFillsBackground(bool fills)
{
    fillsBackground_ = fills;
    applyColours();
}

void Control::setBackColor(double colour)
{
    backColor_ = colour;
    applyColours();
}

void Control::setForeColor(double colour)
{
    foreColor_ = colour;
    applyColours();
}

void Control::applyColours()
{
    QPalette palette = widget_->palette();
    if (backColor_ != -1) {
        for (QPalette::ColorRole role : backRoles_)
            palette.setColor(role, colourFromValue(backColor_));
    }
    if (foreColor_ != -1) {
        for (QPalette::ColorRole role : foreRoles_)
            palette.setColor(role, colourFromValue(foreColor_));
    }
    widget_->setPalette(palette);
    if (fillsBackground_ && backColor_ != -1)
        widget_->setAutoFillBackground(true);
    else if (!fillsBackground_)
        widget_->setAutoFillBackground(false);
}

QString Control::FontName() const { return widget_->font().family(); }
double Control::FontSize() const { return widget_->font().pointSizeF(); }
bool Control::FontBold() const { return widget_->font().bold(); }
bool Control::FontItalic() const { return widget_->font().italic(); }
bool Control::FontUnderline() const { return widget_->font().underline(); }

void Control::setFontName(const QString &family)
{
    QFont font = widget_->font();
    font.setFamily(family);
    widget_->setFont(font);
}

void Control::setFontSize(double points)
{
    if (!(points > 0))
        return;
    QFont font = widget_->font();
    font.setPointSizeF(points);
    widget_->setFont(font);
}

void Control::setFontBold(bool on)
{
    QFont font = widget_->font();
    font.setBold(on);
    widget_->setFont(font);
}

void Control::setFontItalic(bool on)
{
    QFont font = widget_->font();
    font.setItalic(on);
    widget_->setFont(font);
}

void Control::setFontUnderline(bool on)
{
    QFont font = widget_->font();
    font.setUnderline(on);
    widget_->setFont(font);
}

// --- Label ----------------------------------------------------------------

Label::Label(const ControlParent &parent, const QString &name)
    : Control(new CaptionWidget(parent.widget()), parent, name)
{
    // Captions are plain text: a "<" in a name is no markup.
    label()->setTextFormat(Qt::PlainText);
    label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label()->setMouseTracking(true);
    setColourRoles({QPalette::Window}, {QPalette::WindowText}, true);
}

QLabel *Label::label() const
{
    return static_cast<QLabel *>(widget());
}

void Label::setCaption(const QString &caption)
{
    caption_ = caption;
    showCaption();
}

void Label::showCaption()
{
    label()->setText(useMnemonic_ ? withoutMnemonics(caption_) : caption_);
    if (autoSize_)
        label()->adjustSize();
}

void Label::setAlignment(Alignment alignment)
{
    alignment_ = alignment;
    label()->setAlignment((qtAlignment(alignment) & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
}

bool Label::WordWrap() const
{
    return label()->wordWrap();
}

void Label::setWordWrap(bool on)
{
    label()->setWordWrap(on);
}

void Label::setAutoSize(bool on)
{
    autoSize_ = on;
    if (on)
        label()->adjustSize();
}

void Label::setBackStyle(int style)
{
    setFillsBackground(style != 0);
}

void Label::setUseMnemonic(bool on)
{
    useMnemonic_ = on;
    showCaption();
}

void Label::mouseReleaseHook(QMouseEvent *event)
{
    if (isClick(event))
        fire(onClick);
}

void Label::mouseDoubleClickHook(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        fire(onDblClick);
}

// --- TextBox --------------------------------------------------------------

TextBox::TextBox(const ControlParent &parent, const QString &name)
    : Control(new Hooked<QLineEdit>(parent.widget()), parent, name)
{
    edit()->setValidator(new FileCodePageValidator(edit()));
    setColourRoles({QPalette::Base}, {QPalette::Text}, false);
    keep(QObject::connect(edit(), &QLineEdit::textChanged, edit(), [this] { textChanged(); }));
}

QLineEdit *TextBox::edit() const
{
    return static_cast<QLineEdit *>(widget());
}

QString TextBox::Text() const
{
    return edit()->text();
}

void TextBox::setText(const QString &text)
{
    if (text == edit()->text())
        return;
    Form::HandlerScope scope(form());
    const bool outer = settingText_;
    settingText_ = true;
    edit()->setText(text);
    settingText_ = outer;
}

void TextBox::textChanged()
{
    // A Change handler that sets the text does not run itself again.
    if (inChange_)
        return;
    inChange_ = true;
    changeTyped_ = !settingText_;
    fire(onChange);
    changeTyped_ = false;
    inChange_ = false;
}

void TextBox::setMaxLength(int length)
{
    maxLength_ = std::max(0, length);
    edit()->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

bool TextBox::Locked() const
{
    return edit()->isReadOnly();
}

void TextBox::setLocked(bool on)
{
    edit()->setReadOnly(on);
}

Alignment TextBox::alignment() const
{
    const Qt::Alignment a = edit()->alignment();
    if (a & Qt::AlignRight)
        return Alignment::Right;
    if (a & Qt::AlignHCenter)
        return Alignment::Center;
    return Alignment::Left;
}

void TextBox::setAlignment(Alignment alignment)
{
    edit()->setAlignment(qtAlignment(alignment));
}

int TextBox::SelStart() const
{
    return edit()->hasSelectedText() ? edit()->selectionStart() : edit()->cursorPosition();
}

void TextBox::setSelStart(int start)
{
    edit()->setCursorPosition(std::clamp(start, 0, int(edit()->text().size())));
}

int TextBox::SelLength() const
{
    return edit()->hasSelectedText() ? int(edit()->selectedText().size()) : 0;
}

void TextBox::setSelLength(int length)
{
    const int start = SelStart();
    const int size = int(edit()->text().size());
    edit()->setSelection(start, std::clamp(length, 0, size - start));
}

QString TextBox::SelText() const
{
    return edit()->selectedText();
}

bool TextBox::keyPressHook(QKeyEvent *event, HookedWidget &widget)
{
    return boxKeyPress(event, widget, true, true);
}

void TextBox::mouseReleaseHook(QMouseEvent *event)
{
    if (isClick(event))
        fire(onClick);
}

void TextBox::mouseDoubleClickHook(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        fire(onDblClick);
}

// --- CommandButton --------------------------------------------------------

CommandButton::CommandButton(const ControlParent &parent, const QString &name)
    : Control(new Hooked<QPushButton>(parent.widget()), parent, name)
{
    // The button takes the focus on a click, so the box that had it is
    // committed (LostFocus) before Click; Enter on it clicks it.
    button()->setFocusPolicy(Qt::StrongFocus);
    button()->setAutoDefault(true);
    setColourRoles({QPalette::Button}, {QPalette::ButtonText}, false);
    keep(QObject::connect(button(), &QPushButton::clicked, button(), [this] { fire(onClick); }));
}

QPushButton *CommandButton::button() const
{
    return static_cast<QPushButton *>(widget());
}

QString CommandButton::Caption() const
{
    return button()->text();
}

void CommandButton::setCaption(const QString &caption)
{
    button()->setText(caption);
}

void CommandButton::click()
{
    Form::HandlerScope scope(form());
    QPushButton *b = button();
    if (!b->isEnabled() || !b->isVisibleTo(b->window()) || !takesEvents())
        return;
    SetFocus();
    // The LostFocus of the box may have unloaded the window or disabled
    // the button.
    if (!takesEvents() || !b->isEnabled())
        return;
    b->click();
}

// --- CheckBox -------------------------------------------------------------

CheckBox::CheckBox(const ControlParent &parent, const QString &name)
    : Control(new CheckBoxWidget(parent.widget()), parent, name)
{
    checkBox()->setFocusPolicy(Qt::StrongFocus);
    setColourRoles({QPalette::Window}, {QPalette::WindowText}, true);
    keep(QObject::connect(checkBox(), &QCheckBox::stateChanged, checkBox(),
                          [this] { stateChanged(); }));
}

QCheckBox *CheckBox::checkBox() const
{
    return static_cast<QCheckBox *>(widget());
}

QString CheckBox::Caption() const
{
    return checkBox()->text();
}

void CheckBox::setCaption(const QString &caption)
{
    checkBox()->setText(caption);
}

int CheckBox::Value() const
{
    switch (checkBox()->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void CheckBox::setValue(int value)
{
    const Qt::CheckState state = value == 1 ? Qt::Checked
                                 : value == 2 ? Qt::PartiallyChecked
                                              : Qt::Unchecked;
    if (state == checkBox()->checkState())
        return;
    Form::HandlerScope scope(form());
    checkBox()->setCheckState(state);
}

void CheckBox::stateChanged()
{
    const int value = Value();
    if (value == reported_)
        return;
    reported_ = value;
    if (inClick_)
        return;
    inClick_ = true;
    fire(onClick);
    inClick_ = false;
}

// --- OptionButton ---------------------------------------------------------

OptionButton::OptionButton(const ControlParent &parent, const QString &name)
    : Control(new OptionWidget(parent.widget()), parent, name)
{
    radio()->setAutoExclusive(false);
    radio()->setFocusPolicy(Qt::StrongFocus);
    setColourRoles({QPalette::Window}, {QPalette::WindowText}, true);
    keep(QObject::connect(radio(), &QRadioButton::toggled, radio(),
                          [this](bool on) { toggled(on); }));
}

QRadioButton *OptionButton::radio() const
{
    return static_cast<QRadioButton *>(widget());
}

QString OptionButton::Caption() const
{
    return radio()->text();
}

void OptionButton::setCaption(const QString &caption)
{
    radio()->setText(caption);
}

bool OptionButton::Value() const
{
    return radio()->isChecked();
}

void OptionButton::setValue(bool on)
{
    if (on == radio()->isChecked())
        return;
    Form::HandlerScope scope(form());
    radio()->setChecked(on);
}

void OptionButton::toggled(bool on)
{
    if (!on)
        return;
    // Clear the others of the container first, so that Click sees the
    // group as it now is.
    if (QWidget *container = radio()->parentWidget()) {
        const auto siblings = container->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
        for (QRadioButton *other : siblings) {
            if (other != radio() && other->isChecked() && dynamic_cast<OptionWidget *>(other))
                other->setChecked(false);
        }
    }
    if (inClick_)
        return;
    inClick_ = true;
    fire(onClick);
    inClick_ = false;
}

// --- Frame ----------------------------------------------------------------

Frame::Frame(const ControlParent &parent, const QString &name)
    : Control(new Hooked<QGroupBox>(parent.widget()), parent, name)
{
    box()->setMouseTracking(true);
    setColourRoles({QPalette::Window}, {QPalette::WindowText}, true);
}

QGroupBox *Frame::box() const
{
    return static_cast<QGroupBox *>(widget());
}

QString Frame::Caption() const
{
    return box()->title();
}

void Frame::setCaption(const QString &caption)
{
    box()->setTitle(caption);
}

// --- Image ----------------------------------------------------------------

Image::Image(const ControlParent &parent, const QString &name)
    : Control(new Hooked<QLabel>(parent.widget()), parent, name)
{
    label()->setMouseTracking(true);
    label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QLabel *Image::label() const
{
    return static_cast<QLabel *>(widget());
}

void Image::setPicture(const QImage &picture)
{
    picture_ = picture;
    showPicture();
}

void Image::setStretch(bool on)
{
    stretch_ = on;
    showPicture();
}

void Image::showPicture()
{
    if (picture_.isNull()) {
        label()->clear();
        return;
    }
    label()->setScaledContents(stretch_);
    label()->setPixmap(QPixmap::fromImage(picture_));
    if (!stretch_)
        label()->resize(picture_.size());
}

void Image::mouseReleaseHook(QMouseEvent *event)
{
    if (isClick(event))
        fire(onClick);
}

void Image::mouseDoubleClickHook(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        fire(onDblClick);
}

// --- PictureBox -----------------------------------------------------------

PictureBox::PictureBox(const ControlParent &parent, const QString &name)
    : Control(new Hooked<QLabel>(parent.widget()), parent, name)
{
    label()->setMouseTracking(true);
    label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColourRoles({QPalette::Window}, {QPalette::WindowText}, true);
}

QLabel *PictureBox::label() const
{
    return static_cast<QLabel *>(widget());
}

void PictureBox::setPicture(const QImage &picture)
{
    picture_ = picture;
    if (picture.isNull())
        label()->clear();
    else
        label()->setPixmap(QPixmap::fromImage(picture));
}

void PictureBox::mouseReleaseHook(QMouseEvent *event)
{
    if (isClick(event))
        fire(onClick);
}

// --- Timer ----------------------------------------------------------------

Timer::Timer(const ControlParent &parent, const QString &name)
    : form_(parent.widget() ? qobject_cast<Form *>(parent.widget()->window()) : nullptr),
      timer_(new QTimer(parent.widget()))
{
    timer_->setObjectName(name);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { tick(); });
    if (form_)
        form_->addTimer(this);
}

Timer::~Timer()
{
    if (form_)
        form_->removeTimer(this);
    delete timer_.data();
}

QString Timer::Name() const
{
    return timer_ ? timer_->objectName() : QString();
}

void Timer::setInterval(int milliseconds)
{
    interval_ = std::max(0, milliseconds);
    update();
}

void Timer::setEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    update();
}

void Timer::update()
{
    if (!timer_)
        return;
    const bool unloaded = form_ && form_->state_ == Form::State::Unloaded;
    if (enabled_ && interval_ > 0 && !unloaded)
        timer_->start(interval_);
    else
        timer_->stop();
}

void Timer::stop()
{
    enabled_ = false;
    if (timer_)
        timer_->stop();
}

void Timer::tick()
{
    // A tick inside another handler's redraw waits for the next one; a
    // Timer handler that opens a message box does not run again inside it.
    if (inTick_ || insideRedraw() || !onTimer || (form_ && !form_->takesEvents()))
        return;
    inTick_ = true;
    {
        Form::HandlerScope scope(form_);
        onTimer();
    }
    inTick_ = false;
}

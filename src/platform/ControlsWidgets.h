#pragma once
// Inside the controls: the Qt widget subclasses that hand focus, key and
// mouse events to their Control. Not for the windows.
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QValidator>
#include <functional>
#include <utility>

#include "platform/Controls.h"
#include "platform/Cp1252.h"
#include "platform/Form.h"

class HookedWidget {
public:
    Control *control = nullptr;
    // Lets the widget act on a key (possibly another than the one typed).
    virtual void passKeyPress(QKeyEvent *event) = 0;
    // Moves the focus on as Tab does.
    virtual void moveFocusOn() = 0;

protected:
    ~HookedWidget() = default;
};

// Every entry from Qt into a control holds its window's handler scope, so
// that a handler of another window that unloads this one (LostFocus of the
// box that had the focus, say) cannot destroy it under the running event.
template <class W>
class Hooked : public W, public HookedWidget {
public:
    template <class... Args>
    explicit Hooked(Args &&...args) : W(std::forward<Args>(args)...)
    {
    }

    void passKeyPress(QKeyEvent *event) override { W::keyPressEvent(event); }
    void moveFocusOn() override { W::focusNextPrevChild(true); }

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        Form::HandlerScope scope(formOf());
        W::focusInEvent(event);
        if (control)
            control->focusInHook(event);
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        Form::HandlerScope scope(formOf());
        W::focusOutEvent(event);
        if (control)
            control->focusOutHook(event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        Form::HandlerScope scope(formOf());
        if (!control || !control->keyPressHook(event, *this))
            W::keyPressEvent(event);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        Form::HandlerScope scope(formOf());
        W::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        Form::HandlerScope scope(formOf());
        W::mouseReleaseEvent(event);
        if (control)
            control->mouseReleaseHook(event);
    }
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        Form::HandlerScope scope(formOf());
        W::mouseDoubleClickEvent(event);
        if (control)
            control->mouseDoubleClickHook(event);
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        Form::HandlerScope scope(formOf());
        W::mouseMoveEvent(event);
        if (control)
            control->mouseMoveHook(event);
        // The move belongs to this control, not to the window under it.
        event->accept();
    }

private:
    Form *formOf() const { return control ? control->form() : nullptr; }
};

// The row at which text goes into a sorted list of count lines: after every
// line that is not above it in the program's text order, so equal lines keep
// the order they were added in. Searching starts at row from.
int sortedInsertRow(int count, const std::function<QString(int)> &lineAt,
                    const QString &text, int from = 0);

// Typed or pasted text that the data files cannot hold is refused on the
// spot (text set by code is not checked here).
class FileCodePageValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return cp1252::canEncode(input) ? Acceptable : Invalid;
    }
};

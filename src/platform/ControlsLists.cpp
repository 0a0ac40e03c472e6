// The list controls: ListBox and ComboBox.
#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPersistentModelIndex>
#include <algorithm>
#include <memory>

#include "platform/Controls.h"
#include "platform/ControlsWidgets.h"
#include "platform/TextOrder.h"

namespace {

int typedAscii(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return 13;
    const QString text = event.text();
    return text.size() == 1 && text.at(0).unicode() != 0x7F ? text.at(0).unicode() : 0;
}

QStringList inTextOrder(QStringList lines)
{
    sortInTextOrder(lines);
    return lines;
}

} // namespace

// --- ListBox --------------------------------------------------------------

// Changes of the lines: no Click fires, and the selected line stays the
// selected one (Qt would select a neighbour of a removed line).
struct ListBox::Mutation {
    explicit Mutation(ListBox &box) : box_(box)
    {
        ++box_.mutating_;
        if (box_.multiSelect_ == MultiSelect::None) {
            const int selected = box_.ListIndex();
            selected_ = selected >= 0 ? box_.list()->item(selected) : nullptr;
        }
    }
    ~Mutation()
    {
        if (box_.multiSelect_ == MultiSelect::None) {
            QListWidget *list = box_.list();
            // row() of a line taken out of the list is -1.
            const int row = selected_ ? list->row(selected_) : -1;
            if (box_.ListIndex() != row) {
                if (row < 0) {
                    list->selectionModel()->clearSelection();
                } else {
                    list->setCurrentRow(row);
                }
            }
        }
        box_.reported_ = box_.ListIndex();
        --box_.mutating_;
    }
    // The lines are gone (Clear): there is nothing to keep selected.
    void forgetSelection() { selected_ = nullptr; }

private:
    ListBox &box_;
    QListWidgetItem *selected_ = nullptr;
};

ListBox::ListBox(const ControlParent &parent, const QString &name, bool sorted,
                 MultiSelect multiSelect)
    : Control(new Hooked<QListWidget>(parent.widget()), parent, name), sorted_(sorted),
      multiSelect_(multiSelect)
{
    QListWidget *l = list();
    l->setSelectionMode(multiSelect == MultiSelect::Simple     ? QAbstractItemView::MultiSelection
                        : multiSelect == MultiSelect::Extended ? QAbstractItemView::ExtendedSelection
                                                               : QAbstractItemView::SingleSelection);
    l->setEditTriggers(QAbstractItemView::NoEditTriggers);
    l->setSortingEnabled(false);
    // Lists of a thousand lines are filled line by line.
    l->setUniformItemSizes(true);
    l->setFocusPolicy(Qt::StrongFocus);
    setColourRoles({QPalette::Base}, {QPalette::Text}, false);
    keep(QObject::connect(l, &QListWidget::itemSelectionChanged, l, [this] { selectionMoved(); }));
    keep(QObject::connect(l, &QListWidget::itemDoubleClicked, l, [this] { fire(onDblClick); }));
}

QListWidget *ListBox::list() const
{
    return static_cast<QListWidget *>(widget());
}

int ListBox::sortedRow(const QString &text, int from) const
{
    QListWidget *l = list();
    return sortedInsertRow(l->count(), [l](int row) { return l->item(row)->text(); }, text, from);
}

void ListBox::AddItem(const QString &text, int index)
{
    Mutation mutation(*this);
    const int count = ListCount();
    const int row = sorted_ ? sortedRow(text) : (index < 0 || index > count ? count : index);
    list()->insertItem(row, text);
    newIndex_ = row;
}

void ListBox::AddItems(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    Mutation mutation(*this);
    QListWidget *l = list();
    l->setUpdatesEnabled(false);
    if (!sorted_) {
        l->addItems(lines);
        newIndex_ = l->count() - 1;
    } else if (l->count() == 0) {
        l->addItems(inTextOrder(lines));
        newIndex_ = l->count() - 1;
    } else {
        // Merge: each line goes after the one added before it.
        int from = 0;
        for (const QString &line : inTextOrder(lines)) {
            const int row = sortedRow(line, from);
            l->insertItem(row, line);
            newIndex_ = row;
            from = row + 1;
        }
    }
    l->setUpdatesEnabled(true);
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    std::unique_ptr<QListWidgetItem> taken;   // deleted after the mutation has looked at it
    Mutation mutation(*this);
    taken.reset(list()->takeItem(index));
    if (newIndex_ >= ListCount())
        newIndex_ = ListCount() - 1;
}

void ListBox::Clear()
{
    Mutation mutation(*this);
    mutation.forgetSelection();
    list()->clear();
    newIndex_ = -1;
}

int ListBox::ListCount() const
{
    return list()->count();
}

QString ListBox::List(int index) const
{
    const QListWidgetItem *item = index >= 0 ? list()->item(index) : nullptr;
    return item ? item->text() : QString();
}

void ListBox::setList(int index, const QString &text)
{
    // The line keeps its place, also in a sorted list.
    if (QListWidgetItem *item = index >= 0 ? list()->item(index) : nullptr)
        item->setText(text);
}

int ListBox::ItemData(int index) const
{
    const QListWidgetItem *item = index >= 0 ? list()->item(index) : nullptr;
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void ListBox::setItemData(int index, int value)
{
    if (QListWidgetItem *item = index >= 0 ? list()->item(index) : nullptr)
        item->setData(Qt::UserRole, value);
}

int ListBox::ListIndex() const
{
    if (multiSelect_ != MultiSelect::None)
        return list()->currentRow();
    const QModelIndexList selected = list()->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::setListIndex(int index)
{
    const int before = ListIndex();
    if (index < -1 || index >= ListCount() || index == before)
        return;
    Form::HandlerScope scope(form());
    ++mutating_;
    QListWidget *l = list();
    if (multiSelect_ != MultiSelect::None) {
        l->setCurrentRow(index, QItemSelectionModel::NoUpdate);
    } else if (index < 0) {
        l->selectionModel()->clearSelection();
    } else {
        l->setCurrentRow(index);
        l->scrollToItem(l->item(index));
    }
    --mutating_;
    reported_ = ListIndex();
    if (reported_ != before)
        clickNow();
}

QString ListBox::Text() const
{
    return List(ListIndex());
}

bool ListBox::Selected(int index) const
{
    const QListWidgetItem *item = index >= 0 ? list()->item(index) : nullptr;
    return item && item->isSelected();
}

void ListBox::setSelected(int index, bool on)
{
    QListWidgetItem *item = index >= 0 ? list()->item(index) : nullptr;
    if (!item || item->isSelected() == on)
        return;
    if (multiSelect_ == MultiSelect::None) {
        setListIndex(on ? index : -1);
        return;
    }
    Form::HandlerScope scope(form());
    item->setSelected(on);   // Click through the selection signal
}

int ListBox::SelCount() const
{
    return int(list()->selectionModel()->selectedIndexes().size());
}

int ListBox::TopIndex() const
{
    const QModelIndex top = list()->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void ListBox::setTopIndex(int index)
{
    if (QListWidgetItem *item = index >= 0 ? list()->item(index) : nullptr)
        list()->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

void ListBox::selectionMoved()
{
    if (mutating_)
        return;
    if (multiSelect_ != MultiSelect::None) {
        reported_ = ListIndex();
        clickNow();
        return;
    }
    reportIfChanged();
}

void ListBox::reportIfChanged()
{
    const int now = ListIndex();
    if (now == reported_)
        return;
    reported_ = now;
    clickNow();
}

void ListBox::clickNow()
{
    // A Click handler that sets ListIndex does not run itself again.
    if (inClick_)
        return;
    inClick_ = true;
    fire(onClick);
    inClick_ = false;
}

int ListBox::lineAt(double x, double y) const
{
    const QListWidgetItem *item =
        list()->itemAt(QPoint(int(x / TwipsPerPixel), int(y / TwipsPerPixel)));
    return item ? list()->row(item) : -1;
}

// Qt hands the list the events of its lines' area in that area's coordinates.
void ListBox::mouseReleaseHook(QMouseEvent *event)
{
    if (!onMouseUp)
        return;
    const QPointF at = event->position();
    const int button = mouseButtonsOf(event->button());
    const int shift = shiftStateOf(event->modifiers());
    run([&] { onMouseUp(button, shift, at.x() * TwipsPerPixel, at.y() * TwipsPerPixel); });
}

bool ListBox::keyPressHook(QKeyEvent *event, HookedWidget &)
{
    int keyCode = keyCodeOf(*event);
    if (!runKeyDown(keyCode, shiftStateOf(event->modifiers())))
        return true;
    int ascii = typedAscii(*event);
    if (!runKeyPress(ascii))
        return true;
    if (!takesEvents())
        return false;
    // The first arrow key in a list without a selection selects the line
    // with the focus frame (Qt would move past it).
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (arrow && multiSelect_ == MultiSelect::None && ListIndex() < 0 && ListCount() > 0) {
        setListIndex(std::max(0, list()->currentRow()));
        return true;
    }
    return false;
}

// --- ComboBox -------------------------------------------------------------

// Changes of the lines: no Click or Change fires, the chosen line stays the
// chosen one and the text stays as it is (Qt chooses the first line added
// to an empty box, and a neighbour of a removed one).
struct ComboBox::Mutation {
    explicit Mutation(ComboBox &box) : box_(box), text_(box.Text())
    {
        ++box_.mutating_;
        QComboBox *c = box_.combo();
        if (c->currentIndex() >= 0)
            current_ = c->model()->index(c->currentIndex(), c->modelColumn());
    }
    ~Mutation()
    {
        QComboBox *c = box_.combo();
        const int row = keep_ && current_.isValid() ? current_.row() : -1;
        if (c->currentIndex() != row)
            c->setCurrentIndex(row);
        if (QLineEdit *edit = c->lineEdit()) {
            const QString text = keep_ ? text_ : QString();
            if (edit->text() != text)
                edit->setText(text);
        }
        box_.qtIndex_ = c->currentIndex();
        box_.reported_ = box_.ListIndex();
        --box_.mutating_;
    }
    void forgetAll() { keep_ = false; }

private:
    ComboBox &box_;
    QString text_;
    QPersistentModelIndex current_;
    bool keep_ = true;
};

ComboBox::ComboBox(const ControlParent &parent, const QString &name, Style style, bool sorted)
    : Control(new Hooked<QComboBox>(parent.widget()), parent, name), style_(style),
      sorted_(sorted)
{
    QComboBox *c = combo();
    c->setFocusPolicy(Qt::StrongFocus);
    c->setInsertPolicy(QComboBox::NoInsert);
    setColourRoles({QPalette::Base, QPalette::Button}, {QPalette::Text, QPalette::ButtonText}, false);
    if (style == Style::DropDownCombo) {
        c->setEditable(true);
        // No completion: the text is what the user typed.
        c->setCompleter(nullptr);
        QLineEdit *edit = c->lineEdit();
        edit->setValidator(new FileCodePageValidator(edit));
        keep(QObject::connect(edit, &QLineEdit::textEdited, c, [this] { textMoved(); }));
    }
    keep(QObject::connect(c, &QComboBox::currentIndexChanged, c, [this] { indexMoved(); }));
    keep(QObject::connect(c, &QComboBox::activated, c, [this](int index) { lineChosen(index); }));
}

QComboBox *ComboBox::combo() const
{
    return static_cast<QComboBox *>(widget());
}

int ComboBox::sortedRow(const QString &text, int from) const
{
    QComboBox *c = combo();
    return sortedInsertRow(c->count(), [c](int row) { return c->itemText(row); }, text, from);
}

void ComboBox::AddItem(const QString &text, int index)
{
    Mutation mutation(*this);
    const int count = ListCount();
    const int row = sorted_ ? sortedRow(text) : (index < 0 || index > count ? count : index);
    combo()->insertItem(row, text);
    newIndex_ = row;
}

void ComboBox::AddItems(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    Mutation mutation(*this);
    QComboBox *c = combo();
    if (!sorted_) {
        c->addItems(lines);
        newIndex_ = c->count() - 1;
    } else if (c->count() == 0) {
        c->addItems(inTextOrder(lines));
        newIndex_ = c->count() - 1;
    } else {
        int from = 0;
        for (const QString &line : inTextOrder(lines)) {
            const int row = sortedRow(line, from);
            c->insertItem(row, line);
            newIndex_ = row;
            from = row + 1;
        }
    }
}

void ComboBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    Mutation mutation(*this);
    combo()->removeItem(index);
    if (newIndex_ >= ListCount())
        newIndex_ = ListCount() - 1;
}

void ComboBox::Clear()
{
    Mutation mutation(*this);
    mutation.forgetAll();
    combo()->clear();
    newIndex_ = -1;
}

int ComboBox::ListCount() const
{
    return combo()->count();
}

QString ComboBox::List(int index) const
{
    return index >= 0 && index < ListCount() ? combo()->itemText(index) : QString();
}

int ComboBox::ItemData(int index) const
{
    return index >= 0 && index < ListCount() ? combo()->itemData(index).toInt() : 0;
}

void ComboBox::setItemData(int index, int value)
{
    if (index >= 0 && index < ListCount())
        combo()->setItemData(index, value);
}

int ComboBox::ListIndex() const
{
    QComboBox *c = combo();
    const int current = c->currentIndex();
    if (style_ == Style::DropDownList || current < 0)
        return current;
    // Text typed since the line was chosen no longer comes from it.
    return c->itemText(current) == c->lineEdit()->text() ? current : -1;
}

void ComboBox::setListIndex(int index)
{
    const int before = ListIndex();
    if (index < -1 || index >= ListCount() || index == before)
        return;
    Form::HandlerScope scope(form());
    ++mutating_;
    QComboBox *c = combo();
    c->setCurrentIndex(index);
    // Choosing the line the widget already has does not bring its text back.
    if (QLineEdit *edit = c->lineEdit()) {
        const QString text = index >= 0 ? c->itemText(index) : QString();
        if (edit->text() != text)
            edit->setText(text);
    }
    qtIndex_ = c->currentIndex();
    --mutating_;
    reportIfChanged();
}

QString ComboBox::Text() const
{
    return combo()->currentText();
}

void ComboBox::setText(const QString &text)
{
    QComboBox *c = combo();
    if (style_ == Style::DropDownList) {
        int found = c->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (found < 0)
            found = c->findText(text, Qt::MatchFixedString);
        setListIndex(found);
        return;
    }
    QLineEdit *edit = c->lineEdit();
    if (edit->text() == text)
        return;
    Form::HandlerScope scope(form());
    ++mutating_;
    edit->setText(text);
    --mutating_;
    textMoved();
}

void ComboBox::indexMoved()
{
    if (mutating_)
        return;
    qtIndex_ = combo()->currentIndex();
    reportIfChanged();
}

void ComboBox::lineChosen(int index)
{
    if (mutating_)
        return;
    QComboBox *c = combo();
    if (QLineEdit *edit = c->lineEdit()) {
        if (index >= 0 && edit->text() != c->itemText(index)) {
            ++mutating_;
            edit->setText(c->itemText(index));
            --mutating_;
        }
    }
    qtIndex_ = c->currentIndex();
    reportIfChanged();
}

void ComboBox::textMoved()
{
    if (mutating_)
        return;
    // Typing away from a chosen line is no Click.
    reported_ = ListIndex();
    if (inChange_)
        return;
    inChange_ = true;
    fire(onChange);
    inChange_ = false;
}

void ComboBox::reportIfChanged()
{
    const int now = ListIndex();
    if (now == reported_)
        return;
    reported_ = now;
    if (inClick_)
        return;
    inClick_ = true;
    fire(onClick);
    inClick_ = false;
}

bool ComboBox::keyPressHook(QKeyEvent *event, HookedWidget &widget)
{
    return boxKeyPress(event, widget, true, style_ == Style::DropDownCombo);
}

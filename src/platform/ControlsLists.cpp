// The list controls: ListBox and ComboBox.
#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPersistentModelIndex>
#include <algorithm>
#include <vector>

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

// The lines of a list box with their item data. A list of a thousand lines
// is filled again on every time typed; one item object per line would cost
// more than the lines themselves.
class ListBoxLines : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(lines_.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(lines_.size()))
            return QVariant();
        const Line &line = lines_[size_t(index.row())];
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return line.text;
        if (role == Qt::UserRole)
            return line.data;
        return QVariant();
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

    int count() const { return int(lines_.size()); }
    const QString &text(int row) const { return lines_[size_t(row)].text; }
    int itemData(int row) const { return lines_[size_t(row)].data; }

    void insert(int row, const QString &text) { insert(row, QStringList{text}); }
    void insert(int row, const QStringList &texts)
    {
        if (texts.isEmpty())
            return;
        beginInsertRows(QModelIndex(), row, row + int(texts.size()) - 1);
        std::vector<Line> added;
        added.reserve(size_t(texts.size()));
        for (const QString &t : texts)
            added.push_back({t, 0});
        lines_.insert(lines_.begin() + row, std::make_move_iterator(added.begin()),
                      std::make_move_iterator(added.end()));
        endInsertRows();
    }
    void remove(int row)
    {
        beginRemoveRows(QModelIndex(), row, row);
        lines_.erase(lines_.begin() + row);
        endRemoveRows();
    }
    void clear()
    {
        beginResetModel();
        lines_.clear();
        endResetModel();
    }
    void setText(int row, const QString &text)
    {
        lines_[size_t(row)].text = text;
        const QModelIndex changed = index(row);
        emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
    }
    void setItemData(int row, int value)
    {
        lines_[size_t(row)].data = value;
        const QModelIndex changed = index(row);
        emit dataChanged(changed, changed, {Qt::UserRole});
    }

private:
    struct Line {
        QString text;
        int data;
    };
    std::vector<Line> lines_;
};

// --- ListBox --------------------------------------------------------------

// Changes of the lines: no Click fires, and the selected line stays the
// selected one (Qt would select a neighbour of a removed line).
struct ListBox::Mutation {
    explicit Mutation(ListBox &box) : box_(box)
    {
        ++box_.mutating_;
        if (box_.multiSelect_ == MultiSelect::None) {
            const int selected = box_.ListIndex();
            if (selected >= 0)
                selected_ = box_.lines_->index(selected);
        }
    }
    ~Mutation()
    {
        if (box_.multiSelect_ == MultiSelect::None) {
            QListView *list = box_.list();
            // A line taken out of the list leaves an invalid index.
            const int row = selected_.isValid() ? selected_.row() : -1;
            if (box_.ListIndex() != row) {
                if (row < 0) {
                    list->selectionModel()->clearSelection();
                } else {
                    list->selectionModel()->setCurrentIndex(box_.lines_->index(row),
                                                            QItemSelectionModel::ClearAndSelect);
                }
            }
        }
        box_.reported_ = box_.ListIndex();
        --box_.mutating_;
    }
    // The lines are gone (Clear): there is nothing to keep selected.
    void forgetSelection() { selected_ = QPersistentModelIndex(); }

private:
    ListBox &box_;
    QPersistentModelIndex selected_;
};

ListBox::ListBox(const ControlParent &parent, const QString &name, bool sorted,
                 MultiSelect multiSelect)
    : Control(new Hooked<QListView>(parent.widget()), parent, name), sorted_(sorted),
      multiSelect_(multiSelect)
{
    QListView *l = list();
    lines_ = new ListBoxLines(l);
    l->setModel(lines_);
    l->setSelectionMode(multiSelect == MultiSelect::Simple     ? QAbstractItemView::MultiSelection
                        : multiSelect == MultiSelect::Extended ? QAbstractItemView::ExtendedSelection
                                                               : QAbstractItemView::SingleSelection);
    l->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Lists of a thousand lines are filled line by line.
    l->setUniformItemSizes(true);
    l->setFocusPolicy(Qt::StrongFocus);
    setColourRoles({QPalette::Base}, {QPalette::Text}, false);
    keep(QObject::connect(l->selectionModel(), &QItemSelectionModel::selectionChanged, l,
                          [this] { selectionMoved(); }));
    keep(QObject::connect(l, &QAbstractItemView::doubleClicked, l, [this](const QModelIndex &at) {
        if (at.isValid())
            fire(onDblClick);
    }));
}

QListView *ListBox::list() const
{
    return static_cast<QListView *>(widget());
}

QModelIndex ListBox::lineIndex(int row) const
{
    return lines_->index(row);
}

int ListBox::sortedRow(const QString &text, int from) const
{
    const ListBoxLines *lines = lines_;
    return sortedInsertRow(lines->count(), [lines](int row) { return lines->text(row); }, text,
                           from);
}

void ListBox::AddItem(const QString &text, int index)
{
    Mutation mutation(*this);
    const int count = ListCount();
    const int row = sorted_ ? sortedRow(text) : (index < 0 || index > count ? count : index);
    lines_->insert(row, text);
    newIndex_ = row;
}

void ListBox::AddItems(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    Mutation mutation(*this);
    QListView *l = list();
    l->setUpdatesEnabled(false);
    if (!sorted_) {
        lines_->insert(lines_->count(), lines);
        newIndex_ = lines_->count() - 1;
    } else if (lines_->count() == 0) {
        lines_->insert(0, inTextOrder(lines));
        newIndex_ = lines_->count() - 1;
    } else {
        // Merge: each line goes after the one added before it.
        int from = 0;
        for (const QString &line : inTextOrder(lines)) {
            const int row = sortedRow(line, from);
            lines_->insert(row, line);
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
    Mutation mutation(*this);
    lines_->remove(index);
    if (newIndex_ >= ListCount())
        newIndex_ = ListCount() - 1;
}

void ListBox::Clear()
{
    Mutation mutation(*this);
    mutation.forgetSelection();
    list()->selectionModel()->clear();
    lines_->clear();
    newIndex_ = -1;
}

int ListBox::ListCount() const
{
    return lines_->count();
}

QString ListBox::List(int index) const
{
    return index >= 0 && index < ListCount() ? lines_->text(index) : QString();
}

void ListBox::setList(int index, const QString &text)
{
    // The line keeps its place, also in a sorted list.
    if (index >= 0 && index < ListCount())
        lines_->setText(index, text);
}

int ListBox::ItemData(int index) const
{
    return index >= 0 && index < ListCount() ? lines_->itemData(index) : 0;
}

void ListBox::setItemData(int index, int value)
{
    if (index >= 0 && index < ListCount())
        lines_->setItemData(index, value);
}

int ListBox::ListIndex() const
{
    if (multiSelect_ != MultiSelect::None) {
        const QModelIndex current = list()->currentIndex();
        return current.isValid() ? current.row() : -1;
    }
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
    QListView *l = list();
    if (multiSelect_ != MultiSelect::None) {
        l->selectionModel()->setCurrentIndex(lines_->index(index), QItemSelectionModel::NoUpdate);
    } else if (index < 0) {
        l->selectionModel()->clearSelection();
    } else {
        const QModelIndex line = lines_->index(index);
        l->selectionModel()->setCurrentIndex(line, QItemSelectionModel::ClearAndSelect);
        l->scrollTo(line);
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
    return index >= 0 && index < ListCount()
        && list()->selectionModel()->isSelected(lines_->index(index));
}

void ListBox::setSelected(int index, bool on)
{
    if (index < 0 || index >= ListCount() || Selected(index) == on)
        return;
    if (multiSelect_ == MultiSelect::None) {
        setListIndex(on ? index : -1);
        return;
    }
    Form::HandlerScope scope(form());
    // Click through the selection signal.
    list()->selectionModel()->select(lines_->index(index), on ? QItemSelectionModel::Select
                                                              : QItemSelectionModel::Deselect);
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
    if (index >= 0 && index < ListCount())
        list()->scrollTo(lines_->index(index), QAbstractItemView::PositionAtTop);
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
    const QModelIndex at = list()->indexAt(QPoint(int(x / TwipsPerPixel), int(y / TwipsPerPixel)));
    return at.isValid() ? at.row() : -1;
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
        setListIndex(std::max(0, list()->currentIndex().row()));
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

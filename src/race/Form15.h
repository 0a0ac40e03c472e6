#pragma once
// "Klassen-Start-Reihenfolge & Zusammenlegungen": the class cells of the
// current race as a grid, with the designation and the start-order number
// of each cell. Classes start and are listed in the order of the numbers;
// cells with equal numbers are merged.
#include <QString>
#include <array>
#include <memory>

#include "platform/Controls.h"
#include "platform/Form.h"

class Form15 : public Form {
public:
    // Controls of one name told apart by an index, as in Label3(i); each
    // control's name is the array's name with its index, "Label3(17)".
    template <class C, int N>
    class ControlArray {
    public:
        ControlArray(Form *form, const QString &name)
        {
            for (int i = 0; i < N; ++i)
                items_[std::size_t(i)] =
                    std::make_unique<C>(form, name + u'(' + QString::number(i) + u')');
        }
        C &operator()(int index) { return *items_.at(std::size_t(index)); }
        const C &operator()(int index) const { return *items_.at(std::size_t(index)); }
        static constexpr int Count = N;

    private:
        std::array<std::unique_ptr<C>, N> items_;
    };

    Form15();

    Label Label1{this, QStringLiteral("Label1")};
    ControlArray<Label, 8> Label4{this, QStringLiteral("Label4")};
    ControlArray<Label, 20> Label2{this, QStringLiteral("Label2")};
    ControlArray<Label, 160> Label3{this, QStringLiteral("Label3")};
    Label Label5{this, QStringLiteral("Label5")};
    Label Label7{this, QStringLiteral("Label7")};
    TextBox Text1{this, QStringLiteral("Text1")};
    Label Label8{this, QStringLiteral("Label8")};
    TextBox Text2{this, QStringLiteral("Text2")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command4{this, QStringLiteral("Command4")};
    CommandButton Command5{this, QStringLiteral("Command5")};
    CommandButton Command6{this, QStringLiteral("Command6")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Label3_Click(int Index);
    void Text1_LostFocus();
    void Text2_LostFocus();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

    // The grid index of the chosen cell as Label5 shows it; -1 when none.
    int ChosenCell() const;

private:
    void fillGrid();
    void showCellNumber(int index);

    // The grid is filled from the class table once per opening: a later
    // activation (after a click into the reminder) must not undo the edits.
    bool filled_ = false;
};

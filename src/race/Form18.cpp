#include "Form18.h"

#include <algorithm>
#include <cmath>

#include "Form7.h"
#include "core/NumberTimeText.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

QString normalized(const QString &text)
{
    Work.WorkText = text;
    NormalizeDecimalText();
    return Work.WorkText;
}

} // namespace

Form18::Form18()
    : Form(18, QStringLiteral("Hilfszeitnehmung / Zeitdifferenz"))
{
    setClientSize(4560, 2880);

    Label1.Move(240, 120, 4080, 300);
    Label1.setCaption(QStringLiteral("Zeit in Sekunden"));
    Label1.setFontBold(true);

    const double clock = colourValue(192, 255, 192);
    const struct {
        Label *caption;
        TextBox *box;
        const char16_t *text;
        int top;
        double colour;
    } rows[] = {
        {&Label2, &Text1, u"Start", 600, clock},
        {&Label3, &Text6, u"Ziel", 1080, clock},
        {&Label4, &Text2, u"Differenz", 1560, colourValue(192, 255, 255)},
    };
    for (const auto &r : rows) {
        r.caption->Move(240, r.top + 30, 1200, 300);
        r.caption->setCaption(QString::fromUtf16(r.text));
        r.box->Move(1440, r.top, 1680, 360);
        r.box->setFontBold(true);
        r.box->setBackColor(r.colour);
    }
    Text2.setLocked(true);
    Text2.setTabStop(false);
    Command4.Move(1440, 2160, 1680, 420);
    Command4.setCaption(QStringLiteral("übernehmen"));

    Text1.onKeyDown = [this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); };
    Text6.onKeyDown = [this](int &keyCode, int shift) { Text6_KeyDown(keyCode, shift); };
    Text1.onChange = [this] { Text1_Change(); };
    Text6.onChange = [this] { Text6_Change(); };
    Command4.onClick = [this] { Command4_Click(); };
    setTabOrder({&Text1, &Text6, &Command4});
}

void Form18::Form_Load()
{
    RestoreWindowPosition(*this);
}

void Form18::Form_Activate()
{
    Text1.SetFocus();
}

void Form18::Form_Unload()
{
    StoreWindowPosition(*this);
}

void Form18::Text1_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    keyCode = 0;
    Text1.setText(normalized(Text1.Text()));
    Text6.SetFocus();
}

void Form18::Text6_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    keyCode = 0;
    if (computeDifference())
        Command4.SetFocus();
    else
        beep();
}

// A difference stays only as long as the two readings it came from: a
// changed reading takes it away, so "übernehmen" never stores an old one.
void Form18::Text1_Change()
{
    if (!showingDifference_)
        Text2.setText(QString());
}

void Form18::Text6_Change()
{
    if (!showingDifference_)
        Text2.setText(QString());
}

bool Form18::computeDifference()
{
    showingDifference_ = true;
    Text6.setText(normalized(Text6.Text()));
    Text1.setText(normalized(Text1.Text()));
    showingDifference_ = false;
    bool startOk = false;
    bool finishOk = false;
    const double finish = num::decimalCommaValue(Text6.Text(), &finishOk);
    const double start = num::decimalCommaValue(Text1.Text(), &startOk);
    if (!startOk || !finishOk) {
        Text2.setText(QString());
        return false;
    }
    // Exact to the decimals typed: 3665,57 - 3600,25 is 65,32 and not the
    // 65,3200000000002 the binary subtraction leaves.
    const int decimals = std::max(TypedDecimals(Text1.Text()), TypedDecimals(Text6.Text()));
    Text2.setText(num::plainNumberText(num::roundHalfAway(std::fabs(finish - start), decimals)));
    return true;
}

void Form18::Command4_Click()
{
    // Only the entry the time entry shows; without it there is nothing to
    // take over into.
    if (!::isLoaded<Form7>())
        return;
    Form7 &timing = form<Form7>();
    const int slot = timing.ShownSlot();
    if (slot == 0)
        return;
    const QString text = trimBlanks(Text2.Text());
    bool ok = false;
    const double difference = num::decimalCommaValue(text, &ok);
    if (text.isEmpty() || !ok || difference < 1)
        return;
    Work.CurrentSlot = slot;
    const bool changed = Race.SlotTime1[slot] != difference;
    Race.SlotTime1[slot] = difference;
    timing.Text1.setText(text);
    timing.saveCommitted(changed);
    Unload();
}

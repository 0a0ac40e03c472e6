#include "Form19.h"

#include "CombinationRace.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/Beep.h"
#include "platform/NumberText.h"
#include "race/Form13.h"

namespace {

// The race number a line of the race list begins with.
std::int32_t raceNoOfLine(const QString &line)
{
    return num::toInt32(num::numericValue(line));
}

} // namespace

Form19::Form19()
    : Form(19, QStringLiteral("Zeitsumme aus mehreren Rennen"))
{
    setClientSize(9720, 5400);

    Label1.Move(240, 240, 4560, 300);
    Label1.setCaption(QStringLiteral("Liste der Rennen"));
    List1.Move(240, 540, 4560, 4560);
    List1.setFontName(QStringLiteral("Arial"));

    Label3.Move(5040, 540, 4440, 2400);
    Label3.setWordWrap(true);
    Label3.setCaption(QStringLiteral(
        "Wählen Sie mindestens 2 Rennen aus der Liste und generieren Sie daraus ein neues "
        "Rennen mit den Zeitsummen aus allen gewählten Rennen. Es werden nur jeweils die "
        "ersten Durchgänge gewertet."));
    Label2.Move(5040, 3060, 4440, 300);
    Label2.setFontBold(true);

    Command2.Move(5040, 3540, 4440, 660);
    Command2.setCaption(QStringLiteral("neues Rennen aus Zeitsummen generieren"));
    Command1.Move(5040, 4440, 1440, 480);
    Command1.setCaption(QStringLiteral("Exit"));

    List1.onClick = [this] { List1_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    setTabOrder({&List1, &Command2, &Command1});
}

void Form19::Form_Load()
{
    RestoreWindowPosition(*this);
    Command2.setEnabled(false);

    List1.Clear();
    const ListBox &races = form<Form4>().List1;
    QStringList lines;
    std::int32_t highest = 0;
    for (int k = 0; k < races.ListCount(); ++k) {
        lines << races.List(k);
        highest = std::max(highest, raceNoOfLine(races.List(k)));
    }
    List1.AddItems(lines);
    Label2.setCaption(num::plainNumberText(highest + 1));
}

void Form19::Form_Unload()
{
    StoreWindowPosition(*this);
    form<Form4>().Show();
}

std::vector<std::int32_t> Form19::MarkedRaces() const
{
    std::vector<std::int32_t> races;
    for (int k = 0; k < List1.ListCount(); ++k)
        if (List1.Selected(k))
            races.push_back(raceNoOfLine(List1.List(k)));
    return races;
}

void Form19::List1_Click()
{
    // The combination file has room for MaxCombinedRaces races.
    const auto marked = MarkedRaces().size();
    Command2.setEnabled(marked >= 2 && marked <= std::size_t(MaxCombinedRaces));
    Command2.setToolTipText(marked > std::size_t(MaxCombinedRaces)
                                ? QStringLiteral("höchstens 10 Rennen")
                                : QString());
}

void Form19::Command1_Click()
{
    Unload();
}

void Form19::Command2_Click()
{
    BuildCombinationRace();
}

void BuildCombinationRace()
{
    Form19 &f = form<Form19>();
    const std::vector<std::int32_t> races = f.MarkedRaces();
    if (races.size() < 2 || races.size() > std::size_t(MaxCombinedRaces))
        return;
    setHourglass(true);
    f.List1.setEnabled(false);
    f.Command2.setEnabled(false);
    // The ranking window stands in front while the races are ranked, and
    // stays loaded, hidden, as after any ranking it showed; the new race's
    // missing data are reminded of once it is built.
    const std::int32_t newRaceNo = num::toInt32(num::numericValue(f.Label2.Caption()));
    const bool built = RacesCombinable(races, newRaceNo);
    if (built)
        form<Form13>().Show();
    // The race files beep for themselves; a combination file that could not
    // be written is heard here.
    const bool combined = CombineRaces(races, newRaceNo);
    if (built) {
        form<Form13>().Hide();
        RemindOfMissingData();
    }
    if (!combined)
        beep();
    setHourglass(false);
    f.Unload();
    form<Form4>().Unload();
}

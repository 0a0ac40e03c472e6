#include "RaceWindows.h"

#include "ClassAssignment.h"
#include "Form14.h"
#include "Form15.h"
#include "Form16.h"
#include "Form10.h"
#include "Form11.h"
#include "Form5.h"
#include "Form6.h"
#include "Form7.h"
#include "core/Launchers.h"
#include "core/RaceFiles.h"
#include "core/SharedState.h"

void InstallRaceWindows()
{
    // Each launcher: what runs first, then its window (the race window has
    // already hidden itself).
    Launchers.EntryList = [] { form<Form5>().Show(); };
    // The class assignment and the window's first lists read the same
    // athletes: the file once for both.
    Launchers.StartNumbers = [] {
        const RecordFile::ReadScope athletes(Channels.AthleteFile);
        AssignClasses();
        form<Form6>().Show();
    };
    Launchers.TimeEntry = [] {
        const RecordFile::ReadScope athletes(Channels.AthleteFile);
        AssignClasses();
        form<Form7>().Show();
    };
    Launchers.ClassRules = [] { form<Form10>().Show(); };
    Launchers.EvaluationCriteria = [] { form<Form14>().Show(); };
    Launchers.ClassStartOrder = [] {
        LoadRaceFiles();
        AssignClasses();
        form<Form15>().Show();
    };
    // [TeamsAndGroups]
    Launchers.TeamsAndGroups = [] { form<Form11>().Show(); };

    // [TitlePageData]
    Launchers.TitlePageData = [] { form<Form16>().Show(); };

    // Asking must not load the entry list.
    Launchers.EntryListVisible = [] { return isLoaded<Form5>() && form<Form5>().Visible(); };
}

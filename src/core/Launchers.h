#pragma once
// The windows of the race functions belong to the subsystems built on the
// data store, which may not be reached from here. Each of them fills in its
// entries when the program starts; an entry left empty opens nothing.
//
// This is how a lower folder opens a higher one's window while includes
// point one way only (platform <- core <- race <- lists <- scoring): the race
// window calls the entry, and the folder that owns the window put it there
// (InstallRaceWindows, InstallListWindows, InstallScoringWindows, called by
// main before the first window).
#include <functional>

struct LauncherTable {
    std::function<void()> EntryList;            // "Teilnehmerliste erstellen"
    std::function<void()> StartNumbers;         // "Startnummern"
    std::function<void()> TimeEntry;            // "Zeitnehmung und Punktevergabe"
    std::function<void()> PrintWindow;          // "Listen und Urkunden - Einzelwertung"
    std::function<bool()> PrinterInstalled;     // what the print window needs
    std::function<void()> TeamsAndGroups;       // "Mannschafts- und Gruppenliste"
    std::function<void()> TeamResults;          // "Mannschafts - Ergebnisse"
    std::function<void()> TitlePageData;        // "Renndaten ÖSV-konform"
    std::function<void()> ClassRules;           // "Klassen-Bildungs-Regeln"
    std::function<void()> EvaluationCriteria;   // "Auswertungskriterien"
    std::function<void()> ClassStartOrder;      // "Klassen-Start-Reihenfolge"
    std::function<void()> RaceCopy;             // "Kopie herstellen"
    std::function<void()> Cup;                  // "Cupwertung"
    std::function<void()> CombinationRace;      // "Kombilauf / Zeitsumme"
    // True while the entry list is shown: the athlete window opened over it
    // then gives the focus back to it instead of the main window.
    std::function<bool()> EntryListVisible;
};

extern LauncherTable Launchers;

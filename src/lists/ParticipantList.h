#pragma once
// The printed participant list, "Teilnehmerliste": every entrant, class by
// class (or group by group) in class start order, each class opened by a
// grey band with its designation, and within it by start number. Marks the
// first listed entry of each class in ClassFirstFlag.
void PrintParticipantList();

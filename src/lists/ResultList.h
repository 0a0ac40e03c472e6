#pragma once
// The printed result list of the current race: class by class (or group by
// group) in ranking order, or the combination layout when the race has a
// combination file. Reads the club filter of the print window.
void PrintResultList();

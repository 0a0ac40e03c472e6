#include "WindowPositions.h"

#include <cmath>

#include "SharedState.h"
#include "StartUp.h"
#include "platform/Form.h"
#include "platform/NumberText.h"

namespace {

bool validSlot(int slot)
{
    return slot >= 1 && slot <= WindowSlots;
}

} // namespace

void RestoreWindowPosition(Form &window)
{
    const int slot = window.windowSlot();
    if (!validSlot(slot))
        return;
    window.Move(num::toInt32(App.WindowLeft[slot]), App.WindowTop[slot]);
}

void StoreWindowPosition(Form &window)
{
    const int slot = window.windowSlot();
    if (!validSlot(slot))
        return;
    App.WindowLeft[slot] = window.Left();
    App.WindowLeftSet[slot] = true;
    App.WindowTop[slot] = window.Top();
    SaveWindowPositions();
}

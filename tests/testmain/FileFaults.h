#pragma once
// Injected file faults for the save tests of every folder.
#include <cerrno>
#include <functional>

#include "platform/FileOps.h"

// Clears the fault hook when the test starts and when it ends.
class FileFaultGuard {
public:
    FileFaultGuard() { fileops::faults::clear(); }
    ~FileFaultGuard() { fileops::faults::clear(); }
    FileFaultGuard(const FileFaultGuard &) = delete;
    FileFaultGuard &operator=(const FileFaultGuard &) = delete;
};

// How many file-system steps save takes when nothing fails.
inline int fileStepsOf(const std::function<void()> &save)
{
    fileops::faults::clear();
    save();
    const int steps = fileops::faults::steps();
    fileops::faults::clear();
    return steps;
}

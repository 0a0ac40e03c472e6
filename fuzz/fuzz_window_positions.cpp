// TopLeft.dat as the fuzz input: the positions are read, written back and
// read again; then the main window and a few others load, which places them
// at the positions read, each of which must lie on the screen; closing them
// stores their positions and rewrites the file, which is read once more.
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>

#include "FuzzWindows.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/StartUp.h"
#include "lists/Form28.h"
#include "race/Form13.h"
#include "race/Form21.h"

namespace {

// Restored positions are kept on a visible screen.
void expectOnScreen(const Form &window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && !screen->availableGeometry().contains(window.frameGeometry().topLeft())) {
        std::fprintf(stderr, "window %d placed off the screen\n", window.windowSlot());
        std::abort();
    }
}

template <class T>
void loadAndCheck()
{
    T &window = form<T>();
    expectOnScreen(window);
    window.Show();
    expectOnScreen(window);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::resetWindowState();
    fuzz::writeFile(QStringLiteral("TopLeft.dat"), data, size);
    ReadWindowPositions();
    SaveWindowPositions();
    ReadWindowPositions();

    fuzz::writeFile(QStringLiteral("TopLeft.dat"), data, size);
    resetAllSharedState();
    loadAndCheck<Form1>();
    loadAndCheck<Form4>();
    loadAndCheck<Form13>();
    loadAndCheck<Form17>();
    loadAndCheck<Form21>();
    loadAndCheck<Form28>();
    fuzz::unloadWindows();
    ReadWindowPositions();
    // Positions once read and written come back as they were.
    const auto tops = App.WindowTop;
    const auto lefts = App.WindowLeft;
    SaveWindowPositions();
    ReadWindowPositions();
    if (App.WindowTop != tops || App.WindowLeft != lefts) {
        std::fprintf(stderr, "TopLeft.dat does not give back the positions written\n");
        std::abort();
    }
    fuzz::removeFile(QStringLiteral("werbung.dat"));
    return 0;
}

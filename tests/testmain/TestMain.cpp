// Test main: one QApplication for the whole program, on the offscreen
// platform, with the program's font substitutions in place.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/Fonts.h"

namespace {

// The offscreen platform says on every Show that it cannot raise windows;
// that line says nothing about the program.
QtMessageHandler defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QStringLiteral("does not support raise()")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    installFontSubstitutions();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

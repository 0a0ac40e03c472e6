#include "ProgramPictures.h"

// The pictures are compiled into this static library, whose resources must
// be registered by hand; outside any namespace, as the macro requires.
static void registerProgramPictures()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)done;
}

QImage ProgramPicture(const QString &name)
{
    registerProgramPictures();
    return QImage(QStringLiteral(":/pictures/") + name);
}

QImage PictogramPicture(int n)
{
    if (n < 1 || n > 8)
        return {};
    return ProgramPicture(QStringLiteral("pictogram%1.png").arg(n));
}

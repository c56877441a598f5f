#include "program_folder.h"

#include <QCoreApplication>
#include <QtGlobal>

QString programFolder()
{
    const QString home = qEnvironmentVariable("GLOOPDASH_HOME");
    if (!home.isEmpty())
        return home;
    // applicationDirPath() is empty before the application object exists; the
    // working folder is the only sensible place left then.
    const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return dir.isEmpty() ? QStringLiteral(".") : dir;
}

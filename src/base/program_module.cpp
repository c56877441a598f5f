#include "base/program_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

QStringList ProgramModule::searchFolders(const QString& programFolder)
{
    const QDir program(programFolder);
    return {QDir::cleanPath(program.filePath(QStringLiteral(GD_BIN_TO_MODULES))), program.path(),
            QStringLiteral(GD_BUILD_MODULES)};
}

QFunctionPointer ProgramModule::entry(const QString& name, const char* symbol, QString* error)
{
    // applicationDirPath() is empty before the application object exists.
    const QString program = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    const QString file = name + QStringLiteral(".so");
    for (const QString& folder : searchFolders(program.isEmpty() ? QStringLiteral(".") : program)) {
        const QString path = QDir(folder).filePath(file);
        if (!QFileInfo::exists(path))
            continue;
        // QLibrary counts loads per file and thread-safely; dropping this handle
        // without unload() keeps the module in the process.
        QLibrary library(path);
        if (!library.load()) {
            *error = library.errorString();
            return nullptr;
        }
        if (const QFunctionPointer f = library.resolve(symbol))
            return f;
        *error = library.errorString();
        return nullptr;
    }
    *error = QStringLiteral("%1 is not installed").arg(file);
    return nullptr;
}

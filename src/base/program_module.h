#pragma once

#include <QFunctionPointer>
#include <QString>

// Parts of the program that pull many shared libraries in (HTTP, audio output)
// live in modules loaded at their first use, so the game starts as fast as a
// small program. A module is looked for in the installed module folder, beside
// the program and in the build folder, in that order, and stays loaded for the
// rest of the process (objects it made may outlive any one caller).
namespace ProgramModule {

// The entry point `symbol` of module `name` (file "<name>.so"), or null with the
// reason in *error. Loads the module at the first call; safe from any thread.
QFunctionPointer entry(const QString& name, const char* symbol, QString* error);

// The folders searched, for the program in `programFolder`, in search order.
QStringList searchFolders(const QString& programFolder);

} // namespace ProgramModule

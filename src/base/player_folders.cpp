#include "base/player_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString HomeVariable = QStringLiteral("GLOOPDASH_HOME");

} // namespace

PlayerFolders PlayerFolders::forThisProgram()
{
    // applicationDirPath() is empty before the application object exists; the
    // working folder is the only sensible place left then.
    const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return PlayerFolders(dir.isEmpty() ? QStringLiteral(".") : dir, QProcessEnvironment::systemEnvironment());
}

PlayerFolders::PlayerFolders(const QString& programFolder, const QProcessEnvironment& environment)
    : m_program(programFolder), m_env(environment)
{
    const QString installed = QDir::cleanPath(QDir(m_program).filePath(installedDataPath()));
    m_installed = QFileInfo(installed).isDir();
    m_shipped = m_installed ? installed : m_program;
}

QString PlayerFolders::installedDataPath()
{
    return QStringLiteral(GD_BIN_TO_DATA);
}

QString PlayerFolders::settingsFolder() const
{
    const QString home = m_env.value(HomeVariable);
    if (!home.isEmpty())
        return home;
    if (!m_installed)
        return m_program;
    return QDir(xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config"))).filePath(QStringLiteral("gloopdash"));
}

QString PlayerFolders::dataFolder() const
{
    const QString home = m_env.value(HomeVariable);
    if (!home.isEmpty())
        return home;
    if (!m_installed)
        return m_program;
    return QDir(xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share"))).filePath(QStringLiteral("gloopdash"));
}

// A relative value is to be ignored, as the XDG base-directory rules say.
QString PlayerFolders::xdgFolder(const char* variable, const QString& fallback) const
{
    const QString value = m_env.value(QString::fromLatin1(variable));
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    const QString home = m_env.value(QStringLiteral("HOME"), QDir::homePath());
    return QDir(home).filePath(fallback);
}

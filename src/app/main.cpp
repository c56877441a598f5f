#include "base/exit_signals.h"
#include "chat/core/settings_file.h"
#include "client/core/program_arguments.h"
#include "client/language_choice.h"
#include "client/main_window.h"
#include "client/program_windows.h"
#include "client/single_instance.h"
#include "ui/game_style.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

// --help and --version answer on standard output and end, before any window
// or the one-copy check: they work beside a running game too. Returns the exit
// code, or -1 to go on with the game.
int answerOptions(const QStringList& arguments)
{
    const ProgramArguments line = ProgramArguments::parse(arguments);
    if (line.help) {
        std::fputs(ProgramArguments::usage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (line.version) {
        std::printf("Gloop Dash %s\n", MainWindow::BuiltInVersion);
        return 0;
    }
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "gloopdash: %s\n", line.error.toLocal8Bit().constData());
        return 2;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const int code = answerOptions(arguments); code >= 0)
        return code;

    QApplication app(argc, argv);
    QApplication::setStyle(new GameStyle);
    // Installed first, so a signal that comes during start-up still ends the
    // program the orderly way.
    ExitSignals exitSignals;
    QApplication::setApplicationName(QStringLiteral("Gloop Dash"));
    // Docks and task bars match the running window to its launcher by this
    // name (the desktop file's, without ".desktop"); on X11 the launcher's
    // StartupWMClass names the window class, which is the application name.
    QGuiApplication::setDesktopFileName(QStringLiteral(GD_APP_ID));
    // The program ends with its main window, whatever other windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    // One copy per desktop: a second start brings the first copy's window
    // forward and ends before it creates any window of its own.
    SingleInstance instance;
    if (!instance.check())
        return 0;
    if (!instance.problem().isEmpty())
        std::fprintf(stderr, "gloopdash: %s\n", instance.problem().toLocal8Bit().constData());

    // Before the first window, so that every text is made in the player's language.
    SettingsFile settingsFile;
    LanguageChoice::install(app, LanguageChoice(&settingsFile).effective());

    ProgramWindows windows;
    instance.setWindow(&windows.chat());
    // A session ending or a kill closes the game as File → Exit does.
    QObject::connect(&exitSignals, &ExitSignals::exitRequested, &windows.chat(), &QWidget::close);
    windows.start(QApplication::arguments().mid(1));
    if (!instance.problem().isEmpty()) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Gloop Dash"), instance.problem(),
                                    QMessageBox::Ok, &windows.chat());
        box->setObjectName(QStringLiteral("noSingleInstanceGuard"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    return QApplication::exec();
}

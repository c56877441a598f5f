#include "base/exit_signals.h"
#include "client/chat_window.h"
#include "client/program_windows.h"
#include "client/single_instance.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Installed first, so a signal that comes during start-up still ends the
    // program the orderly way.
    ExitSignals exitSignals;
    QApplication::setApplicationName(QStringLiteral("Gloop Dash"));
    // The program ends with its main window, whatever other windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    // One copy per desktop: a second start brings the first copy's window
    // forward and ends before it creates any window of its own.
    SingleInstance instance;
    if (!instance.check())
        return 0;

    ProgramWindows windows;
    instance.setWindow(&windows.chat());
    // A session ending or a kill closes the game as File → Exit does.
    QObject::connect(&exitSignals, &ExitSignals::exitRequested, &windows.chat(), &QWidget::close);
    windows.start(QApplication::arguments().mid(1));
    return QApplication::exec();
}

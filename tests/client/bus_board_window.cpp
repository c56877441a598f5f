// A game board in a window of its own for the accessibility bus test: the
// reader on the bus asks for changes on standard input ("take", "focus",
// "over", "quit") and watches what the board and the status say.
#include "support_game_view.h"

#include "client/board_canvas.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    GameViewRig rig;
    rig.back.setWindowTitle(QStringLiteral("Gloop Dash board"));
    rig.session->setMyname(QStringLiteral("You"));
    rig.model->playerArrived(2, QStringLiteral("You"));
    rig.back.show();
    // Red everywhere, and a double on row 3, column 4.
    rig.startRound(5, 5, "3+2+3");
    auto* canvas = rig.find<BoardCanvas>(QStringLiteral("board"));

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[64] = {};
        const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
        const QByteArray command = QByteArray(line, int(qMax<ssize_t>(n, 0))).trimmed();
        if (n <= 0 || command == "quit")
            app.quit();
        else if (command == "take")
            rig.feed(&GameModel::removeTile, "2+3+2+1+30+30+30");
        else if (command == "focus") {
            canvas->activateWindow();
            canvas->setFocus(Qt::ShortcutFocusReason);
            canvas->setCursorCell(1, 0);
        } else if (command == "over")
            rig.feed(&GameModel::turnOver, "2+250+660+3");
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

// The reference program for start-up, memory and idle cost: a Qt Widgets
// window with one label and nothing else; with --timer it also runs one
// one-second timer for as long as it lives.
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Gloop Dash"));
    window.setObjectName(QStringLiteral("window"));
    window.resize(713, 568);
    window.show();

    QTimer clock;
    long ticks = 0;
    if (QApplication::arguments().contains(QStringLiteral("--timer"))) {
        QObject::connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
        clock.start(1000);
    }
    const int code = QApplication::exec();
    return ticks < 0 ? 1 : code;
}

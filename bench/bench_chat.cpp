// The chat view under hostile lines: the layout time of one long unbroken
// word (against the same number of characters in ordinary words), and the
// memory and time a flood of long chat lines costs the window.
#include "bench_support.h"

#include "chat/core/colour_text.h"
#include "chat/panel_chat.h"
#include "ui/rich_chat_view.h"
#include "ui/rich_layout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <ctime>

namespace {

double layoutMs(const QString& text)
{
    QFont font(QStringLiteral("Arial"), 10);
    font.setBold(true);
    const QList<RichTextStyle> styles{{font, Qt::black}};
    const QList<RichItem> items{{RichItem::Kind::Text, QStringLiteral("Al chats: "), 0, -1, {}, true},
                                {RichItem::Kind::Text, text, 0, -1, {}, false}};
    RichLayout layout;
    // Processor time, not wall time: on a shared machine the wall clock
    // measures the neighbours.
    const std::clock_t start = std::clock();
    layout.build(items, styles, 0, 5, 675);
    return double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
}

qint64 rssKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

QByteArray relayedLine(int length, int n)
{
    QByteArray words = QByteArray::number(n) + ' ';
    while (words.size() < length)
        words += "gg wp ";
    return "Bo chats: " + words.left(length) + "|clNavy";
}

// Feeds `lines` relayed lines of `length` characters; the median time per line in ms.
double flood(PanelChat& panel, int lines, int length)
{
    QList<double> ms;
    for (int i = 0; i < lines; ++i) {
        const QByteArray line = relayedLine(length, i);
        QElapsedTimer t;
        t.start();
        panel.chatrecieved(2, line);
        ms << double(t.nsecsElapsed()) / 1e6;
    }
    return bench::median(ms);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bench::Args args(QCoreApplication::arguments().mid(1));
    const int kib = qMax(1, args.number(QStringLiteral("kib"), 1024));
    const int runs = qMax(1, args.number(QStringLiteral("runs"), 5));
    const int lines = qMax(1, args.number(QStringLiteral("lines"), 5000));
    const int huge = qMax(0, args.number(QStringLiteral("huge"), 200));

    layoutMs(QStringLiteral("warm up the font caches"));
    QList<double> word, words;
    for (int r = 0; r < runs; ++r) {
        word << layoutMs(QString(kib * 1024, QLatin1Char('x')));
        words << layoutMs(QStringLiteral("xxxxxxx ").repeated(kib * 128));
    }
    bench::printRow({QStringLiteral("layout, %1 KiB unbroken word, CPU").arg(kib),
                     bench::median(word),
                     QStringLiteral("ms"),
                     QStringLiteral("same in 8-letter words"),
                     bench::median(words),
                     {},
                     QStringLiteral("< 100 ms")});

    PanelChat panel;
    panel.resize(692, 171);
    panel.show();
    QCoreApplication::processEvents();
    flood(panel, 20, 400); // the first lines load fonts and glyphs
    QCoreApplication::processEvents();
    const qint64 before = rssKib();
    const double perLine = flood(panel, lines, 400);
    const qint64 afterLines = rssKib();
    bench::printRow({QStringLiteral("%1 chat lines of 400 chars, per line").arg(lines),
                     perLine,
                     QStringLiteral("ms"),
                     {},
                     0,
                     QStringLiteral("-"),
                     QString()});
    bench::printRow({QStringLiteral("memory after them"),
                     double(afterLines - before) / 1024,
                     QStringLiteral("MiB"),
                     QStringLiteral("window before"),
                     double(before) / 1024,
                     {},
                     QStringLiteral("bounded")});
    const double perHuge = flood(panel, huge, 1 << 20);
    const qint64 afterHuge = rssKib();
    bench::printRow({QStringLiteral("%1 lines of 1 MiB, per line").arg(huge),
                     perHuge,
                     QStringLiteral("ms"),
                     {},
                     0,
                     QStringLiteral("-"),
                     QString()});
    bench::printRow({QStringLiteral("memory after them"),
                     double(afterHuge - before) / 1024,
                     QStringLiteral("MiB"),
                     QStringLiteral("window before"),
                     double(before) / 1024,
                     {},
                     QStringLiteral("bounded")});
    bench::printNote(QStringLiteral("view holds %1 lines, %2 items, %3 link targets; peak RSS %4 MiB")
                         .arg(panel.mainchat()->LineCount())
                         .arg(panel.mainchat()->ItemCount())
                         .arg(panel.linkTargets().held())
                         .arg(double(bench::peakRssKib()) / 1024, 0, 'f', 1));
    return 0;
}

// Packing and unpacking speed of the tally coder against zlib (level 1) and
// LZ4 on the same text: tally tables as the game saves them, many of them one
// after the other until the text has the asked size.
#include "bench_support.h"

#include "side/core/lzrw1_errors.h"
#include "side/core/string_grid.h"
#include "side/core/tally_table.h"
#include "side/core/tlzrw1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <cstdio>
#include <functional>
#include <iterator>
#include <lz4.h>
#include <zlib.h>

namespace {

QString playerName(QRandomGenerator& rng)
{
    static const char* const parts[] = {"gl", "oo", "pa",   "ri", "ka", "zo", "mel", "tar", "in",
                                        "ux", "bo", "dash", "ly", "ne", "qu", "sta", "ve",  "ro"};
    QString name;
    const int n = 2 + int(rng.bounded(3));
    for (int i = 0; i < n; ++i)
        name += QString::fromLatin1(parts[rng.bounded(int(std::size(parts)))]);
    name[0] = name[0].toUpper();
    if (rng.bounded(3) == 0)
        name += QString::number(rng.bounded(2000));
    return name;
}

// One tally table of `rows` opponents as saved text.
QByteArray tallyText(QRandomGenerator& rng, int rows)
{
    StringGrid grid(TallyTable::Columns, rows + 1);
    grid.setCell(0, 0, QStringLiteral("You"));
    for (int c = 1; c < TallyTable::Columns; ++c)
        grid.setCell(c, 0, QString::number(rng.bounded(100000)));
    for (int r = 1; r <= rows; ++r) {
        grid.setCell(0, r, playerName(rng));
        const int games = int(rng.bounded(400));
        for (int c = 1; c < TallyTable::Columns; ++c)
            grid.setCell(c, r, QString::number(c == 1 || c == 5 ? games : int(rng.bounded(games + 1))));
    }
    return SaveStringGrid(grid);
}

QByteArray tallyLines(qsizetype size)
{
    QRandomGenerator rng(7772);
    QByteArray text;
    text.reserve(size + (1 << 20));
    while (text.size() < size)
        text += tallyText(rng, 2000);
    text.truncate(size);
    return text;
}

struct Speed {
    QString name;
    double packMBs = 0;
    double unpackMBs = 0;
    // Into one buffer written again and again, its memory long mapped: the
    // decoder's own speed, which only a caller that keeps a buffer gets.
    double unpackWarmMBs = 0;
    double ratio = 0; // packed size / text size
};

// Median MB/s (10^6 bytes per second of text) of `runs` timed calls. Every
// call makes its output afresh, as loading or saving a tally does, so each
// codec pays for the memory it writes into.
double timed(int runs, qsizetype bytes, const std::function<void()>& call)
{
    QList<double> speeds;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        call();
        const double s = double(qMax<qint64>(1, t.nsecsElapsed())) / 1e9;
        speeds << double(bytes) / 1e6 / s;
    }
    return bench::median(speeds);
}

Speed tally(const QByteArray& text, int runs)
{
    Speed s{QStringLiteral("tally coder"), 0, 0, 0};
    QByteArray packed;
    s.packMBs = timed(runs, text.size(), [&] { packed = Tlzrw1::compressBytes(text); });
    QByteArray back;
    s.unpackMBs = timed(runs, text.size(), [&] { back = Tlzrw1::decompressBytes(packed); });
    if (back != text)
        throw ELzrw1Exception(QStringLiteral("tally coder: text changed in a round trip"));
    s.ratio = double(packed.size()) / double(text.size());
    return s;
}

Speed zlib1(const QByteArray& text, int runs)
{
    Speed s{QStringLiteral("zlib level 1"), 0, 0, 0};
    const auto* src = reinterpret_cast<const Bytef*>(text.constData());
    QByteArray packed;
    s.packMBs = timed(runs, text.size(), [&] {
        packed = QByteArray(qsizetype(compressBound(uLong(text.size()))), Qt::Uninitialized);
        uLongf size = uLongf(packed.size());
        compress2(reinterpret_cast<Bytef*>(packed.data()), &size, src, uLong(text.size()), 1);
        packed.truncate(qsizetype(size));
    });
    QByteArray back;
    s.unpackMBs = timed(runs, text.size(), [&] {
        back = QByteArray(text.size(), Qt::Uninitialized);
        uLongf size = uLongf(back.size());
        uncompress(reinterpret_cast<Bytef*>(back.data()), &size, reinterpret_cast<const Bytef*>(packed.constData()),
                   uLong(packed.size()));
    });
    if (back != text)
        throw ELzrw1Exception(QStringLiteral("zlib: text changed in a round trip"));
    s.ratio = double(packed.size()) / double(text.size());
    return s;
}

Speed lz4(const QByteArray& text, int runs)
{
    Speed s{QStringLiteral("LZ4"), 0, 0, 0};
    QByteArray packed;
    s.packMBs = timed(runs, text.size(), [&] {
        packed = QByteArray(LZ4_compressBound(int(text.size())), Qt::Uninitialized);
        packed.truncate(LZ4_compress_default(text.constData(), packed.data(), int(text.size()), int(packed.size())));
    });
    QByteArray back;
    s.unpackMBs = timed(runs, text.size(), [&] {
        back = QByteArray(text.size(), Qt::Uninitialized);
        LZ4_decompress_safe(packed.constData(), back.data(), int(packed.size()), int(back.size()));
    });
    s.unpackWarmMBs = timed(runs, text.size(), [&] {
        LZ4_decompress_safe(packed.constData(), back.data(), int(packed.size()), int(back.size()));
    });
    if (back != text)
        throw ELzrw1Exception(QStringLiteral("LZ4: text changed in a round trip"));
    s.ratio = double(packed.size()) / double(text.size());
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(QCoreApplication::arguments().mid(1));
    const qsizetype size = qsizetype(args.number(QStringLiteral("kib"), 32 * 1024)) * 1024;
    const int runs = qMax(1, args.number(QStringLiteral("runs"), 5));
    try {
        const QByteArray text = tallyLines(size);
        // --dump PATH keeps the text, so a profiler can be run on the coder alone.
        if (const QString dump = args.text(QStringLiteral("dump")); !dump.isEmpty()) {
            QFile file(dump);
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
                throw ELzrw1Exception(QStringLiteral("cannot write ") + dump);
        }
        const Speed ours = tally(text, runs);
        const Speed z = zlib1(text, runs);
        const Speed l = lz4(text, runs);
        bench::printRow({QStringLiteral("tally coder pack"),
                         ours.packMBs,
                         QStringLiteral("MB/s"),
                         QStringLiteral("LZ4 pack"),
                         l.packMBs,
                         {},
                         QStringLiteral(">= 0.5x")});
        bench::printRow({QStringLiteral("tally coder unpack"),
                         ours.unpackMBs,
                         QStringLiteral("MB/s"),
                         QStringLiteral("LZ4 unpack"),
                         l.unpackMBs,
                         {},
                         QStringLiteral(">= 0.25x")});
        bench::printRow({QStringLiteral("tally coder unpack"),
                         ours.unpackMBs,
                         QStringLiteral("MB/s"),
                         QStringLiteral("LZ4 unpack, reused buffer"),
                         l.unpackWarmMBs,
                         {},
                         QString()});
        bench::printRow({QStringLiteral("tally coder pack"),
                         ours.packMBs,
                         QStringLiteral("MB/s"),
                         QStringLiteral("zlib level 1 pack"),
                         z.packMBs,
                         {},
                         QString()});
        bench::printRow({QStringLiteral("tally coder unpack"),
                         ours.unpackMBs,
                         QStringLiteral("MB/s"),
                         QStringLiteral("zlib level 1 unpack"),
                         z.unpackMBs,
                         {},
                         QString()});
        bench::printNote(QStringLiteral("%1 KiB of tally text, median of %2 runs, each call writing fresh memory "
                                        "unless said; packed size: tally coder %3 %, zlib-1 %4 %, LZ4 %5 %")
                             .arg(size / 1024)
                             .arg(runs)
                             .arg(ours.ratio * 100, 0, 'f', 1)
                             .arg(z.ratio * 100, 0, 'f', 1)
                             .arg(l.ratio * 100, 0, 'f', 1));
    } catch (const ELzrw1Exception& e) {
        std::fprintf(stderr, "bench_codec: %s\n", e.what());
        return 1;
    }
    return 0;
}

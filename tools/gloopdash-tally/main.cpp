// gloopdash-tally: the tally file from the command line.
//   pack TEXT OUT     code any file into a tally container
//   unpack TALLY OUT  decode a tally container back to its text
//   show TALLY        print the own totals and one line per tallied opponent
// A failure prints the compressor's text on standard error, exits with 1 and
// leaves no output file behind.

#include "side/core/lzrw1_errors.h"
#include "side/core/tally_file.h"
#include "side/core/tally_table.h"
#include "side/core/tlzrw1.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void print(std::FILE* to, const QString& line)
{
    std::fputs(line.toUtf8().append('\n').constData(), to);
}

int usage()
{
    print(stderr, QStringLiteral("usage: gloopdash-tally pack TEXT OUT | unpack TALLY OUT | show TALLY"));
    return 1;
}

void show(const QString& path)
{
    TallyTable table;
    table.assign(TallyFile::read(path));
    const auto own = [&](int column) { return table.cell(column, 0); };
    print(stdout,
          QStringLiteral("Your Total Tally: Total Games: %1, Your Wins: %2, High Score: %3, Highest Trail: %4")
              .arg(own(TallyTable::TotalGames), own(TallyTable::YourWins), own(TallyTable::HighScore),
                   own(TallyTable::HighestTrail)));
    for (int row = 1; row <= table.playerCount(); ++row) {
        const QString name = table.cell(0, row);
        print(stdout,
              QStringLiteral("%1: Number of Games: %2, %1 Wins: %3, Your Wins: %4, Neither Won: %5")
                  .arg(name, table.cell(TallyTable::Games, row), table.cell(TallyTable::HisWins, row),
                       table.cell(TallyTable::MyWins, row), table.cell(TallyTable::NeitherWon, row)));
    }
}

int run(const QStringList& args)
{
    const QString verb = args.value(0);
    if ((verb == QLatin1String("pack") || verb == QLatin1String("unpack")) && args.size() == 3) {
        Tlzrw1 lz;
        lz.setCompressMode(Tlzrw1::Fast);
        lz.setInputFile(args[1]);
        lz.setOutputFile(args[2]);
        if (verb == QLatin1String("pack"))
            lz.Compress();
        else
            lz.Decompress();
        return 0;
    }
    if (verb == QLatin1String("show") && args.size() == 2) {
        show(args[1]);
        return 0;
    }
    return usage();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    try {
        return run(app.arguments().mid(1));
    } catch (const ELzrw1Exception& e) {
        print(stderr, e.text());
        return 1;
    }
}

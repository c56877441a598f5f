#include "side/core/lzrw1_errors.h"
#include "side/core/string_grid.h"
#include "side/core/tally_file.h"
#include "side/core/tlzrw1.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray lines(const QList<QByteArray>& items)
{
    QByteArray text;
    for (const QByteArray& item : items)
        text += item + "\r\n";
    return text;
}

StringGrid randomTally(int rows, quint32 seed)
{
    QRandomGenerator rng(seed);
    StringGrid grid(9, rows);
    for (int r = 0; r < rows; ++r) {
        grid.setCell(0, r, r == 0 ? QStringLiteral("0") : QStringLiteral("Spieler %1 ö").arg(rng.bounded(100000)));
        for (int c = 1; c < 9; ++c)
            grid.setCell(c, r, rng.bounded(5) == 0 ? QString() : QString::number(rng.bounded(1000000)));
    }
    return grid;
}

} // namespace

class TallyGridTest : public QObject {
    Q_OBJECT
private slots:
    void writesColumnsOneAfterAnother();
    void readsVariantsOfTheText_data();
    void readsVariantsOfTheText();
    void refusesBrokenText_data();
    void refusesBrokenText();
    void keepsCellsOnOneLine();
    void roundTripsLargeTallies_data();
    void roundTripsLargeTallies();
    void refusesTextsThatAreNoTally_data();
    void refusesTextsThatAreNoTally();
};

// A tally with own totals 12, 5, 61000, 930 and one opponent Kim.
void TallyGridTest::writesColumnsOneAfterAnother()
{
    StringGrid grid(9, 2);
    const QStringList own{"0", "12", "5", "61000", "930", "0", "0", "0", "0"};
    const QStringList kim{"Kim", "4", "1", "2", "1", "2", "0", "1", "1"};
    for (int c = 0; c < 9; ++c) {
        grid.setCell(c, 0, own[c]);
        grid.setCell(c, 1, kim[c]);
    }
    const QByteArray expected = lines(
        {"9", "2", "0", "Kim", "12", "4", "5", "1", "61000", "2", "930", "1", "0", "2", "0", "0", "0", "1", "0", "1"});
    QCOMPARE(SaveStringGrid(grid), expected);
    StringGrid back;
    QVERIFY(LoadStringGrid(back, expected));
    QCOMPARE(back, grid);
}

void TallyGridTest::readsVariantsOfTheText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("cells"); // column-major
    QTest::newRow("LF only") << QByteArray("2\n1\na\nb\n") << QStringList{"a", "b"};
    QTest::newRow("blanks before counts, rest of count line skipped")
        << QByteArray("  2 columns\r\n\r\n 1\r\na\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("last line without line end") << QByteArray("2\r\n1\r\na\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty cells") << lines({"3", "1", "", "x", ""}) << QStringList{"", "x", ""};
    QTest::newRow("utf-8 name") << lines({"1", "1", "Zoë"}) << QStringList{QStringLiteral("Zoë")};
    QTest::newRow("single-byte name") << QByteArray("1\r\n1\r\nZo\xEB\r\n") << QStringList{QStringLiteral("Zoë")};
}

void TallyGridTest::readsVariantsOfTheText()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, cells);
    StringGrid grid;
    QVERIFY(LoadStringGrid(grid, text));
    QCOMPARE(grid.colCount() * grid.rowCount(), cells.size());
    QStringList read;
    for (int c = 0; c < grid.colCount(); ++c) {
        for (int r = 0; r < grid.rowCount(); ++r)
            read << grid.cell(c, r);
    }
    QCOMPARE(read, cells);
}

void TallyGridTest::refusesBrokenText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("word for a count") << lines({"nine", "1", "a"});
    QTest::newRow("signed count") << lines({"-1", "1"});
    QTest::newRow("fewer cell lines") << lines({"2", "2", "a", "b", "c"});
    QTest::newRow("count far beyond the text") << lines({"9", "99999", "a"});
    QTest::newRow("count beyond any table") << lines({"9", "99999999999999999999"});
}

void TallyGridTest::refusesBrokenText()
{
    QFETCH(QByteArray, text);
    StringGrid grid(1, 1);
    grid.setCell(0, 0, "kept");
    QVERIFY(!LoadStringGrid(grid, text));
    QCOMPARE(grid.cell(0, 0), QStringLiteral("kept"));
}

void TallyGridTest::keepsCellsOnOneLine()
{
    StringGrid grid(2, 1);
    grid.setCell(0, 0, "two\r\nlines");
    grid.setCell(1, 0, "after");
    StringGrid back;
    QVERIFY(LoadStringGrid(back, SaveStringGrid(grid)));
    QCOMPARE(back.cell(0, 0), QStringLiteral("two  lines"));
    QCOMPARE(back.cell(1, 0), QStringLiteral("after"));
}

void TallyGridTest::roundTripsLargeTallies_data()
{
    QTest::addColumn<int>("rows");
    for (int rows : {1, 2, 17, 500, 4000})
        QTest::addRow("%d rows", rows) << rows;
}

void TallyGridTest::roundTripsLargeTallies()
{
    QFETCH(int, rows);
    const StringGrid grid = randomTally(rows, quint32(rows));
    QCOMPARE(TallyFile::decode(TallyFile::encode(grid), QStringLiteral("t")), grid);
}

void TallyGridTest::refusesTextsThatAreNoTally_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("8 columns") << lines({"8", "1", "0", "0", "0", "0", "0", "0", "0", "0"});
    QTest::newRow("no rows") << lines({"9", "0"});
    QTest::newRow("not a table") << QByteArray("hello");
}

void TallyGridTest::refusesTextsThatAreNoTally()
{
    QFETCH(QByteArray, text);
    try {
        TallyFile::decode(Tlzrw1::compressBytes(text), QStringLiteral("home/gloopdashtally.tld"));
        QFAIL("decoded a text that is no tally");
    } catch (const ELzrw1Exception& e) {
        QCOMPARE(e.text(), QStringLiteral("Lzrw1 : Error reading from input file : home/gloopdashtally.tld"));
    }
}

QTEST_APPLESS_MAIN(TallyGridTest)
#include "test_tally_grid.moc"

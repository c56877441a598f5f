#include "chat/core/tile_set.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The colour tile i of a test strip is filled with; never black.
QColor tileColour(int i)
{
    return QColor(20 * i + 10, 200 - 10 * i, 40 + 15 * i);
}

// A strip of `width` x `height` whose tile i is filled with tileColour(i),
// except for a black frame of 4 pixels around every tile.
QImage strip(int width = TilePictures::StripWidth, int height = 48)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    for (int i = 0; i < 12; ++i)
        p.fillRect(QRect(i * 48 + 4, 4, 40, 40), tileColour(i));
    return img;
}

// The least share of a piece's colour a bonus picture may leave in sight.
constexpr double MinUncovered = 0.4;

// The share of the piece's coloured pixels (vivid enough to tell its colour
// by, unlike its dark rim and light gloss) that the bonus picture's
// see-through pixels leave in sight.
double uncoveredShare(const QImage& piece, const QImage& bonus)
{
    int coloured = 0;
    int seen = 0;
    for (int y = 0; y < piece.height(); ++y)
        for (int x = 0; x < piece.width(); ++x) {
            const QColor c = piece.pixelColor(x, y);
            if (c.hsvSaturationF() < 0.4 || c.valueF() < 0.45)
                continue;
            ++coloured;
            seen += qAlpha(bonus.pixel(x, y)) == 0;
        }
    return coloured ? double(seen) / coloured : 0.0;
}

void saveBitmap(const QString& folder, const QString& file, const QImage& img)
{
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(img.save(QDir(folder).filePath(file), "BMP"));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestTileSet : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_home;
    QString m_tiles;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_home = m_dir->path();
        m_tiles = QDir(m_home).filePath("gloopdashtiles");
    }

    void listsBitmapsByNameUpToFirstDot()
    {
        saveBitmap(m_tiles, "red.bmp", strip());
        saveBitmap(m_tiles, "blue.bmp", strip());
        saveBitmap(m_tiles, "a.b.bmp", strip());
        saveBitmap(m_tiles, "Loud.BMP", strip());
        saveBitmap(m_tiles, "red.old.bmp", strip()); // a second "red"
        saveBitmap(m_tiles, "picture.png", strip());
        writeFile(QDir(m_tiles).filePath(".bmp"), "no name");
        QVERIFY(QDir(m_tiles).mkdir("folder.bmp"));
        TileSet tiles(m_home);
        QStringList names = tiles.listSets();
        names.sort();
        QCOMPARE(names, (QStringList{"Loud", "a", "blue", "red"}));
        QCOMPARE(tiles.loadtile("Loud"), TileSet::LoadResult::Loaded);
    }

    void missingFolderListsNothing()
    {
        TileSet tiles(m_home);
        QVERIFY(tiles.listSets().isEmpty());
        QCOMPARE(tiles.loadtile("red"), TileSet::LoadResult::Missing);
    }

    void cutsStripIntoPiecesAndBonuses()
    {
        saveBitmap(m_tiles, "red.bmp", strip());
        TileSet tiles(m_home);
        QSignalSpy changed(&tiles, &TileSet::picturesChanged);
        QVERIFY(tiles.currentTileSet().isEmpty());
        QCOMPARE(tiles.loadtile("red"), TileSet::LoadResult::Loaded);
        QCOMPARE(tiles.currentTileSet(), QStringLiteral("red"));
        QCOMPARE(changed.size(), 1);
        const TilePictures& t = tiles.pictures();
        QCOMPARE(t.pieces.size(), 7);
        QCOMPARE(t.bonus.size(), 5);
        for (int i = 0; i < 12; ++i) {
            const QImage& pic = i < 7 ? t.pieces.at(i) : t.bonus.at(i - 7);
            QCOMPARE(pic.size(), QSize(48, 48));
            QCOMPARE(pic.pixelColor(24, 24), tileColour(i));
            QCOMPARE(pic.pixelColor(4, 4), tileColour(i));
            QCOMPARE(pic.pixelColor(44, 44).rgb(), QColor(Qt::black).rgb());
            // Pieces are opaque everywhere; bonuses are see-through where black.
            QCOMPARE(pic.pixelColor(1, 1).alpha(), i < 7 ? 255 : 0);
        }
    }

    void bonusShowsPieceThroughBlack()
    {
        QImage img = strip();
        QPainter p(&img);
        p.fillRect(QRect(8 * 48, 0, 48, 48), Qt::black); // transport: a white dot on black
        p.fillRect(QRect(8 * 48 + 20, 20, 8, 8), Qt::white);
        p.fillRect(QRect(8 * 48 + 30, 30, 4, 4), QColor(1, 0, 0)); // almost black stays
        p.end();
        saveBitmap(m_tiles, "dot.bmp", img);
        TileSet tiles(m_home);
        QCOMPARE(tiles.loadtile("dot"), TileSet::LoadResult::Loaded);
        QImage cell = tiles.pictures().pieces.at(5);
        QPainter board(&cell);
        board.drawImage(0, 0, tiles.pictures().bonus.at(1));
        board.end();
        QCOMPARE(cell.pixelColor(10, 10), tileColour(5));
        QCOMPARE(cell.pixelColor(24, 24), QColor(Qt::white));
        QCOMPARE(cell.pixelColor(31, 31), QColor(1, 0, 0));
    }

    void smallBitmapLeavesTheRestBlack()
    {
        saveBitmap(m_tiles, "tiny.bmp", strip(300, 30));
        TileSet tiles(m_home);
        QCOMPARE(tiles.loadtile("tiny"), TileSet::LoadResult::Loaded);
        const TilePictures& t = tiles.pictures();
        QCOMPARE(t.pieces.size(), 7);
        QCOMPARE(t.bonus.size(), 5);
        QCOMPARE(t.pieces.at(0).pixelColor(10, 10), tileColour(0));
        QCOMPARE(t.pieces.at(0).pixelColor(10, 40), QColor(Qt::black)); // below the bitmap
        QCOMPARE(t.pieces.at(6).pixelColor(8, 8), tileColour(6)); // columns 288 ... 299
        QCOMPARE(t.pieces.at(6).pixelColor(20, 8), QColor(Qt::black)); // past its right edge
        for (const QImage& b : t.bonus)
            QCOMPARE(b.pixelColor(24, 24).alpha(), 0);
    }

    void refusedNamesChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::newRow("first part of a.b.bmp") << "a" << int(TileSet::LoadResult::Missing);
        QTest::newRow("dotted name") << "a.b" << int(TileSet::LoadResult::Missing);
        QTest::newRow("other case") << "RED" << int(TileSet::LoadResult::Missing);
        QTest::newRow("leaves the folder") << "../gloopdashtiles/red" << int(TileSet::LoadResult::Missing);
        QTest::newRow("wildcard") << "*" << int(TileSet::LoadResult::Missing);
        QTest::newRow("empty") << "" << int(TileSet::LoadResult::Missing);
        QTest::newRow("text file") << "notes" << int(TileSet::LoadResult::Unreadable);
        QTest::newRow("empty file") << "empty" << int(TileSet::LoadResult::Unreadable);
    }

    void refusedNamesChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(int, result);
        saveBitmap(m_tiles, "red.bmp", strip());
        saveBitmap(m_tiles, "a.b.bmp", strip());
        writeFile(QDir(m_tiles).filePath("notes.bmp"), "these are not pixels");
        writeFile(QDir(m_tiles).filePath("empty.bmp"), "");
        TileSet tiles(m_home);
        QCOMPARE(tiles.loadtile("red"), TileSet::LoadResult::Loaded);
        const QImage before = tiles.pictures().pieces.at(1);
        QSignalSpy changed(&tiles, &TileSet::picturesChanged);
        QString error;
        QCOMPARE(int(tiles.loadtile(name, &error)), result);
        QCOMPARE(tiles.currentTileSet(), QStringLiteral("red"));
        QCOMPARE(tiles.pictures().pieces.at(1), before);
        QCOMPARE(changed.size(), 0);
        QCOMPARE(error.isEmpty(), result == int(TileSet::LoadResult::Missing));
        if (!error.isEmpty())
            QVERIFY(error.contains(QDir(m_tiles).filePath(name + ".bmp")));
    }

    // The shipped sets come first, the player's own follow, and an own set
    // named like a shipped one is the one loaded.
    void listsShippedAndOwnSets()
    {
        const QString shipped = QDir(m_home).filePath("share");
        const QString own = QDir(m_home).filePath("own");
        saveBitmap(QDir(shipped).filePath("gloopdashtiles"), "Gems.bmp", strip());
        saveBitmap(QDir(shipped).filePath("gloopdashtiles"), "Candy.bmp", strip());
        QImage mine = strip();
        mine.fill(Qt::white);
        saveBitmap(QDir(own).filePath("gloopdashtiles"), "Candy.bmp", mine);
        saveBitmap(QDir(own).filePath("gloopdashtiles"), "Mine.bmp", mine);
        TileSet tiles(own, shipped);
        const QStringList names = tiles.listSets();
        QCOMPARE(names.size(), 3);
        QCOMPARE(QSet<QString>(names.begin(), names.begin() + 2), (QSet<QString>{"Gems", "Candy"}));
        QCOMPARE(names.last(), QStringLiteral("Mine"));
        QCOMPARE(tiles.loadtile("Candy"), TileSet::LoadResult::Loaded);
        QCOMPARE(tiles.pictures().pieces.at(1).pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(tiles.loadtile("Gems"), TileSet::LoadResult::Loaded);
        QCOMPARE(tiles.pictures().pieces.at(1).pixelColor(0, 0), QColor(Qt::black));
        // One folder given twice (the build folder) lists each set once.
        QCOMPARE(TileSet(shipped, shipped).listSets().size(), 2);
    }

    void shippedSetsAreComplete_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files =
            QDir(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../assets/tilesets")).entryList({"*.bmp"});
        QVERIFY(files.size() >= 2);
        for (const QString& f : files)
            QTest::newRow(qPrintable(f)) << f;
    }

    void shippedSetsAreComplete()
    {
        QFETCH(QString, file);
        const QImage img(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../assets/tilesets/") + file);
        QCOMPARE(img.size(), QSize(576, 48));
        const TilePictures t = TilePictures::fromStrip(img);
        // Every piece shows something besides black, and so does every bonus
        // that the board draws (codes 1 to 4).
        for (int i = 0; i < 11; ++i) {
            if (i == 7)
                continue;
            const QImage& pic = i < 7 ? t.pieces.at(i) : t.bonus.at(i - 7);
            bool drawn = false;
            for (int y = 0; y < 48 && !drawn; ++y)
                for (int x = 0; x < 48 && !drawn; ++x)
                    drawn = (pic.pixel(x, y) & 0xFFFFFF) != 0;
            QVERIFY2(drawn, qPrintable(QString::number(i)));
        }
        // Over each coloured piece, each bonus the board draws leaves most of
        // the piece showing, so its colour can still be told.
        for (int bonus = 1; bonus <= 4; ++bonus)
            for (int piece = 1; piece <= 5; ++piece) {
                const double seen = uncoveredShare(t.pieces.at(piece), t.bonus.at(bonus));
                QVERIFY2(
                    seen >= MinUncovered,
                    qPrintable(QStringLiteral("bonus %1 over piece %2 leaves %3").arg(bonus).arg(piece).arg(seen)));
            }
    }
};

QTEST_GUILESS_MAIN(TestTileSet)
#include "test_tile_set.moc"

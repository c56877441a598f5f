#include "chat/core/settings_file.h"
#include "chat/core/tile_set.h"
#include "chat/tile_set_menu.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage strip(const QColor& colour)
{
    QImage img(576, 48, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

QStringList captions(const QMenu& menu)
{
    QStringList out;
    for (const QAction* a : menu.actions())
        if (!a->isSeparator())
            out.append(a->text());
    out.sort();
    return out;
}

QStringList ticked(const QMenu& menu)
{
    QStringList out;
    for (const QAction* a : menu.actions()) {
        if (a->isChecked())
            out.append(a->data().toString());
    }
    return out;
}

} // namespace

class TestTileSetMenu : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_tiles;
    std::unique_ptr<QWidget> m_window;
    QMenu* m_menu = nullptr;
    std::unique_ptr<TileSet> m_set;
    TileSetMenu* m_tileMenu = nullptr;

    void addBitmap(const QString& file, const QColor& colour)
    {
        QVERIFY(QDir().mkpath(m_tiles));
        QVERIFY(strip(colour).save(QDir(m_tiles).filePath(file), "BMP"));
    }

    void addFile(const QString& file, const QByteArray& bytes)
    {
        QFile f(QDir(m_tiles).filePath(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void build()
    {
        m_set = std::make_unique<TileSet>(m_home->path());
        m_tileMenu = new TileSetMenu(*m_set, m_menu, m_window.get());
        m_tileMenu->tilemenu();
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        m_tiles = QDir(m_home->path()).filePath("gloopdashtiles");
        m_window = std::make_unique<QWidget>();
        m_menu = new QMenu(QStringLiteral("Tile Set"), m_window.get());
        addBitmap("red.bmp", Qt::red);
        addBitmap("blue.bmp", Qt::blue);
    }

    void cleanup()
    {
        m_window.reset();
        m_set.reset();
    }

    void choosingBlueTicksItLoadsItAndStoresIt()
    {
        build();
        QCOMPARE(captions(*m_menu), (QStringList{"Built-in", "blue", "red"}));
        // The built-in set is in use until another is chosen.
        QCOMPARE(ticked(*m_menu), QStringList{QString()});
        for (const QAction* a : m_menu->actions())
            QVERIFY(a->isSeparator() || (a->isCheckable() && a->actionGroup()));

        SettingsFile settings(m_home->path());
        settings.load();
        connect(m_tileMenu, &TileSetMenu::tileSetChosen, this, [&] {
            GameSettings now;
            now.tiles = m_set->currentTileSet();
            settings.save(now, SettingsFile::Key::Tiles);
        });
        QSignalSpy chosen(m_tileMenu, &TileSetMenu::tileSetChosen);
        QSignalSpy pictures(m_set.get(), &TileSet::picturesChanged);
        m_tileMenu->item("blue")->trigger();
        QCOMPARE(ticked(*m_menu), QStringList{"blue"});
        QCOMPARE(m_set->currentTileSet(), QStringLiteral("blue"));
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(m_set->pictures().pieces.at(3).pixelColor(10, 10), QColor(Qt::blue));
        QCOMPARE(SettingsFile(m_home->path()).load().tiles, QStringLiteral("blue"));

        m_tileMenu->item("red")->trigger();
        QCOMPARE(ticked(*m_menu), QStringList{"red"});
        // Choosing the set in use again keeps it ticked.
        m_tileMenu->item("red")->trigger();
        QCOMPARE(ticked(*m_menu), QStringList{"red"});

        // "Built-in" brings the game's own pictures back, and is stored so.
        m_tileMenu->item({})->trigger();
        m_tileMenu->item({})->trigger();
        QCOMPARE(ticked(*m_menu), QStringList{QString()});
        QCOMPARE(m_set->currentTileSet(), QString());
        QVERIFY(m_set->pictures().pieces.isEmpty());
        QCOMPARE(pictures.size(), 5);
        QCOMPARE(chosen.size(), 5);
        QCOMPARE(SettingsFile(m_home->path()).load().tiles, QString());
    }

    void failedChoiceKeepsTheSetInUse_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("reported");
        QTest::newRow("a.b.bmp") << "a.b.bmp"
                                 << "a" << false;
        QTest::newRow("not a bitmap") << "junk.bmp"
                                      << "junk" << true;
    }

    void failedChoiceKeepsTheSetInUse()
    {
        QFETCH(QString, file);
        QFETCH(QString, item);
        QFETCH(bool, reported);
        addFile(file, "this is no bitmap at all");
        build();
        QVERIFY(m_tileMenu->loadtile("red"));
        QSignalSpy chosen(m_tileMenu, &TileSetMenu::tileSetChosen);
        QAction* a = m_tileMenu->item(item);
        QVERIFY(a);
        a->trigger();
        QCOMPARE(ticked(*m_menu), QStringList{"red"});
        QCOMPARE(m_set->currentTileSet(), QStringLiteral("red"));
        QCOMPARE(chosen.size(), 0);
        const auto boxes = m_window->findChildren<QMessageBox*>();
        QCOMPARE(boxes.size(), reported ? 1 : 0);
        if (reported)
            QVERIFY(boxes.first()->text().contains(file));
    }

    void storedSetWithoutItemLoadsUnticked()
    {
        build();
        QVERIFY(m_tileMenu->loadtile("red"));
        addBitmap("late.bmp", Qt::green);
        QVERIFY(m_tileMenu->loadtile("late"));
        QCOMPARE(m_set->currentTileSet(), QStringLiteral("late"));
        QVERIFY(ticked(*m_menu).isEmpty());
        // A stored name whose file is gone leaves everything as it was.
        QVERIFY(!m_tileMenu->loadtile("gone"));
        QCOMPARE(m_set->currentTileSet(), QStringLiteral("late"));
    }

    void ampersandInNameIsShownNotAMnemonic()
    {
        addBitmap("R&B.bmp", Qt::magenta);
        build();
        QAction* a = m_tileMenu->item("R&B");
        QVERIFY(a);
        QCOMPARE(a->text(), QStringLiteral("R&&B"));
        a->trigger();
        QCOMPARE(m_set->currentTileSet(), QStringLiteral("R&B"));
    }
};

QTEST_MAIN(TestTileSetMenu)
#include "test_tile_set_menu.moc"

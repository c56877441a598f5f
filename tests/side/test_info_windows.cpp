#include "chat/core/tile_pictures.h"
#include "gd_version.h"
#include "side/about_window.h"
#include "side/help_window.h"
#include "side/story_window.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestInfoWindows : public QObject {
    Q_OBJECT
private slots:
    void pageButtonShowsItsPage_data();
    void pageButtonShowsItsPage();
    void imagesPageShowsSpecialTiles();
    void helpTellsWhatTheGameDoes();
    void opensCentredOnTheMainWindow();
    void helpReopensOnLastPage();
    void aboutCarriesVersionAndWebAddress();
    void storyIsTold();
};

void TestInfoWindows::pageButtonShowsItsPage_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("caption");
    for (const Thelp::Page& page : Thelp::pages())
        QTest::newRow(page.caption) << page.tag << QString::fromLatin1(page.caption);
}

void TestInfoWindows::pageButtonShowsItsPage()
{
    QFETCH(int, tag);
    QFETCH(QString, caption);
    Thelp help;
    QCOMPARE(help.currentPage()->objectName(), QStringLiteral("memo1"));
    auto* b = help.findChild<QPushButton*>(QStringLiteral("SelButton%1").arg(tag));
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(help.currentPage()->objectName(), QStringLiteral("memo%1").arg(tag));
    QCOMPARE(help.findChild<QLabel*>("label_caption")->text(), caption);
    // Every text page has its text compiled in.
    if (auto* memo = qobject_cast<QPlainTextEdit*>(help.currentPage())) {
        QVERIFY(memo->isReadOnly());
        QVERIFY(memo->toPlainText().size() > 200);
    }
}

void TestInfoWindows::imagesPageShowsSpecialTiles()
{
    // The pictures are the board's: tiles and bonus marks of the set in use,
    // also when the set was chosen before the page was first opened.
    QImage strip(TilePictures::StripWidth, TilePictures::Side, QImage::Format_RGB32);
    strip.fill(Qt::black);
    QPainter painter(&strip);
    for (int k = 0; k < TilePictures::PieceCount + TilePictures::BonusCount; ++k) {
        const QColor colour = QColor::fromHsv(k * 29, 255, 128 + k * 10);
        const int inset = k < TilePictures::PieceCount ? 0 : 16; // a mark leaves the tile around it
        painter.fillRect(k * 48 + inset, inset, 48 - 2 * inset, 48 - 2 * inset, colour);
    }
    painter.end();
    Thelp help;
    help.setTilePictures(TilePictures::fromStrip(strip));
    QVERIFY(!help.findChild<QLabel*>("image_tile1"));
    QTest::mouseClick(help.findChild<QPushButton*>("SelButton7"), Qt::LeftButton);
    QCOMPARE(help.caption(), QStringLiteral("Images"));
    auto* page = qobject_cast<QScrollArea*>(help.currentPage());
    QVERIFY(page);
    QStringList captions;
    for (const QLabel* label : page->widget()->findChildren<QLabel*>()) {
        if (label->objectName().startsWith("label_image"))
            captions << label->text();
    }
    QCOMPARE(captions,
             QStringList({"Space", "Humdrum", "Multiplies your current trail score and blast value by 2",
                          "Multiplies your current trail score and blast value by 3", "Blasts all surrounding planets.",
                          "Allows you to continue your trail even though the next planet you blast is "
                          "not adjacent",
                          "Allows you to hit any planet color"}));

    const auto pixel = [&](int n, int x, int y) {
        return help.findChild<QLabel*>(QStringLiteral("image_tile%1").arg(n))->pixmap().toImage().pixelColor(x, y);
    };
    const auto piece = [&](int code) { return strip.pixelColor(code * 48 + 2, 2); };
    const auto mark = [&](int code) { return strip.pixelColor((TilePictures::PieceCount + code) * 48 + 24, 24); };
    // picture n: tile code, bonus code (0: none)
    const int expected[7][2] = {{0, 0}, {1, 0}, {1, 3}, {1, 4}, {1, 2}, {1, 1}, {6, 0}};
    for (int n = 1; n <= 7; ++n) {
        const auto [tile, bonus] = expected[n - 1];
        QCOMPARE(pixel(n, 2, 2), piece(tile));
        QCOMPARE(pixel(n, 24, 24), bonus ? mark(bonus) : piece(tile));
    }
    // Back to the built-in set.
    help.setTilePictures({});
    QCOMPARE(pixel(7, 24, 24), QImage(":/pictures/board_tiles.png").pixelColor(6 * 48 + 24, 24));
}

void TestInfoWindows::helpTellsWhatTheGameDoes()
{
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    Thelp help;
    help.SelButton1Click(4, QStringLiteral("Scoring"));
    const auto* scoring = help.findChild<QPlainTextEdit*>("memo4");
    QVERIFY(scoring->toPlainText().contains("no points of its own"));
    QVERIFY(!scoring->toPlainText().contains(QRegularExpression("\\b200 points")));
    // Connecting tells of every way to a table besides the lobby.
    help.SelButton1Click(2, QStringLiteral("Connecting"));
    const QString connecting = help.findChild<QPlainTextEdit*>("memo2")->toPlainText();
    for (const char* topic : {"lobby", "7772", "Host a Multi-player Game", "Join a Multi-player Game", "HOST:PORT",
                              "--port", "Add Bot", "gloopdash-server", "sat at the table longest", "host disconnects"})
        QVERIFY2(connecting.contains(QLatin1String(topic)), topic);
    // Tile Sets names the folder this copy reads, wherever it keeps the player's files.
    help.SelButton1Click(8, QStringLiteral("Tile Sets"));
    const QString tiles = help.findChild<QPlainTextEdit*>("memo8")->toPlainText();
    qunsetenv("GLOOPDASH_HOME");
    QVERIFY(tiles.contains("\"gloopdashtiles\" inside the game's folder"));
    QVERIFY2(tiles.contains(QDir::toNativeSeparators(QDir(home.path()).filePath("gloopdashtiles"))), qPrintable(tiles));
    QVERIFY(tiles.contains("Built-in"));
    Tstory story;
    QVERIFY(story.storyText().contains("Pibbo"));
    QVERIFY(!story.storyText().contains("Pibbie"));
}

void TestInfoWindows::opensCentredOnTheMainWindow()
{
    QWidget main;
    main.setGeometry(40, 30, 713, 568);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    Thelp help;
    Tabout about;
    help.setAnchor(&main);
    about.setAnchor(&main);
    for (QWidget* window : {static_cast<QWidget*>(&help), static_cast<QWidget*>(&about)}) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QPoint off = window->frameGeometry().center() - main.frameGeometry().center();
        QVERIFY2(off.manhattanLength() <= 2, qPrintable(window->objectName()));
    }
    // Opened again after the main window moved, it follows.
    help.hide();
    main.move(200, 150);
    help.show();
    QVERIFY((help.frameGeometry().center() - main.frameGeometry().center()).manhattanLength() <= 2);
}

void TestInfoWindows::helpReopensOnLastPage()
{
    Thelp help;
    help.show();
    QTest::mouseClick(help.findChild<QPushButton*>("SelButton4"), Qt::LeftButton);
    QTest::mouseClick(help.findChild<QPushButton*>("button_done"), Qt::LeftButton);
    QVERIFY(!help.isVisible());
    help.show();
    QCOMPARE(help.currentPage()->objectName(), QStringLiteral("memo4"));
    QCOMPARE(help.caption(), QStringLiteral("Scoring"));
}

void TestInfoWindows::aboutCarriesVersionAndWebAddress()
{
    Tabout about;
    QCOMPARE(about.versionText(), QStringLiteral(GD_VERSION_TEXT));
    QCOMPARE(about.findChild<QLabel*>("Label10")->text(), QStringLiteral(".6"));
    struct : UrlOpener {
        QList<QUrl> opened;
        bool openUrl(const QUrl& url) override
        {
            opened << url;
            return true;
        }
    } opener;
    about.setUrlOpener(opener);
    emit about.findChild<QLabel*>("Label7")->linkActivated(about.webAddress().toString());
    QCOMPARE(opener.opened, QList<QUrl>{about.webAddress()});
}

void TestInfoWindows::storyIsTold()
{
    Tstory story;
    QVERIFY(story.storyText().contains("transport"));
    story.show();
    QTest::mouseClick(story.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    QVERIFY(!story.isVisible());
}

QTEST_MAIN(TestInfoWindows)
#include "test_info_windows.moc"

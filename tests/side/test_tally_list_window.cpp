#include "chat/core/settings_file.h"
#include "side/core/tally_book.h"
#include "side/core/tally_file.h"
#include "side/tally_everyone_setting.h"
#include "side/tally_list_window.h"

#include "full_disk.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

QString text(const QWidget& w, const QString& label)
{
    const auto* l = w.findChild<QLabel*>(label);
    return l ? l->text() : QStringLiteral("<no %1>").arg(label);
}

// The values of label_1 to label_8, or mylabel_1 to mylabel_4.
QStringList labels(const QWidget& w, const QString& prefix, int count)
{
    QStringList values;
    for (int i = 1; i <= count; ++i)
        values << text(w, prefix + QString::number(i));
    return values;
}

QStringList entries(const QListWidget* list, bool* allChecked = nullptr)
{
    QStringList names;
    if (allChecked)
        *allChecked = true;
    for (int i = 0; i < list->count(); ++i) {
        names << list->item(i)->text();
        if (allChecked && list->item(i)->checkState() != Qt::Checked)
            *allChecked = false;
    }
    return names;
}

QListWidgetItem* entry(const QListWidget* list, const QString& name)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

// Answers the open message box, which must ask `question`.
bool answer(QWidget& w, const QString& question, QMessageBox::StandardButton button)
{
    auto* box = w.findChild<QMessageBox*>(QStringLiteral("messagebox"));
    if (!box || box->text() != question || !box->button(button))
        return false;
    box->button(button)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return w.findChild<QMessageBox*>(QStringLiteral("messagebox")) == nullptr;
}

// A tally kept in `folder`, and its window.
struct Tally {
    explicit Tally(const QString& folder) : book(folder) { }
    TallyBook book;
    Ttallylist w{book};
};

// Ticks `name` in "Players In Current Game".
void tally(Ttallylist& w, const QString& name)
{
    QListWidgetItem* item = entry(w.checklist(), name);
    QVERIFY(item);
    item->setCheckState(Qt::Checked);
}

// Kim and Ada tallied; Bob plays untallied.
std::unique_ptr<Tally> windowWithKimAndAda(const QString& folder)
{
    auto t = std::make_unique<Tally>(folder);
    t->book.setPlayersInGame({"Kim", "Ada", "Bob"});
    tally(t->w, "Kim");
    tally(t->w, "Ada");
    return t;
}

const QString ResetQuestion = QStringLiteral("Are you sure you want to reset the Tally?");

double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

// The contrast between the darkest and the lightest pixel: text against what it
// stands on (4.5 or more reads well).
double contrast(const QImage& image)
{
    double lo = 1;
    double hi = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double l = luminance(image.pixel(x, y));
            lo = std::min(lo, l);
            hi = std::max(hi, l);
        }
    }
    return (hi + 0.05) / (lo + 0.05);
}

// The text of `label` as drawn on the window around it.
QImage drawnText(QWidget& window, const QLabel* label)
{
    const QRect r(label->mapTo(&window, QPoint(0, 0)), label->size());
    return window.grab(r).toImage();
}

} // namespace

class TallyListWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsEmptyWithItsParts();
    void addsOpponentsFromTheCurrentGame();
    void aWindowMadeLaterShowsTheBook();
    void countsGamesAndKeepsThemAcrossRestarts();
    void countsFromTheRebuiltCurrentGameList_data();
    void countsFromTheRebuiltCurrentGameList();
    void talliesEveryoneOnlyWhenAsked_data();
    void talliesEveryoneOnlyWhenAsked();
    void starfieldTilesWithoutSeams();
    void removesAnOpponentOnlyOnYes();
    void resetsOnlyOnYes();
    void keepsAnUnreadableFileAndStartsEmpty();
    void reportsAnUnreadableFileOverTheMainWindow();
    void staysReadable();
    void readsTheHomeFolderByDefault();
    void saysOnceThatAFullDiskRefusedTheTally();
};

void TallyListWindowTest::startsEmptyWithItsParts()
{
    QTemporaryDir dir;
    {
        Tally t(dir.path());
        Ttallylist& w = t.w;
        QCOMPARE(w.objectName(), QStringLiteral("tallylist"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Gloopen Dash - Tally List"));
        QCOMPARE(w.findChild<QListWidget*>("checklist"), w.checklist());
        QCOMPARE(w.findChild<QListWidget*>("listbox_tally"), w.listboxTally());
        QCOMPARE(labels(w, "mylabel_", 4), QStringList(4, "0"));
        // No made-up name before a tallied player is chosen.
        QVERIFY(!text(w, "label_hisname").contains("XX"));
        QVERIFY(!text(w, "label_hisnametop").contains("XX"));
        QVERIFY(!w.findChild<QMessageBox*>());
        w.show();
        qobject_cast<QAbstractButton*>(w.findChild<QWidget*>("FlatButton1"))->click();
        QVERIFY(w.isHidden());
    }
    // Written when the tally goes, as a fresh tally.
    QCOMPARE(QFileInfo(dir.filePath("gloopdashtally.tld")).size(), 24);
}

void TallyListWindowTest::addsOpponentsFromTheCurrentGame()
{
    QTemporaryDir dir;
    Tally t(dir.path());
    Ttallylist& w = t.w;
    t.book.setPlayersInGame({"Kim", "Evil\nName"});
    tally(w, "Kim");
    tally(w, "Evil\nName");
    bool checked = false;
    QCOMPARE(entries(w.listboxTally(), &checked), (QStringList{"Kim", "Evil Name"}));
    QVERIFY(checked);
    QVERIFY(QFile::exists(t.book.filePath()));

    // A rebuild ticks tallied names whatever their case; ticking one again, or
    // clearing a tick, changes nothing.
    t.book.setPlayersInGame({"KIM", "Ada"});
    QCOMPARE(entry(w.checklist(), "KIM")->checkState(), Qt::Checked);
    QCOMPARE(entry(w.checklist(), "Ada")->checkState(), Qt::Unchecked);
    entry(w.checklist(), "KIM")->setCheckState(Qt::Unchecked);
    entry(w.checklist(), "KIM")->setCheckState(Qt::Checked);
    QCOMPARE(entries(w.listboxTally()), (QStringList{"Kim", "Evil Name"}));
    QCOMPARE(t.book.table().playerCount(), 2);
}

// The window is made at its first showing, long after the game began counting.
void TallyListWindowTest::aWindowMadeLaterShowsTheBook()
{
    QTemporaryDir dir;
    TallyBook book(dir.path());
    book.setPlayersInGame({"Kim", "Bob"});
    QVERIFY(book.addPlayer("Kim"));
    book.addgame("Kim");
    Ttallylist w(book);
    QCOMPARE(entries(w.listboxTally()), QStringList{"Kim"});
    QCOMPARE(entries(w.checklist()), (QStringList{"Kim", "Bob"}));
    QCOMPARE(entry(w.checklist(), "Kim")->checkState(), Qt::Checked);
    QCOMPARE(entry(w.checklist(), "Bob")->checkState(), Qt::Unchecked);
    QCOMPARE(labels(w, "mylabel_", 4), (QStringList{"1", "0", "0", "0"}));
    w.listboxTally()->setCurrentRow(0);
    QCOMPARE(labels(w, "label_", 8), (QStringList{"1", "1", "0", "0", "1", "1", "0", "0"}));
}

void TallyListWindowTest::countsGamesAndKeepsThemAcrossRestarts()
{
    QTemporaryDir dir;
    auto t = windowWithKimAndAda(dir.path());
    t->book.addwongame();
    t->book.addgame("Kim");
    QVERIFY(t->book.offerhighscore(61000));
    QVERIFY(!t->book.offerhighscore(61000));
    QVERIFY(t->book.offertrail(930));
    QCOMPARE(labels(t->w, "mylabel_", 4), (QStringList{"2", "1", "61000", "930"}));
    QCOMPARE(t->book.mylabeltext(4), QStringLiteral("930"));
    t->w.listboxTally()->setCurrentRow(1);
    QCOMPARE(text(t->w, "label_hisnametop"), QStringLiteral("Ada's Tally"));
    QCOMPARE(text(t->w, "label_hisname"), QStringLiteral("Ada Wins:"));
    QCOMPARE(labels(t->w, "label_", 8), (QStringList{"2", "0", "1", "1", "2", "0", "1", "1"}));
    // The shown numbers follow a game counted while Ada is selected.
    t->book.addgame("Bob");
    QCOMPARE(labels(t->w, "label_", 8), (QStringList{"3", "0", "1", "2", "3", "0", "1", "2"}));

    // Already on disk while the window lives: a crash now loses nothing.
    const TallyFile::LoadResult onDisk = TallyFile(dir.path()).load();
    QCOMPARE(onDisk.status, TallyFile::Status::Loaded);
    QCOMPARE(onDisk.grid, t->book.table().grid());

    t.reset();
    Tally again(dir.path());
    bool checked = false;
    QCOMPARE(entries(again.w.listboxTally(), &checked), (QStringList{"Kim", "Ada"}));
    QVERIFY(checked);
    QCOMPARE(labels(again.w, "mylabel_", 4), (QStringList{"3", "1", "61000", "930"}));
    again.w.listboxTally()->setCurrentRow(0);
    QCOMPARE(labels(again.w, "label_", 8), (QStringList{"3", "1", "1", "1", "0", "0", "0", "0"}));
}

// addgame first asks the main window to rebuild "Players In Current Game" and
// counts only the tallied names found there.
void TallyListWindowTest::countsFromTheRebuiltCurrentGameList_data()
{
    QTest::addColumn<QStringList>("seated");
    QTest::addColumn<QString>("winner");
    QTest::addColumn<QStringList>("kim");
    QTest::addColumn<QStringList>("ada");
    const QStringList untouched(8, "0");
    QTest::newRow("winner differs in case")
        << QStringList{"kim", "Ada"} << "KIM" << QStringList{"1", "1", "0", "0", "1", "1", "0", "0"}
        << QStringList{"1", "0", "0", "1", "1", "0", "0", "1"};
    QTest::newRow("Ada left before the end")
        << QStringList{"Kim", "Bob"} << "Bob" << QStringList{"1", "0", "0", "1", "1", "0", "0", "1"} << untouched;
    // Whatever an opponent is called, his win is never counted as ours.
    QTest::newRow("opponent named like a tally word")
        << QStringList{"Kim", "Ada", "addtomine"} << "addtomine" << QStringList{"1", "0", "0", "1", "1", "0", "0", "1"}
        << QStringList{"1", "0", "0", "1", "1", "0", "0", "1"};
}

void TallyListWindowTest::countsFromTheRebuiltCurrentGameList()
{
    QFETCH(QStringList, seated);
    QFETCH(QString, winner);
    QFETCH(QStringList, kim);
    QFETCH(QStringList, ada);
    QTemporaryDir dir;
    auto t = windowWithKimAndAda(dir.path());
    t->book.setPlayersInGame({"Someone", "Else"});
    connect(&t->book, &TallyBook::loadchecklistrequested, &t->book, [&] { t->book.setPlayersInGame(seated); });
    t->book.addgame(winner);
    QCOMPARE(entries(t->w.checklist()), seated);
    t->w.listboxTally()->setCurrentRow(0);
    QCOMPARE(labels(t->w, "label_", 8), kim);
    t->w.listboxTally()->setCurrentRow(1);
    QCOMPARE(labels(t->w, "label_", 8), ada);
    QCOMPARE(text(t->w, "mylabel_1"), QStringLiteral("1"));
    QCOMPARE(text(t->w, "mylabel_2"), QStringLiteral("0"));
}

void TallyListWindowTest::talliesEveryoneOnlyWhenAsked_data()
{
    QTest::addColumn<bool>("everyone");
    QTest::addColumn<QStringList>("tallied");
    QTest::newRow("ticked opponents only") << false << QStringList{"Kim", "Ada"};
    QTest::newRow("everyone I play with") << true << QStringList{"Kim", "Ada", "Bob", "Cy"};
}

void TallyListWindowTest::talliesEveryoneOnlyWhenAsked()
{
    QFETCH(bool, everyone);
    QFETCH(QStringList, tallied);
    QTemporaryDir dir;
    auto t = windowWithKimAndAda(dir.path());
    SettingsFile settings(dir.path());
    TallyEveryoneSetting::bind(t->book, settings);
    auto* box = t->w.findChild<QCheckBox*>("checkbox_tallyeveryone");
    QVERIFY(box);
    QVERIFY(!box->isChecked());
    if (everyone)
        box->click();
    QCOMPARE(t->book.tallyEveryone(), everyone);
    t->book.setPlayersInGame({"Kim", "Ada", "Bob", "Cy"});
    t->book.addgame("Bob");
    QCOMPARE(entries(t->w.listboxTally()), tallied);
    bool allTicked = false;
    entries(t->w.checklist(), &allTicked);
    QCOMPARE(allTicked, everyone);
    if (everyone) {
        // Bob's first game counts: played 1, he won it.
        t->w.listboxTally()->setCurrentRow(2);
        QCOMPARE(labels(t->w, "label_", 2), (QStringList{"1", "1"}));
    }

    // The choice lives in the settings file's own section and comes back.
    QCOMPARE(settings.otherValue(TallyEveryoneSetting::sectionName(), "TallyEveryone").value_or("none"),
             everyone ? "true" : "none");
    QTemporaryDir laterDir;
    TallyBook later(laterDir.path());
    TallyEveryoneSetting::bind(later, settings);
    QCOMPARE(later.tallyEveryone(), everyone);
    QCOMPARE(Ttallylist(later).findChild<QCheckBox*>("checkbox_tallyeveryone")->isChecked(), everyone);
}

void TallyListWindowTest::starfieldTilesWithoutSeams()
{
    // A picture whose edges differ: tiled as it is, every copy would show a seam.
    QImage stars(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < stars.height(); ++y)
        for (int x = 0; x < stars.width(); ++x)
            stars.setPixel(x, y, qRgb(50 * x, 80 * y, 7));
    QTemporaryDir dir;
    TallyBook book(dir.path());
    Ttallylist w(book);
    w.setBackgroundPicture(QPixmap::fromImage(stars));
    const QImage tile = w.palette().window().texture().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(tile.size(), stars.size() * 2);
    QCOMPARE(tile.copy(0, 0, 5, 3), stars);
    // Each copy meets the next at matching pixels.
    for (int y = 0; y < tile.height(); ++y)
        QCOMPARE(tile.pixel(0, y), tile.pixel(tile.width() - 1, y));
    for (int x = 0; x < tile.width(); ++x)
        QCOMPARE(tile.pixel(x, 0), tile.pixel(x, tile.height() - 1));
}

void TallyListWindowTest::removesAnOpponentOnlyOnYes()
{
    QTemporaryDir dir;
    auto t = windowWithKimAndAda(dir.path());
    t->book.setPlayersInGame({"Ada"});
    t->book.addgame("Ada");
    t->book.setPlayersInGame({"Kim"});
    t->book.addgame("Kim");
    const StringGrid before = t->book.table().grid();
    const QString question = QStringLiteral("This will delete Kim's Tally, Are you want to delete it?");

    entry(t->w.listboxTally(), "Kim")->setCheckState(Qt::Unchecked);
    QVERIFY(answer(t->w, question, QMessageBox::No));
    QCOMPARE(entry(t->w.listboxTally(), "Kim")->checkState(), Qt::Checked);
    QCOMPARE(t->book.table().grid(), before);

    entry(t->w.listboxTally(), "Kim")->setCheckState(Qt::Unchecked);
    QVERIFY(answer(t->w, question, QMessageBox::Yes));
    QCOMPARE(entries(t->w.listboxTally()), QStringList{"Ada"});
    QCOMPARE(t->book.table().playerNames(), QStringList{"Ada"});
    t->w.listboxTally()->setCurrentRow(0);
    QCOMPARE(labels(t->w, "label_", 8), (QStringList{"1", "1", "0", "0", "1", "1", "0", "0"}));
    QCOMPARE(TallyFile(dir.path()).load().grid, t->book.table().grid());
}

void TallyListWindowTest::resetsOnlyOnYes()
{
    QTemporaryDir dir;
    auto t = windowWithKimAndAda(dir.path());
    t->book.addwongame();
    t->book.offertrail(400);
    t->w.listboxTally()->setCurrentRow(0);
    auto* reset = qobject_cast<QAbstractButton*>(t->w.findChild<QWidget*>("FlatButton2"));

    reset->click();
    QVERIFY(answer(t->w, ResetQuestion, QMessageBox::No));
    QCOMPARE(t->book.table().playerCount(), 2);

    reset->click();
    QVERIFY(answer(t->w, ResetQuestion, QMessageBox::Yes));
    QVERIFY(entries(t->w.listboxTally()).isEmpty());
    QCOMPARE(t->book.table().grid().rowCount(), 1);
    QCOMPARE(labels(t->w, "mylabel_", 4), QStringList(4, "0"));
    QCOMPARE(labels(t->w, "label_", 8), QStringList(8, "0"));
    QCOMPARE(entries(t->w.checklist()), (QStringList{"Kim", "Ada", "Bob"}));
    QCOMPARE(TallyFile(dir.path()).load().grid.rowCount(), 1);
}

void TallyListWindowTest::keepsAnUnreadableFileAndStartsEmpty()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("gloopdashtally.tld");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("WRZL\x64\0\0\0\x02\0\x80\x41", 12);
    }
    Tally t(dir.path());
    Ttallylist& w = t.w;
    QVERIFY(!w.findChild<QMessageBox*>()); // nobody would see it yet
    w.show(); // shown before any main window: told over the tally itself
    QTRY_VERIFY(w.findChild<QMessageBox*>() && w.findChild<QMessageBox*>()->isVisible());
    QVERIFY(answer(w, QStringLiteral("Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !"),
                   QMessageBox::Ok));
    QCOMPARE(t.book.table().grid(), TallyTable().grid());
    QFile bad(path + ".bad");
    QVERIFY(bad.open(QIODevice::ReadOnly));
    QCOMPARE(bad.readAll(), QByteArray("WRZL\x64\0\0\0\x02\0\x80\x41", 12));

    t.book.addtomine(TallyTable::TotalGames);
    QCOMPARE(TallyFile(dir.path()).load().grid.cell(1, 0), QStringLiteral("1"));
}

void TallyListWindowTest::reportsAnUnreadableFileOverTheMainWindow()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("gloopdashtally.tld"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a tally");
    f.close();
    // Read at start-up, before the main window is up; told once it shows.
    TallyBook book(dir.path());
    QWidget main;
    main.show();
    Ttallylist::reportLoadError(book, &main);
    QTRY_VERIFY(main.findChild<QMessageBox*>() && main.findChild<QMessageBox*>()->isVisible());
    QVERIFY(answer(main, main.findChild<QMessageBox*>()->text(), QMessageBox::Ok));
    Ttallylist w(book);
    w.show(); // said once only
    QCoreApplication::processEvents();
    QVERIFY(!w.findChild<QMessageBox*>() && !main.findChild<QMessageBox*>());
}

void TallyListWindowTest::staysReadable()
{
    QTemporaryDir dir;
    auto t = windowWithKimAndAda(dir.path());
    // The brightest background a tile set could give.
    QPixmap white(64, 64);
    white.fill(Qt::white);
    t->w.setBackgroundPicture(white);
    t->w.resize(620, 420);
    t->w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t->w));
    for (const QLabel* label : t->w.findChildren<QLabel*>()) {
        if (!label->text().isEmpty() && label->isVisible())
            QVERIFY2(contrast(drawnText(t->w, label)) >= 4.5, qPrintable(label->text()));
    }
    // The question boxes keep their own readable look.
    entry(t->w.listboxTally(), "Kim")->setCheckState(Qt::Unchecked);
    auto* box = t->w.findChild<QMessageBox*>(QStringLiteral("messagebox"));
    QVERIFY(box);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    auto* question = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    QVERIFY(question);
    QVERIFY(contrast(drawnText(*box, question)) >= 4.5);
    QVERIFY(answer(t->w, box->text(), QMessageBox::No));
}

void TallyListWindowTest::readsTheHomeFolderByDefault()
{
    QTemporaryDir dir;
    qputenv("GLOOPDASH_HOME", dir.path().toUtf8());
    TallyBook book;
    qunsetenv("GLOOPDASH_HOME");
    QCOMPARE(book.filePath(), dir.filePath("gloopdashtally.tld"));
}

// Every game rewrites the tally; on a full disk the old file stays and the
// player hears of it once, not after every game.
void TallyListWindowTest::saysOnceThatAFullDiskRefusedTheTally()
{
    FullDisk disk;
    QString why;
    if (!disk.mount(&why))
        QSKIP(qPrintable(why));
    Tally t(disk.path());
    t.book.addtomine(TallyTable::TotalGames);
    const QByteArray old = TallyFile::encode(t.book.table().grid());
    QCOMPARE(TallyFile(disk.path()).load().grid.cell(1, 0), QStringLiteral("1"));
    disk.fill();
    t.book.addtomine(TallyTable::TotalGames);
    t.book.addtomine(TallyTable::TotalGames);
    const QList<QMessageBox*> boxes = t.w.findChildren<QMessageBox*>(QStringLiteral("tallysavebox"));
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.first()->text().startsWith(QStringLiteral("Unable to write to ") + t.book.filePath()));
    QFile file(t.book.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
}

QTEST_MAIN(TallyListWindowTest)
#include "test_tally_list_window.moc"

// The game browser of the join dialog: the tables that answer on loopback,
// live, with what to check while none does, and a tab per source of tables.
#include "client/core/lan_table_finder.h"
#include "client/core/table_list_model.h"
#include "client/game_browser.h"
#include "client/join_game_dialog.h"
#include "server/discovery_responder.h"
#include "server/host_options.h"
#include "server/server.h"
#include "wire_client.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>

namespace {

// Hands over the rows a test gives it, like an internet list would.
class GivenRows : public TableSource {
public:
    void start() override { running = true; }
    void stop() override { running = false; }
    bool running = false;
};

QString cell(const QTableView* view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

} // namespace

class TestGameBrowser : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listsTheTablesThatAnswerAndFollowsThem();
    void saysWhatToCheckWhileNothingAnswers();
    void aClickChoosesAndADoubleClickJoins();
    void sortsTablesWithRoomFirst();
    void takesASecondSourceAsATab();

private:
    FixedHostOptions m_host;
    std::unique_ptr<Server> m_server;
    std::unique_ptr<DiscoveryResponder> m_responder;
    std::unique_ptr<JoinGameDialog> m_dialog;
};

void TestGameBrowser::init()
{
    QVERIFY(qEnvironmentVariable("GLOOPDASH_DISCOVERY_ADDRESSES").contains(QStringLiteral("127.0.0.1")));
    m_host.name = "Den";
    m_server = std::make_unique<Server>(m_host, 0);
    m_server->listen();
    m_responder = std::make_unique<DiscoveryResponder>(m_server->game(), m_host, m_server->port());
    QVERIFY(m_responder->start());
    m_dialog = std::make_unique<JoinGameDialog>(QStringLiteral("Vic"), QStringList{QStringLiteral("old.host:7000")});
    m_dialog->browser()->setExtraPorts({m_server->port()});
}

void TestGameBrowser::cleanup()
{
    m_dialog.reset();
    m_responder.reset();
    m_server.reset();
}

void TestGameBrowser::listsTheTablesThatAnswerAndFollowsThem()
{
    m_dialog->show();
    const QTableView* view = m_dialog->browser()->lanView();
    QTRY_COMPARE_WITH_TIMEOUT(view->model()->rowCount(), 1, 2000);
    QCOMPARE(cell(view, 0, TableListModel::Name), QStringLiteral("Den"));
    QCOMPARE(cell(view, 0, TableListModel::Players), QStringLiteral("0 of 6"));
    QCOMPARE(cell(view, 0, TableListModel::Game), QStringLiteral("waiting"));
    QCOMPARE(cell(view, 0, TableListModel::Address), QStringLiteral("127.0.0.1:%1").arg(m_server->port()));
    QVERIFY(cell(view, 0, TableListModel::AnswerTime).endsWith(QStringLiteral(" ms")));
    // The typed address and the recent hosts stay beside the list.
    QCOMPARE(m_dialog->addressBox()->itemText(0), QStringLiteral("old.host:7000"));

    WireClient ann;
    QVERIFY(ann.login(m_server->port(), "Ann"));
    QTRY_COMPARE_WITH_TIMEOUT(cell(view, 0, TableListModel::Players), QStringLiteral("1 of 6"),
                              LanTableFinder::RepeatMs + 1000);
    m_dialog->hide();
    QVERIFY(!m_dialog->browser()->lan().running());
}

void TestGameBrowser::saysWhatToCheckWhileNothingAnswers()
{
    m_host.listed = false;
    m_dialog->show();
    // The local network's own hint: a build with an internet list has a second tab.
    const auto* hint = m_dialog->browser()->lanView()->parentWidget()->findChild<QLabel*>("label_nogames");
    QVERIFY(hint);
    QVERIFY(hint->isVisible());
    QVERIFY(hint->text().contains(QStringLiteral("firewall must let UDP and TCP on the game port")));
    QTest::qWait(500);
    QCOMPARE(m_dialog->browser()->lanView()->model()->rowCount(), 0);
    m_host.listed = true;
    QTRY_VERIFY_WITH_TIMEOUT(!hint->isVisible(), LanTableFinder::RepeatMs + 1000);
}

void TestGameBrowser::aClickChoosesAndADoubleClickJoins()
{
    m_dialog->show();
    QTableView* view = m_dialog->browser()->lanView();
    QTRY_COMPARE_WITH_TIMEOUT(view->model()->rowCount(), 1, 2000);
    const QString address = QStringLiteral("127.0.0.1:%1").arg(m_server->port());
    const QPoint at = view->visualRect(view->model()->index(0, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(m_dialog->address(), address);
    QVERIFY(m_dialog->isVisible());

    m_dialog->addressBox()->setEditText(QStringLiteral("elsewhere"));
    QSignalSpy accepted(m_dialog.get(), &QDialog::accepted);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(m_dialog->address(), address);
}

void TestGameBrowser::sortsTablesWithRoomFirst()
{
    GameBrowser browser;
    TableRow full;
    full.table.id = QStringLiteral("000000000001");
    full.table.name = QStringLiteral("Full");
    full.table.players = 6;
    full.table.state = QStringLiteral("waiting");
    TableRow playing = full;
    playing.table.id = QStringLiteral("000000000002");
    playing.table.name = QStringLiteral("Busy");
    playing.table.players = 3;
    playing.table.state = QStringLiteral("playing");
    TableRow open = playing;
    open.table.id = QStringLiteral("000000000003");
    open.table.name = QStringLiteral("Open");
    open.table.state = QStringLiteral("waiting");
    for (const TableRow& r : {full, playing, open})
        browser.lanRows().heard(r);
    const QTableView* view = browser.lanView();
    QCOMPARE(cell(view, 0, TableListModel::Name), QStringLiteral("Open"));
    QCOMPARE(cell(view, 1, TableListModel::Name), QStringLiteral("Busy"));
    QCOMPARE(cell(view, 2, TableListModel::Name), QStringLiteral("Full"));
    // A table that fills up moves down as it changes.
    open.table.players = 6;
    browser.lanRows().heard(open);
    QCOMPARE(cell(view, 0, TableListModel::Name), QStringLiteral("Busy"));
}

void TestGameBrowser::takesASecondSourceAsATab()
{
    auto owned = std::make_unique<GivenRows>();
    GivenRows* given = owned.get();
    const int before = m_dialog->browser()->tabs()->count();
    TableListModel& rows = m_dialog->browser()->addSource(QStringLiteral("Elsewhere"), std::move(owned));
    QCOMPARE(m_dialog->browser()->tabs()->count(), before + 1);
    m_dialog->show();
    // A list other than the local network's is asked only while it is in front.
    QVERIFY(!given->running);
    m_dialog->browser()->tabs()->setCurrentIndex(before);
    QVERIFY(given->running);
    TableRow far;
    far.table.id = QStringLiteral("00000000abcd");
    far.table.name = QStringLiteral("Far");
    far.table.state = QStringLiteral("waiting");
    far.address = QStringLiteral("203.0.113.5");
    emit given->rowHeard(far);
    QCOMPARE(rows.rowCount(), 1);
    const auto* page = m_dialog->browser()->tabs()->widget(before);
    QCOMPARE(cell(page->findChild<QTableView*>("table_games"), 0, TableListModel::Name), QStringLiteral("Far"));
    m_dialog->hide();
    QVERIFY(!given->running);
}

QTEST_MAIN(TestGameBrowser)
#include "test_game_browser.moc"

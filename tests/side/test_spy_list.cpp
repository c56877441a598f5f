#include "side/core/spy_roster.h"
#include "side/spy_list_window.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

// Moves the pointer over the list to a point inside `row`, or below every row.
void pointAt(Tspylist& spys, int row)
{
    QListWidget* list = spys.listbox();
    const QPoint at =
        row >= 0 ? list->visualItemRect(list->item(row)).center() : QPoint(5, list->viewport()->height() - 2);
    QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
}

QAction* kick(Tspylist& spys)
{
    return spys.findChild<QAction*>("popup_kickhim");
}

} // namespace

class TestSpyList : public QObject {
    Q_OBJECT
private slots:
    void removesPointedEntryNotSelected();
    void nothingPointedOrNoNumber_data();
    void nothingPointedOrNoNumber();
    void departuresLeaveOnlyTheirEntry();
    void aWindowMadeLaterShowsTheRoster();
};

void TestSpyList::removesPointedEntryNotSelected()
{
    SpyRoster roster;
    Tspylist spys(roster);
    spys.resize(220, 300);
    spys.show();
    QVERIFY(!kick(spys)->isEnabled());
    spys.setKickEnabled(true);
    QVERIFY(kick(spys)->isEnabled());
    roster.addspy(7, "Ann");
    roster.addspy(8, "Bob");
    spys.listbox()->setCurrentRow(0);
    pointAt(spys, 1);
    QSignalSpy kicked(&spys, &Tspylist::kicking);
    kick(spys)->trigger();
    QCOMPARE(kicked.size(), 1);
    QCOMPARE(kicked[0][0].toInt(), 8);
}

void TestSpyList::nothingPointedOrNoNumber_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("pointAtEntry");
    QTest::newRow("never pointed") << "7: Ann" << false;
    QTest::newRow("no number") << "Ann: 7" << true;
    QTest::newRow("no colon") << "seven" << true;
}

void TestSpyList::nothingPointedOrNoNumber()
{
    QFETCH(QString, entry);
    QFETCH(bool, pointAtEntry);
    SpyRoster roster;
    Tspylist spys(roster);
    spys.resize(220, 300);
    spys.show();
    spys.setKickEnabled(true);
    spys.listbox()->addItem(entry);
    if (pointAtEntry)
        pointAt(spys, 0);
    QSignalSpy kicked(&spys, &Tspylist::kicking);
    kick(spys)->trigger();
    QCOMPARE(kicked.size(), 0);

    // Pointing past the last entry forgets the one pointed at before.
    roster.addspy(9, "Cy");
    pointAt(spys, 1);
    pointAt(spys, -1);
    QCOMPARE(spys.pointed(), -1);
    kick(spys)->trigger();
    QCOMPARE(kicked.size(), 0);
}

void TestSpyList::departuresLeaveOnlyTheirEntry()
{
    SpyRoster roster;
    Tspylist spys(roster);
    roster.addspy(7, "Ann");
    roster.addspy(8, "Bob");
    roster.addspy(9, "Cy");
    QVERIFY(!roster.removespy(3, "Ann"));
    QVERIFY(roster.removespy(8, "BOB"));
    QCOMPARE(roster.entries(), (QStringList{"7: Ann", "9: Cy"}));
    QCOMPARE(spys.listbox()->count(), 2);
    QCOMPARE(spys.listbox()->item(1)->text(), QStringLiteral("9: Cy"));
    roster.clear();
    QCOMPARE(spys.listbox()->count(), 0);
}

// The window is made at its first showing, after watchers came and went.
void TestSpyList::aWindowMadeLaterShowsTheRoster()
{
    SpyRoster roster;
    roster.addspy(7, "Ann");
    roster.addspy(8, "Bob");
    QVERIFY(roster.removespy(7, "Ann"));
    Tspylist spys(roster);
    QCOMPARE(spys.listbox()->count(), 1);
    QCOMPARE(spys.listbox()->item(0)->text(), QStringLiteral("8: Bob"));
    roster.addspy(9, "Cy");
    QCOMPARE(spys.listbox()->item(1)->text(), QStringLiteral("9: Cy"));
}

QTEST_MAIN(TestSpyList)
#include "test_spy_list.moc"

#include "client/core/ignore_list.h"

#include <QMap>
#include <QTest>

namespace {
// A settings section in memory: what was written is what is read.
struct Section {
    QMap<QString, QString> values;
    bool refuse = false;

    IgnoreList::Store store()
    {
        return {[this](const QString& key) -> std::optional<QString> {
                    if (!values.contains(key))
                        return std::nullopt;
                    return values.value(key);
                },
                [this](const QList<std::pair<QString, QString>>& written) {
                    if (refuse)
                        return false;
                    for (const auto& [key, value] : written)
                        values.insert(key, value);
                    return true;
                }};
    }
};
} // namespace

class TestIgnoreList : public QObject {
    Q_OBJECT
private slots:
    void speaker_data();
    void speaker();
    void readsWhatTheSectionHolds_data();
    void readsWhatTheSectionHolds();
    void keepsNamesAcrossARestart();
    void ignoringSilencesAndIsNotedOnce();
    void refusesPastTheLimit();
};

void TestIgnoreList::speaker_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("speaker");
    QTest::newRow("plain") << "Ann  says: hi|clRed"
                           << "Ann";
    QTest::newRow("longest name wins") << "Bob 2  says: hi|clRed"
                                       << "Bob 2";
    QTest::newRow("name as a word only") << "Bobby says: hi"
                                         << "";
    QTest::newRow("letter case counts") << "ann says: hi"
                                        << "";
    QTest::newRow("nobody") << "says: hi"
                            << "";
}

void TestIgnoreList::speaker()
{
    QFETCH(QString, text);
    QFETCH(QString, speaker);
    QCOMPARE(IgnoreList::speaker(text, {"Bob", "Ann", "Bob 2"}), speaker);
}

void TestIgnoreList::readsWhatTheSectionHolds_data()
{
    QTest::addColumn<QStringList>("section");
    QTest::addColumn<QStringList>("ignored");
    QTest::newRow("empty") << QStringList{} << QStringList{};
    QTest::newRow("two") << QStringList{"Ignored=2", "Ignore1=Ann", "Ignore2=Bob = the best"}
                         << QStringList{"Ann", "Bob = the best"};
    QTest::newRow("count past the names") << QStringList{"Ignored=3", "Ignore1=Ann"} << QStringList{"Ann"};
    QTest::newRow("count not a number") << QStringList{"Ignored=lots", "Ignore1=Ann"} << QStringList{};
    QTest::newRow("same name twice") << QStringList{"Ignored=2", "Ignore1=Ann", "Ignore2=ANN"} << QStringList{"Ann"};
    QTest::newRow("names past the count")
        << QStringList{"Ignored=1", "Ignore1=Ann", "Ignore2=Bob"} << QStringList{"Ann"};
    QTest::newRow("huge count") << QStringList{"Ignored=2000000000", "Ignore1=Ann"} << QStringList{"Ann"};
}

void TestIgnoreList::readsWhatTheSectionHolds()
{
    QFETCH(QStringList, section);
    QFETCH(QStringList, ignored);
    Section stored;
    for (const QString& line : section)
        stored.values.insert(line.section('=', 0, 0), line.section('=', 1));
    IgnoreList list;
    list.attach(stored.store());
    QCOMPARE(list.names(IgnoreList::Kind::Ignore), ignored);
    QVERIFY(list.names(IgnoreList::Kind::Mute).isEmpty());
}

void TestIgnoreList::keepsNamesAcrossARestart()
{
    Section stored;
    {
        IgnoreList list;
        list.attach(stored.store());
        for (const char* name : {"Ann", "Bob", "Cy"})
            QVERIFY(list.set(IgnoreList::Kind::Ignore, name, true));
        QVERIFY(list.set(IgnoreList::Kind::Mute, "Dee", true));
        QVERIFY(list.set(IgnoreList::Kind::Ignore, "bob", false));
    }
    IgnoreList again;
    again.attach(stored.store());
    QCOMPARE(again.names(IgnoreList::Kind::Ignore), (QStringList{"Ann", "Cy"}));
    QCOMPARE(again.names(IgnoreList::Kind::Mute), QStringList{"Dee"});
    // The shorter list blanked the name it no longer holds.
    QCOMPARE(stored.values.value("Ignore3"), QString());
    QVERIFY(again.set(IgnoreList::Kind::Ignore, "Ann", false));
    QVERIFY(again.set(IgnoreList::Kind::Ignore, "Cy", false));
    IgnoreList third;
    third.attach(stored.store());
    QVERIFY(third.names(IgnoreList::Kind::Ignore).isEmpty());
    stored.refuse = true;
    QVERIFY(!third.set(IgnoreList::Kind::Ignore, "Eve", true));
    // A refused write still holds for this run.
    QVERIFY(third.isIgnored("Eve"));
}

void TestIgnoreList::ignoringSilencesAndIsNotedOnce()
{
    IgnoreList list;
    QVERIFY(list.set(IgnoreList::Kind::Ignore, "Ann", true));
    QVERIFY(list.set(IgnoreList::Kind::Mute, "Bob", true));
    QVERIFY(list.isIgnored("aNN") && list.isMuted("ANN"));
    QVERIFY(!list.isIgnored("Bob") && list.isMuted("bob"));
    QVERIFY(!list.isMuted("Cy"));
    QVERIFY(list.firstHidden("Ann"));
    QVERIFY(!list.firstHidden("ann"));
    // Ignored anew after being forgiven: said once more.
    QVERIFY(list.set(IgnoreList::Kind::Ignore, "ANN", false));
    QVERIFY(!list.isMuted("Ann"));
    QVERIFY(list.set(IgnoreList::Kind::Ignore, "Ann", true));
    QVERIFY(list.firstHidden("Ann"));
}

void TestIgnoreList::refusesPastTheLimit()
{
    IgnoreList list;
    for (int n = 0; n < IgnoreList::MaxNames; ++n)
        QVERIFY(list.set(IgnoreList::Kind::Mute, QString::number(n), true));
    QVERIFY(!list.set(IgnoreList::Kind::Mute, "one more", true));
    QVERIFY(!list.isMuted("one more"));
    QVERIFY(list.set(IgnoreList::Kind::Ignore, "one more", true));
}

QTEST_APPLESS_MAIN(TestIgnoreList)
#include "test_ignore_list.moc"

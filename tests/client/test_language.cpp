#include "chat/core/settings_file.h"
#include "client/core/table_list_model.h"
#include "client/language_choice.h"
#include "client/language_menu.h"

#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char* const LocaleVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

void setLocale(const QStringList& values)
{
    for (int i = 0; i < 4; ++i) {
        if (values.value(i).isEmpty())
            qunsetenv(LocaleVariables[i]);
        else
            qputenv(LocaleVariables[i], values.value(i).toUtf8());
    }
}

QByteArray fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void followsTheSystem_data();
    void followsTheSystem();
    void choiceKeepsASectionOfItsOwn();
    void menuStoresTheChoice();
    void noteSpeaksTheChosenLanguage_data();
    void noteSpeaksTheChosenLanguage();
    void installsGameAndQtTexts_data();
    void installsGameAndQtTexts();
    void tableListSpeaksTheLanguage_data();
    void tableListSpeaksTheLanguage();
};

void TestLanguage::cleanup()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(window))
            delete window;
    }
    setLocale({});
    LanguageChoice::install(*QCoreApplication::instance(), QStringLiteral("en"));
}

void TestLanguage::followsTheSystem_data()
{
    // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
    QTest::addColumn<QStringList>("locale");
    QTest::addColumn<QString>("language");
    QTest::newRow("German LANG") << QStringList{"", "", "", "de_DE.UTF-8"} << "de";
    QTest::newRow("Spanish LANG") << QStringList{"", "", "", "es_ES.UTF-8"} << "es";
    QTest::newRow("LANGUAGE's first shipped entry") << QStringList{"fr:es:de", "", "", "en_US.UTF-8"} << "es";
    QTest::newRow("LANGUAGE of none shipped") << QStringList{"fr:it", "", "", "de_DE.UTF-8"} << "de";
    QTest::newRow("LC_ALL before LANG") << QStringList{"", "de_AT.UTF-8@euro", "", "es_ES.UTF-8"} << "de";
    QTest::newRow("LC_MESSAGES before LANG") << QStringList{"", "", "es_MX", "de_DE.UTF-8"} << "es";
    QTest::newRow("LC_ALL of no shipped language") << QStringList{"", "fr_FR.UTF-8", "", "de_DE.UTF-8"} << "en";
    QTest::newRow("C locale") << QStringList{"", "", "", "C"} << "en";
    QTest::newRow("POSIX") << QStringList{"", "POSIX", "", ""} << "en";
    QTest::newRow("nothing set") << QStringList{} << "en";
}

void TestLanguage::followsTheSystem()
{
    QFETCH(QStringList, locale);
    QFETCH(QString, language);
    setLocale(locale);
    QCOMPARE(LanguageChoice::fromEnvironment(), language);
    QCOMPARE(LanguageChoice(nullptr).effective(), language);
}

// The choice sits in its own section: the game's section and any other one
// keep their lines, and a choice the game does not ship is not stored.
void TestLanguage::choiceKeepsASectionOfItsOwn()
{
    QTemporaryDir dir;
    SettingsFile file(dir.path());
    const QByteArray before = "[gloopdash]\r\nTiles=Shapes\r\n[gloopdash.join]\r\nName=Ann\r\n";
    QFile raw(file.path());
    QVERIFY(raw.open(QIODevice::WriteOnly));
    raw.write(before);
    raw.close();
    setLocale({"", "", "", "es_ES.UTF-8"});
    LanguageChoice choice(&file);
    QCOMPARE(choice.stored(), QString());
    QCOMPARE(choice.effective(), QStringLiteral("es"));
    QVERIFY(choice.store(QStringLiteral("de")));
    QCOMPARE(LanguageChoice(&file).stored(), QStringLiteral("de"));
    QCOMPARE(choice.effective(), QStringLiteral("de"));
    const QByteArray after = fileText(file.path());
    QVERIFY2(after.startsWith(before), after.constData());
    QVERIFY(after.contains("[gloopdash.language]"));
    QVERIFY(!choice.store(QStringLiteral("fr")));
    QCOMPARE(choice.stored(), QStringLiteral("de"));
    QVERIFY(choice.store(QString()));
    QCOMPARE(choice.effective(), QStringLiteral("es"));
}

void TestLanguage::menuStoresTheChoice()
{
    QTemporaryDir dir;
    SettingsFile file(dir.path());
    QVERIFY(LanguageChoice(&file).store(QStringLiteral("es")));
    QMenu menu;
    LanguageMenu languages(file, &menu, nullptr);
    QStringList captions;
    QString ticked;
    for (QAction* item : languages.items()->actions()) {
        captions << item->text();
        if (item->isChecked())
            ticked = item->text();
    }
    QCOMPARE(captions, (QStringList{"System Default", "English", "Deutsch", "Español"}));
    QCOMPARE(ticked, QStringLiteral("Español"));
    languages.items()->actions().at(2)->trigger();
    QCOMPARE(LanguageChoice(&file).stored(), QStringLiteral("de"));
}

// The note about the next start is read by someone who just chose a language:
// it speaks that one, or the system's for "System Default", whatever the
// windows speak now.
void TestLanguage::noteSpeaksTheChosenLanguage_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("note");
    QTest::newRow("German") << 2 << "es_ES.UTF-8"
                            << "Die neue Sprache erscheint beim nächsten Start von Gloop Dash.";
    QTest::newRow("Spanish") << 3 << "de_DE.UTF-8"
                             << "El nuevo idioma se verá la próxima vez que se inicie Gloop Dash.";
    QTest::newRow("English") << 1 << "de_DE.UTF-8"
                             << "The new language shows the next time Gloop Dash starts.";
    QTest::newRow("the system's Spanish") << 0 << "es_ES.UTF-8"
                                          << "El nuevo idioma se verá la próxima vez que se inicie Gloop Dash.";
}

void TestLanguage::noteSpeaksTheChosenLanguage()
{
    QFETCH(int, item);
    QFETCH(QString, system);
    QFETCH(QString, note);
    setLocale({"", "", "", system});
    QTemporaryDir dir;
    SettingsFile file(dir.path());
    QMenu menu;
    LanguageMenu languages(file, &menu, nullptr);
    // The windows speak German meanwhile.
    QVERIFY(LanguageChoice::install(*QCoreApplication::instance(), QStringLiteral("de")));
    languages.items()->actions().at(item)->trigger();
    QStringList shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->objectName() == "language_note") {
            shown << box->text();
            delete box;
        }
    }
    QCOMPARE(shown, QStringList{note});
}

void TestLanguage::installsGameAndQtTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("translated");
    QTest::newRow("German cell") << "de"
                                 << "BoardCells"
                                 << "red gloop"
                                 << "roter Gloop";
    QTest::newRow("Spanish cell") << "es"
                                  << "BoardCells"
                                  << "red gloop"
                                  << "gloop rojo";
    QTest::newRow("German option") << "de"
                                   << "SettingsBinding"
                                   << "Tile Set"
                                   << "Steinsatz";
    QTest::newRow("Spanish option") << "es"
                                    << "SettingsBinding"
                                    << "Language"
                                    << "Idioma";
    QTest::newRow("Qt's own German") << "de"
                                     << "QPlatformTheme"
                                     << "Cancel"
                                     << "Abbrechen";
    QTest::newRow("Qt's own Spanish") << "es"
                                      << "QPlatformTheme"
                                      << "Cancel"
                                      << "Cancelar";
}

void TestLanguage::installsGameAndQtTexts()
{
    QFETCH(QString, language);
    QFETCH(QString, context);
    QFETCH(QString, english);
    QFETCH(QString, translated);
    const auto text = [&] {
        return QCoreApplication::translate(context.toLatin1().constData(), english.toUtf8().constData());
    };
    QVERIFY(LanguageChoice::install(*QCoreApplication::instance(), language));
    QCOMPARE(text(), translated);
    // Back to English: no translation is left behind.
    QVERIFY(LanguageChoice::install(*QCoreApplication::instance(), QStringLiteral("en")));
    QCOMPARE(text(), english);
}

// The game browser's columns: what the table announces in words of the wire
// ("playing", "classic") is shown in the player's language.
void TestLanguage::tableListSpeaksTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("English") << "en" << QStringList{"Table", "2 of 4 (1 bots)", "mission 2 of 6, classic"};
    QTest::newRow("German") << "de" << QStringList{"Tisch", "2 von 4 (1 Bots)", "Mission 2 von 6, klassisch"};
    QTest::newRow("Spanish") << "es" << QStringList{"Mesa", "2 de 4 (1 bots)", "misión 2 de 6, clásica"};
}

void TestLanguage::tableListSpeaksTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(QStringList, shown);
    QVERIFY(LanguageChoice::install(*QCoreApplication::instance(), language));
    TableRow row;
    row.table.players = 2;
    row.table.seats = 4;
    row.table.bots = 1;
    row.table.state = QStringLiteral("playing");
    row.table.mode = QStringLiteral("classic");
    row.table.mission = 2;
    row.table.missions = 6;
    const TableListModel list;
    QCOMPARE((QStringList{list.headerData(TableListModel::Name, Qt::Horizontal).toString(),
                          TableListModel::text(row, TableListModel::Players),
                          TableListModel::text(row, TableListModel::Game)}),
             shown);
}

QTEST_MAIN(TestLanguage)
#include "test_language.moc"

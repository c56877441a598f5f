#include "chat/core/settings_file.h"
#include "client/language_choice.h"
#include "client/language_menu.h"

#include <QActionGroup>
#include <QFile>
#include <QMenu>
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
    void installsGameAndQtTexts_data();
    void installsGameAndQtTexts();
};

void TestLanguage::cleanup()
{
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

QTEST_MAIN(TestLanguage)
#include "test_language.moc"

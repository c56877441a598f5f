// The windows a player meets speak the system's language: the main window and
// its menus, the host and join dialogs with the game browser, the reconnect
// strip and every side window. The program is brought up once in English and
// once in the language under test; a visible text of the second that is also
// one of the first was left untranslated, unless it is listed as reading the
// same in both languages.
#include "chat/core/settings_file.h"
#include "client/connection_controller.h"
#include "client/core/client_session.h"
#include "client/core/game_model.h"
#include "client/language_choice.h"
#include "client/main_window.h"
#include "client/program_windows.h"
#include "client/reconnector.h"
#include "server/host_options.h"
#include "server/server.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What a player reads, with what cannot tell languages apart taken out: the
// mnemonic marks, and numbers (a count or a port reads the same in any language).
QString readable(QString text)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    text.remove(u'&').replace(digits, QStringLiteral("#"));
    return text.trimmed();
}

// Words only: a web address is the same in any language.
void add(QSet<QString>& texts, const QString& text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2}"));
    const QString shown = readable(text);
    if (shown.contains(word) && !shown.contains(QLatin1String("://")))
        texts.insert(shown);
}

void addMenu(QSet<QString>& texts, const QMenu& menu)
{
    add(texts, menu.title());
    for (const QAction* item : menu.actions())
        add(texts, item->text());
}

// The texts one widget shows, when it shows in its window.
void addWidget(QSet<QString>& texts, QWidget& widget)
{
    if (auto* menu = qobject_cast<QMenu*>(&widget)) {
        addMenu(texts, *menu);
        return;
    }
    if (widget.isWindow()) {
        add(texts, widget.windowTitle());
    } else if (!widget.isVisibleTo(widget.window())) {
        return;
    }
    add(texts, widget.accessibleName());
    add(texts, widget.accessibleDescription());
    // A context menu made of the widget's own actions.
    for (const QAction* item : widget.actions())
        add(texts, item->text());
    if (auto* label = qobject_cast<QLabel*>(&widget))
        add(texts, label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(&widget))
        add(texts, button->text());
    if (auto* box = qobject_cast<QGroupBox*>(&widget))
        add(texts, box->title());
    if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        add(texts, line->text());
        add(texts, line->placeholderText());
    }
    if (auto* choice = qobject_cast<QComboBox*>(&widget)) {
        for (int i = 0; i < choice->count(); ++i)
            add(texts, choice->itemText(i));
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(&widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            add(texts, tabs->tabText(i));
    }
    if (auto* header = qobject_cast<QHeaderView*>(&widget); header && header->model()) {
        for (int i = 0; i < header->count(); ++i)
            add(texts, header->model()->headerData(i, header->orientation()).toString());
    }
}

void useLanguage(const QString& locale, const QString& home)
{
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        qunsetenv(variable);
    qputenv("LANG", locale.toUtf8());
    // As the program starts: the language is set before the first window.
    SettingsFile file(home);
    QVERIFY(LanguageChoice::install(*QCoreApplication::instance(), LanguageChoice(&file).effective()));
}

void openFromTheMenu(MainWindow& window, const char* item)
{
    auto* action = window.findChild<QAction*>(QLatin1String(item));
    QVERIFY(action);
    action->trigger();
}

// Every text of the program's windows, seated at a table that then drops the
// link, with the host and join dialogs open and every side window built.
QSet<QString> programTexts(const QString& locale)
{
    QSet<QString> texts;
    QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toUtf8());
    useLanguage(locale, home.path());
    FixedHostOptions options;
    Server table(options, 0);
    table.listen();
    {
        ProgramWindows program(0, 0);
        program.start({"Ann", "127.0.0.1:" + QString::number(table.port()), "false"});
        if (!QTest::qWaitFor([&] { return program.model().session().loggedin(); }, 5000))
            return {};
        // The strip shows while the link is mended, which can be quick.
        const Reconnector& reconnector = program.connection().reconnector();
        QObject::connect(&reconnector, &Reconnector::reconnecting, &program.chat(), [&] {
            if (auto* strip = program.chat().findChild<QLabel*>("reconnectstrip"))
                addWidget(texts, *strip);
        });
        QSignalSpy back(&reconnector, &Reconnector::reconnected);
        table.disconnectsock(1);
        if (!back.wait(10000))
            return {};
        openFromTheMenu(program.chat(), "HostGame1");
        openFromTheMenu(program.chat(), "JoinGame1");
        // Built, not shown: their texts are there all the same.
        program.spylist();
        program.tallylist();
        program.phrases();
        program.about();
        program.help();
        program.story();
        program.highscore();
        program.gamestart();
        program.download();
        for (QWidget* widget : QApplication::allWidgets())
            addWidget(texts, *widget);
        for (QDialog* dialog : program.chat().findChildren<QDialog*>())
            dialog->reject();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return texts;
}

// Texts that read the same in English: names, and words the language shares.
const QStringList Everywhere = {"Gloop Dash", "Ann",  "English", "Deutsch", "Español", "Mirrek Software",
                                "Internet",   "Chat", "Normal",  "Bots: #", "CS"};

} // namespace

class TestTranslatedWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyShownTextIsTranslated_data();
    void everyShownTextIsTranslated();

private:
    QTemporaryDir m_runtime;
    QSet<QString> m_english;
};

void TestTranslatedWindows::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
    // The join dialog's internet tab, never asked here: it stays behind the
    // local network's.
    qputenv("GLOOPDASH_COORDINATOR", "http://127.0.0.1:9");
    m_english = programTexts(QStringLiteral("en_US.UTF-8"));
    // The English run is the measure: it must have reached every window.
    QVERIFY(m_english.contains("File"));
    QVERIFY(m_english.contains("Also look for games on port:"));
    QVERIFY(m_english.contains("List this game on the internet"));
    QVERIFY(m_english.contains("Connection lost — reconnecting… (# s)"));
}

void TestTranslatedWindows::cleanupTestCase()
{
    LanguageChoice::install(*QCoreApplication::instance(), QStringLiteral("en"));
}

void TestTranslatedWindows::everyShownTextIsTranslated_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("fileMenu");
    QTest::addColumn<QStringList>("alike");
    QTest::newRow("German") << "de_DE.UTF-8"
                            << "Datei" << (Everywhere + QStringList{"Port:", "Version"});
    QTest::newRow("Spanish") << "es_ES.UTF-8"
                             << "Archivo" << (Everywhere + QStringList{"Total"});
}

void TestTranslatedWindows::everyShownTextIsTranslated()
{
    QFETCH(QString, locale);
    QFETCH(QString, fileMenu);
    QFETCH(QStringList, alike);
    const QSet<QString> texts = programTexts(locale);
    QVERIFY(texts.contains(fileMenu));
    QStringList untranslated;
    for (const QString& text : texts) {
        if (m_english.contains(text) && !alike.contains(text))
            untranslated << text;
    }
    untranslated.sort();
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral(" | "))));
}

QTEST_MAIN(TestTranslatedWindows)
#include "test_translated_windows.moc"

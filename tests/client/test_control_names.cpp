// Every control of every window, as a screen reader and a keyboard player
// meet them: each has a name to read, and each that takes input is reached
// with Tab.
#include "chat/tphrases.h"
#include "client/main_window.h"
#include "client/program_windows.h"
#include "side/about_window.h"
#include "side/download_window.h"
#include "side/game_start_window.h"
#include "side/help_window.h"
#include "side/high_score_window.h"
#include "side/spy_list_window.h"
#include "side/story_window.h"
#include "side/tally_list_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The widgets a player acts on or reads as a value: buttons, lists, edits,
// boxes, and whatever takes the focus.
bool isControl(const QWidget* w)
{
    return w->isVisibleTo(w->window()) && (w->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(w));
}

// Controls without a name to read or out of the Tab order.
QStringList namelessControls(QWidget& window)
{
    QStringList nameless;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!isControl(w))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const bool tabbed = (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty() || !tabbed)
            nameless << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                      QString::fromLatin1(w->metaObject()->className()));
    }
    return nameless;
}

} // namespace

class TestControlNames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyControlIsNamedAndReachedByTab_data();
    void everyControlIsNamedAndReachedByTab();

private:
    QTemporaryDir m_runtime;
    QTemporaryDir m_home;
    std::unique_ptr<ProgramWindows> m_program;
};

void TestControlNames::initTestCase()
{
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
    qputenv("GLOOPDASH_HOME", m_home.path().toUtf8());
    m_program = std::make_unique<ProgramWindows>(0, 0);
}

void TestControlNames::everyControlIsNamedAndReachedByTab_data()
{
    QTest::addColumn<QString>("window");
    for (const char* name :
         {"chat", "spylist", "tallylist", "phrases", "about", "help", "story", "highscore", "gamestart", "download"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestControlNames::everyControlIsNamedAndReachedByTab()
{
    QFETCH(QString, window);
    ProgramWindows& p = *m_program;
    const QHash<QString, std::function<QWidget&()>> windows{
        {"chat", [&]() -> QWidget& { return p.chat(); }},
        {"spylist", [&]() -> QWidget& { return p.spylist(); }},
        {"tallylist", [&]() -> QWidget& { return p.tallylist(); }},
        {"phrases", [&]() -> QWidget& { return p.phrases(); }},
        {"about", [&]() -> QWidget& { return p.about(); }},
        {"help", [&]() -> QWidget& { return p.help(); }},
        {"story", [&]() -> QWidget& { return p.story(); }},
        {"highscore", [&]() -> QWidget& { return p.highscore(); }},
        {"gamestart", [&]() -> QWidget& { return p.gamestart(); }},
        {"download", [&]() -> QWidget& { return p.download(); }},
    };
    QWidget& w = windows.value(window)();
    const QStringList nameless = namelessControls(w);
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestControlNames)
#include "test_control_names.moc"

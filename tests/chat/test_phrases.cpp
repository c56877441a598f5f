#include "chat/chat_edit.h"
#include "chat/panel_chat.h"
#include "chat/phrase_buttons.h"
#include "chat/smilies_menu.h"
#include "chat/tphrases.h"
#include "support_chat_link.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class TestPhrases : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsWithBuiltInPhrasesInTwoRows();
    void phraseButtonSendsItsPhrase();
    void csButtonAsksForChatterMenu();
    void editorRoundTrip();
    void closingEditorChangesNothing();
    void smileysGoIntoTheInputLine();
    void smiliesMenuHoldsEighteenCodes();

private:
    QWidget* m_window = nullptr;
    PhraseButtons* m_buttons = nullptr;
    PanelChat* m_chat = nullptr;
    Tphrases* m_editor = nullptr;
    FakeChatLink m_link;
};

void TestPhrases::init()
{
    m_link = {};
    m_window = new QWidget;
    m_window->resize(713, 568);
    m_buttons = new PhraseButtons(m_window);
    m_chat = new PanelChat(m_window);
    m_chat->setConnection(&m_link);
    connect(m_buttons, &PhraseButtons::phraseClicked, m_chat, &PanelChat::sendphrase);
    m_editor = new Tphrases(m_window);
    m_editor->setButtons(m_buttons);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestPhrases::cleanup()
{
    delete m_window;
}

void TestPhrases::startsWithBuiltInPhrasesInTwoRows()
{
    const QStringList builtIn{"Way To Go!", "Good One!", "Nice Trail",  "Excellent!",         "Brilliant!",
                              "Wow, WTG!",  "Thanks!",   "Nice Round!", "Good Game Everyone!"};
    QCOMPARE(m_buttons->phrases(), builtIn);
    const int lefts[] = {9, 36, 63, 90, 117};
    for (int k = 1; k <= 10; ++k) {
        auto* b = m_window->findChild<QToolButton*>(QStringLiteral("b_phrase%1").arg(k));
        QVERIFY(b);
        const QRect onPanel(b->mapTo(m_window, QPoint(0, 0)), b->size());
        QCOMPARE(onPanel, QRect(lefts[(k - 1) % 5], k <= 5 ? 308 : 329, 25, 19));
        QCOMPARE(b->text(), k < 10 ? QStringLiteral("P%1").arg(k) : QStringLiteral("CS"));
        QCOMPARE(b->toolTip(), k < 10 ? builtIn.at(k - 1) : QStringLiteral("See ya!"));
    }
}

void TestPhrases::phraseButtonSendsItsPhrase()
{
    m_link.slot = 7; // watchers send phrases too
    m_buttons->button(9)->click();
    QCOMPARE(m_link.sent, QByteArrayList{wire("CMD_phrase+7+ says: Good Game Everyone!|clBlack")});
    m_link.loggedIn = false;
    m_buttons->button(1)->click();
    QCOMPARE(m_link.sent.size(), 1);
}

void TestPhrases::csButtonAsksForChatterMenu()
{
    QSignalSpy menu(m_buttons, &PhraseButtons::chatterSoundsRequested);
    QToolButton* cs = m_buttons->button(10);
    cs->click();
    QCOMPARE(menu.count(), 1);
    QCOMPARE(menu.at(0).at(0).toPoint(), cs->mapToGlobal(cs->rect().bottomRight()));
    QVERIFY(m_link.sent.isEmpty());
}

void TestPhrases::editorRoundTrip()
{
    m_buttons->setPhrase(2, QStringLiteral("Stored two"));
    m_editor->openEditor(m_window);
    QVERIFY(m_editor->isVisible());
    QCOMPARE(m_editor->windowTitle(), QStringLiteral("Gloop Dash - Phrase Buttons"));
    QCOMPARE(m_editor->edit(1)->text(), QStringLiteral("Way To Go!"));
    QCOMPARE(m_editor->edit(2)->text(), QStringLiteral("Stored two"));

    m_editor->edit(3)->clear();
    QTest::keyClicks(m_editor->edit(3), QString(60, QLatin1Char('z')));
    m_editor->edit(4)->clear();
    QSignalSpy stored(m_editor, &Tphrases::phrasesDone);
    m_editor->findChild<QPushButton*>(QStringLiteral("button_done"))->click();
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(stored.count(), 1);
    const QStringList phrases = stored.at(0).at(0).toStringList();
    QCOMPARE(phrases, m_buttons->phrases());
    QCOMPARE(phrases.at(2), QString(50, QLatin1Char('z')));
    QCOMPARE(m_buttons->button(3)->toolTip(), phrases.at(2));
    // An emptied phrase is sent empty for the rest of the run.
    QCOMPARE(phrases.at(3), QString());
    m_buttons->button(4)->click();
    QCOMPARE(m_link.sent, QByteArrayList{wire("CMD_phrase+3+ says: |clBlack")});
}

void TestPhrases::closingEditorChangesNothing()
{
    QSignalSpy stored(m_editor, &Tphrases::phrasesDone);
    m_editor->openEditor(m_window);
    m_editor->edit(1)->setText(QStringLiteral("Not kept"));
    m_editor->close();
    QCOMPARE(stored.count(), 0);
    QCOMPARE(m_buttons->phrase(1), QStringLiteral("Way To Go!"));
    m_editor->openEditor(m_window);
    QCOMPARE(m_editor->edit(1)->text(), QStringLiteral("Way To Go!"));
}

void TestPhrases::smileysGoIntoTheInputLine()
{
    ChatEdit* edit = m_chat->mychat();
    QCOMPARE(edit->text(), QStringLiteral("<Enter Chat Here>"));
    // The menu is built when the button first asks for it, and wired then.
    QVERIFY(!m_chat->findChild<QMenu*>("popup_smilies"));
    m_chat->smiliesButton()->click();
    auto* menu = m_chat->findChild<QMenu*>("popup_smilies");
    QVERIFY(menu && menu->isVisible());
    QCOMPARE(m_chat->smiliesMenu(), menu);
    menu->hide();
    menu->actions().at(2)->trigger();
    QCOMPARE(edit->text(), QStringLiteral(":)#12"));
    edit->selectAll();
    m_chat->insertSmiley(27);
    QCOMPARE(edit->text(), QStringLiteral(":)#12:)#27"));
    QCOMPARE(edit->cursorPosition(), edit->text().size());
    QVERIFY(!edit->hasSelectedText());
    QVERIFY(m_link.sent.isEmpty());
}

void TestPhrases::smiliesMenuHoldsEighteenCodes()
{
    const QList<QAction*> items = m_chat->smiliesMenu()->actions();
    QCOMPARE(items.size(), 18);
    for (int i = 0; i < 18; ++i) {
        QCOMPARE(items.at(i)->text(), QStringLiteral(":)#%1").arg(10 + i));
        QCOMPARE(items.at(i)->data().toInt(), 10 + i);
        QCOMPARE(items.at(i)->icon().availableSizes().value(0), QSize(17, 16));
    }
    const RichImageList pictures = SmiliesMenu::loadPictures();
    QCOMPARE(pictures.size(), 18);
    for (const QPixmap& p : pictures)
        QCOMPARE(p.size(), QSize(17, 16));
}

QTEST_MAIN(TestPhrases)
#include "test_phrases.moc"

#include "chat/chat_edit.h"
#include "chat/chat_menu.h"
#include "chat/core/colour_text.h"
#include "chat/panel_chat.h"
#include "net/protocol_to_client.h"
#include "support_chat_link.h"
#include "ui/rich_chat_view.h"

#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestChatPanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsLinesInTheirStyle();
    void showsStatusAddressesAsTyped_data();
    void showsStatusAddressesAsTyped();
    void dropsUnreadableLinesWithoutABox_data();
    void dropsUnreadableLinesWithoutABox();
    void keepsTheChatWithinBounds();
    void opensEachLinksOwnTargetAfterClear();
    void keepsLinksApartPastTheFirstHundred();
    void opensOnlyWebTargets();
    void restylesSharedLinkStyleForSlotFour();
    void scrollChatOffKeepsTheView();
    void sendsTypedLines_data();
    void sendsTypedLines();
    void keepsTextWhileNotLoggedIn();
    void editsTheInputLine();
    void textSizeAppliesAtNextLine();
    void textColourFromChooser();
    void copiesSelectedChat();

private:
    QString shownText() const;
    int clickLink(int item);

    PanelChat* m_panel = nullptr;
    // A relayed chat payload as the client's dispatcher hands it on.
    void receive(const QByteArray& payload)
    {
        FieldReader f(payload);
        if (const auto m = ToClient::Chat::decode(f))
            m_panel->chatrecieved(m->slot, m->text);
    }
    FakeChatLink m_link;
    UrlRecorder m_urls;
};

void TestChatPanel::init()
{
    m_link = {};
    m_urls.opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_urls, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_urls, "open");
    m_panel = new PanelChat;
    m_panel->setConnection(&m_link);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
}

void TestChatPanel::cleanup()
{
    delete m_panel;
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

QString TestChatPanel::shownText() const
{
    m_panel->mainchat()->SelectAllText();
    return m_panel->mainchat()->SelectedText();
}

int TestChatPanel::clickLink(int item)
{
    QSignalSpy jumps(m_panel->mainchat(), &RichChatView::OnJump);
    const QRect r = m_panel->mainchat()->ItemRect(item);
    QTest::mouseClick(m_panel->mainchat()->viewport(), Qt::LeftButton, {}, r.center());
    return jumps.count() == 1 ? jumps.at(0).at(0).toInt() : -1;
}

void TestChatPanel::showsLinesInTheirStyle()
{
    receive("2+Ann chats: hi :)#11|clBlue");
    // Head; the blank after the colon, "hi " and one more blank as one run of
    // words; smiley 1.
    QCOMPARE(m_panel->mainchat()->ItemCount(), 3);
    QCOMPARE(shownText(), QStringLiteral("Ann chats:  hi  "));
    const RichTextStyle look = m_panel->mainchat()->TextStyle(2);
    QCOMPARE(look.colour, QColor(0, 0, 255));
    QVERIFY(look.font.bold());
    QVERIFY(m_panel->mainchat()->ItemRect(2).height() >= 16);

    m_panel->menu()->clear()->trigger();
    m_panel->addlinetochat({0, QStringLiteral("You are Connected.")}, ColourText::Navy);
    QCOMPARE(shownText(), QStringLiteral(" You are Connected. "));
    QCOMPARE(m_panel->mainchat()->TextStyle(0).colour, QColor(0, 0, 128));
    receive("1+Bo chats: no colour"); // no "|": red
    QCOMPARE(m_panel->mainchat()->TextStyle(1).colour, QColor(255, 0, 0));
}

void TestChatPanel::showsStatusAddressesAsTyped_data()
{
    QTest::addColumn<bool>("status");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("shown");
    QTest::newRow("address and port") << true << "Joining 127.0.0.1:7800.."
                                      << " Joining 127.0.0.1:7800.. ";
    QTest::newRow("IPv6 address") << true << "Joining [::1]:7800.."
                                  << " Joining [::1]:7800.. ";
    QTest::newRow("head after an address") << true << "Could not join [::1]:7800: no host."
                                           << "Could not join [::1]:7800:  no host. ";
    QTest::newRow("status head at line end") << true << "Ready:"
                                             << "Ready: ";
    // A player's line keeps its head at the first colon, whatever follows.
    QTest::newRow("player line") << false << "Al chats:see 10:30"
                                 << "Al chats: see 10:30 ";
}

void TestChatPanel::showsStatusAddressesAsTyped()
{
    QFETCH(bool, status);
    QFETCH(QString, line);
    QFETCH(QString, shown);
    if (status)
        static_cast<ChatSink&>(*m_panel).addline(line, Qt::blue);
    else
        m_panel->addlinetochat({1, line}, ColourText::Red);
    QCOMPARE(shownText(), shown);
}

void TestChatPanel::dropsUnreadableLinesWithoutABox_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("past the last style") << 15;
    QTest::newRow("far out of range") << 99;
    QTest::newRow("negative style") << -1;
}

void TestChatPanel::dropsUnreadableLinesWithoutABox()
{
    QFETCH(int, style);
    // A slot the view has no style for, as a relayed line may name.
    m_panel->addlinetochat({style, QStringLiteral("Al chats: hello")}, ColourText::Red);
    m_panel->chatrecieved(style, "Al chats: hello|clRed");
    QVERIFY(!m_panel->findChild<QMessageBox*>());
    // Noted once in the chat, in the client's own style.
    QCOMPARE(shownText(), QStringLiteral(" A chat line that could not be read was left out. "));
    receive("1+Al chats: fine|clRed");
    QCOMPARE(m_panel->mainchat()->LineCount(), 2);
}

void TestChatPanel::opensEachLinksOwnTargetAfterClear()
{
    receive("3+Cy chats: see http://one.example/a and www.two.example|clRed");
    QCOMPARE(clickLink(4), 1);
    m_panel->menu()->clear()->trigger();
    QCOMPARE(m_panel->mainchat()->ItemCount(), 0);
    receive("3+Cy chats: www.three.example|clRed");
    QCOMPARE(clickLink(2), 2);
    m_panel->mainchatJump(1);
    QCOMPARE(m_urls.opened,
             (QList<QUrl>{QUrl("http://www.two.example"), QUrl("http://www.three.example"),
                          QUrl("http://www.two.example")}));
}

void TestChatPanel::keepsLinksApartPastTheFirstHundred()
{
    for (int i = 0; i < 120; ++i)
        receive(QStringLiteral("1+Al chats: www.site%1.example|clNavy").arg(i).toUtf8());
    QCOMPARE(m_panel->linkTargets().count(), 120);
    // The last line is in view after scrolling to the end.
    QCOMPARE(clickLink(m_panel->mainchat()->ItemCount() - 1), 119);
    m_panel->mainchatJump(101);
    QCOMPARE(m_urls.opened, (QList<QUrl>{QUrl("http://www.site119.example"), QUrl("http://www.site101.example")}));
}

void TestChatPanel::keepsTheChatWithinBounds()
{
    RichChatView* view = m_panel->mainchat();
    // One huge line of short words and links is a few items, cut to the
    // longest line the view shows.
    QByteArray words;
    while (words.size() < (1 << 20))
        words += "ab www.c.d ";
    receive("1+Al chats: " + words + "|clRed");
    QVERIFY(view->ItemCount() <= 2 * PanelChat::MaxLineLength / 11 + 2);
    QVERIFY(shownText().size() <= PanelChat::MaxLineLength + 2);

    // The history keeps its most recent lines; links of dropped lines are forgotten.
    for (int i = 0; i < PanelChat::HistoryLines + 50; ++i)
        receive(QStringLiteral("2+Bo chats: line %1 www.s%1.example|clNavy").arg(i).toUtf8());
    QCOMPARE(view->LineCount(), PanelChat::HistoryLines);
    QCOMPARE(view->ItemCount(), 3 * PanelChat::HistoryLines);
    QCOMPARE(m_panel->linkTargets().held(), PanelChat::HistoryLines);
    QVERIFY(shownText().startsWith(QStringLiteral("Bo chats:  line 50 ")));
    const int last = m_panel->linkTargets().count() - 1;
    QCOMPARE(clickLink(view->ItemCount() - 1), last);
    QCOMPARE(m_urls.opened, QList<QUrl>{QUrl("http://www.s2049.example")});
}

void TestChatPanel::opensOnlyWebTargets()
{
    receive("0+A: file:///tmp/www.notes|clBlack");
    QCOMPARE(clickLink(2), 0);
    m_panel->mainchatJump(57); // never handed out
    QVERIFY(m_urls.opened.isEmpty());
    auto* box = m_panel->findChild<QMessageBox*>(QStringLiteral("message_chat"));
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->text(), QStringLiteral("Cannot open Webpage"));
}

void TestChatPanel::restylesSharedLinkStyleForSlotFour()
{
    receive("1+Al chats: www.a.example|clNavy");
    QCOMPARE(m_panel->mainchat()->TextStyle(4).colour, QColor(0, 128, 0));
    QVERIFY(m_panel->mainchat()->TextStyle(4).font.underline());
    receive("4+Dee chats: hello|clRed");
    const RichTextStyle look = m_panel->mainchat()->TextStyle(4);
    QCOMPARE(look.colour, QColor(255, 0, 0));
    QVERIFY(look.font.bold());
    QVERIFY(!look.font.underline());
    QVERIFY(!look.font.italic());
    // The earlier link still is one.
    QCOMPARE(clickLink(2), 0);
    QCOMPARE(m_urls.opened.size(), 1);
}

void TestChatPanel::scrollChatOffKeepsTheView()
{
    RichChatView* view = m_panel->mainchat();
    for (int i = 0; i < 40; ++i)
        m_panel->addlinetochat({0, QStringLiteral("line %1").arg(i)}, ColourText::Black);
    QVERIFY(view->ScrollMaximum() > 0);
    QCOMPARE(view->ScrollPosition(), view->ScrollMaximum());

    QTest::keyClick(m_panel, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(m_panel->menu()->scrollOff()->isChecked());
    view->SetScrollPosition(3);
    for (int i = 0; i < 10; ++i)
        m_panel->addlinetochat({0, QStringLiteral("more %1").arg(i)}, ColourText::Black);
    QCOMPARE(view->ScrollPosition(), 3);

    m_panel->menu()->scrollOff()->trigger();
    m_panel->addlinetochat({0, QStringLiteral("last")}, ColourText::Black);
    QCOMPARE(view->ScrollPosition(), view->ScrollMaximum());
}

void TestChatPanel::sendsTypedLines_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArrayList>("sent");
    QTest::newRow("chat") << "hello all" << QByteArrayList{wire("CMD_chat+3+hello all|clBlack")};
    QTest::newRow("meow") << "/meow" << QByteArrayList{wire("CMD_action+3+w|clBlack")};
    QTest::newRow("who") << "/who" << QByteArrayList{};
    // The entry stops where the server would cut the line.
    QTest::newRow("too long") << QString(450, QLatin1Char('x'))
                              << QByteArrayList{wire("CMD_chat+3+" + QByteArray(400, 'x') + "|clBlack")};
}

void TestChatPanel::sendsTypedLines()
{
    QFETCH(QString, typed);
    QFETCH(QByteArrayList, sent);
    m_panel->mychat()->setText(typed);
    QTest::keyClick(m_panel->mychat(), Qt::Key_Return);
    QCOMPARE(m_link.sent, sent);
    QCOMPARE(m_panel->mychat()->text(), QString());
}

void TestChatPanel::keepsTextWhileNotLoggedIn()
{
    m_link.loggedIn = false;
    m_panel->mychat()->setText(QStringLiteral("/who"));
    QTest::keyClick(m_panel->mychat(), Qt::Key_Return);
    QVERIFY(m_link.sent.isEmpty());
    QCOMPARE(m_panel->mychat()->text(), QStringLiteral("/who"));
    m_panel->sendphrase(QStringLiteral("Thanks!"));
    QVERIFY(m_link.sent.isEmpty());
}

void TestChatPanel::editsTheInputLine()
{
    ChatEdit* edit = m_panel->mychat();
    QCOMPARE(edit->text(), QStringLiteral("<Enter Chat Here>"));
    QTest::keyClick(edit, Qt::Key_Shift); // any key clears the prompt
    QCOMPARE(edit->text(), QString());
    QTest::keyClicks(edit, QStringLiteral("typed"));
    edit->setCursorPosition(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("pasted"));
    edit->setText(QStringLiteral("again"));
    QGuiApplication::clipboard()->clear();
    edit->pasteAction()->trigger();
    QCOMPARE(edit->text(), QStringLiteral("again"));
}

void TestChatPanel::textSizeAppliesAtNextLine()
{
    ChatMenu* menu = m_panel->menu();
    QSignalSpy saves(m_panel, &PanelChat::settingsChanged);
    m_panel->addlinetochat({0, QStringLiteral("first")}, ColourText::Black);
    const int before = m_panel->mainchat()->ItemRect(0).height();
    menu->sizeItem(14)->trigger();
    QCOMPARE(saves.count(), 1);
    QVERIFY(menu->sizeItem(14)->isChecked());
    for (int n = 0; n < ChatTextStyles::Count; ++n)
        QCOMPARE(m_panel->mainchat()->TextStyle(n).font.pointSize(), 14);
    QCOMPARE(m_panel->mainchat()->ItemRect(0).height(), before);
    m_panel->addlinetochat({0, QStringLiteral("second")}, ColourText::Black);
    QVERIFY(m_panel->mainchat()->ItemRect(0).height() > before);

    // A stored size without an item leaves the ticks alone.
    m_panel->setTextSize(9);
    QCOMPARE(m_panel->textSize(), 9);
    QVERIFY(menu->sizeItem(14)->isChecked());
    m_panel->setTextSize(8);
    QVERIFY(menu->sizeItem(8)->isChecked());
    QVERIFY(!menu->sizeItem(14)->isChecked());
    QCOMPARE(saves.count(), 1);
}

void TestChatPanel::textColourFromChooser()
{
    QSignalSpy saves(m_panel, &PanelChat::settingsChanged);
    m_panel->menu()->textColor()->trigger();
    auto* dialog = m_panel->findChild<QColorDialog*>(QStringLiteral("ColorDialog"));
    QVERIFY(dialog);
    dialog->reject();
    QCOMPARE(m_panel->ownColour(), ColourText::Black);
    QCOMPARE(saves.count(), 0);
    QTRY_VERIFY(!m_panel->findChild<QColorDialog*>());

    m_panel->menu()->textColor()->trigger();
    dialog = m_panel->findChild<QColorDialog*>(QStringLiteral("ColorDialog"));
    QVERIFY(dialog);
    dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
    dialog->accept();
    QCOMPARE(m_panel->ownColour(), 0x563412u);
    QCOMPARE(saves.count(), 1);
    QCOMPARE(m_panel->mychat()->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));
    m_panel->mychat()->setText(QStringLiteral("hi"));
    m_panel->sendit();
    QCOMPARE(m_link.sent, QByteArrayList{wire("CMD_chat+3+hi|$00563412")});
}

void TestChatPanel::copiesSelectedChat()
{
    m_panel->addlinetochat({0, QStringLiteral("one")}, ColourText::Black);
    m_panel->addlinetochat({1, QStringLiteral("Al: two")}, ColourText::Black);
    m_panel->menu()->selectAll()->trigger();
    m_panel->menu()->copy()->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(" one \r\nAl:  two "));
    const QList<QAction*> context = m_panel->mainchat()->actions();
    QCOMPARE(context.size(), 5);
    QCOMPARE(context.at(0)->text(), QStringLiteral("Copy"));
    QCOMPARE(context.at(1)->text(), QStringLiteral("Clear Main Chat"));
    QCOMPARE(context.at(2)->text(), QStringLiteral("Select All"));
    QVERIFY(context.at(3)->isSeparator());
    QCOMPARE(context.at(4)->text(), QStringLiteral("Scroll Chat Off"));
}

QTEST_MAIN(TestChatPanel)
#include "test_chat_panel.moc"

#pragma once

#include "chat/chat_connection.h"
#include "chat/core/chat_line.h"
#include "chat/core/chat_sink.h"
#include "chat/core/chat_text_styles.h"
#include "chat/core/link_targets.h"
#include "ui/rich_item.h"

#include <QPointer>
#include <QWidget>
#include <optional>

class ChatEdit;
class ChatMenu;
class QColor;
class QMenu;
class QMessageBox;
class QToolButton;
class RichChatView;
class SmiliesMenu;

// The chat area `panel_chat` of the main window: the chat view `mainchat`, the
// input line `mychat` and the smilies button `button_smilies` beside it. It
// shows relayed and status lines in the sender's colour, with links and
// smileys, and sends what the player types through the chat connection.
class PanelChat : public QWidget, public ChatSink {
    Q_OBJECT
public:
    // The view keeps this many most recent lines; older ones are dropped whole.
    static constexpr int HistoryLines = 2000;
    // A shown line is cut at this many characters: well past the longest line
    // a server relays (a name, " chats: " and a typed line), so it only stops
    // a peer that sends far more from filling the view.
    static constexpr int MaxLineLength = 1000;

    explicit PanelChat(QWidget* parent = nullptr);
    ~PanelChat() override;

    // Where typed lines and phrases go; until there is one (or after it is
    // taken away with null) the chat counts as not logged in and sends nothing.
    // It must outlive this panel or be taken away first.
    void setConnection(ChatConnection* connection) { m_connection = connection; }

    // `addlinetochat`. A line whose style is not one of the view's came from a
    // peer: it is dropped, and the first such line of the run is noted in the
    // chat (never a box, which would stop the player's game).
    void addlinetochat(const StyledLine& line, quint32 colour) override;
    // `chatrecieved`: a relayed chat or action line of the player in `slot`
    // (its text style), "text|colour".
    void chatrecieved(int slot, const QByteArray& text);
    // `sendit`: sends the input line as chat or action while logged in.
    void sendit();
    // Sends a phrase button's phrase while logged in.
    void sendphrase(const QString& phrase);
    // `mainchatJump`: opens link number n in the browser.
    void mainchatJump(int n);
    // Appends a smiley code to the input line (`popup_smilies` item chosen).
    void insertSmiley(int code);

    // Settings: text size of all styles (ticking that Text Size item if there is
    // one), and the own chat colour (colour value, see ColourText).
    int textSize() const { return m_styles.size(); }
    void setTextSize(int size);
    quint32 ownColour() const { return m_ownColour; }
    void setOwnColour(quint32 colour);

    ChatMenu* menu() const { return m_menu; }
    RichChatView* mainchat() const { return m_view; }
    ChatEdit* mychat() const { return m_edit; }
    QToolButton* smiliesButton() const { return m_smiliesButton; }
    // `popup_smilies`, built at its first use.
    SmiliesMenu* smiliesMenu();
    const ChatTextStyles& textStyles() const { return m_styles; }
    const LinkTargets& linkTargets() const { return m_links; }

signals:
    // The text size or the own colour was chosen in the menus: save the settings.
    void settingsChanged();

protected:
    // The main window places the panel at its scale: the chat's text follows.
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void pushStyle(int n);
    void applyTextScale(qreal scale);
    void addItems(const ChatLine& line);
    void noteDroppedLine();
    void scrollToEnd();
    const RichImageList& smileyPictures();
    void chooseTextColour();
    void chooseTextSize(int size);
    void clearMainChat();
    void report(const QString& text);

    bool connected() const { return m_connection && m_connection->loggedin(); }

    ChatConnection* m_connection = nullptr;
    ChatTextStyles m_styles;
    LinkTargets m_links;
    RichImageList m_smileyPictures;
    quint32 m_ownColour = 0;
    RichChatView* m_view;
    ChatEdit* m_edit;
    QToolButton* m_smiliesButton;
    SmiliesMenu* m_smilies = nullptr;
    ChatMenu* m_menu;
    QPointer<QMessageBox> m_report;
    bool m_notedDrop = false;
    // The chosen text size is the size at the window's design size; the
    // window's scale multiplies it.
    qreal m_textScale = 1.0;
    QFont m_editFont;
};

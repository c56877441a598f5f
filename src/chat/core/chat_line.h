#pragma once

#include <QList>
#include <QString>
#include <optional>

// One piece of a chat line after the head: a word (with its trailing blank), a
// link word, or a smiley picture.
struct ChatItem {
    enum class Kind { Text, Link, Picture };
    Kind kind = Kind::Text;
    QString text; // Text and Link
    int picture = 0; // Picture: index into the 18 smiley pictures

    bool operator==(const ChatItem&) const = default;
};

// A line on its way to the chat view: the text style it is shown in (the
// sending slot, 0 for the program's own lines) and its text, still with the
// head ("Ann chats:") and the smiley markers in it. A status line is one of
// the program's own; it may carry an address ("127.0.0.1:7800", "[::1]"), so
// its head ends only at a colon that a blank or the line's end follows.
struct StyledLine {
    int style = 0;
    QString text;
    bool status = false;

    bool operator==(const StyledLine&) const = default;
};

// A line ready for the chat view: it starts with the head and one blank in its
// text style, then the items follow in order.
struct ChatLine {
    int style = 0;
    QString head;
    QList<ChatItem> items;

    QString startText() const { return head + QLatin1Char(' '); }
};

// A received chat or action payload: the line and the colour it is shown in.
struct ReceivedChat {
    QString line;
    quint32 colour = 0;
};

// A relayed chat line as it goes to the chat view.
struct RelayedLine {
    StyledLine line;
    quint32 colour = 0;
};

// Cuts the lines that `addlinetochat` shows: "head: text" with smiley markers
// ":)#" and two code characters, and words that look like web addresses.
class ChatLineParser {
public:
    static constexpr int FirstSmileyCode = 10;
    static constexpr int SmileyCount = 18;

    // The line as shown, or nullopt when its style is not one of the chat view's.
    static std::optional<ChatLine> parse(const StyledLine& line);

    // "line|colour" as relayed; no "|" or a colour that does not convert gives red.
    static ReceivedChat splitReceived(const QString& data);
    // A relayed chat or action line of `slot` ("text|colour" as the server
    // sends it): shown in the slot's text style and the sender's colour.
    static RelayedLine received(int slot, const QByteArray& text);
    // A phrase queue entry "text|colour" as the bubble shows it: one blank
    // between the name and "says:"; no "|" or a bad colour gives black.
    static ReceivedChat splitPhrase(const QString& entry);

    // Cuts text after each blank; every piece keeps its trailing blank. Pieces
    // holding "http://" or "www." (exact case) are links.
    static QList<ChatItem> words(const QString& text);
    static bool isLinkWord(const QString& piece);

    // The picture a smiley code stands for: codes 10 to 27 give 0 to 17, any other
    // code (not a number, out of range, cut short) gives picture 0.
    static int smileyPicture(const QString& code);
};

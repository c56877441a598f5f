#pragma once

#include <QByteArrayView>
#include <optional>

// Every command word of the game, each listed once, with the side that sends
// it. Everything else about the words (the enum, the spelled-out texts, the
// look-up from received text) is generated from this one list, so a word can
// neither be misspelt in one place nor be missing from a table.
//   X(word, direction): the wire text is "CMD_" followed by `word`.
#define GD_COMMAND_WORDS(X)                                                                                            \
    X(logininfo, ToServer)                                                                                             \
    X(kickhim, ToServer)                                                                                               \
    X(justwatch, ToServer)                                                                                             \
    X(selecttile, ToServer)                                                                                            \
    X(chat, Both)                                                                                                      \
    X(action, Both)                                                                                                    \
    X(phrase, Both)                                                                                                    \
    X(playasound, Both)                                                                                                \
    X(startgame, Both)                                                                                                 \
    X(full, ToClient)                                                                                                  \
    X(sendlogininfo, ToClient)                                                                                         \
    X(newplayerinfo, ToClient)                                                                                         \
    X(existingplayers, ToClient)                                                                                       \
    X(havewrongversion, ToClient)                                                                                      \
    X(wrongversion, ToClient)                                                                                          \
    X(loadstats, ToClient)                                                                                             \
    X(playerdisconnected, ToClient)                                                                                    \
    X(nextplayer, ToClient)                                                                                            \
    X(settiles, ToClient)                                                                                              \
    X(setbonus, ToClient)                                                                                              \
    X(setnexttile, ToClient)                                                                                           \
    X(setnntile, ToClient)                                                                                             \
    X(removetile, ToClient)                                                                                            \
    X(bombed, ToClient)                                                                                                \
    X(error, ToClient)                                                                                                 \
    X(turnover, ToClient)                                                                                              \
    X(postscores, ToClient)                                                                                            \
    X(resettiles, ToClient)                                                                                            \
    X(resetbonus, ToClient)                                                                                            \
    X(thepath, ToClient)                                                                                               \
    X(justwatching, ToClient)                                                                                          \
    X(winner, ToClient)                                                                                                \
    X(kicked, ToClient)                                                                                                \
    X(host, ToClient)                                                                                                  \
    X(closing, ToClient)

enum class Command {
#define GD_COMMAND_ENUM(word, direction) word,
    GD_COMMAND_WORDS(GD_COMMAND_ENUM)
#undef GD_COMMAND_ENUM
};

// Which side sends a command word. "Both" words have a different field layout
// in each direction (the server adds the sender's name when it relays).
enum class Direction { ToServer, ToClient, Both };

// The spelled-out words, for dispatch tables: `CommandWord::selecttile` is
// "CMD_selecttile".
namespace CommandWord {
// What every command word begins with (a client checks a new server's first bytes).
inline constexpr char Prefix[] = "CMD_";
#define GD_COMMAND_TEXT(word, direction) inline constexpr char word[] = "CMD_" #word;
GD_COMMAND_WORDS(GD_COMMAND_TEXT)
#undef GD_COMMAND_TEXT
} // namespace CommandWord

namespace Commands {
#define GD_COMMAND_COUNT(word, direction) +1
inline constexpr int Count = 0 GD_COMMAND_WORDS(GD_COMMAND_COUNT);
#undef GD_COMMAND_COUNT

QByteArrayView word(Command command);
Direction direction(Command command);
// The command a received word names; nullopt for a word the game does not know
// (which both sides ignore).
std::optional<Command> find(QByteArrayView word);
} // namespace Commands

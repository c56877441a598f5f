#pragma once

#include "side/core/tally_feed.h"
#include "side/core/tally_file.h"
#include "side/core/tally_table.h"

#include <QObject>
#include <QStringList>

// The tally the game keeps whether or not its window was ever opened: the
// table and its file, the own numbers as the window shows them, and who plays
// in the current game ("Players In Current Game").
//
// Fed only by the local game; nothing goes over the network. The table is read
// from the file when the book is made and written after every change and again
// when the book goes, so a run's counts survive a crash.
class TallyBook : public QObject, public TallyFeed {
    Q_OBJECT
public:
    // Reads the tally from the game's home folder.
    explicit TallyBook(QObject* parent = nullptr);
    // Reads the tally from `folder`. An unreadable file is kept aside as
    // "gloopdashtally.tld.bad" and the tally starts empty; takeLoadError says why.
    explicit TallyBook(const QString& folder, QObject* parent = nullptr);
    // Writes the tally; a failure is only logged, as there is nobody left to tell.
    ~TallyBook() override;

    // The reason the file could not be read, once: empty afterwards, and when
    // it was read or missing.
    QString takeLoadError();

    const TallyTable& table() const { return m_table; }
    QString filePath() const { return m_file.path(); }
    // Whether `name` is tallied, without regard to case.
    bool istallied(const QString& name) const { return m_table.rowOf(name) >= 0; }

    // What the own-row label of column 1 to 4 (mylabel_1 to mylabel_4) shows:
    // "0" until the file is read or the first change, then the table's cell.
    // The game compares a new score or trail against it.
    QString mylabeltext(int column) const;

    // The opponents seated in the current game, as the main window's
    // `loadchecklist` last named them.
    const QStringList& playersInGame() const { return m_playersInGame; }
    void setPlayersInGame(const QStringList& names);

    // Off (the default): only the opponents the player ticked are tallied.
    // On: every opponent of a finished game is tallied from that game on.
    bool tallyEveryone() const { return m_tallyEveryone; }
    void setTallyEveryone(bool on);

    // One finished game another player, `winner`, won; addwongame: one the
    // local player won. Each first asks for the current game's players again
    // (loadchecklistrequested), then counts the tallied ones among them, after
    // adding the untallied ones when everyone is tallied.
    void addgame(const QString& winner) override;
    void addwongame() override;
    // Adds 1 to the own row's TotalGames or YourWins.
    void addtomine(TallyTable::OwnColumn column);
    // Stores `text` in the own row's HighScore or HighestTrail.
    void addword(const QString& text, TallyTable::OwnColumn column) override;
    QString tallyHighScore() const override { return mylabeltext(TallyTable::HighScore); }
    QString tallyHighestTrail() const override { return mylabeltext(TallyTable::HighestTrail); }
    // Asks for "Players In Current Game" to be filled again (loadchecklistrequested).
    void loadchecklist() override { emit loadchecklistrequested(); }
    // Adds 1 to a cell and returns the new value (-1 outside the table).
    qint64 addit(int column, int row);
    // Starts tallying `name`; false when it is empty or already tallied.
    bool addPlayer(const QString& name);
    // Stops tallying the opponent of `row` (1 or more).
    void moverow(int row);
    // Offers a trail score or final score of the local player: recorded when it
    // beats the shown best (an equal one does not). Returns whether it did.
    bool offertrail(qint64 trail);
    bool offerhighscore(qint64 score);
    // Back to the own row alone, every count 0.
    void reset();
    // Writes the tally file now; false when it could not be replaced (the old
    // file stays whole). The first failure of a run is announced (saveFailed).
    bool savetally();

signals:
    // A count, a best or the list of tallied players changed; already written.
    void changed();
    // `name` is tallied from now on, in the last row.
    void playerAdded(const QString& name);
    // The opponent of `row` is no longer tallied; the rows below moved up.
    void playerRemoved(int row);
    // The table was emptied: no opponent is tallied any more.
    void cleared();
    void playersInGameChanged();
    void tallyEveryoneChanged(bool on);
    // Connect to the main window's `loadchecklist` (directly: addgame counts
    // from playersInGame right after emitting).
    void loadchecklistrequested();
    // The tally could not be written, for the first time this run; `text` is
    // the message for the player.
    void saveFailed(const QString& text);

private:
    void load();
    void addUntallied();
    void countGame(const QString& winner, bool localWon);
    void showOwnTotals();
    void commit();

    TallyFile m_file;
    TallyTable m_table;
    // Indexed by TallyTable::OwnColumn; 0, the name column, stays unused.
    QString m_mylabel[TallyTable::HighestTrail + 1];
    QStringList m_playersInGame;
    QString m_loadError;
    bool m_saveFailureReported = false;
    bool m_closing = false;
    bool m_tallyEveryone = false;
};

#include "side/core/tally_book.h"

#include "base/player_folders.h"

#include <utility>

TallyBook::TallyBook(QObject* parent) : TallyBook(PlayerFolders::forThisProgram().dataFolder(), parent)
{
}

TallyBook::TallyBook(const QString& folder, QObject* parent) : QObject(parent), m_file(folder)
{
    for (int c = TallyTable::TotalGames; c <= TallyTable::HighestTrail; ++c)
        m_mylabel[c] = QStringLiteral("0");
    load();
}

TallyBook::~TallyBook()
{
    m_closing = true;
    savetally();
}

void TallyBook::load()
{
    const TallyFile::LoadResult loaded = m_file.load();
    if (loaded.status == TallyFile::Status::Loaded && m_table.assign(loaded.grid)) {
        m_table.zeroRunCounts();
        showOwnTotals();
    } else if (loaded.status == TallyFile::Status::Unreadable) {
        // Told once the player can see it: the book is made at start-up,
        // before any window is up.
        m_loadError = loaded.error;
    }
}

QString TallyBook::takeLoadError()
{
    return std::exchange(m_loadError, QString());
}

QString TallyBook::mylabeltext(int column) const
{
    return column >= TallyTable::TotalGames && column <= TallyTable::HighestTrail ? m_mylabel[column] : QString();
}

void TallyBook::showOwnTotals()
{
    for (int c = TallyTable::TotalGames; c <= TallyTable::HighestTrail; ++c)
        m_mylabel[c] = m_table.cell(c, 0);
}

void TallyBook::setPlayersInGame(const QStringList& names)
{
    m_playersInGame = names;
    emit playersInGameChanged();
}

// Every change is shown and written at once: a run that ends in a crash keeps
// its counts.
void TallyBook::commit()
{
    showOwnTotals();
    savetally();
    emit changed();
}

bool TallyBook::savetally()
{
    QString reason;
    if (m_file.save(m_table.grid(), &reason))
        return true;
    // Once per run: a full disk would otherwise bring a box after every game.
    if (m_saveFailureReported)
        return false;
    m_saveFailureReported = true;
    static const char* const format = QT_TR_NOOP("Unable to write to %1 (%2)");
    if (m_closing) // the program is ending: no window is left to show it in
        qWarning("%s", qUtf8Printable(QString::fromLatin1(format).arg(m_file.path(), reason)));
    else
        emit saveFailed(tr(format).arg(m_file.path(), reason));
    return false;
}

void TallyBook::setTallyEveryone(bool on)
{
    if (on == m_tallyEveryone)
        return;
    m_tallyEveryone = on;
    emit tallyEveryoneChanged(on);
}

void TallyBook::addUntallied()
{
    bool added = false;
    for (const QString& name : std::as_const(m_playersInGame)) {
        if (!name.isEmpty() && m_table.addPlayer(name)) {
            added = true;
            emit playerAdded(m_table.playerName(m_table.playerCount() - 1));
        }
    }
    // The current game's list shows who is tallied: tick the newcomers there too.
    if (added)
        emit playersInGameChanged();
}

void TallyBook::addgame(const QString& winner)
{
    countGame(winner, false);
    commit();
}

void TallyBook::addwongame()
{
    countGame(QString(), true);
    m_table.addtomine(TallyTable::YourWins);
    commit();
}

void TallyBook::countGame(const QString& winner, bool localWon)
{
    emit loadchecklistrequested();
    if (m_tallyEveryone)
        addUntallied();
    m_table.addtomine(TallyTable::TotalGames);
    m_table.countGame(m_playersInGame, winner, localWon);
}

void TallyBook::addtomine(TallyTable::OwnColumn column)
{
    m_table.addtomine(column);
    commit();
}

void TallyBook::addword(const QString& text, TallyTable::OwnColumn column)
{
    m_table.addword(TallyTable::cleanName(text), column);
    commit();
}

qint64 TallyBook::addit(int column, int row)
{
    const qint64 value = m_table.addit(column, row);
    commit();
    return value;
}

bool TallyBook::addPlayer(const QString& name)
{
    if (name.isEmpty() || !m_table.addPlayer(name))
        return false;
    emit playerAdded(m_table.playerName(m_table.playerCount() - 1));
    commit();
    return true;
}

void TallyBook::moverow(int row)
{
    if (row < 1 || row > m_table.playerCount())
        return;
    m_table.moverow(row);
    emit playerRemoved(row);
    commit();
}

bool TallyBook::offertrail(qint64 trail)
{
    if (!m_table.offerBest(TallyTable::HighestTrail, trail))
        return false;
    commit();
    return true;
}

bool TallyBook::offerhighscore(qint64 score)
{
    if (!m_table.offerBest(TallyTable::HighScore, score))
        return false;
    commit();
    return true;
}

void TallyBook::reset()
{
    m_table.reset();
    emit cleared();
    commit();
}

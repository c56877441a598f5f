#include "turn_flow.h"

#include "client/core/seat_names.h"

#include "board_view.h"
#include "chat/core/chat_line.h"
#include "chat/core/colour_text.h"
#include "client/core/board_model.h"
#include "client/core/game_link.h"
#include "framed_panel.h"
#include "game_overlays.h"
#include "path_replay_panel.h"
#include "score_panel.h"
#include "status_announcer.h"
#include "ui/design_scale.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <climits>
#include <memory>

namespace {

const QColor Blue(0, 0, 255);
// `phrasetick` only needs to tell "more than three ticks" apart; it stops here.
constexpr int PhraseTickCap = 1000;

std::optional<int> number(const QString& text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

TurnFlow::TurnFlow(ScorePanel& score, GameOverlays& overlays, BoardModel& board, BoardView& boardView,
                   std::function<bool()> replayRunning, GameLink& link, const ClientParts& parts, QObject* parent)
    : QObject(parent), m_score(score), m_overlays(overlays), m_board(board), m_boardView(boardView),
      m_replayRunning(std::move(replayRunning)), m_link(link), m_parts(parts), m_announcer(new StatusAnnouncer(&score))
{
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(1000);
    connect(&m_timer2, &QTimer::timeout, this, &TurnFlow::Timer2Timer);
    connect(m_overlays.phrases()->model(), &QAbstractItemModel::rowsInserted, this, &TurnFlow::wake);
}

void TurnFlow::startthegame(const ToClient::StartGame& m)
{
    const QString name = QString::fromUtf8(m.name);
    m_link.setGamemode(m.mode);
    m_score.numRound()->setText(QStringLiteral("Missions Per Game: ") + QString::number(m.rounds));
    m_missions = m.rounds;
    m_gameRunning = true;
    // A repeated start before the first round only updates the values above.
    if (m_gamestarted)
        return;
    m_overlays.startButton()->hide();
    m_gamestarted = true;
    m_phrasetick = 5; // a waiting phrase may show at the next tick
    m_parts.tally.loadchecklist();
    m_parts.sounds.playsounds(GameSound::GameStart);
    clearall();
    m_overlays.winnerPanel()->hide();
    const QString started = isMe(name) ? QStringLiteral("You have started a") : name + QStringLiteral(" has started a");
    m_parts.chat.addline(started + (m.mode == GameMode::Classic ? QStringLiteral(" CLASSIC") : QString())
                             + QStringLiteral(" game."),
                         Blue);
    // The server sits every seat down again at a new game.
    emit newGame();
}

void TurnFlow::joinedRunningGame(int mode)
{
    if (!GameMode::isMode(mode))
        return;
    m_missions = mode == GameMode::Classic ? 6 : 3;
    m_score.numRound()->setText(QStringLiteral("Missions Per Game: ") + QString::number(m_missions));
    m_gameRunning = true;
}

bool TurnFlow::isMe(const QString& name) const
{
    // Only a player called "You" reads oddly in the third person ("You's turn").
    return name == QLatin1String("You") && m_link.myname() == name;
}

void TurnFlow::getnextplayer(const ToClient::NextPlayer& m)
{
    const int round = m.round;
    const int slot = m.slot;
    if (!BoardModel::seat(slot))
        return;
    m_gamestarted = false;
    m_overlays.winnerPanel()->hide();
    for (int n = 1; n <= Table::Seats; ++n)
        m_score.roundResult(n)->clear();
    m_boardView.setTrailText(QString());
    m_board.setCurrentplayer(slot);
    m_board.setTrailScore(slot, 0);

    QLabel* name = m_score.playerName(slot);
    QLabel* arrow = m_score.turnArrow();
    DesignScale::move(arrow, {DesignScale::designRect(arrow).x(), DesignScale::designRect(name).y()});
    m_score.turnArrow()->show();
    name->show();
    m_score.score(slot)->show();
    markCurrentPlayer(slot);
    m_gameRunning = true;
    if (m_missions > 0 && round > m_missions)
        m_parts.chat.addline(QStringLiteral("Tie! An extra mission decides it."), Blue);
    const QString mission = QStringLiteral("Mission: ") + QString::number(round) + QStringLiteral("  ");
    if (m_watching && slot == m_link.myslot()) {
        // A watching seat is dealt the board too, but it is nobody's turn here.
        m_overlays.roundnum()->setText(mission + QStringLiteral("Just watching"));
        m_score.status()->setText(QStringLiteral("Just watching."));
        return;
    }
    const QString seated = m_link.seatNames().name(slot);
    const QString owner = isMe(seated) ? QStringLiteral("Your") : seated + QStringLiteral("'s");
    m_overlays.roundnum()->setText(mission + owner + QStringLiteral(" turn"));
    m_announcer->announce(mission + owner + QStringLiteral(" turn"));
    m_score.status()->setText(owner + QStringLiteral(" turn."));
    if (seated == m_link.myname())
        m_parts.sounds.playsounds(GameSound::Turn);
}

void TurnFlow::markCurrentPlayer(int slot)
{
    for (int n = 1; n <= Table::Seats; ++n) {
        QFont font = m_score.playerName(n)->font();
        font.setBold(n == slot);
        m_score.playerName(n)->setFont(font);
    }
}

void TurnFlow::turnover(const ToClient::TurnOver& m)
{
    // The seat's next tile or round result (`value`) is not shown.
    m_timeleft = 0;
    m_score.setTimerWidth(0);
    m_board.setCanselect(false);
    ScorePanel::showTile(m_score.current(), nullptr);
    if (QLabel* score = m_score.score(m.slot))
        score->setText(QString::number(m.total));
    m_score.status()->setText(QStringLiteral("Turn Over"));
    m_board.setCurrentplayer(0);
    showTurnOver(m.reason);
}

void TurnFlow::showTurnOver(int reason)
{
    struct Banner {
        int reason;
        const char* text;
        GameSound sound;
    };
    static constexpr Banner banners[] = {
        {1, "Out of Moves!", GameSound::NoMove},
        {2, "Cleared the Board! Bonus +200!", GameSound::Cleared},
        {3, "Out of Time!", GameSound::OutOfTime},
        {4, "Everyone has completed this turn!", GameSound::Cleared},
    };
    for (const Banner& b : banners) {
        if (b.reason == reason) {
            m_overlays.overText()->setText(QString::fromLatin1(b.text));
            m_announcer->announce(QString::fromLatin1(b.text));
            m_parts.sounds.playsounds(b.sound);
        }
    }
    ScorePanel::showTile(m_score.current(), nullptr);
    ScorePanel::showTile(m_score.next(), nullptr);
    m_overlays.over()->show();
    m_overlays.over()->raise();
}

void TurnFlow::postscores(const ToClient::PostScores& m)
{
    for (const ToClient::ScoreRow& row : m.rows) {
        // A seat nobody holds keeps its row empty: the total was its last player's.
        if (!BoardModel::seat(row.slot) || !m_score.seated(row.slot))
            continue;
        m_score.score(row.slot)->setText(QString::number(row.total));
        if (row.result != 0)
            m_score.roundResult(row.slot)->setText(QStringLiteral("+") + QString::number(row.result));
    }
    reorderRows();
}

void TurnFlow::reorderRows()
{
    // Empty rows sink below every seated player, whatever total they last showed.
    m_scoreorder.sort(
        [this](int slot) { return m_score.seated(slot) ? m_score.shownTotal(slot) : std::optional<int>(INT_MIN); });
    for (int k = 1; k <= ScoreOrder::Rows; ++k)
        m_score.moveRow(m_scoreorder.slotAt(k), ScoreOrder::rowTop(k));
}

void TurnFlow::clearall()
{
    m_score.clearRows();
    m_board.clear();
    m_boardView.refresh();
}

void TurnFlow::startCountdown()
{
    m_score.setTimerWidth(ScorePanel::TimerFull);
    m_timeleft = RoundSeconds;
    m_score.timerLabel()->setText(QStringLiteral("Time: ") + QString::number(m_timeleft));
    m_clockStarted = true;
    if (!m_timer2.isActive())
        m_timer2.start();
}

void TurnFlow::wake()
{
    if (m_clockStarted && !m_timer2.isActive())
        m_timer2.start();
}

void TurnFlow::stopWhenIdle()
{
    if (m_timeleft == 0 && !m_score.popupShowing() && m_overlays.phrases()->count() == 0
        && !m_overlays.bubble()->isVisibleTo(m_overlays.bubble()->parentWidget()))
        m_timer2.stop();
}

void TurnFlow::queuephrase(const QString& phrase)
{
    if (m_overlays.phrases()->count() < ChatLineParser::MaxWaitingPhrases)
        m_overlays.phrases()->addItem(phrase);
}

void TurnFlow::Timer2Timer()
{
    m_score.popupTick();
    m_timeleft = qMax(0, m_timeleft - 1);
    if (m_timeleft != 0) {
        const int width = m_score.timerWidth();
        m_score.setTimerWidth(width - 1 > m_timeleft ? width - 3 : m_timeleft);
    }
    m_score.timerLabel()->setText(QStringLiteral("Time: ") + QString::number(m_timeleft));
    if (m_timeleft == StatusAnnouncer::HurrySeconds && !m_watching && m_board.currentplayer() == m_link.myslot())
        m_announcer->announce(QStringLiteral("%1 seconds left!").arg(m_timeleft));
    m_phrasetick = qMin(m_phrasetick + 1, PhraseTickCap);
    if (m_phrasetick > 3)
        showNextPhrase();
    stopWhenIdle();
}

void TurnFlow::showNextPhrase()
{
    QListWidget* queue = m_overlays.phrases();
    // The bubble would cover the winner's path: waiting phrases follow it.
    if (queue->count() > 0 && m_replayRunning())
        return;
    if (queue->count() == 0) {
        m_overlays.bubbleText()->hide();
        m_overlays.bubble()->hide();
        return;
    }
    std::unique_ptr<QListWidgetItem> item(queue->takeItem(0));
    const ReceivedChat phrase = ChatLineParser::splitPhrase(item->text());
    QLabel* text = m_overlays.bubbleText();
    QPalette palette = text->palette();
    palette.setColor(QPalette::WindowText, ColourText::toColor(phrase.colour));
    text->setPalette(palette);
    text->setText(phrase.line);
    m_overlays.bubble()->show();
    text->show();
    m_overlays.bubble()->raise();
    text->raise();
    m_phrasetick = 0;
}

void TurnFlow::winner(const ToClient::Winner& m)
{
    const QString name = QString::fromUtf8(m.text);
    m_timeleft = 0;
    m_gameRunning = false;
    m_score.setTimerWidth(0);
    m_parts.sounds.playsounds(GameSound::GameOver);
    const bool me = isMe(name);
    const QString won = name + (me ? QStringLiteral(" have Won the Game!") : QStringLiteral(" has Won the Game!"));
    m_parts.chat.addline(won, Blue);
    m_announcer->announce(won);
    tallyWinner(name);
    showWinner(name, me);
}

void TurnFlow::tallyWinner(const QString& name)
{
    // A watcher has no row: nothing of its own to post or tally.
    const int me = m_link.myslot();
    if (!BoardModel::seat(me))
        return;
    if (const auto total = m_score.shownTotal(me)) {
        offerHighScore(me, *total);
        const auto best = number(m_parts.tally.tallyHighScore());
        if (best && *total > *best)
            m_parts.tally.addword(QString::number(*total), 3);
    }
    recordGame(me, name);
}

void TurnFlow::showWinner(const QString& name, bool me)
{
    const QString won = me ? QStringLiteral("Have Won the Game!!") : QStringLiteral("Has Won the Game!!");
    for (int n = 1; n <= 4; ++n)
        m_overlays.winnerLabel(n)->setText(n <= 2 ? name : won);
    // The winner takes the round's banner's place: one banner, not two.
    m_overlays.over()->hide();
    // Above the path replay too: the game is over and the next one starts here.
    m_overlays.winnerPanel()->show();
    m_overlays.winnerPanel()->raise();
    if (m_link.holdsHostPowers()) {
        m_overlays.startButton()->show();
        m_overlays.startButton()->raise();
    }
}

void TurnFlow::offerHighScore(int myslot, int total)
{
    if (!m_parts.options.postHighScore())
        return;
    // A solo game (the host's seat named "You") is never posted.
    if (m_link.seatNames().name(1) == QLatin1String("You"))
        return;
    const int mode = m_link.gamemode();
    const bool good = (mode == 1 && total > 49999) || (mode == 2 && total > 19999);
    if (!good)
        return;
    const QDate today = m_parts.poster.today();
    m_parts.poster.sendscore(m_link.seatNames().name(myslot), today.toString(QStringLiteral("M/d/yy")),
                             QString::number(total), mode);
}

void TurnFlow::recordGame(int myslot, const QString& winnerName)
{
    if (winnerName != m_link.seatNames().name(myslot)) {
        m_parts.tally.addgame(winnerName);
        return;
    }
    m_parts.tally.addgame(QStringLiteral("addtomine"));
    m_parts.tally.addtomine(2);
}

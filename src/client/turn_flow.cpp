#include "turn_flow.h"

#include "base/game_mode.h"
#include "board_view.h"
#include "chat/core/colour_text.h"
#include "client/core/game_model.h"
#include "framed_panel.h"
#include "game_overlays.h"
#include "path_replay_panel.h"
#include "score_panel.h"
#include "status_announcer.h"
#include "ui/design_scale.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
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

TurnFlow::TurnFlow(GameModel& model, ScorePanel& score, GameOverlays& overlays, BoardView& boardView,
                   std::function<bool()> replayRunning, const ClientParts& parts, QObject* parent)
    : QObject(parent), m_model(model), m_score(score), m_overlays(overlays), m_boardView(boardView),
      m_replayRunning(std::move(replayRunning)), m_parts(parts), m_announcer(new StatusAnnouncer(&score))
{
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(1000);
    connect(&m_timer2, &QTimer::timeout, this, &TurnFlow::Timer2Timer);
    connect(&model, &GameModel::phraseQueued, this, &TurnFlow::wake);
    connect(&model, &GameModel::gameStarted, this, &TurnFlow::gameStarted);
    connect(&model, &GameModel::roundStarted, this, &TurnFlow::roundStarted);
    connect(&model, &GameModel::turnEnded, this, &TurnFlow::turnEnded);
    connect(&model, &GameModel::gameWon, this, &TurnFlow::gameWon);
    connect(&model, &GameModel::dealt, this, &TurnFlow::startCountdown);
    connect(&model, &GameModel::missionsChanged, this, [this](int missions) {
        m_score.numRound()->setText(missions > 0 ? tr("Missions Per Game: %1").arg(missions) : QString());
    });
}

void TurnFlow::gameStarted(const QString& starter, GameMode mode)
{
    m_phrasetick = 5; // a waiting phrase may show at the next tick
    m_parts.tally.loadchecklist();
    m_parts.sounds.playsounds(GameSound::GameStart);
    m_boardView.refresh();
    m_overlays.winnerPanel()->hide();
    const bool classic = mode == GameMode::Classic;
    const QString started = isMe(starter)
        ? (classic ? tr("You have started a CLASSIC game.") : tr("You have started a game."))
        : (classic ? tr("%1 has started a CLASSIC game.") : tr("%1 has started a game.")).arg(starter);
    m_parts.chat.addline(started, Blue);
}

bool TurnFlow::isMe(const QString& name) const
{
    // Only a player called "You" reads oddly in the third person ("You's turn").
    return name == QLatin1String("You") && m_model.myname() == name;
}

void TurnFlow::roundStarted(int mission, int slot)
{
    m_overlays.winnerPanel()->hide();
    m_boardView.setTrailText(QString());
    QLabel* name = m_score.playerName(slot);
    QLabel* arrow = m_score.turnArrow();
    DesignScale::move(arrow, {DesignScale::designRect(arrow).x(), DesignScale::designRect(name).y()});
    arrow->show();
    name->show();
    m_score.score(slot)->show();
    markCurrentPlayer(slot);
    if (m_model.missions() > 0 && mission > m_model.missions())
        m_parts.chat.addline(tr("Tie! An extra mission decides it."), Blue);
    if (m_model.watching() && slot == m_model.myslot()) {
        // A watching seat is dealt the board too, but it is nobody's turn here.
        m_overlays.roundnum()->setText(tr("Mission: %1  Just watching").arg(mission));
        m_score.status()->setText(tr("Just watching."));
        return;
    }
    const QString seated = m_model.seats().name(slot);
    const bool mine = isMe(seated);
    const QString turn = mine ? tr("Mission: %1  Your turn").arg(mission)
                              : tr("Mission: %1  %2's turn").arg(QString::number(mission), seated);
    m_overlays.roundnum()->setText(turn);
    m_announcer->announce(turn);
    m_score.status()->setText(mine ? tr("Your turn.") : tr("%1's turn.").arg(seated));
    if (seated == m_model.myname())
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

void TurnFlow::turnEnded(int, int reason)
{
    m_score.setTimerWidth(0);
    ScorePanel::showTile(m_score.current(), nullptr);
    m_score.status()->setText(tr("Turn Over"));
    showTurnOver(reason);
}

void TurnFlow::showTurnOver(int reason)
{
    struct Banner {
        int reason;
        const char* text;
        GameSound sound;
    };
    static constexpr Banner banners[] = {
        {1, QT_TR_NOOP("Out of Moves!"), GameSound::NoMove},
        {2, QT_TR_NOOP("Cleared the Board! Bonus +200!"), GameSound::Cleared},
        {3, QT_TR_NOOP("Out of Time!"), GameSound::OutOfTime},
        {4, QT_TR_NOOP("Everyone has completed this turn!"), GameSound::Cleared},
    };
    for (const Banner& b : banners) {
        if (b.reason == reason) {
            m_overlays.overText()->setText(tr(b.text));
            m_announcer->announce(tr(b.text));
            m_parts.sounds.playsounds(b.sound);
        }
    }
    ScorePanel::showTile(m_score.current(), nullptr);
    ScorePanel::showTile(m_score.next(), nullptr);
    m_overlays.over()->show();
    m_overlays.over()->raise();
}

void TurnFlow::startCountdown()
{
    m_score.setTimerWidth(ScorePanel::TimerFull);
    m_score.timerLabel()->setText(tr("Time: %1").arg(m_model.timeLeft()));
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
    if (m_model.timeLeft() == 0 && !m_score.popupShowing() && m_model.phrases().isEmpty()
        && !m_overlays.bubble()->isVisibleTo(m_overlays.bubble()->parentWidget()))
        m_timer2.stop();
}

void TurnFlow::Timer2Timer()
{
    m_score.popupTick();
    m_model.tick();
    const int left = m_model.timeLeft();
    if (left != 0) {
        const int width = m_score.timerWidth();
        m_score.setTimerWidth(width - 1 > left ? width - 3 : left);
    }
    m_score.timerLabel()->setText(tr("Time: %1").arg(left));
    if (left == StatusAnnouncer::HurrySeconds && !m_model.watching()
        && m_model.board().currentplayer() == m_model.myslot())
        m_announcer->announce(tr("%1 seconds left!").arg(left));
    m_phrasetick = qMin(m_phrasetick + 1, PhraseTickCap);
    if (m_phrasetick > 3)
        showNextPhrase();
    stopWhenIdle();
}

void TurnFlow::showNextPhrase()
{
    // The bubble would cover the winner's path: waiting phrases follow it.
    if (!m_model.phrases().isEmpty() && m_replayRunning())
        return;
    const std::optional<QString> next = m_model.takePhrase();
    if (!next) {
        m_overlays.bubbleText()->hide();
        m_overlays.bubble()->hide();
        return;
    }
    const ReceivedChat phrase = ChatLineParser::splitPhrase(*next);
    QLabel* text = m_overlays.bubbleText();
    QPalette palette = text->palette();
    palette.setColor(QPalette::WindowText, ColourText::toColor(phrase.colour));
    text->setPalette(palette);
    text->setText(phrase.line);
    m_overlays.bubble()->show();
    text->show();
    m_overlays.bubble()->raise();
    text->raise();
    // The bubble sits where the start button is: the button stays on top.
    m_overlays.startButton()->raise();
    m_phrasetick = 0;
}

void TurnFlow::gameWon(const QString& name)
{
    m_score.setTimerWidth(0);
    m_parts.sounds.playsounds(GameSound::GameOver);
    const bool me = isMe(name);
    const QString won = me ? tr("You have Won the Game!") : tr("%1 has Won the Game!").arg(name);
    m_parts.chat.addline(won, Blue);
    m_announcer->announce(won);
    tallyWinner(name);
    showWinner(name, me);
}

void TurnFlow::tallyWinner(const QString& name)
{
    // A watcher has no row: nothing of its own to post or tally.
    const int me = m_model.myslot();
    if (!Table::isSeat(me))
        return;
    if (const auto total = m_model.seats().total(me)) {
        offerHighScore(me, *total);
        const auto best = number(m_parts.tally.tallyHighScore());
        if (best && *total > *best)
            m_parts.tally.addword(QString::number(*total), TallyTable::HighScore);
    }
    recordGame(me, name);
}

void TurnFlow::showWinner(const QString& name, bool me)
{
    const QString won = me ? tr("Have Won the Game!!") : tr("Has Won the Game!!");
    for (int n = 1; n <= 4; ++n)
        m_overlays.winnerLabel(n)->setText(n <= 2 ? name : won);
    // The winner takes the round's banner's place: one banner, not two.
    m_overlays.over()->hide();
    // Above the path replay too: the game is over and the next one starts here.
    m_overlays.winnerPanel()->show();
    m_overlays.winnerPanel()->raise();
    // The start button shows for whoever holds the host's powers once the game is over.
    m_overlays.startButton()->raise();
}

void TurnFlow::offerHighScore(int myslot, int total)
{
    if (!m_parts.options.postHighScore())
        return;
    // A solo game (the host's seat named "You") is never posted.
    if (m_model.seats().name(1) == QLatin1String("You"))
        return;
    const GameMode mode = m_model.mode();
    if (!HighScores::qualifies(mode, total))
        return;
    const QDate today = m_parts.poster.today();
    m_parts.poster.sendscore(m_model.seats().name(myslot), today.toString(QStringLiteral("M/d/yy")),
                             QString::number(total), mode);
}

void TurnFlow::recordGame(int myslot, const QString& winnerName)
{
    if (winnerName == m_model.seats().name(myslot))
        m_parts.tally.addwongame();
    else
        m_parts.tally.addgame(winnerName);
}

#include "turn_flow.h"

#include "board_view.h"
#include "chat/core/colour_text.h"
#include "client/core/board_model.h"
#include "client/core/game_link.h"
#include "framed_panel.h"
#include "game_hooks.h"
#include "game_overlays.h"
#include "score_panel.h"

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

TurnFlow::TurnFlow(ScorePanel& score, GameOverlays& overlays, BoardModel& board, BoardView& boardView,
                   const GameLink& link, const GameHooks& hooks, std::function<void()> clearall,
                   QObject* parent)
    : QObject(parent), m_score(score), m_overlays(overlays), m_board(board), m_boardView(boardView),
      m_link(link), m_hooks(hooks), m_clearall(std::move(clearall))
{
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(1000);
    connect(&m_timer2, &QTimer::timeout, this, &TurnFlow::Timer2Timer);
    connect(m_overlays.phrases()->model(), &QAbstractItemModel::rowsInserted, this, &TurnFlow::wakeForPhrase);
}

void TurnFlow::startthegame(FieldReader& f)
{
    const QString name = QString::fromUtf8(f.next());
    const auto mode = f.nextInt();
    if (!mode)
        return;
    m_link.setGamemode(*mode);
    m_score.numRound()->setText(QStringLiteral("Missions Per Game: ") + QString::fromUtf8(f.last()));
    // A repeated start before the first round only updates the two values above.
    if (m_gamestarted)
        return;
    m_overlays.startButton()->hide();
    m_gamestarted = true;
    m_phrasetick = 5; // a waiting phrase may show at the next tick
    if (m_hooks.loadchecklist)
        m_hooks.loadchecklist();
    m_hooks.sound(QStringLiteral("gamestart"));
    m_clearall();
    m_overlays.winnerPanel()->hide();
    m_hooks.line(name + QStringLiteral(" has started a") + (*mode == 2 ? QStringLiteral(" CLASSIC") : QString())
                     + QStringLiteral(" game."),
                 Blue);
}

void TurnFlow::getnextplayer(FieldReader& f)
{
    const auto round = f.nextInt();
    if (!round)
        return;
    const auto slot = f.lastInt();
    if (!slot || !BoardModel::seat(*slot))
        return;
    m_gamestarted = false;
    m_overlays.winnerPanel()->hide();
    for (int n = 1; n <= ScorePanel::Seats; ++n)
        m_score.roundResult(n)->clear();
    m_boardView.setTrailText(QString());
    m_board.setCurrentplayer(*slot);
    m_board.setTrailScore(*slot, 0);

    QLabel* name = m_score.playerName(*slot);
    m_score.turnArrow()->move(m_score.turnArrow()->x(), name->y());
    m_score.turnArrow()->show();
    m_overlays.roundnum()->setText(QStringLiteral("Mission: ") + QString::number(*round) + QStringLiteral("  ")
                                   + name->text() + QStringLiteral("'s turn"));
    name->show();
    m_score.score(*slot)->show();
    m_score.status()->setText(name->text() + QStringLiteral("'s turn."));
    markCurrentPlayer(*slot);
    if (name->text() == m_link.myname())
        m_hooks.sound(QStringLiteral("turn"));
}

void TurnFlow::markCurrentPlayer(int slot)
{
    for (int n = 1; n <= ScorePanel::Seats; ++n) {
        QFont font = m_score.playerName(n)->font();
        font.setBold(n == slot);
        m_score.playerName(n)->setFont(font);
    }
}

void TurnFlow::turnover(FieldReader& f)
{
    const auto slot = f.nextInt();
    if (!slot)
        return;
    f.next(); // the seat's next tile or round result: nothing to show
    const auto total = f.nextInt();
    if (!total)
        return;
    m_timeleft = 0;
    m_score.setTimerWidth(0);
    m_board.setCanselect(false);
    ScorePanel::showTile(m_score.current(), nullptr);
    if (QLabel* score = m_score.score(*slot))
        score->setText(QString::number(*total));
    m_score.status()->setText(QStringLiteral("Turn Over"));
    m_board.setCurrentplayer(0);
    const auto reason = f.lastInt();
    if (!reason)
        return;
    showTurnOver(*reason);
}

void TurnFlow::showTurnOver(int reason)
{
    struct Banner {
        int reason;
        const char* text;
        const char* sound;
    };
    static constexpr Banner banners[] = {
        {1, "Out of Moves!", "nomove"},
        {2, "Cleared the Board! Bonus +200!", "cleared"},
        {3, "Out of Time!", "outtime"},
        {4, "Everyone has completed this turn!", "cleared"},
    };
    for (const Banner& b : banners) {
        if (b.reason == reason) {
            m_overlays.overText()->setText(QString::fromLatin1(b.text));
            m_hooks.sound(QString::fromLatin1(b.sound));
        }
    }
    ScorePanel::showTile(m_score.current(), nullptr);
    ScorePanel::showTile(m_score.next(), nullptr);
    m_overlays.over()->show();
    m_overlays.over()->raise();
}

void TurnFlow::postscores(FieldReader& f)
{
    while (!f.atEnd()) {
        const auto slot = f.nextInt();
        if (!slot)
            return;
        const QString total = QString::fromUtf8(f.next());
        const auto result = FieldReader::toInt(f.last());
        if (!BoardModel::seat(*slot))
            continue;
        m_score.score(*slot)->setText(total);
        if (result && *result != 0)
            m_score.roundResult(*slot)->setText(QStringLiteral("+") + QString::number(*result));
    }
    m_scoreorder.sort([this](int slot) { return m_score.shownTotal(slot); });
    for (int k = 1; k <= ScoreOrder::Rows; ++k)
        m_score.moveRow(m_scoreorder.slotAt(k), ScoreOrder::rowTop(k));
}

void TurnFlow::startCountdown()
{
    m_score.setTimerWidth(ScorePanel::TimerFull);
    m_timeleft = RoundSeconds;
    m_clockStarted = true;
    if (!m_timer2.isActive())
        m_timer2.start();
}

void TurnFlow::wakeForPhrase()
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
    m_phrasetick = qMin(m_phrasetick + 1, PhraseTickCap);
    if (m_phrasetick > 3)
        showNextPhrase();
    stopWhenIdle();
}

void TurnFlow::showNextPhrase()
{
    QListWidget* queue = m_overlays.phrases();
    if (queue->count() == 0) {
        m_overlays.bubbleText()->hide();
        m_overlays.bubble()->hide();
        return;
    }
    std::unique_ptr<QListWidgetItem> item(queue->takeItem(0));
    const QString phrase = item->text();
    const qsizetype bar = phrase.indexOf(QLatin1Char('|'));
    QColor colour = Qt::black;
    if (bar >= 0) {
        if (const auto converted = ColourText::fromText(QStringView(phrase).mid(bar + 1)))
            colour = ColourText::toColor(*converted);
    }
    QLabel* text = m_overlays.bubbleText();
    QPalette palette = text->palette();
    palette.setColor(QPalette::WindowText, colour);
    text->setPalette(palette);
    text->setText(bar >= 0 ? phrase.left(bar) : phrase);
    m_overlays.bubble()->show();
    text->show();
    m_overlays.raise();
    m_phrasetick = 0;
}

void TurnFlow::winner(FieldReader& f)
{
    const QString name = QString::fromUtf8(f.rest());
    m_timeleft = 0;
    m_score.setTimerWidth(0);
    m_hooks.sound(QStringLiteral("gameover"));
    m_hooks.line(name + QStringLiteral(" has Won the Game!"), Blue);

    // A watcher has no row: nothing of its own to post or tally.
    const int me = m_link.myslot();
    if (BoardModel::seat(me)) {
        const auto total = m_score.shownTotal(me);
        if (total) {
            offerHighScore(me, *total);
            const auto best = m_hooks.tallyHighScore ? number(m_hooks.tallyHighScore()) : std::nullopt;
            if (best && *total > *best && m_hooks.addword)
                m_hooks.addword(QString::number(*total), 3);
        }
        recordGame(me, name);
    }

    m_overlays.winnerLabel(1)->setText(name);
    m_overlays.winnerLabel(2)->setText(name);
    m_overlays.winnerPanel()->show();
    m_overlays.winnerPanel()->raise();
    if (me == 1)
        m_overlays.startButton()->show();
}

void TurnFlow::offerHighScore(int myslot, int total)
{
    if (!m_hooks.postHighScore || !m_hooks.postHighScore() || !m_hooks.sendscore)
        return;
    // A solo game (the host's seat named "You") is never posted.
    if (m_score.playerName(1)->text() == QLatin1String("You"))
        return;
    const int mode = m_link.gamemode();
    const bool good = (mode == 1 && total > 49999) || (mode == 2 && total > 19999);
    if (!good)
        return;
    const QDate today = m_hooks.today ? m_hooks.today() : QDate::currentDate();
    m_hooks.sendscore(m_score.playerName(myslot)->text(), today.toString(QStringLiteral("M/d/yy")),
                      QString::number(total), mode);
}

void TurnFlow::recordGame(int myslot, const QString& winnerName)
{
    if (!m_hooks.addgame)
        return;
    if (winnerName != m_score.playerName(myslot)->text()) {
        m_hooks.addgame(winnerName);
        return;
    }
    m_hooks.addgame(QStringLiteral("addtomine"));
    if (m_hooks.addtomine)
        m_hooks.addtomine(2);
}

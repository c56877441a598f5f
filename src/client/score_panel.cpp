#include "score_panel.h"

#include "client/core/game_seats.h"

#include "ui/built_in_picture.h"
#include "ui/design_scale.h"

#include <QImage>
#include <QLabel>
#include <QPainter>

namespace {

// The same 19-pixel pitch the score order places rows at, so nothing jumps
// when the first scores arrive.
constexpr int RowTops[Table::Seats] = {196, 215, 234, 253, 272, 291};
constexpr int NameLeft = 23;
constexpr int ScoreLeft = 119;
constexpr int ResultLeft = 186;
constexpr int EyesLeft = 13;
// The eyes picture's own size: narrower, its two eyes run together into "0(".
constexpr QSize EyesSize(12, 9);
constexpr int RowHeight = 17;
const QColor Text(235, 235, 255);
// A watcher's row is dimmed and slanted beside its eyes; an empty row is darker still.
const QColor WatchingText(156, 152, 120);
const QColor EmptyText(110, 110, 130);

} // namespace

ScorePanel::ScorePanel(QWidget* parent)
    : QWidget(parent), m_background(BuiltInPicture::pixmap(QStringLiteral("board_scorepanel.png")))
{
    setObjectName(QStringLiteral("panel_score"));
    setGeometry(463, 17, 238, 335);
    buildTop();
    buildRows();
}

QLabel* ScorePanel::label(const QString& name, const QRect& geometry, const QString& text, int pixels, bool bold)
{
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setGeometry(geometry);
    // Names and numbers come from the network: never read them as markup.
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    l->setFont(font);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, Text);
    l->setPalette(palette);
    return l;
}

void ScorePanel::buildTop()
{
    m_timer = label(QStringLiteral("image_timer"), QRect(20, 16, 0, 17), {}, 11, false);
    m_timer->setPixmap(BuiltInPicture::pixmap(QStringLiteral("board_timer.png")));
    m_timer->setScaledContents(true);
    m_timerLabel =
        label(QStringLiteral("label_timer"), QRect(20, 16, TimerFull, 17), tr("Help Save Pibbo!!"), 12, true);
    m_timerLabel->setAlignment(Qt::AlignCenter);
    m_timerLabel->setAccessibleDescription(tr("Seconds left in the mission"));
    m_timer->setAccessibleName(tr("Time bar"));

    label(QStringLiteral("label_current"), QRect(16, 36, 72, 14), tr("CURRENT"), 11, true)
        ->setAlignment(Qt::AlignCenter);
    label(QStringLiteral("label_next"), QRect(150, 36, 72, 14), tr("NEXT"), 11, true)->setAlignment(Qt::AlignCenter);
    m_current = label(QStringLiteral("image_current"), QRect(28, 52, 48, 48), {}, 11, false);
    m_next = label(QStringLiteral("image_next"), QRect(162, 52, 48, 48), {}, 11, false);
    m_nntile = label(QStringLiteral("image_nntile"), QRect(107, 64, 24, 24), {}, 11, false);
    m_nntile->hide();
    m_current->setAccessibleName(tr("Current tile"));
    m_next->setAccessibleName(tr("Next tile"));
    m_nntile->setAccessibleName(tr("Tile after next"));

    m_status = label(QStringLiteral("label_status"), QRect(8, 102, 222, 16), tr("Good Luck!"), 13, true);
    m_status->setAlignment(Qt::AlignCenter);

    m_bonusImage = label(QStringLiteral("image_bonus"), QRect(0, 120, 106, 48), {}, 11, false);
    m_bonusImage->setPixmap(BuiltInPicture::pixmap(QStringLiteral("board_popup.png")));
    m_bonusImage->hide();
    m_bonusLabel = label(QStringLiteral("label_bonus"), QRect(0, 120, 106, 48), {}, 16, true);
    m_bonusLabel->setAlignment(Qt::AlignCenter);
    QPalette black = m_bonusLabel->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    m_bonusLabel->setPalette(black);
    m_bonusLabel->hide();

    label(QStringLiteral("label_total"), QRect(ScoreLeft, 178, 60, 16), tr("Total"), 12, true);
    label(QStringLiteral("label_last"), QRect(ResultLeft, 178, 46, 16), tr("Last"), 12, true);
    m_numRound = label(QStringLiteral("label_numround"), QRect(8, 314, 222, 16), {}, 12, true);
    m_numRound->setAlignment(Qt::AlignCenter);
    m_turn = label(QStringLiteral("image_turn"), QRect(2, RowTops[0] + 2, 9, 13), {}, 11, false);
    m_turn->setPixmap(BuiltInPicture::pixmap(QStringLiteral("board_turn.png")));
    m_turn->hide();
}

void ScorePanel::buildRows()
{
    const QPixmap eyes = BuiltInPicture::pixmap(QStringLiteral("board_eyes.png"));
    for (int n = 1; n <= Table::Seats; ++n) {
        const QString number = QString::number(n);
        const int top = RowTops[n - 1];
        m_names[n] = label(QStringLiteral("label_playername") + number, QRect(NameLeft, top, 94, RowHeight),
                           tr("<Waiting>"), 12, false);
        // The row's slot, read by the players' context menu.
        m_names[n]->setProperty("tag", n);
        m_scores[n] = label(QStringLiteral("label_score") + number, QRect(ScoreLeft, top, 64, RowHeight),
                            QStringLiteral("0"), 12, false);
        m_results[n] =
            label(QStringLiteral("label_bonus") + number, QRect(ResultLeft, top, 46, RowHeight), {}, 12, false);
        m_eyes[n] =
            label(QStringLiteral("image_eyes") + number, QRect(QPoint(EyesLeft, top + 4), EyesSize), {}, 11, false);
        m_eyes[n]->setPixmap(eyes);
        m_eyes[n]->setScaledContents(true);
        m_eyes[n]->hide();
        // The rows move as the totals reorder them: each says whose it is.
        m_names[n]->setAccessibleDescription(tr("Player in seat %1").arg(n));
        m_scores[n]->setAccessibleDescription(tr("Total of seat %1").arg(n));
        m_results[n]->setAccessibleDescription(tr("Last mission's points of seat %1").arg(n));
        m_eyes[n]->setAccessibleName(tr("Watching"));
        showRow(n);
    }
}

void ScorePanel::showSeats(const GameSeats& seats)
{
    m_seats = &seats;
    for (int n = 1; n <= Table::Seats; ++n)
        showRow(n);
    placeRows();
    const auto row = [this](int slot) { showRow(slot); };
    connect(&seats, &GameSeats::nameChanged, this, row);
    connect(&seats, &GameSeats::totalChanged, this, row);
    connect(&seats, &GameSeats::lastScoreChanged, this, row);
    connect(&seats, &GameSeats::watchingChanged, this, row);
    connect(&seats, &GameSeats::orderChanged, this, &ScorePanel::placeRows);
}

void ScorePanel::placeRows()
{
    for (int k = 1; k <= ScoreOrder::Rows; ++k)
        moveRow(m_seats->order().slotAt(k), ScoreOrder::rowTop(k));
}

void ScorePanel::setNameMarks(NameMarks marks)
{
    m_marks = std::move(marks);
    refreshNames();
}

void ScorePanel::refreshNames()
{
    for (int n = 1; n <= Table::Seats; ++n)
        showRow(n);
}

void ScorePanel::showName(int slot, const QString& name, bool seated)
{
    // The mark goes first: a long name is cut at the row's right edge.
    const NameMark mark = m_marks && seated ? m_marks(name) : NameMark{};
    // An empty seat's word is the game's own and speaks the player's language;
    // a player's name is shown as the table sent it.
    const QString shown = name == SeatNames::Waiting ? tr("<Waiting>") : name;
    m_names[slot]->setText(mark.mark.isEmpty() ? shown : mark.mark + QLatin1Char(' ') + shown);
    m_names[slot]->setToolTip(mark.tip);
}

QLabel* ScorePanel::playerName(int slot) const
{
    return seat(slot) ? m_names[slot] : nullptr;
}

QLabel* ScorePanel::score(int slot) const
{
    return seat(slot) ? m_scores[slot] : nullptr;
}

QLabel* ScorePanel::roundResult(int slot) const
{
    return seat(slot) ? m_results[slot] : nullptr;
}

QLabel* ScorePanel::eyes(int slot) const
{
    return seat(slot) ? m_eyes[slot] : nullptr;
}

int ScorePanel::startTop(int slot)
{
    return seat(slot) ? RowTops[slot - 1] : 0;
}

void ScorePanel::moveRow(int slot, int top)
{
    if (!seat(slot))
        return;
    DesignScale::move(m_names[slot], {NameLeft, top});
    DesignScale::move(m_scores[slot], {ScoreLeft, top});
    DesignScale::move(m_results[slot], {ResultLeft, top});
    DesignScale::move(m_eyes[slot], {EyesLeft, top + 4});
}

int ScorePanel::timerWidth() const
{
    return DesignScale::designRect(m_timer).width();
}

void ScorePanel::setTimerWidth(int width)
{
    DesignScale::resize(m_timer, {qMax(0, width), DesignScale::designRect(m_timer).height()});
}

void ScorePanel::showPopup(int score)
{
    m_bonusLabel->setText(QString::number(score));
    m_popupTag = 2;
    m_bonusImage->show();
    m_bonusLabel->show();
    m_bonusLabel->raise();
}

void ScorePanel::popupTick()
{
    // Counting stops just below 0: the popup is hidden from then on anyway.
    if (m_popupTag >= 0)
        --m_popupTag;
    if (m_popupTag < 0) {
        m_bonusLabel->hide();
        m_bonusImage->hide();
    }
}

void ScorePanel::showRow(int slot)
{
    if (!seat(slot) || !m_seats)
        return;
    const GameSeats& seats = *m_seats;
    const bool seated = seats.seated(slot);
    const bool watching = seats.watching(slot);
    showName(slot, seats.name(slot), seated);
    const std::optional<int> total = seats.total(slot);
    m_scores[slot]->setText(total ? QString::number(*total) : QString());
    const int last = seats.lastScore(slot);
    m_results[slot]->setText(last != 0 ? QStringLiteral("+") + QString::number(last) : QString());
    m_eyes[slot]->setVisible(watching);
    const QColor colour = !seated ? EmptyText : watching ? WatchingText : Text;
    for (QLabel* l : {m_names[slot], m_scores[slot], m_results[slot]}) {
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, colour);
        l->setPalette(palette);
        QFont font = l->font();
        font.setItalic(watching);
        l->setFont(font);
    }
}

void ScorePanel::showTile(QLabel* preview, const QImage* picture)
{
    if (!picture) {
        preview->clear();
        return;
    }
    // Cut to the size the preview takes on screen, in screen pixels: cutting
    // to its design size first and stretching after would blur the picture.
    const qreal ratio = DesignScale::scaleOf(preview) * preview->devicePixelRatioF();
    const QSize design = DesignScale::designRect(preview).size();
    QPixmap pixmap =
        QPixmap::fromImage(picture->scaled(QSize(qRound(design.width() * ratio), qRound(design.height() * ratio)),
                                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(preview->devicePixelRatioF());
    preview->setPixmap(pixmap);
    DesignScale::fitPicture(preview, DesignScale::scaleOf(preview));
}

void ScorePanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_background);
}

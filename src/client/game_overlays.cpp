#include "game_overlays.h"

#include "client/core/game_model.h"
#include "framed_panel.h"
#include "ui/built_in_picture.h"
#include "ui/design_scale.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <utility>

namespace {

QLabel* textLabel(QWidget* parent, const QString& name, const QRect& geometry, const QString& text, int pixels,
                  const QColor& colour)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(true);
    l->setFont(font);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colour);
    l->setPalette(palette);
    return l;
}

QLabel* pictureLabel(QWidget* parent, const QString& name, const QRect& geometry, const QString& picture)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setPixmap(BuiltInPicture::pixmap(picture));
    return l;
}

// A picture label that is hidden until the game needs it: its picture is
// decoded when it first shows, not before the window's first paint.
class LatePictureLabel final : public QLabel {
public:
    LatePictureLabel(const QString& picture, QWidget* parent) : QLabel(parent), m_picture(picture) { }

protected:
    void showEvent(QShowEvent* event) override
    {
        if (!m_picture.isEmpty()) {
            setPixmap(BuiltInPicture::pixmap(std::exchange(m_picture, QString())));
            DesignScale::fitPicture(this, DesignScale::scaleOf(this));
        }
        QLabel::showEvent(event);
    }

private:
    QString m_picture;
};

// START GAME, drawn at whatever size the window's scale gives the button (a
// picture of its design size would only be stretched and blurred).
class StartButton final : public QPushButton {
public:
    static constexpr QSize Design{115, 67};

    explicit StartButton(QWidget* parent) : QPushButton(parent) { }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(width() / qreal(Design.width()), height() / qreal(Design.height()));
        p.setPen(QPen(QColor(0xff, 0xd0, 0x8a), 3));
        p.setBrush(isDown() ? QColor(0xe0, 0x70, 0x08) : QColor(0xff, 0x8a, 0x1a));
        p.drawRoundedRect(QRectF(3, 3, 108, 60), 16, 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 77));
        p.drawRoundedRect(QRectF(9, 7, 96, 21), 10, 10);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(17);
        p.setFont(font);
        //: Upper of the two words painted on the start button (room for about 8 capitals).
        const QString upper = GameOverlays::tr("START");
        //: Lower of the two words painted on the start button.
        const QString lower = GameOverlays::tr("GAME");
        const auto words = [&](const QColor& colour, qreal dx, qreal dy) {
            p.setPen(colour);
            p.drawText(QRectF(dx, dy - 10, 115, 67), Qt::AlignCenter, upper);
            p.drawText(QRectF(dx, dy + 10, 115, 67), Qt::AlignCenter, lower);
        };
        words(QColor(0x5a, 0x2a, 0x00), 1, 1);
        words(Qt::white, 0, 0);
    }
};

} // namespace

GameOverlays::GameOverlays(QWidget* back)
{
    m_roundnum = textLabel(back, QStringLiteral("label_roundnum"), QRect(144, 18, 313, 16),
                           tr("Welcome to Gloop Dash!"), 13, Qt::white);
    buildLeftColumn(back);
    buildBanners(back);
    m_owned = {m_roundnum, m_pibbie, m_bubble, m_bubbleText, m_start, m_phrases, m_over, m_winner, m_watching};
    raise();
}

GameOverlays::~GameOverlays()
{
    for (const QPointer<QWidget>& w : m_owned)
        delete w.data();
}

void GameOverlays::buildLeftColumn(QWidget* back)
{
    m_pibbie =
        pictureLabel(back, QStringLiteral("image_pibbie"), QRect(8, 154, 136, 163), QStringLiteral("board_mascot.png"));

    m_start = new StartButton(back);
    m_start->setObjectName(QStringLiteral("button_startgame"));
    m_start->setGeometry(QRect(QPoint(16, 49), StartButton::Design));
    m_start->setAccessibleName(tr("Start Game"));
    m_start->setCursor(Qt::PointingHandCursor);
    m_start->hide();

    m_bubble = new LatePictureLabel(QStringLiteral("board_bubble.png"), back);
    m_bubble->setObjectName(QStringLiteral("image_bubble"));
    m_bubble->setGeometry(8, 34, 135, 146);
    // A phrase is only read: clicks go through to the start button beneath.
    m_bubble->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_bubble->hide();
    m_bubbleText = textLabel(back, QStringLiteral("label_bubble"), QRect(23, 67, 107, 47), {}, 12, Qt::black);
    m_bubbleText->setWordWrap(true);
    m_bubbleText->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_bubbleText->hide();

    m_phrases = new QListWidget(back);
    m_phrases->setObjectName(QStringLiteral("listbox_phrase"));
    m_phrases->hide();
}

void GameOverlays::buildBanners(QWidget* back)
{
    m_over = new FramedPanel(QColor(120, 200, 255), QColor(16, 24, 70), back);
    m_over->setObjectName(QStringLiteral("panel_Over"));
    m_over->setGeometry(153, 137, 297, 65);
    m_overText = textLabel(m_over, QStringLiteral("label_over"), QRect(4, 4, 289, 57), tr("Welcome To Gloop Dash"), 16,
                           Qt::white);
    m_overText->setWordWrap(true);
    m_over->hide();

    m_winner = new FramedPanel(QColor(0, 255, 0), QColor(20, 10, 50), back);
    m_winner->setObjectName(QStringLiteral("panel_winner"));
    m_winner->setGeometry(161, 145, 297, 65);
    // Each text is written twice, silver under lime one pixel apart: a shadow.
    const QColor silver(192, 192, 192);
    const QColor lime(0, 255, 0);
    const QString winner = tr("Winner!");
    const QString won = tr("Has Won the Game!!");
    m_winnerLabels[0] = textLabel(m_winner, QStringLiteral("label_winner1"), QRect(1, 6, 297, 26), winner, 19, silver);
    m_winnerLabels[1] = textLabel(m_winner, QStringLiteral("label_winner2"), QRect(0, 5, 297, 26), winner, 19, lime);
    m_winnerLabels[2] = textLabel(m_winner, QStringLiteral("label_winner3"), QRect(1, 35, 297, 26), won, 19, silver);
    m_winnerLabels[3] = textLabel(m_winner, QStringLiteral("label_winner4"), QRect(0, 34, 297, 26), won, 19, lime);
    m_winner->hide();

    // Across the foot of the board while the local seat sits out.
    m_watching = textLabel(back, QStringLiteral("label_watching"), QRect(145, 318, 312, 30),
                           tr("Just watching: picking is closed"), 14, QColor(235, 235, 200));
    m_watching->setAutoFillBackground(true);
    QPalette dim = m_watching->palette();
    dim.setColor(QPalette::Window, QColor(20, 10, 50));
    m_watching->setPalette(dim);
    m_watching->hide();
}

void GameOverlays::raise()
{
    m_bubble->raise();
    m_bubbleText->raise();
    m_watching->raise();
    m_over->raise();
    m_winner->raise();
    m_start->raise();
}

void GameOverlays::observe(const GameModel& model)
{
    const auto showStart = [this, &model] { m_start->setVisible(model.holdsHostPowers() && !model.gameRunning()); };
    showStart();
    QObject::connect(&model, &GameModel::hostPowersChanged, m_start, showStart);
    QObject::connect(&model, &GameModel::gameRunningChanged, m_start, showStart);
    m_phrases->clear();
    m_phrases->addItems(model.phrases());
    QObject::connect(&model, &GameModel::phraseQueued, m_phrases,
                     [this](const QString& phrase) { m_phrases->addItem(phrase); });
    QObject::connect(&model, &GameModel::phraseTaken, m_phrases, [this] { delete m_phrases->takeItem(0); });
    m_watching->setVisible(model.watching());
    QObject::connect(&model, &GameModel::watchingChanged, m_watching, &QWidget::setVisible);
}

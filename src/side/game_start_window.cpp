#include "game_start_window.h"

#include "net/protocol_table.h"
#include "net/protocol_to_server.h"
#include "side_window_art.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tgamestart::Tgamestart(const LoginState& login, QWidget* parent) : QWidget(parent, Qt::Tool), m_login(login)
{
    setObjectName(QStringLiteral("gamestart"));
    setWindowTitle(tr("Gloop Dash - Game Start"));
    resize(260, 170);

    auto* title = new QLabel(tr("Game Options"), this);
    title->setObjectName(QStringLiteral("label_title"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);

    m_classic = new QCheckBox(tr("Classic Game"), this);
    m_classic->setObjectName(QStringLiteral("checkbox_classic"));
    m_start = new QPushButton(tr("Start Game"), this);
    m_start->setObjectName(QStringLiteral("button_start"));
    connect(m_start, &QPushButton::clicked, this, &Tgamestart::button_startClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_classic);
    layout->addLayout(makeBotRow());
    layout->addWidget(m_start);
    setBotCount(0, 5);
}

QLayout* Tgamestart::makeBotRow()
{
    m_botLevel = new QComboBox(this);
    m_botLevel->setObjectName(QStringLiteral("combobox_botlevel"));
    m_botLevel->addItem(tr("Easy"), int(BotLevel::Easy));
    m_botLevel->addItem(tr("Normal"), int(BotLevel::Normal));
    m_botLevel->addItem(tr("Hard"), int(BotLevel::Hard));
    m_botLevel->setCurrentIndex(1);
    m_addBot = new QPushButton(tr("Add Bot"), this);
    m_addBot->setObjectName(QStringLiteral("button_addbot"));
    connect(m_addBot, &QPushButton::clicked, this,
            [this] { emit addBot(BotLevel(m_botLevel->currentData().toInt())); });
    m_removeBot = new QPushButton(tr("Remove Bot"), this);
    m_removeBot->setObjectName(QStringLiteral("button_removebot"));
    connect(m_removeBot, &QPushButton::clicked, this, &Tgamestart::removeBot);
    m_bots = new QLabel(this);
    m_bots->setObjectName(QStringLiteral("label_bots"));

    auto* row = new QHBoxLayout;
    row->addWidget(m_botLevel);
    row->addWidget(m_addBot);
    row->addWidget(m_removeBot);
    row->addWidget(m_bots);
    return row;
}

void Tgamestart::setBotCount(int count, int most)
{
    m_bots->setText(tr("Bots: %1").arg(count));
    m_addBot->setEnabled(count < most);
    m_removeBot->setEnabled(count > 0);
}

void Tgamestart::setBackgroundPicture(const QPixmap& picture)
{
    SideWindowArt::tile(this, picture);
}

void Tgamestart::showEvent(QShowEvent* event)
{
    SideWindowArt::centre(this, m_anchor);
    m_classic->setFocus();
    QWidget::showEvent(event);
}

void Tgamestart::button_startClick()
{
    const int mode = GameModes::code(m_classic->isChecked() ? GameMode::Classic : GameMode::Standard);
    if (m_login.loggedin())
        emit startgame(ToServer::StartGame{m_login.myname().toUtf8(), mode}.bytes());
    hide();
}

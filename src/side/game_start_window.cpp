#include "game_start_window.h"

#include "net/message.h"
#include "side_window_art.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tgamestart::Tgamestart(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("gamestart"));
    setWindowTitle(QStringLiteral("Gloop Dash - Game Start"));
    resize(220, 130);

    auto* title = new QLabel(QStringLiteral("Game Options"), this);
    title->setObjectName(QStringLiteral("label_title"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);

    m_classic = new QCheckBox(QStringLiteral("Classic Game"), this);
    m_classic->setObjectName(QStringLiteral("checkbox_classic"));
    m_start = new QPushButton(QStringLiteral("Start Game"), this);
    m_start->setObjectName(QStringLiteral("button_start"));
    connect(m_start, &QPushButton::clicked, this, &Tgamestart::button_startClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_classic);
    layout->addWidget(m_start);
}

void Tgamestart::setBackgroundPicture(const QPixmap& picture)
{
    SideWindowArt::tile(this, picture);
}

void Tgamestart::setSession(std::function<QString()> myname, std::function<bool()> loggedin)
{
    m_myname = std::move(myname);
    m_loggedin = std::move(loggedin);
}

void Tgamestart::showEvent(QShowEvent* event)
{
    SideWindowArt::centre(this, m_anchor);
    m_classic->setFocus();
    QWidget::showEvent(event);
}

void Tgamestart::button_startClick()
{
    const QByteArray mode = m_classic->isChecked() ? "2" : "1";
    if (m_loggedin && m_loggedin()) {
        const QString name = m_myname ? m_myname() : QString();
        emit startgame(Message("CMD_startgame").field(name.toUtf8()).field(mode).field("").bytes());
    }
    hide();
}

#include "spy_list_window.h"

#include "side/core/spy_roster.h"
#include "side_window_art.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

Tspylist::Tspylist(const SpyRoster& roster, QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("spylist"));
    setWindowTitle(tr("GD- Spys"));
    resize(220, 260);

    auto* title = new QLabel(tr("Spy List"), this);
    title->setObjectName(QStringLiteral("label_title"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));
    m_list->setAccessibleName(tr("Watchers"));
    m_list->setMouseTracking(true);
    m_list->viewport()->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("popup_kick"));
    m_kick = m_popup->addAction(tr("Remove From Game"));
    m_kick->setObjectName(QStringLiteral("popup_kickhim"));
    m_kick->setEnabled(false);
    connect(m_kick, &QAction::triggered, this, &Tspylist::popup_kickhimClick);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_popup->popup(m_list->viewport()->mapToGlobal(pos)); });

    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("FlatButton1"));
    connect(done, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_list);
    layout->addWidget(done);
    wireRoster(roster);
}

void Tspylist::wireRoster(const SpyRoster& roster)
{
    m_list->addItems(roster.entries());
    connect(&roster, &SpyRoster::added, m_list, [this](const QString& entry) { m_list->addItem(entry); });
    connect(&roster, &SpyRoster::removed, m_list, [this](int index) { delete m_list->takeItem(index); });
    connect(&roster, &SpyRoster::cleared, m_list, &QListWidget::clear);
}

void Tspylist::setBackgroundPicture(const QPixmap& picture)
{
    SideWindowArt::tile(this, picture);
}

void Tspylist::setKickEnabled(bool enabled)
{
    m_kick->setEnabled(enabled);
}

bool Tspylist::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QModelIndex index = m_list->indexAt(at);
        m_pointed = index.isValid() ? index.row() : -1;
    }
    return QWidget::eventFilter(watched, event);
}

void Tspylist::popup_kickhimClick()
{
    if (m_pointed < 0)
        return;
    // The entry may have left since the pointer was over it.
    const QListWidgetItem* item = m_list->item(m_pointed);
    if (!item)
        return;
    const QString text = item->text();
    bool ok = false;
    const int slot = text.left(text.indexOf(QLatin1Char(':'))).toInt(&ok);
    if (ok)
        emit kicking(slot);
}

#include "chat_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {

QAction* item(QWidget* owner, const char* name, const QString& text, const QKeySequence& keys = {})
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    return action;
}

} // namespace

ChatMenu::ChatMenu(QWidget* owner) : QObject(owner)
{
    m_textColor = item(owner, "action_textcolor", tr("Text Color"));
    m_textSize = new QMenu(tr("Text Size"), owner);
    m_textSize->setObjectName(QStringLiteral("menu_textsize"));
    m_sizes = new QActionGroup(this);
    m_sizes->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const int size : Sizes) {
        QAction* a = m_textSize->addAction(QString::number(size));
        a->setObjectName(QStringLiteral("action_size%1").arg(size));
        a->setCheckable(true);
        m_sizes->addAction(a);
        connect(a, &QAction::triggered, this, [this, size] { emit textSizeChosen(size); });
    }
    m_scrollOff = item(owner, "action_scrolloff", tr("Scroll Chat Off"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m_scrollOff->setCheckable(true);
    m_clear = item(owner, "action_clear", tr("Clear Main Chat"));
    m_copy = item(owner, "action_copy", tr("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m_selectAll = item(owner, "action_selectall", tr("Select All"));
}

QAction* ChatMenu::sizeItem(int size) const
{
    for (QAction* a : m_sizes->actions()) {
        if (a->text() == QString::number(size))
            return a;
    }
    return nullptr;
}

void ChatMenu::tickSize(int size)
{
    if (QAction* a = sizeItem(size))
        a->setChecked(true);
}

void ChatMenu::addOptionsItems(QMenu* options) const
{
    options->addAction(m_textColor);
    options->addMenu(m_textSize);
    options->addAction(m_scrollOff);
    options->addAction(m_clear);
}

void ChatMenu::addContextItems(QWidget* view) const
{
    view->addAction(m_copy);
    view->addAction(m_clear);
    view->addAction(m_selectAll);
    auto* separator = new QAction(view);
    separator->setSeparator(true);
    view->addAction(separator);
    view->addAction(m_scrollOff);
}

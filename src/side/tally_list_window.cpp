#include "side/tally_list_window.h"

#include "side/core/tally_book.h"
#include "side/side_window_art.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Until a tallied player is chosen the panel says how to choose one, rather
// than showing a made-up name.
const char* const NoPlayerWins = QT_TRANSLATE_NOOP("Ttallylist", "Their Wins:");
const char* const NoPlayerTitle = QT_TRANSLATE_NOOP("Ttallylist", "Choose a player being tallied");

QLabel* label(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

QListWidget* checkList(const QString& name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setMinimumSize(150, 120);
    return list;
}

QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFlat(true);
    return b;
}

// A group with the list under its caption.
QGroupBox* listGroup(const QString& caption, QListWidget* list, QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(list);
    return box;
}

} // namespace

Ttallylist::Ttallylist(TallyBook& book, QWidget* parent) : QWidget(parent, Qt::Tool), m_book(book)
{
    setObjectName(QStringLiteral("tallylist"));
    setWindowTitle(tr("Gloopen Dash - Tally List"));
    buildWindow();
    showOwnTotals();
    fillTallied();
    fillchecklist();
    wireBook();
}

void Ttallylist::wireBook()
{
    connect(&m_book, &TallyBook::changed, this, [this] {
        showOwnTotals();
        listbox_tallyClick();
    });
    connect(&m_book, &TallyBook::playerAdded, this, &Ttallylist::addTalliedEntry);
    connect(&m_book, &TallyBook::playerRemoved, this, [this](int row) { delete m_tallied->takeItem(row - 1); });
    connect(&m_book, &TallyBook::cleared, this, [this] {
        m_tallied->clear();
        showNoPlayer();
    });
    connect(&m_book, &TallyBook::playersInGameChanged, this, &Ttallylist::fillchecklist);
    connect(&m_book, &TallyBook::tallyEveryoneChanged, m_everyone, &QCheckBox::setChecked);
    connect(&m_book, &TallyBook::saveFailed, this, [this](const QString& text) { reportSaveFailure(text, this); });
}

void Ttallylist::buildWindow()
{
    // The look is set on the content, not the window: a style sheet reaches
    // every child, the window's own question boxes included, whose white text
    // would then stand on their light grey. The panels are shaded so their
    // text stands out from the stars behind.
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("panel_content"));
    content->setStyleSheet(
        QStringLiteral("QGroupBox, QLabel, QCheckBox { color: white; }"
                       "QGroupBox { border: 1px solid #6a6a9a; margin-top: 8px; background: rgba(0, 0, 24, 215); }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 6px; }"
                       "QPushButton { color: white; border: 1px solid #6a6a9a; padding: 3px 18px;"
                       " background: rgba(0, 0, 24, 215); }"
                       "QPushButton:hover { background: #202050; }"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    m_checklist = checkList(QStringLiteral("checklist"), this);
    m_tallied = checkList(QStringLiteral("listbox_tally"), this);
    m_checklist->setAccessibleName(tr("Players In Current Game"));
    m_tallied->setAccessibleName(tr("Players Being Tallied"));
    connect(m_checklist, &QListWidget::itemChanged, this, &Ttallylist::checklistClickCheck);
    connect(m_tallied, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!m_rechecking && item->checkState() == Qt::Unchecked)
            listbox_tallyClickCheck(item);
    });
    connect(m_tallied, &QListWidget::currentRowChanged, this, &Ttallylist::listbox_tallyClick);

    m_everyone = new QCheckBox(tr("Tally everyone I play with"), this);
    m_everyone->setObjectName(QStringLiteral("checkbox_tallyeveryone"));
    m_everyone->setChecked(m_book.tallyEveryone());
    connect(m_everyone, &QCheckBox::toggled, &m_book, &TallyBook::setTallyEveryone);

    auto* lists = new QVBoxLayout;
    lists->addWidget(listGroup(tr("Players In Current Game"), m_checklist, this));
    lists->addWidget(listGroup(tr("Players Being Tallied"), m_tallied, this));
    lists->addWidget(m_everyone);
    auto* panels = new QVBoxLayout;
    panels->addWidget(buildOwnPanel());
    panels->addWidget(buildPlayerPanel());
    auto* buttons = new QHBoxLayout;
    auto* done = button(QStringLiteral("FlatButton1"), tr("Done"), this);
    auto* reset = button(QStringLiteral("FlatButton2"), tr("Reset Tally"), this);
    connect(done, &QPushButton::clicked, this, &Ttallylist::FlatButton1Click);
    connect(reset, &QPushButton::clicked, this, &Ttallylist::FlatButton2Click);
    buttons->addStretch(1);
    buttons->addWidget(reset);
    buttons->addWidget(done);
    panels->addStretch(1);
    panels->addLayout(buttons);

    auto* layout = new QHBoxLayout(content);
    layout->addLayout(lists);
    layout->addLayout(panels);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(content);
}

QWidget* Ttallylist::buildOwnPanel()
{
    auto* box = new QGroupBox(tr("Your Total Tally"), this);
    box->setObjectName(QStringLiteral("panel_mytally"));
    auto* grid = new QGridLayout(box);
    const QStringList captions{tr("Total Games:"), tr("Your Wins:"), tr("High Score:"), tr("Highest Trail:")};
    for (int i = 1; i <= 4; ++i) {
        m_mylabel[i] = label(QStringLiteral("mylabel_%1").arg(i), QStringLiteral("0"), box);
        grid->addWidget(label(QString(), captions[i - 1], box), i - 1, 0);
        grid->addWidget(m_mylabel[i], i - 1, 1, Qt::AlignRight);
    }
    return box;
}

// Rows: games, the opponent's wins, the local player's wins, won by neither;
// columns: all time (label_1 to label_4) and this run (label_5 to label_8).
QWidget* Ttallylist::buildPlayerPanel()
{
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("panel_histally"));
    auto* grid = new QGridLayout(box);
    m_hisnametop = label(QStringLiteral("label_hisnametop"), tr(NoPlayerTitle), box);
    m_hisname = label(QStringLiteral("label_hisname"), tr(NoPlayerWins), box);
    grid->addWidget(m_hisnametop, 0, 0, 1, 3);
    grid->addWidget(label(QString(), tr("Total"), box), 1, 1, Qt::AlignRight);
    grid->addWidget(label(QString(), tr("Session"), box), 1, 2, Qt::AlignRight);
    grid->addWidget(label(QString(), tr("Number of Games"), box), 2, 0);
    grid->addWidget(m_hisname, 3, 0);
    grid->addWidget(label(QString(), tr("Your Wins:"), box), 4, 0);
    grid->addWidget(label(QString(), tr("Neither Won:"), box), 5, 0);
    for (int i = 1; i <= 8; ++i) {
        m_label[i] = label(QStringLiteral("label_%1").arg(i), QStringLiteral("0"), box);
        grid->addWidget(m_label[i], 2 + (i - 1) % 4, i <= 4 ? 1 : 2, Qt::AlignRight);
    }
    return box;
}

void Ttallylist::setBackgroundPicture(const QPixmap& picture)
{
    SideWindowArt::tile(this, picture);
}

void Ttallylist::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    reportLoadError(m_book, this);
}

void Ttallylist::reportLoadError(TallyBook& book, QWidget* over)
{
    const QString error = book.takeLoadError();
    if (error.isEmpty())
        return;
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Gloop Dash"), error, QMessageBox::Ok, over);
    box->setObjectName(QStringLiteral("messagebox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Shown after the window that asked has finished showing, so it lands on top.
    QTimer::singleShot(0, box, &QWidget::show);
}

void Ttallylist::reportSaveFailure(const QString& text, QWidget* over)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Gloop Dash"), text, QMessageBox::Ok, over);
    box->setObjectName(QStringLiteral("tallysavebox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void Ttallylist::fillTallied()
{
    m_tallied->clear();
    for (const QString& name : m_book.table().playerNames())
        addTalliedEntry(name);
}

// The tick is set before the entry joins the list, so no check-box change is
// reported for it.
void Ttallylist::addTalliedEntry(const QString& name)
{
    auto* item = new QListWidgetItem(name);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    m_tallied->addItem(item);
}

// Ticked before an entry joins the list, so the refill is no click on a check box.
void Ttallylist::fillchecklist()
{
    m_checklist->clear();
    for (const QString& name : m_book.playersInGame()) {
        auto* item = new QListWidgetItem(name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_book.istallied(name) ? Qt::Checked : Qt::Unchecked);
        m_checklist->addItem(item);
    }
}

void Ttallylist::showOwnTotals()
{
    for (int c = 1; c <= 4; ++c)
        m_mylabel[c]->setText(m_book.mylabeltext(c));
}

void Ttallylist::showNoPlayer()
{
    for (int i = 1; i <= 8; ++i)
        m_label[i]->setText(QStringLiteral("0"));
    m_hisname->setText(tr(NoPlayerWins));
    m_hisnametop->setText(tr(NoPlayerTitle));
}

// Adding an opponent; clearing a tick here removes nothing.
void Ttallylist::checklistClickCheck(QListWidgetItem* item)
{
    if (item && item->checkState() == Qt::Checked)
        m_book.addPlayer(item->text());
}

QMessageBox* Ttallylist::ask(const QString& question)
{
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Gloop Dash"), question,
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("messagebox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

// The box does not block: the game keeps running, and the answer is applied to
// the named opponent wherever the entry is by then.
void Ttallylist::listbox_tallyClickCheck(QListWidgetItem* item)
{
    if (!item || item->checkState() != Qt::Unchecked)
        return;
    const QString name = item->text();
    QMessageBox* box = ask(tr("This will delete %1's Tally, Are you want to delete it?").arg(name));
    connect(box, &QDialog::finished, this,
            [this, box, name] { removeTallied(name, box->clickedButton() == box->button(QMessageBox::Yes)); });
}

void Ttallylist::removeTallied(const QString& name, bool confirmed)
{
    const int row = m_book.table().rowOf(name);
    if (row < 1)
        return;
    if (confirmed) {
        m_book.moverow(row);
        return;
    }
    m_rechecking = true;
    m_tallied->item(row - 1)->setCheckState(Qt::Checked);
    m_rechecking = false;
}

void Ttallylist::listbox_tallyClick()
{
    const int row = m_tallied->currentRow() + 1;
    const TallyTable& table = m_book.table();
    if (row < 1 || row > table.playerCount()) {
        showNoPlayer();
        return;
    }
    for (int i = 1; i <= 8; ++i)
        m_label[i]->setText(table.cell(i, row));
    const QString name = table.cell(0, row);
    m_hisname->setText(tr("%1 Wins:").arg(name));
    m_hisnametop->setText(tr("%1's Tally").arg(name));
}

void Ttallylist::FlatButton1Click()
{
    hide();
}

void Ttallylist::FlatButton2Click()
{
    QMessageBox* box = ask(tr("Are you sure you want to reset the Tally?"));
    connect(box, &QDialog::finished, this, [this, box] {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            m_book.reset();
    });
}

#include "join_game_dialog.h"
#include "internet_table_source.h"

#include "client/core/internet_table_list.h"

#include "client/core/game_address.h"
#include "game_browser.h"
#include "host_game_dialog.h"
#include "ui/window_frame.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

JoinGameDialog::JoinGameDialog(const QString& name, const QStringList& addresses, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("joingame"));
    setWindowTitle(tr("Join a Multi-player Game"));
    m_name = new QLineEdit(name, this);
    m_name->setObjectName(QStringLiteral("edit_name"));
    m_name->setMaxLength(HostGameDialog::MaxNameLength);
    m_address = new QComboBox(this);
    m_address->setObjectName(QStringLiteral("combo_address"));
    m_address->setEditable(true);
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_address->addItems(addresses);
    m_address->setToolTip(tr("host, host:port or [IPv6 address]:port"));
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("label_error"));
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_error->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("button_ok"));
    m_ok->setText(tr("Join"));
    connect(buttons, &QDialogButtonBox::accepted, this, &JoinGameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_browser = new GameBrowser(this);
    if (const QString list = InternetTableList::defaultCoordinator(); !list.isEmpty())
        m_browser->addSource(tr("Internet"), std::make_unique<InternetTableSource>(list),
                             tr("No game is listed on the internet right now, or the list cannot be reached. "
                                "The list is asked again every few seconds while this tab is in front."));
    connect(m_browser, &GameBrowser::tableChosen, m_address, &QComboBox::setEditText);
    connect(m_browser, &GameBrowser::joinRequested, this, [this](const QString& address) {
        m_address->setEditText(address);
        accept();
    });
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(m_browser, 1);
    auto* form = new QFormLayout;
    outer->addLayout(form);
    form->addRow(tr("Your name:"), m_name);
    form->addRow(tr("Address:"), m_address);
    form->addRow(m_error);
    form->addRow(buttons);
    WindowFrame::fitDialog(this);
}

QString JoinGameDialog::name() const
{
    return m_name->text().trimmed();
}

QString JoinGameDialog::address() const
{
    return m_address->currentText().trimmed();
}

void JoinGameDialog::setError(const QString& text)
{
    m_error->setText(text);
    m_error->setVisible(!text.isEmpty());
}

QString JoinGameDialog::error() const
{
    return m_error->text();
}

void JoinGameDialog::accept()
{
    // Stays open on what cannot be joined, saying why.
    if (name().isEmpty()) {
        setError(tr("Please enter your name."));
        return;
    }
    if (!GameAddress::parse(address())) {
        setError(tr("\"%1\" is not an address. Write host, host:port or [IPv6 address]:port.").arg(address()));
        return;
    }
    QDialog::accept();
}

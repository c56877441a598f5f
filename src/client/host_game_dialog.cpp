#include "host_game_dialog.h"

#include "client/core/game_address.h"
#include "ui/window_frame.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

HostGameDialog::HostGameDialog(const QString& name, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("hostgame"));
    setWindowTitle(tr("Host a Multi-player Game"));
    m_name = new QLineEdit(name, this);
    m_name->setObjectName(QStringLiteral("edit_name"));
    m_name->setMaxLength(MaxNameLength);
    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("edit_port"));
    m_port->setRange(1, 65535);
    m_port->setValue(GameAddress::DefaultPort);
    m_internet = new QCheckBox(tr("List this game on the internet"), this);
    m_internet->setObjectName(QStringLiteral("checkbox_internet"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("button_ok"));
    m_ok->setText(tr("Host"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto update = [this] { m_ok->setEnabled(!this->name().isEmpty()); };
    connect(m_name, &QLineEdit::textChanged, this, update);
    update();

    auto* form = new QFormLayout(this);
    form->addRow(tr("Your name:"), m_name);
    form->addRow(tr("Port:"), m_port);
    form->addRow(m_internet);
    form->addRow(buttons);
    WindowFrame::fitDialog(this);
}

QString HostGameDialog::name() const
{
    return m_name->text().trimmed();
}

quint16 HostGameDialog::port() const
{
    return quint16(m_port->value());
}

bool HostGameDialog::listOnInternet() const
{
    return m_internet->isChecked();
}

#include "tphrases.h"

#include "phrase_buttons.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

Tphrases::Tphrases(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("phrases"));
    setWindowTitle(tr("Gloop Dash - Phrase Buttons"));
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(8);
    for (int k = 1; k <= 9; ++k) {
        auto* label = new QLabel(tr("Phrase Button %1:").arg(k), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("phrase%1").arg(k));
        edit->setMaxLength(MaxLength);
        edit->setMinimumWidth(200);
        label->setBuddy(edit);
        grid->addWidget(label, k - 1, 0);
        grid->addWidget(edit, k - 1, 1);
        m_edits[size_t(k - 1)] = edit;
    }
    auto* button = new QPushButton(tr("Done"), this);
    button->setObjectName(QStringLiteral("button_done"));
    grid->addWidget(button, 9, 0, 1, 2, Qt::AlignCenter);
    connect(button, &QPushButton::clicked, this, &Tphrases::done);
    setFixedSize(sizeHint());
}

void Tphrases::setBackgroundPicture(const QPixmap& picture)
{
    m_background = picture;
    setAutoFillBackground(picture.isNull());
    update();
}

void Tphrases::openEditor(const QWidget* over)
{
    for (int k = 1; k <= 9; ++k)
        edit(k)->setText(m_buttons ? m_buttons->phrase(k) : QString());
    if (over) {
        const QRect frame = over->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

QLineEdit* Tphrases::edit(int k) const
{
    return k >= 1 && k <= 9 ? m_edits[size_t(k - 1)] : nullptr;
}

void Tphrases::done()
{
    QStringList phrases;
    for (int k = 1; k <= 9; ++k)
        phrases << edit(k)->text();
    if (m_buttons)
        m_buttons->setPhrases(phrases);
    emit phrasesDone(phrases);
    close();
}

void Tphrases::paintEvent(QPaintEvent* event)
{
    if (m_background.isNull()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), m_background);
}

#include "side/story_window.h"

#include "side/side_window_art.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tstory::Tstory(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("story"));
    setWindowTitle(tr("Gloop Dash - The Story"));
    resize(480, 420);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("memo1"));
    m_text->setAccessibleName(tr("The Story"));
    m_text->setReadOnly(true);
    m_text->setStyleSheet(QStringLiteral("QPlainTextEdit { background: black; color: #e0e0ff; }"));
    QFile file(QStringLiteral(":/texts/info_story.txt"));
    if (file.open(QIODevice::ReadOnly))
        m_text->setPlainText(QString::fromUtf8(file.readAll()));

    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("Button1"));
    done->setFlat(true);
    done->setStyleSheet(QStringLiteral("QPushButton { color: white; border: 1px solid #6a6a9a; padding: 3px 18px; }"
                                       "QPushButton:hover { background: #202050; }"));
    connect(done, &QPushButton::clicked, this, &Tstory::Button1Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(done, 0, Qt::AlignCenter);
    SideWindowArt::tile(this, SideWindowArt::picture(QStringLiteral("info_back.jpg")));
}

void Tstory::setBackgroundPicture(const QPixmap& picture)
{
    SideWindowArt::tile(this, picture);
}

QString Tstory::storyText() const
{
    return m_text->toPlainText();
}

void Tstory::Button1Click()
{
    hide();
}

#include "side/about_window.h"

#include "gd_version.h"
#include "side/core/side_config.h"
#include "side/side_window_art.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QLabel* label(const QString& name, const QString& text, const QString& style, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setStyleSheet(QStringLiteral("QLabel { %1 }").arg(style));
    return l;
}

} // namespace

Tabout::Tabout(QWidget* parent)
    : QWidget(parent, Qt::Tool), m_webAddress(QStringLiteral("http://") + SideConfig::webHost() + QLatin1Char('/'))
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral("Gloop Dash"));
    setStyleSheet(QStringLiteral("Tabout { background: black; }"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("image_logo"));
    logo->setPixmap(SideWindowArt::picture(QStringLiteral("info_logo.jpg")));
    logo->setAlignment(Qt::AlignCenter);

    const QString plain = QStringLiteral("color: #c0c0ff;");
    auto* versionRow = new QHBoxLayout;
    versionRow->setSpacing(0);
    versionRow->addStretch(1);
    versionRow->addWidget(label(QStringLiteral("Label9"), tr("Version "), plain, this));
    m_version = label(QStringLiteral("version"), QStringLiteral(GD_VERSION_TEXT), plain, this);
    versionRow->addWidget(m_version);
    versionRow->addWidget(label(QStringLiteral("Label10"), QStringLiteral(".6"), plain, this));
    versionRow->addStretch(1);

    auto* maker = label(QStringLiteral("Label6"), QStringLiteral("Mirrek Software"),
                        QStringLiteral("color: white; font: bold 11pt;"), this);
    maker->setAlignment(Qt::AlignCenter);
    const QString address = m_webAddress.toString();
    auto* web = label(QStringLiteral("Label7"),
                      QStringLiteral("<a href=\"%1\" style=\"color: #80c0ff;\">%1</a>").arg(address), QString(), this);
    web->setAlignment(Qt::AlignCenter);
    web->setCursor(Qt::PointingHandCursor);
    web->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(web, &QLabel::linkActivated, this, [this](const QString&) { Label7Click(); });

    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setFlat(true);
    done->setStyleSheet(QStringLiteral("QPushButton { color: white; border: 1px solid #6a6a9a; padding: 3px 18px; }"
                                       "QPushButton:hover { background: #202050; }"));
    connect(done, &QPushButton::clicked, this, &Tabout::Button1Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo);
    layout->addLayout(versionRow);
    layout->addWidget(maker);
    layout->addWidget(web);
    layout->addWidget(done, 0, Qt::AlignCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Tabout::setBackgroundPicture(const QPixmap& picture)
{
    SideWindowArt::tile(this, picture);
}

QString Tabout::versionText() const
{
    return m_version->text();
}

void Tabout::Label7Click()
{
    m_openUrl->openUrl(m_webAddress);
}

void Tabout::Button1Click()
{
    hide();
}

void Tabout::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Each opening comes centred over the main window; a window brought back
    // from the task bar stays where it was.
    if (!event->spontaneous())
        SideWindowArt::centre(this, m_anchor ? m_anchor.data() : parentWidget());
}

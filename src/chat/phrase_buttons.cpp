#include "phrase_buttons.h"

#include <QToolButton>

namespace {

constexpr int kWidth = 25;
constexpr int kHeight = 19;
constexpr int kColumnStep = 27; // lefts 9, 36, 63, 90, 117
constexpr int kRowStep = 21; // tops 308, 329

} // namespace

PhraseButtons::PhraseButtons(QWidget* parent) : QWidget(parent), m_phrases(builtInPhrases())
{
    setObjectName(QStringLiteral("phrase_buttons"));
    setGeometry(Place.x(), Place.y(), 4 * kColumnStep + kWidth, kRowStep + kHeight);
    QFont small = font();
    small.setPointSize(7);
    for (int i = 0; i < 10; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("b_phrase%1").arg(i + 1));
        b->setGeometry((i % 5) * kColumnStep, (i / 5) * kRowStep, kWidth, kHeight);
        b->setFont(small);
        // Reached by Tab, but a click leaves the focus on the chat line.
        b->setFocusPolicy(Qt::TabFocus);
        m_buttons[size_t(i)] = b;
    }
    for (int k = 1; k <= Count; ++k) {
        button(k)->setText(QStringLiteral("P%1").arg(k));
        button(k)->setToolTip(phrase(k));
        connect(button(k), &QToolButton::clicked, this, [this, k] { emit phraseClicked(phrase(k)); });
    }
    QToolButton* cs = m_buttons[9];
    cs->setText(QStringLiteral("CS"));
    cs->setToolTip(tr("See ya!"));
    connect(cs, &QToolButton::clicked, this,
            [this, cs] { emit chatterSoundsRequested(cs->mapToGlobal(cs->rect().bottomRight())); });
}

QStringList PhraseButtons::builtInPhrases()
{
    return {QStringLiteral("Way To Go!"), QStringLiteral("Good One!"),   QStringLiteral("Nice Trail"),
            QStringLiteral("Excellent!"), QStringLiteral("Brilliant!"),  QStringLiteral("Wow, WTG!"),
            QStringLiteral("Thanks!"),    QStringLiteral("Nice Round!"), QStringLiteral("Good Game Everyone!")};
}

QString PhraseButtons::phrase(int k) const
{
    return k >= 1 && k <= Count ? m_phrases.at(k - 1) : QString();
}

void PhraseButtons::setPhrase(int k, const QString& phrase)
{
    if (k < 1 || k > Count)
        return;
    m_phrases[k - 1] = phrase;
    button(k)->setToolTip(phrase);
}

QStringList PhraseButtons::phrases() const
{
    return m_phrases;
}

void PhraseButtons::setPhrases(const QStringList& phrases)
{
    for (int k = 1; k <= Count && k <= phrases.size(); ++k)
        setPhrase(k, phrases.at(k - 1));
}

QToolButton* PhraseButtons::button(int k) const
{
    return k >= 1 && k <= 10 ? m_buttons[size_t(k - 1)] : nullptr;
}

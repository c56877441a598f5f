#pragma once

#include "chat/core/tile_pictures.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;
class QStackedWidget;

// The help window: page buttons on the side, the chosen page with its title on
// the right. It keeps the page it showed last between showings. Each page is
// built when it is first chosen.
class Thelp : public QWidget {
    Q_OBJECT
public:
    explicit Thelp(QWidget* parent = nullptr);

    void setBackgroundPicture(const QPixmap& picture);
    // The "Images" page draws its tiles from the set the board uses; an empty
    // set means the built-in one.
    void setTilePictures(const TilePictures& set);
    // The main window, over which the window opens centred.
    void setAnchor(QWidget* mainWindow) { m_anchor = mainWindow; }

    // Brings the page of button `tag` to the front and titles it with `caption`.
    void SelButton1Click(int tag, const QString& caption);
    void button_aboutClick();
    void button_doneClick();

    // The page now in front, and its title.
    QWidget* currentPage() const;
    QString caption() const;

    struct Page {
        int tag;
        const char* caption;
        const char* text; // resource name under ":/texts/", none for the picture page
    };
    static const QList<Page>& pages();

signals:
    // "About" was clicked: the main window shows its about window.
    void showabout();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildSidePanel();
    QWidget* buildMainPanel();
    QWidget* buildTextPage(const Page& page);
    QWidget* buildPicturePage();
    QWidget* pageFor(int tag);
    void showTilePictures();

    QLabel* m_caption = nullptr;
    QList<QLabel*> m_tilePictures;
    QStackedWidget* m_pages = nullptr;
    // The pages built so far, by the tag of their selector button.
    QHash<int, QWidget*> m_pageByTag;
    // The set the picture page draws; empty for the built-in one.
    TilePictures m_tiles;
    QPointer<QWidget> m_anchor;
};

#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class TallyBook;
class QListWidget;
class QListWidgetItem;
class QMessageBox;

// The tally list window: shows a TallyBook (the local player's own totals and
// bests, and the games played against every opponent the player chose to
// tally, all time and this run) and lets the player choose whom to tally.
//
// `checklist` ("Players In Current Game") shows the book's players in game,
// ticking the tallied ones; ticking one tallies it. Entry r of
// `listbox_tally` ("Players Being Tallied") always belongs to table row r + 1.
// The window may be made at any time: it reads the book's state when made.
class Ttallylist : public QWidget {
    Q_OBJECT
public:
    explicit Ttallylist(TallyBook& book, QWidget* parent = nullptr);

    // Tells the player, in a box over `over`, why the book's file could not be
    // read, if it could not and nobody was told yet.
    static void reportLoadError(TallyBook& book, QWidget* over);
    // Tells the player that the tally could not be written, in a box over `over`.
    static void reportSaveFailure(const QString& text, QWidget* over);

    // The tile painted behind the window: the main window's background picture.
    void setBackgroundPicture(const QPixmap& picture);

    TallyBook& book() const { return m_book; }
    QListWidget* checklist() const { return m_checklist; }
    QListWidget* listboxTally() const { return m_tallied; }

    // The window's own controls.
    void checklistClickCheck(QListWidgetItem* item);
    void listbox_tallyClickCheck(QListWidgetItem* item);
    void listbox_tallyClick();
    void FlatButton1Click();
    void FlatButton2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    QWidget* buildOwnPanel();
    QWidget* buildPlayerPanel();
    void wireBook();
    void fillchecklist();
    void fillTallied();
    void addTalliedEntry(const QString& name);
    void showOwnTotals();
    void showNoPlayer();
    void removeTallied(const QString& name, bool confirmed);
    QMessageBox* ask(const QString& question);

    TallyBook& m_book;
    QListWidget* m_checklist = nullptr;
    QListWidget* m_tallied = nullptr;
    QCheckBox* m_everyone = nullptr;
    QLabel* m_mylabel[5] = {}; // 1 to 4
    QLabel* m_label[9] = {}; // 1 to 8
    QLabel* m_hisname = nullptr;
    QLabel* m_hisnametop = nullptr;
    bool m_rechecking = false;
};

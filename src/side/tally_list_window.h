#pragma once

#include "side/core/tally_file.h"
#include "side/core/tally_table.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QMessageBox;

// The tally list: the local player's own totals and bests, and the games played
// against every opponent the player chose to tally, all time and this run.
//
// Fed only by the local game view; nothing goes over the network. The window
// reads the tally file when it is created and writes it after every change and
// again when it is destroyed, so a run's counts survive a crash.
//
// `checklist` ("Players In Current Game") is filled by the main window's
// `loadchecklist`, which ticks the names found in `listbox_tally` ("Players Being
// Tallied"). Entry r of `listbox_tally` always belongs to table row r + 1.
class Ttallylist : public QWidget {
    Q_OBJECT
public:
    // Reads the tally from the game's home folder.
    explicit Ttallylist(QWidget* parent = nullptr);
    // Reads the tally from `folder`. An unreadable file is kept aside as
    // "gloopdashtally.tld.bad" and the tally starts empty; an error box says so
    // over the main window once that is shown (see setAnchor), or over this
    // window when it is shown first.
    explicit Ttallylist(const QString& folder, QWidget* parent = nullptr);
    // Writes the tally; a failure is ignored, as there is nobody left to tell.
    ~Ttallylist() override;

    // The main window, over which a damaged tally is reported once it shows.
    void setAnchor(QWidget* mainWindow);

    // The tile painted behind the window: the main window's background picture.
    void setBackgroundPicture(const QPixmap& picture);

    QListWidget* checklist() const { return m_checklist; }
    QListWidget* listboxTally() const { return m_tallied; }
    // Whether `name` is tallied, without regard to case.
    bool istallied(const QString& name) const { return m_table.rowOf(name) >= 0; }
    // What `loadchecklist` does with the seated opponents' names: refill
    // "Players In Current Game", ticking the tallied ones.
    void fillchecklist(const QStringList& names);

    // One finished game. `winner` is the winner's name, or "addtomine" when the
    // local player won. First asks the main window to refill `checklist`
    // (loadchecklistrequested), then counts the tallied players found there.
    void addgame(const QString& winner);
    // Adds 1 to own column 1 (games) or 2 (wins).
    void addtomine(int column);
    // Stores `text` in own column 3 (high score) or 4 (highest trail).
    void addword(const QString& text, int column);
    // Adds 1 to a cell and returns the new value (-1 outside the table).
    qint64 addit(int column, int row);
    // Stops tallying the opponent of `row` (1 or more): row and list entry go.
    void moverow(int row);
    // Offers a trail score or final score of the local player: recorded when it
    // beats the shown best (an equal one does not). Returns whether it did.
    bool offertrail(qint64 trail);
    bool offerhighscore(qint64 score);
    // Shows the table: own totals, and the tallied names with run counts at 0.
    void loadtally();

    // The text of the own-row label of column 1 to 4 (mylabel_1 to mylabel_4):
    // what the game view compares a new score or trail against.
    QString mylabeltext(int column) const;

    const TallyTable& table() const { return m_table; }
    QString filePath() const { return m_file.path(); }
    // Writes the tally file now; false when it could not be replaced (the old
    // file stays whole). The first failure of a run is reported to the player.
    bool savetally();

    // The window's own controls.
    void checklistClickCheck(QListWidgetItem* item);
    void listbox_tallyClickCheck(QListWidgetItem* item);
    void listbox_tallyClick();
    void FlatButton1Click();
    void FlatButton2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

signals:
    // Connect to the main window's `loadchecklist` (directly: addgame counts
    // from `checklist` right after emitting).
    void loadchecklistrequested();

private:
    void FormCreate();
    void reportLoadError();
    void buildWindow();
    QWidget* buildOwnPanel();
    QWidget* buildPlayerPanel();
    void addTalliedEntry(const QString& name);
    void showOwnTotals();
    void showNoPlayer();
    void changed();
    void removeTallied(const QString& name, bool confirmed);
    void resetTally();
    QMessageBox* ask(const QString& question);
    void reportSaveFailure(const QString& reason);

    TallyFile m_file;
    TallyTable m_table;
    QListWidget* m_checklist = nullptr;
    QListWidget* m_tallied = nullptr;
    QLabel* m_mylabel[5] = {}; // 1 to 4
    QLabel* m_label[9] = {}; // 1 to 8
    QLabel* m_hisname = nullptr;
    QLabel* m_hisnametop = nullptr;
    bool m_rechecking = false;
    QString m_loadError;
    QPointer<QWidget> m_anchor;
    bool m_saveFailureReported = false;
    bool m_closing = false;
};

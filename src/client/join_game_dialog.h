#pragma once

#include <QDialog>
#include <QStringList>

class GameBrowser;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// File "Join a Multi-player Game…": the games found on the network, the
// player's name and the host's address ("host", "host:port" or
// "[ipv6]:port"), offering the last addresses joined. Choosing a game fills
// in its address; a double-click joins it. A join that failed comes back here
// with what went wrong.
class JoinGameDialog : public QDialog {
    Q_OBJECT
public:
    JoinGameDialog(const QString& name, const QStringList& addresses, QWidget* parent = nullptr);

    QString name() const;
    QString address() const;
    // What went wrong with the last try, in red above the buttons; empty hides it.
    void setError(const QString& text);
    QString error() const;

    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* addressBox() const { return m_address; }
    QPushButton* okButton() const { return m_ok; }
    GameBrowser* browser() const { return m_browser; }

    void accept() override;

private:
    GameBrowser* m_browser = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_address = nullptr;
    QLabel* m_error = nullptr;
    QPushButton* m_ok = nullptr;
};

#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// File "Host a Multi-player Game…": the player's name and the port to host
// on (7772 unless the player picks another).
class HostGameDialog : public QDialog {
    Q_OBJECT
public:
    // Names travel as the rest of a message; this keeps them to what a seat
    // row shows. The join dialog uses the same.
    static constexpr int MaxNameLength = 30;

    explicit HostGameDialog(const QString& name, QWidget* parent = nullptr);

    QString name() const;
    quint16 port() const;
    // "List this game on the internet": off unless the player asks.
    bool listOnInternet() const;

    QLineEdit* nameEdit() const { return m_name; }
    QSpinBox* portEdit() const { return m_port; }
    QPushButton* okButton() const { return m_ok; }
    QCheckBox* internetBox() const { return m_internet; }

private:
    QLineEdit* m_name = nullptr;
    QSpinBox* m_port = nullptr;
    QCheckBox* m_internet = nullptr;
    QPushButton* m_ok = nullptr;
};

#pragma once

#include <QMainWindow>
#include <functional>

struct AppContext;
class SerialPort;
class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// Tries each candidate on the port and returns those that open, leaving the port set to
// its former name and open again when it can be opened. Failures are not reported.
QStringList scanFreePorts(SerialPort& port, const QStringList& candidates);
// Port numbers 1 to 16 and the serial devices the system reports beyond them.
QStringList defaultScanCandidates();

// The port-settings window: port number or device, the four settings lists, the scan for
// free ports and "Parameter setzen", which reopens the program's port with the choice.
class frmSchnittstelle : public QMainWindow {
    Q_OBJECT

public:
    // `mnuSystem` follows the port's open state when this window closes.
    frmSchnittstelle(AppContext& ctx, SerialPort& V24, QWidget* mainWindow, QAction* mnuSystem,
                     QWidget* parent = nullptr);

    void Form_Load();
    void subSettings();
    void btnSetParameter_Click();
    void btnV24_Click();

    // Where the scan looks; tests replace it so no real device is touched.
    std::function<QStringList()> scanCandidates = defaultScanCandidates;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& m_ctx;
    SerialPort& m_V24;
    QWidget* m_mainWindow;
    QAction* m_mnuSystem;
    QLineEdit* m_txtCOM = nullptr;
    QListWidget* m_lstV24 = nullptr;
    QComboBox* m_cmbBaudrate = nullptr;
    QComboBox* m_cmbParity = nullptr;
    QComboBox* m_cmbDatenbits = nullptr;
    QComboBox* m_cmbStopbits = nullptr;
    QPushButton* m_btnV24 = nullptr;
    QPushButton* m_btnSetParameter = nullptr;
};

#pragma once

#include <QDialog>
#include <array>

struct AppContext;
class StationLink;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class RisingScrollBar;
class QStatusBar;
class StationWindowGuard;

// The Intellibox settings window: special options one by one or as a list (saved as
// "_SO.txt" in the data folder), the Motorola-format test, track power over P50 and P50X,
// and the version fields. Opened modal by the main window on its link. Every query waits
// at most 20000 ms, starts with an empty answer text, and keeps the other queries disabled.
class frmIB : public QDialog {
    Q_OBJECT
public:
    frmIB(AppContext& ctx, StationLink& link, QWidget* parent = nullptr);

    // The answer text of the last query, as panel 1 of the status bar shows it.
    QString statusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnLesen_Clicked(int index);
    void readSingle();
    void readRange();
    void btnMotorola_Clicked();
    void btnPower_Clicked(int index);
    void btnVersion_Clicked();
    void mnuPopUp_Datei_Click();
    void txtSO_Change();

    // Runs `body` as one station operation: refused with a beep while another exchange
    // runs; the station buttons are disabled and the busy pointer shows meanwhile; port
    // failures go to the central error report.
    template <typename Body>
    void operation(Body body);
    // Sends `command`, pauses `pauseMs`, and collects the answer into a fresh text.
    // False after the deadline (the user has been told) or when the window closes (then it
    // sends nothing more).
    bool query(const QString& command, qint64 pauseMs, QString& answer);
    void setStatus(const QString& text);

    AppContext& m_ctx;
    StationLink& m_link;
    StationWindowGuard* m_guard;

    QLineEdit* m_txtSO;
    RisingScrollBar* m_scrSO;
    std::array<QPushButton*, 3> m_btnLesen{};  // 1 and 2 used
    std::array<QLabel*, 3> m_lblSO{};          // 1 and 2 used
    QLineEdit* m_txtVon;
    QLineEdit* m_txtBis;
    QListWidget* m_lstSO;
    QPushButton* m_btnMotorola;
    QCheckBox* m_chk663;
    QCheckBox* m_chkLokdatenformat;
    std::array<QPushButton*, 4> m_btnPower{};
    QPushButton* m_btnVersion;
    std::array<QLabel*, 6> m_lblVersion{};
    QStatusBar* m_stbStatus;
    QLabel* m_statusPanel;
    QMenu* m_mnuPopUp;
};

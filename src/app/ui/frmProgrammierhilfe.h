#pragma once

#include <QMainWindow>
#include <array>

struct AppContext;
class ProgrammierhilfeTargets;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The byte calculator: eight bit boxes, the value in decimal and hexadecimal, written into
// the value field of the programming window that the current SystemMode names.
class frmProgrammierhilfe : public QMainWindow {
    Q_OBJECT

public:
    frmProgrammierhilfe(AppContext& ctx, QWidget* mainWindow, const ProgrammierhilfeTargets& targets,
                        QWidget* parent = nullptr);

    // Placement by SystemMode; run each time the window is opened.
    void Form_Load();

    void chkPH_Click(int index);
    void optZaehlweise_Click(int index);
    void decimalEntry();  // txtDec double-click or Enter
    void hexEntry();      // txtHex double-click or Enter
    void txtDec_LostFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    int ticked() const;

    AppContext& m_ctx;
    QWidget* m_mainWindow;
    const ProgrammierhilfeTargets& m_targets;
    std::array<QCheckBox*, 8> m_chkPH{};
    std::array<QLabel*, 8> m_lblZaehlweise{};
    std::array<QRadioButton*, 2> m_optZaehlweise{};
    QLineEdit* m_txtDec = nullptr;
    QLineEdit* m_txtHex = nullptr;
};

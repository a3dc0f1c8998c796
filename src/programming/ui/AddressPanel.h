#pragma once

#include <QFrame>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class ZentraleHost;

// The long-address view of the programming window (`pnlLA`): reading and writing the basis
// address (CV 1) and the long address through an Intellibox or a MasterControl, reading
// CV 29 and switching the decoder back to its basis address, and the conversion between a
// long address and CV 17 / CV 18. The window places it and shows or parks it.
class AddressPanel : public QFrame {
    Q_OBJECT
public:
    explicit AddressPanel(ZentraleHost& host, QWidget* parent = nullptr);

    // Returns the address labels and fields to black on white.
    void ClearColor();

    // The handlers of the panel's buttons.
    void btnLesenLA_Clicked();
    void btnSchreibenLA_Clicked();
    void bntCV1718_Clicked();
    void btnUmrechnenLA_Clicked(int index);
    void btnCV29_Clicked();
    void btnBasisAdresse_Clicked();
    void btnFelderLoeschen_Clicked();

private:
    QLineEdit* numberField(const char* name, const QString& toolTip, int maxDigits);

    ZentraleHost& m_host;
    QLineEdit* m_txtBasisAdresse = nullptr;
    QLineEdit* m_txtLangeAdresse = nullptr;
    QLineEdit* m_txtCV17 = nullptr;
    QLineEdit* m_txtCV18 = nullptr;
    QLineEdit* m_txtUmrLA = nullptr;
    QLabel* m_lblBasisAdresse = nullptr;
    QLabel* m_lblLangeAdresse = nullptr;
    std::array<QLabel*, 4> m_lblCV29{};
};

#pragma once

#include "programming/core/CvProgrammer.h"
#include "programming/core/LongAddress.h"
#include "programming/ui/PanelHost.h"

#include <QFrame>
#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The long-address view of a programming window (`pnlLA`): reading and writing the basis
// address (CV 1) and the long address, reading CV 29 and switching the decoder back to its
// basis address, all through the window's read/write-CV interface, and the conversion
// between a long address and CV 17 / CV 18. The window places it and shows or parks it.
class AddressPanel : public QFrame {
    Q_OBJECT
public:
    // The read/write-CV interface of each operation; none refuses it with a beep.
    struct Programmers {
        CvProgrammerSource addresses;    // CV 1, 17, 18, 29 and the long address
        CvProgrammerSource basisSwitch;  // the CV 29 read and write that switch back to the basis address
    };
    // What differs between the windows' panels. A station without commands of its own for
    // the long address reads and writes it as CV 17 and CV 18.
    struct Options {
        int longAddressDigits = 5;  // txtLangeAdresse
        // The long addresses the station writes; the largest is asked when a write begins.
        qint64 longAddressMinimum = LongAddress::Minimum;
        std::function<qint64()> longAddressMaximum = [] { return qint64(9999); };
        // The refusal of a too large long address names the station (`CuName`).
        bool limitNamesStation = true;
        // A value read as the panel shows it.
        std::function<QString(int value)> valueText = [](int value) { return QString::number(value); };
        // A failed read of the basis address or of CV 17 still goes on with the next CV.
        bool goOnAfterFailedRead = false;
        // The read/write-CV interface tells the outcome of each read and write itself, an
        // unanswered one included (the Lenz window): the status stays as it left it, except
        // after a failed CV 29 read, which shows the read error with the result's `shown`.
        bool programmerTells = false;
        // The pause of `Delay` ms after each address write.
        bool pauseAfterWrites = false;
        // The basis address found already active is marked on its label.
        bool markActiveBasis = true;
        // The status after "Basisadresse ist aktiv !" (empty: none).
        QString basisActiveStatus;
        // The CV 29 read of the panel shows "?" in the decimal and the low bits and empties
        // the others until the value comes.
        bool cv29ReadClearsBits = false;
    };

    AddressPanel(const PanelHost& host, Programmers programmers, Options options, QWidget* parent = nullptr);

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

    // Shows `status` and reads the CV: its value, or nothing when it got none (the user has
    // been told). An address CV's read that did not show its outcome itself is followed by
    // " Lesevorgang beendet ..."; the CV 29 reads show their own texts.
    std::optional<int> readCv(CvProgrammer& programmer, int cv, const QString& status);
    // Tells of a read that brought no value.
    void readFailed(const CvResult& read, int cv);
    // The exchange was cancelled or the port failed: the operation goes no further.
    bool stopped() const;
    // The long address as CV 17 and CV 18, for stations without commands for it.
    std::optional<CvResult> readLongAsCvs(CvProgrammer& programmer);
    // Writes one address CV; false when the run ends here (the user has been told).
    bool writeAddressCv(CvProgrammer& programmer, int cv, int value, const QString& status);
    void pauseAfterWrite();
    void readError(const CvResult& read);
    // Tells of a write the station did not take.
    void writeFailed(const CvResult& written);
    void writeError(const CvResult& written);

    PanelHost m_host;
    Programmers m_programmers;
    Options m_options;
    QLineEdit* m_txtBasisAdresse = nullptr;
    QLineEdit* m_txtLangeAdresse = nullptr;
    QLineEdit* m_txtCV17 = nullptr;
    QLineEdit* m_txtCV18 = nullptr;
    QLineEdit* m_txtUmrLA = nullptr;
    QLabel* m_lblBasisAdresse = nullptr;
    QLabel* m_lblLangeAdresse = nullptr;
    std::array<QLabel*, 4> m_lblCV29{};
};

#pragma once

#include "programming/core/Cv29.h"
#include "programming/core/CvProgrammer.h"
#include "programming/ui/PanelHost.h"

#include <QFrame>
#include <array>

class QLabel;
class QPushButton;

// The CV 29 view of a programming window (`pnlCV29`): the bit buttons with the meaning of
// each bit, the row of bit digits with the value, and reading and writing CV 29 through the
// window's read/write-CV interface. The window places it and shows or parks it.
class Cv29Panel : public QFrame {
    Q_OBJECT
public:
    struct Options {
        // Bit 3 (RailCom) has its button and meaning; without, its digit is still read.
        bool bit3Editable = true;
        // A toggled 1 shows the meaning "after a read".
        bool toggleShowsReadText = false;
        // The caption of the bit buttons.
        QString bitCaption;
        // The read/write-CV interface tells the outcome of each read and write itself (the
        // Lenz window): the status stays as a read with its value or a failed write left it.
        bool programmerTells = false;
    };

    // `programmer` gives the read/write-CV interface of each operation; none (the station
    // cannot read or write CVs) refuses the operation with a beep.
    Cv29Panel(const PanelHost& host, CvProgrammerSource programmer, Options options, QWidget* parent = nullptr);

    const Cv29State& state() const { return m_state; }

    // The handlers of the panel's buttons.
    void btnCV29II_Clicked(int bit);
    void btnCV29IILesen_Clicked();
    void btnCV29IISchreiben_Clicked();

private:
    void render();

    PanelHost m_host;
    CvProgrammerSource m_programmer;
    Cv29State m_state;
    bool m_programmerTells;
    std::array<QPushButton*, Cv29::EditableBits> m_bitButtons{};
    std::array<QLabel*, Cv29::EditableBits> m_texts{};
    std::array<QLabel*, Cv29::EditableBits> m_digits{};
    QLabel* m_value = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_write = nullptr;
};

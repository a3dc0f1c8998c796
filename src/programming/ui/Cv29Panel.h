#pragma once

#include "programming/core/Cv29.h"

#include <QFrame>
#include <array>

class QLabel;
class QPushButton;
class ZentraleHost;

// The CV 29 view of the programming window (`pnlCV29`): six bit buttons with the meaning
// of each bit, the row of bit digits with the value, and reading and writing CV 29 through
// an Intellibox or a MasterControl. The window places it and shows or parks it.
class Cv29Panel : public QFrame {
    Q_OBJECT
public:
    explicit Cv29Panel(ZentraleHost& host, QWidget* parent = nullptr);

    const Cv29State& state() const { return m_state; }

    // The handlers of the panel's buttons.
    void btnCV29II_Clicked(int bit);
    void btnCV29IILesen_Clicked();
    void btnCV29IISchreiben_Clicked();

private:
    void render();

    ZentraleHost& m_host;
    Cv29State m_state;
    std::array<QPushButton*, Cv29::EditableBits> m_bitButtons{};
    std::array<QLabel*, Cv29::EditableBits> m_texts{};
    std::array<QLabel*, Cv29::EditableBits> m_digits{};
    QLabel* m_value = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_write = nullptr;
};

#pragma once

#include <QFrame>
#include <QString>
#include <array>

namespace mapping {
class MappingModel;
}
class QLabel;
class QPushButton;

// What an 8-bit toggle panel shows. Its controls are named after `name` ("CV49"): the
// buttons btnCV49_0..7, the text labels lblCV49_0..7, the digit labels lblCV49Byte_0..7
// and the byte lblCV49Byte_8.
struct TogglePanelTexts {
    struct Bit {
        QString zero;    // the meaning of the bit while it is 0
        QString one;     // ... and while it is 1
        QString atLoad;  // shown until the bit is first set; empty: `zero`
    };
    QString name;
    QString caption;  // above the bits; empty: none
    QString valueCaption = QStringLiteral("CV-Wert");
    // A bit whose texts are both empty has no button and no text label; its digit shows
    // the stored bit all the same.
    std::array<Bit, 8> bits;
    // When every bit of the mask is set, the text labels of those bits turn white on red (a
    // combination the decoder should not get); 0: never.
    int alarmMask = 0;
};

// A row of two-state buttons over one CV's bits: each button turns its bit over, its text
// label names the bit's current meaning, the digit labels show the bits (bit 7 leftmost)
// and the byte label the value. The bits live in a Panel grid of the editor's model (the
// store togglePanel() builds, bound by togglePanelBinding()), so saving, reading back and
// deleting reach them like any other CV; the owner calls refresh() after the model changed.
class TogglePanel : public QFrame {
public:
    TogglePanel(mapping::MappingModel& model, int grid, TogglePanelTexts texts, QWidget* parent = nullptr);

    // Shows the model's bits, texts, byte and the alarm colours.
    void refresh();
    // What the button of `bit` does (Clicked(Index)): the bit turns over.
    void Clicked(int bit);
    // Every text label names its bit's state from now on, the load texts are gone (the CV
    // was set back as a whole, each bit through its button).
    void showStateTexts();

    int value() const;
    // Every bit of the alarm mask is set.
    bool alarmed() const;

    QPushButton* button(int bit) const { return m_buttons.at(bit); }  // nullptr for a bit without texts
    QLabel* textLabel(int bit) const { return m_texts.at(bit); }
    QLabel* digitLabel(int index) const { return m_digits.at(index); }  // 8: the byte

    static constexpr int textColour = 12582912;  // dark blue
    static constexpr int alarmColour = 255;      // red

private:
    bool isSet(int bit) const;

    mapping::MappingModel& m_model;
    int m_grid;
    TogglePanelTexts m_spec;
    std::array<QPushButton*, 8> m_buttons{};
    std::array<QLabel*, 8> m_texts{};
    std::array<QLabel*, 9> m_digits{};
    // A label shows its load text until its bit is clicked or the CV is set from elsewhere
    // (read back, deleted).
    std::array<bool, 8> m_touched{};
    int m_shownValue = 0;
    bool m_clicking = false;
};

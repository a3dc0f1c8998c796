#pragma once

#include <QString>
#include <functional>

class QByteArray;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSlider;
class QWidget;
class RisingScrollBar;
struct PanelHost;

// What the drive desks `pnlFahrpult` of the programming windows share: the controls of one
// design (names, captions, tips), their place in the desk, and how a desk refuses an address
// and switches track power. Each window's desk adds its own controls and handlers.
namespace DriveDesk {

inline const QString heading = QStringLiteral("Fahrpult");

struct Controls {
    // Made in this order (the focus order) as children of `parent`. The address bar covers
    // 1..`maxAddress` and writes its value into the address field (`scrAdresse_Change`);
    // the field itself takes text of any length, and moves the bar only while
    // `addressMovesBar` says so (empty: never).
    Controls(QWidget* parent, int maxAddress, std::function<bool()> addressMovesBar = {});

    // Address on top, the step-mode selector and its label below; then the slider down the
    // first column over rows 2..7, beside the step label, the start step, "anfahren" and
    // "S T O P " in rows 2..5. Rows 6 and 7 of the second column and rows from 8 on are the
    // desk's own.
    void placeIn(QGridLayout* grid) const;

    QLineEdit* txtAdresse;
    RisingScrollBar* scrAdresse;
    QScrollBar* scrFahrstufen;
    QLabel* lblFahrstufen;
    QSlider* sldFahrstufen;
    QLabel* lblFahrstufe;
    QLineEdit* txtFahrstufe;
    RisingScrollBar* scrFahrstufe;
    QPushButton* btnAnfahren;
    QPushButton* btnStop;
};

// The address field holds no address a command may carry: the status says so, with a beep;
// nothing is sent.
void refuseAddress(const PanelHost& host);

// The track-power command goes out at once, past the exchange guard, so that power can be
// cut while another exchange waits. A port failure goes to the central error report.
void switchPowerAtOnce(const PanelHost& host, const QByteArray& bytes);

}  // namespace DriveDesk

#include "programming/ui/DriveDesk.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "app/ui/FieldBarCoupling.h"
#include "app/ui/RisingScrollBar.h"
#include "app/ui/StationWindow.h"
#include "programming/core/ZentraleHost.h"
#include "programming/ui/PanelHost.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

namespace DriveDesk {

namespace {
namespace Text {
const QString tipAdresse = QStringLiteral(" dig. Adresse der Lokomotive ");
const QString tipFahrstufen = QStringLiteral(" Anzahl der Fahrstufen ");
const QString tipRegler = QStringLiteral(" Fahrtregler ");
const QString tipFahrstufe = QStringLiteral(" aktuelle Fahrtstufe ");
const QString tipStartStufe = QStringLiteral(" anfahren mit dieser Fahrstufe ");
const QString anfahren = QStringLiteral("anfahren");
const QString tipAnfahren = QStringLiteral(" Lokomotive anfahren ");
const QString stop = QStringLiteral("S T O P ");
const QString tipStop = QStringLiteral(" Lok anhalten (Fahrstufe 0) ");
const QString badAddress = QStringLiteral(" Keine gültige Lokadresse eingegeben !");
}  // namespace Text

RisingScrollBar* verticalBar(const QString& name, int min, int max, QWidget* parent) {
    auto* bar = new RisingScrollBar(parent);
    bar->setObjectName(name);
    bar->setRisingRange(min, max);
    return bar;
}

QPushButton* button(const QString& name, const QString& caption, const QString& tip, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

// A number field with its scroll bar right beside it, as high as the field.
QHBoxLayout* fieldWithBar(QLineEdit* field, QScrollBar* bar) {
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(bar);
    bar->setFixedHeight(field->sizeHint().height());
    return row;
}
}  // namespace

Controls::Controls(QWidget* parent, int maxAddress, std::function<bool()> addressMovesBar) {
    txtAdresse = new QLineEdit(QStringLiteral("1"), parent);
    txtAdresse->setObjectName(QStringLiteral("txtAdresse"));
    txtAdresse->setToolTip(Text::tipAdresse);
    scrAdresse = verticalBar(QStringLiteral("scrAdresse"), 1, maxAddress, parent);

    scrFahrstufen = new QScrollBar(Qt::Horizontal, parent);
    scrFahrstufen->setObjectName(QStringLiteral("scrFahrstufen"));
    scrFahrstufen->setRange(1, 4);
    scrFahrstufen->setPageStep(1);
    lblFahrstufen = new QLabel(QStringLiteral("14"), parent);
    lblFahrstufen->setObjectName(QStringLiteral("lblFahrstufen"));
    lblFahrstufen->setToolTip(Text::tipFahrstufen);
    lblFahrstufen->setAlignment(Qt::AlignCenter);

    sldFahrstufen = new QSlider(Qt::Vertical, parent);
    sldFahrstufen->setObjectName(QStringLiteral("sldFahrstufen"));
    sldFahrstufen->setToolTip(Text::tipRegler);
    sldFahrstufen->setTickPosition(QSlider::TicksBothSides);
    sldFahrstufen->setRange(0, 14);

    lblFahrstufe = new QLabel(QStringLiteral("0"), parent);
    lblFahrstufe->setObjectName(QStringLiteral("lblFahrstufe"));
    lblFahrstufe->setToolTip(Text::tipFahrstufe);
    lblFahrstufe->setAlignment(Qt::AlignCenter);
    lblFahrstufe->setAutoFillBackground(true);
    lblFahrstufe->setFrameShape(QFrame::Panel);
    lblFahrstufe->setFrameShadow(QFrame::Sunken);

    txtFahrstufe = new QLineEdit(QStringLiteral("0"), parent);
    txtFahrstufe->setObjectName(QStringLiteral("txtFahrstufe"));
    txtFahrstufe->setToolTip(Text::tipStartStufe);
    txtFahrstufe->setMaxLength(3);
    scrFahrstufe = verticalBar(QStringLiteral("scrFahrstufe"), 0, 14, parent);

    btnAnfahren = button(QStringLiteral("btnAnfahren"), Text::anfahren, Text::tipAnfahren, parent);
    btnStop = button(QStringLiteral("btnStop"), Text::stop, Text::tipStop, parent);

    FieldBarRules addressRules;
    addressRules.fieldMovesBar = addressMovesBar ? std::move(addressMovesBar) : [] { return false; };
    new FieldBarCoupling(txtAdresse, scrAdresse, std::move(addressRules));
}

void Controls::placeIn(QGridLayout* grid) const {
    grid->addLayout(fieldWithBar(txtAdresse, scrAdresse), 0, 0, 1, 2);
    grid->addWidget(scrFahrstufen, 1, 0);
    grid->addWidget(lblFahrstufen, 1, 1);
    grid->addWidget(sldFahrstufen, 2, 0, 6, 1, Qt::AlignHCenter);
    grid->addWidget(lblFahrstufe, 2, 1);
    grid->addLayout(fieldWithBar(txtFahrstufe, scrFahrstufe), 3, 1);
    grid->addWidget(btnAnfahren, 4, 1);
    grid->addWidget(btnStop, 5, 1);
}

void refuseAddress(const PanelHost& host) {
    host.window.setStatus(Text::badAddress);
    host.ctx.ui().beep();
}

void switchPowerAtOnce(const PanelHost& host, const QByteArray& bytes) {
    host.guard.link().writeAtOnce(bytes);
}

}  // namespace DriveDesk

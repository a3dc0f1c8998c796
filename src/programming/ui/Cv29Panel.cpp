#include "programming/ui/Cv29Panel.h"

#include "app/core/AppContext.h"
#include "programming/ui/MarkedLook.h"
#include "app/core/Notifier.h"
#include "programming/ui/PanelFrame.h"
#include "link/core/P50xAnswer.h"
#include "link/core/P50xCommands.h"
#include "link/core/StationLink.h"
#include "programming/core/StationOperation.h"
#include "app/ui/Twips.h"
#include "programming/core/ZentraleHost.h"

#include <QLabel>
#include <QPushButton>

namespace {

namespace Text {
const QString heading = QStringLiteral("CV 29 bearbeiten");
const QString read = QStringLiteral("CV lesen");
const QString readTip = QStringLiteral(" CV 29 lesen ");
const QString write = QStringLiteral("CV schreiben");
const QString writeTip = QStringLiteral(" CV 29 schreiben ");
const QString reading = QStringLiteral(" lese Konfigurations-Register...");
const QString writing = QStringLiteral(" schreibe in Konfigurations-Register...");
const QString noValue = QStringLiteral("Der Wert für CV 29 ist keine Zahl von 0 bis 255 !          ");
const QString writeTitle = QStringLiteral(" CV 29 schreiben...");
}  // namespace Text

// Layout in twips. Bit 0 stands at the right of the digit row; each bit's row has its
// button above its digit, joined to it by a line, and the meaning left of the button.
constexpr int DigitRowTop = 3480;
constexpr int FirstRowTop = 480;
constexpr int RowStep = 480;
constexpr int DigitWidth = 240;
constexpr int ButtonSize = 300;
int digitLeft(int bit) { return 4500 - bit * 300; }
int rowTop(int bit) { return FirstRowTop + bit * RowStep; }

// Labels show a doubled "&" as one, as the texts are written for mnemonic-aware labels.
QString shown(const QString& text) {
    QString s = text;
    return s.replace(QLatin1String("&&"), QLatin1String("&"));
}

}  // namespace

Cv29Panel::Cv29Panel(ZentraleHost& host, QWidget* parent) : QFrame(parent), m_host(host) {
    setUpPanelFrame(this, QStringLiteral("pnlCV29"), 5160, 6240, Text::heading);

    for (int bit = 0; bit < Cv29::EditableBits; ++bit) {
        auto* text = new QLabel(this);
        text->setObjectName(QStringLiteral("lblCV29II_%1").arg(bit));
        text->setToolTip(Cv29::bitTable().at(bit).toolTip);
        text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setGeometryTwips(text, 60, rowTop(bit), digitLeft(bit) - 180, ButtonSize);
        m_texts[bit] = text;

        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("btnCV29II_%1").arg(bit));
        setGeometryTwips(button, digitLeft(bit) - (ButtonSize - DigitWidth) / 2, rowTop(bit), ButtonSize,
                         ButtonSize);
        connect(button, &QPushButton::clicked, this, [this, bit] { btnCV29II_Clicked(bit); });
        m_bitButtons[bit] = button;

        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Plain);
        const int top = rowTop(bit) + ButtonSize;
        setGeometryTwips(line, digitLeft(bit), top, DigitWidth, DigitRowTop - top);

        auto* digit = new QLabel(this);
        digit->setObjectName(QStringLiteral("lblCV29IIByte_%1").arg(bit));
        digit->setAlignment(Qt::AlignCenter);
        setGeometryTwips(digit, digitLeft(bit), DigitRowTop, DigitWidth, 285);
        m_digits[bit] = digit;
    }

    auto* high = new QLabel(Cv29::fixedHighDigits, this);
    high->setObjectName(QStringLiteral("lblCV29IIByte_6"));
    high->setAlignment(Qt::AlignCenter);
    setGeometryTwips(high, digitLeft(5) - 540, DigitRowTop, 480, 285);

    m_value = new QLabel(this);
    m_value->setObjectName(QStringLiteral("lblCV29IIByte_8"));
    m_value->setAlignment(Qt::AlignCenter);
    m_value->setFrameShape(QFrame::Box);
    setGeometryTwips(m_value, digitLeft(5) - 1320, DigitRowTop - 15, 660, 315);

    m_read = new QPushButton(Text::read, this);
    m_read->setObjectName(QStringLiteral("btnCV29IILesen"));
    m_read->setToolTip(Text::readTip);
    setGeometryTwips(m_read, 1200, 4080, 1500, 420);
    connect(m_read, &QPushButton::clicked, this, &Cv29Panel::btnCV29IILesen_Clicked);

    m_write = new QPushButton(Text::write, this);
    m_write->setObjectName(QStringLiteral("btnCV29IISchreiben"));
    m_write->setToolTip(Text::writeTip);
    setGeometryTwips(m_write, 2880, 4080, 1500, 420);
    connect(m_write, &QPushButton::clicked, this, &Cv29Panel::btnCV29IISchreiben_Clicked);

    render();
}

void Cv29Panel::render() {
    for (int bit = 0; bit < Cv29::EditableBits; ++bit) {
        m_texts[bit]->setText(shown(m_state.text(bit)));
        m_digits[bit]->setText(m_state.digit(bit));
    }
    m_value->setText(m_state.valueText());
    const bool asRead = m_state.look() == Cv29State::Look::AsRead;
    setMarked(m_value, asRead);
    m_value->setToolTip(m_state.look() == Cv29State::Look::Plain ? QString()
                        : asRead                                  ? Cv29::asReadToolTip
                                                                  : Cv29::asChangedToolTip);
    m_write->setEnabled(m_state.writeEnabled());
}

void Cv29Panel::btnCV29II_Clicked(int bit) {
    // While a digit is unknown (a read that got no number) no value can be formed.
    if (!m_state.toggle(bit))
        m_host.context().ui().beep();
    render();
}

void Cv29Panel::btnCV29IILesen_Clicked() {
    runP50xOperation(m_host, [this] {
        StationLink& link = m_host.link();
        m_host.setBusyPointer(true);
        link.emptyInput();
        m_host.setStatus(QString());
        m_state.beginRead();
        render();
        const CvRead read = readCvP50x(m_host, P50x::XPTRD29(), Text::reading);
        if (!read.answered)
            return;
        link.sendP50X(P50x::XPT0());
        if (read.value) {
            m_host.setStatus(P50xAnswer::readDone);
            m_state.readDone(*read.value);
        }
        render();
        m_host.setBusyPointer(false);
    });
}

void Cv29Panel::btnCV29IISchreiben_Clicked() {
    runP50xOperation(m_host, [this] {
        // "?" or an empty label is no value: writing 0 instead would wipe the decoder's setup.
        const auto value = m_state.value();
        if (!value) {
            m_host.context().ui().message(Text::noValue, Notifier::Icon::Critical, Notifier::OkOnly,
                                          Text::writeTitle);
            return;
        }
        StationLink& link = m_host.link();
        m_host.setBusyPointer(true);
        link.emptyInput();
        m_host.setStatus(QString());
        if (!askP50x(m_host, P50x::XPTWD29(static_cast<qint16>(*value)), Text::writing))
            return;
        const QString answer = m_host.CuAnswer();
        if (P50xAnswer::writeSucceeded(answer)) {
            m_host.setStatus(P50xAnswer::writeDone);
        } else {
            reportWriteError(m_host, answer);
        }
        link.sendP50X(P50x::XPT0());
        m_host.setBusyPointer(false);
    });
}

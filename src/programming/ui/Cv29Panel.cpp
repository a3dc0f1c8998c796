#include "programming/ui/Cv29Panel.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "app/ui/Twips.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/ZentraleHost.h"
#include "programming/ui/MarkedLook.h"
#include "programming/ui/PanelFrame.h"

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

Cv29Panel::Cv29Panel(const PanelHost& host, CvProgrammerSource programmer, Options options, QWidget* parent)
    : QFrame(parent), m_host(host), m_programmer(std::move(programmer)), m_state(options.toggleShowsReadText),
      m_programmerTells(options.programmerTells) {
    setUpPanelFrame(this, QStringLiteral("pnlCV29"), 5160, 6240, Text::heading);

    for (int bit = 0; bit < Cv29::EditableBits; ++bit) {
        auto* digit = new QLabel(this);
        digit->setObjectName(QStringLiteral("lblCV29IIByte_%1").arg(bit));
        digit->setAlignment(Qt::AlignCenter);
        setGeometryTwips(digit, digitLeft(bit), DigitRowTop, DigitWidth, 285);
        m_digits[bit] = digit;
        // Without its button and meaning a bit is only shown as it was read.
        if (bit == 3 && !options.bit3Editable)
            continue;

        auto* text = new QLabel(this);
        text->setObjectName(QStringLiteral("lblCV29II_%1").arg(bit));
        text->setToolTip(Cv29::bitTable().at(bit).toolTip);
        text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setGeometryTwips(text, 60, rowTop(bit), digitLeft(bit) - 180, ButtonSize);
        m_texts[bit] = text;

        auto* button = new QPushButton(options.bitCaption, this);
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
        if (m_texts[bit])
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
    if (bit < 0 || bit >= Cv29::EditableBits || !m_bitButtons[bit])
        return;
    // While a digit is unknown (a read that got no number) no value can be formed.
    if (!m_state.toggle(bit))
        m_host.ctx.ui().beep();
    render();
}

void Cv29Panel::btnCV29IILesen_Clicked() {
    m_host.run(m_programmer, [this](CvProgrammer& programmer) {
        m_host.window.setStatus(QString());
        m_state.beginRead();
        render();
        m_host.window.setStatus(Text::reading);
        const CvResult read = programmer.readCv(29);
        if (!read.answered() && !m_programmerTells)
            return m_host.tellUnanswered(read);
        if (read.outcome == CvResult::Outcome::Aborted || read.outcome == CvResult::Outcome::PortFailed)
            return;
        if (read.ok()) {
            if (!m_programmerTells)
                m_host.window.setStatus(ProgrammingTexts::readDone);
            m_state.readDone(read.value);
        } else {
            m_host.window.setStatus(ProgrammingTexts::readError(read.shown));
            m_host.ctx.ui().beep();
        }
        render();
    });
}

void Cv29Panel::btnCV29IISchreiben_Clicked() {
    m_host.run(m_programmer, [this](CvProgrammer& programmer) {
        // "?" or an empty label is no value: writing 0 instead would wipe the decoder's setup.
        const auto value = m_state.value();
        if (!value) {
            m_host.ctx.ui().message(Text::noValue, Notifier::Icon::Critical, Notifier::OkOnly, Text::writeTitle);
            return;
        }
        m_host.window.setStatus(QString());
        m_host.window.setStatus(Text::writing);
        const CvResult written = programmer.writeCv(29, *value);
        if (!written.answered() && !m_programmerTells)
            return m_host.tellUnanswered(written);
        if (written.ok()) {
            m_host.window.setStatus(ProgrammingTexts::writeDone);
        } else if (!m_programmerTells) {
            m_host.window.setStatus(ProgrammingTexts::writeError(written.shown));
            m_host.ctx.ui().beep();
        }
    });
}

#include "programming/ui/AddressPanel.h"

#include "app/core/AppContext.h"
#include "app/core/Notifier.h"
#include "link/core/Clock.h"
#include "link/core/StationLink.h"
#include "app/ui/StationWindow.h"
#include "app/ui/Twips.h"
#include "programming/core/Cv29.h"
#include "programming/core/LongAddress.h"
#include "programming/core/ProgrammingTexts.h"
#include "programming/core/ZentraleHost.h"
#include "programming/ui/MarkedLook.h"
#include "programming/ui/PanelFrame.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace {

namespace Text {
const QString heading = QStringLiteral("lange Adressen");
const QString basisTip = QStringLiteral(" Bais-Adresse (CV 1)");
const QString basisReadTip = QStringLiteral(" Basis-Adresse (CV 1)");
const QString longTip = QStringLiteral(" lange Adresse (CV 17 / 18) ");
const QString cv17Tip = QStringLiteral(" CV 17 ");
const QString cv18Tip = QStringLiteral(" CV 18 ");
const QString umrTip = QStringLiteral(" lange Adresse (dezimal) ");
const QString readAddresses = QStringLiteral("Adressen lesen");
const QString readAddressesTip = QStringLiteral(" Basis- und lange Adresse lesen ");
const QString writeAddresses = QStringLiteral("&schreiben");
const QString writeAddressesTip = QStringLiteral(" lange Adresse schreiben ");
const QString readCv1718 = QStringLiteral("CV 17 und CV 18 lesen");
const QString toCvsTip = QStringLiteral(" rechnet lange Adresse in CV 17 / 18 um ");
const QString toAddressTip = QStringLiteral(" rechnet CV 17 / 18 in lange Adresse um ");
const QString readCv29 = QStringLiteral("CV 29 lesen");
const QString activateBasis = QStringLiteral("Basis-Adresse aktivieren");
const QString clearFields = QStringLiteral("Felder löschen");
const QString cv29DecimalTip = QStringLiteral(" CV 29 (dezimal) ");
const QString cv29BinaryTip = QStringLiteral(" CV 29 (binär) ");

const QString readingCv17 = QStringLiteral(" lese CV 17 ...");
const QString readingCv18 = QStringLiteral(" lese CV 18 ...");
const QString readingBasis = QStringLiteral(" lese Basis-Adresse...");
const QString readingLong = QStringLiteral(" lese lange Adresse ...");
const QString readingLong1 = QStringLiteral(" lese lange Adresse Teil 1...");
const QString readingLong2 = QStringLiteral(" lese lange Adresse Teil 2...");
const QString writingBasis = QStringLiteral(" schreibe Basis-Adresse...");
const QString writingLong = QStringLiteral(" schreibe lange Adresse...");
const QString writingLong1 = QStringLiteral(" schreibe lange Adresse Teil 1...");
const QString writingLong2 = QStringLiteral(" schreibe lange Adresse Teil 2...");
const QString writeFinished = QStringLiteral(" Schreibvorgang beendet... ");
const QString readingCv29 = QStringLiteral(" lese Konfigurations-Register (CV 29) ...");
const QString writingCv29 = QStringLiteral(" schreibe Konfigurations-Register (CV 29) ...");
const QString basisActive = QStringLiteral("Basisadresse ist aktiv !");
const QString basisActiveMessage = QStringLiteral("Die Basisadresse ist bereits aktiv !            ");
const QString basisActiveTitle = QStringLiteral(" Basis-Adresse aktivieren...");
const QString basisTooLarge = QStringLiteral("Werte > 255 sind nicht zulässig !           ");
const QString basisTitle = QStringLiteral(" Basis-Adresse schreiben...");
const QString longTitle = QStringLiteral(" lange Adresse schreiben...");
QString longTooLarge(qint64 maximum, const QString& cuName) {
    const QString station = cuName.isEmpty() ? QString() : QStringLiteral(" bei der ") + cuName;
    return QStringLiteral("Werte > ") + QString::number(maximum) + QStringLiteral(" sind") + station +
           QStringLiteral(" nicht zulässig !           ");
}
QString longTooSmall(qint64 minimum) {
    return QStringLiteral("Werte < ") + QString::number(minimum) + QStringLiteral(" sind nicht zulässig !           ");
}
}  // namespace Text

QLabel* plainLabel(const QString& text, QWidget* parent, int left, int top, int width) {
    auto* label = new QLabel(text, parent);
    setGeometryTwips(label, left, top, width, 255);
    return label;
}

QPushButton* button(const char* name, const QString& caption, const QString& toolTip, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(toolTip);
    return b;
}

QLabel* displayLabel(const char* name, const QString& toolTip, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setToolTip(toolTip);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    return l;
}

}  // namespace

AddressPanel::AddressPanel(const PanelHost& host, Programmers programmers, Options options, QWidget* parent)
    : QFrame(parent), m_host(host), m_programmers(std::move(programmers)), m_options(std::move(options)) {
    setUpPanelFrame(this, QStringLiteral("pnlLA"), 180, 6240, Text::heading);

    // Basis and long address: read values above, values to write below.
    plainLabel(QStringLiteral("Basis"), this, 240, 450, 1000);
    plainLabel(QStringLiteral("lang"), this, 1440, 450, 1200);
    m_lblBasisAdresse = displayLabel("lblBasisAdresse", Text::basisReadTip, this);
    setGeometryTwips(m_lblBasisAdresse, 240, 720, 1000, 315);
    m_lblLangeAdresse = displayLabel("lblLangeAdresse", Text::longTip, this);
    setGeometryTwips(m_lblLangeAdresse, 1440, 720, 1200, 315);
    m_txtBasisAdresse = numberField("txtBasisAdresse", Text::basisTip, 3);
    setGeometryTwips(m_txtBasisAdresse, 240, 1200, 1000, 315);
    m_txtLangeAdresse = numberField("txtLangeAdresse", Text::longTip, m_options.longAddressDigits);
    setGeometryTwips(m_txtLangeAdresse, 1440, 1200, 1200, 315);

    auto* lesen = button("btnLesenLA", Text::readAddresses, Text::readAddressesTip, this);
    setGeometryTwips(lesen, 2880, 690, 1800, 375);
    connect(lesen, &QPushButton::clicked, this, &AddressPanel::btnLesenLA_Clicked);
    auto* schreiben = button("btnSchreibenLA", Text::writeAddresses, Text::writeAddressesTip, this);
    setGeometryTwips(schreiben, 2880, 1170, 1800, 375);
    connect(schreiben, &QPushButton::clicked, this, &AddressPanel::btnSchreibenLA_Clicked);
    auto* loeschen = button("btnFelderLoeschen", Text::clearFields, QString(), this);
    setGeometryTwips(loeschen, 2880, 1650, 1800, 375);
    connect(loeschen, &QPushButton::clicked, this, &AddressPanel::btnFelderLoeschen_Clicked);

    // CV 29: decimal value, bits 7..6, bit 5 (bold), bits 4..0.
    auto* cv29 = button("btnCV29", Text::readCv29, QString(), this);
    setGeometryTwips(cv29, 240, 2220, 1800, 375);
    connect(cv29, &QPushButton::clicked, this, &AddressPanel::btnCV29_Clicked);
    const std::array<int, 4> lefts{2160, 2880, 3300, 3600};
    const std::array<int, 4> widths{600, 420, 300, 840};
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("lblCV29_%1").arg(i));
        l->setToolTip(i == 0 ? Text::cv29DecimalTip : Text::cv29BinaryTip);
        l->setAlignment(Qt::AlignCenter);
        if (i == 0)
            l->setFrameShape(QFrame::Box);
        if (i == 2) {
            QFont bold = l->font();
            bold.setBold(true);
            l->setFont(bold);
        }
        setGeometryTwips(l, lefts[i], 2250, widths[i], 315);
        m_lblCV29[i] = l;
    }
    auto* basis = button("btnBasisAdresse", Text::activateBasis, QString(), this);
    setGeometryTwips(basis, 240, 2700, 2400, 375);
    connect(basis, &QPushButton::clicked, this, &AddressPanel::btnBasisAdresse_Clicked);

    // The conversion section.
    plainLabel(QStringLiteral("... umrechnen"), this, 240, 3240, 1500);
    plainLabel(QStringLiteral("CV 17"), this, 240, 3510, 720);
    plainLabel(QStringLiteral("CV 18"), this, 1080, 3510, 720);
    plainLabel(QStringLiteral("lang"), this, 2520, 3510, 1000);
    m_txtCV17 = numberField("txtCV17", Text::cv17Tip, 3);
    setGeometryTwips(m_txtCV17, 240, 3780, 720, 315);
    m_txtCV18 = numberField("txtCV18", Text::cv18Tip, 3);
    setGeometryTwips(m_txtCV18, 1080, 3780, 720, 315);
    m_txtUmrLA = numberField("txtUmrLA", Text::umrTip, 5);
    setGeometryTwips(m_txtUmrLA, 2520, 3780, 1000, 315);
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("btnUmrechnenLA_%1").arg(i));
        b->setToolTip(i == 0 ? Text::toCvsTip : Text::toAddressTip);
        b->setIcon(style()->standardIcon(i == 0 ? QStyle::SP_ArrowLeft : QStyle::SP_ArrowRight));
        setGeometryTwips(b, 1980, 3600 + i * 360, 420, 330);
        connect(b, &QPushButton::clicked, this, [this, i] { btnUmrechnenLA_Clicked(i); });
    }
    auto* cv1718 = button("bntCV1718", Text::readCv1718, QString(), this);
    setGeometryTwips(cv1718, 240, 4260, 2400, 375);
    connect(cv1718, &QPushButton::clicked, this, &AddressPanel::bntCV1718_Clicked);

    ClearColor();
}

// Only digits are typed (backspace works as ever); the text set by the program is not
// limited, so a negative conversion result is shown whole.
QLineEdit* AddressPanel::numberField(const char* name, const QString& toolTip, int maxDigits) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setToolTip(toolTip);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(maxDigits)), field));
    return field;
}

void AddressPanel::ClearColor() {
    for (QWidget* w : std::initializer_list<QWidget*>{m_lblBasisAdresse, m_lblLangeAdresse, m_txtBasisAdresse,
                                                       m_txtLangeAdresse})
        setMarked(w, false);
}

void AddressPanel::btnFelderLoeschen_Clicked() {
    m_lblBasisAdresse->clear();
    m_lblLangeAdresse->clear();
    m_lblCV29[0]->clear();
    m_lblCV29[1]->clear();
    for (QLineEdit* f : {m_txtBasisAdresse, m_txtLangeAdresse, m_txtUmrLA, m_txtCV17, m_txtCV18})
        f->clear();
    ClearColor();
}

void AddressPanel::btnUmrechnenLA_Clicked(int index) {
    if (index == 0) {
        QString cv17;
        QString cv18;
        LongAddress::toCvTexts(m_txtUmrLA->text(), cv17, cv18);
        m_txtCV17->setText(cv17);
        m_txtCV18->setText(cv18);
    } else {
        m_txtUmrLA->setText(LongAddress::fromCvTexts(m_txtCV17->text(), m_txtCV18->text()));
    }
}

std::optional<int> AddressPanel::readCv(CvProgrammer& programmer, int cv, const QString& status) {
    m_host.window.setStatus(status);
    const CvResult read = programmer.readCv(cv);
    if (!read.ok()) {
        readFailed(read, cv);
        return std::nullopt;
    }
    if (cv != 29 && !m_options.programmerTells)
        m_host.window.setStatus(ProgrammingTexts::readDone);
    return read.value;
}

void AddressPanel::readFailed(const CvResult& read, int cv) {
    if (m_options.programmerTells) {
        // The station's report stands; a CV 29 read names its value field's "?".
        if (cv == 29 && read.outcome != CvResult::Outcome::Aborted && read.outcome != CvResult::Outcome::PortFailed)
            readError(read);
        return;
    }
    if (!read.answered())
        m_host.tellUnanswered(read);
    else
        readError(read);
}

bool AddressPanel::stopped() const {
    return m_host.guard.link().cancelled() || m_host.guard.link().failed();
}

std::optional<CvResult> AddressPanel::readLongAsCvs(CvProgrammer& programmer) {
    m_host.window.setStatus(Text::readingLong1);
    const CvResult high = programmer.readCv(17);
    if (high.outcome == CvResult::Outcome::Aborted || high.outcome == CvResult::Outcome::PortFailed)
        return high;
    m_host.window.setStatus(Text::readingLong2);
    const CvResult low = programmer.readCv(18);
    if (!high.ok())
        return high;
    if (!low.ok())
        return low;
    CvResult address = low;
    address.value = int(LongAddress::fromCvs(high.value, low.value));
    return address;
}

bool AddressPanel::writeAddressCv(CvProgrammer& programmer, int cv, int value, const QString& status) {
    m_host.window.setStatus(status);
    const CvResult written = programmer.writeCv(cv, value);
    if (!written.ok()) {
        writeFailed(written);
        return false;
    }
    pauseAfterWrite();
    return true;
}

void AddressPanel::pauseAfterWrite() {
    if (m_options.pauseAfterWrites)
        m_host.guard.link().Warten(m_host.ctx.Delay);
}

void AddressPanel::readError(const CvResult& read) {
    m_host.window.setStatus(ProgrammingTexts::readError(read.shown));
    m_host.ctx.ui().beep();
}

void AddressPanel::writeFailed(const CvResult& written) {
    // The Lenz window's write has told the station's report itself.
    if (m_options.programmerTells)
        return;
    if (!written.answered())
        m_host.tellUnanswered(written);
    else
        writeError(written);
}

void AddressPanel::writeError(const CvResult& written) {
    m_host.window.setStatus(ProgrammingTexts::writeError(written.shown));
    m_host.ctx.ui().beep();
}

void AddressPanel::bntCV1718_Clicked() {
    m_host.run(m_programmers.addresses, [this](CvProgrammer& programmer) {
        m_host.window.setStatus(QString());
        m_txtUmrLA->clear();
        m_txtCV17->clear();
        m_txtCV18->clear();
        // The basis-address display is not touched.
        const std::array<std::pair<QLineEdit*, int>, 2> reads{{{m_txtCV17, 17}, {m_txtCV18, 18}}};
        for (const auto& [field, cv] : reads) {
            field->setText(QStringLiteral("?"));
            const std::optional<int> value = readCv(programmer, cv, cv == 17 ? Text::readingCv17 : Text::readingCv18);
            if (value)
                field->setText(m_options.valueText(*value));
            else if (!m_options.goOnAfterFailedRead || stopped())
                return;
        }
    });
}

void AddressPanel::btnLesenLA_Clicked() {
    m_host.run(m_programmers.addresses, [this](CvProgrammer& programmer) {
        m_host.window.setStatus(QString());
        ClearColor();
        btnFelderLoeschen_Clicked();

        m_lblBasisAdresse->setText(QStringLiteral("?"));
        // The display keeps "?": a failed read shows no made-up address.
        const std::optional<int> basis = readCv(programmer, 1, Text::readingBasis);
        if (basis)
            m_lblBasisAdresse->setText(m_options.valueText(*basis));
        else if (!m_options.goOnAfterFailedRead || stopped())
            return;

        m_lblLangeAdresse->setText(QStringLiteral("?"));
        m_host.window.setStatus(Text::readingLong);
        std::optional<CvResult> address = programmer.readLongAddress();
        if (!address)
            address = readLongAsCvs(programmer);
        if (!address->ok())
            return readFailed(*address, 17);
        m_lblLangeAdresse->setText(QString::number(address->value));
        setMarked(m_lblLangeAdresse, true);
        if (!m_options.programmerTells)
            m_host.window.setStatus(ProgrammingTexts::readDone);
    });
}

void AddressPanel::btnSchreibenLA_Clicked() {
    m_host.run(m_programmers.addresses, [this](CvProgrammer& programmer) {
        AppContext& ctx = m_host.ctx;
        m_host.window.setStatus(QString());
        ClearColor();

        // Both values are checked before anything goes out, so a refused long address
        // never follows a basis address already written.
        const qint64 basis = LongAddress::fieldNumber(m_txtBasisAdresse->text());
        const qint64 address = LongAddress::fieldNumber(m_txtLangeAdresse->text());
        const qint64 maximum = m_options.longAddressMaximum();
        auto refuse = [&](const QString& text, const QString& title) {
            ctx.ui().message(text, Notifier::Icon::Critical, Notifier::OkOnly, title);
        };
        if (basis > 255)
            return refuse(Text::basisTooLarge, Text::basisTitle);
        if (address != 0 && address < m_options.longAddressMinimum)
            return refuse(Text::longTooSmall(m_options.longAddressMinimum), Text::longTitle);
        if (address > maximum)
            return refuse(Text::longTooLarge(maximum, m_options.limitNamesStation ? ctx.CuName : QString()),
                          Text::longTitle);

        if (basis >= 1 && !writeAddressCv(programmer, 1, int(basis), Text::writingBasis))
            return;
        if (address == 0) {
            if (basis >= 1)
                programmer.finish();
            m_host.window.setStatus(Text::writeFinished);
            return;
        }

        m_host.window.setStatus(Text::writingLong);
        if (const std::optional<CvResult> written = programmer.writeLongAddress(int(address))) {
            if (!written->answered())
                return m_host.tellUnanswered(*written);
            programmer.finish();
            if (!written->ok())
                return writeError(*written);
        } else {
            const LongAddress::Cvs cvs = LongAddress::toCvs(address);
            if (!writeAddressCv(programmer, 17, int(cvs.cv17), Text::writingLong1) ||
                !writeAddressCv(programmer, 18, int(cvs.cv18), Text::writingLong2))
                return;
            programmer.finish();
        }
        setMarked(m_txtLangeAdresse, true);
        m_host.window.setStatus(Text::writeFinished);
    });
}

void AddressPanel::btnCV29_Clicked() {
    m_host.run(m_programmers.addresses, [this](CvProgrammer& programmer) {
        m_host.window.setStatus(QString());
        m_lblCV29[0]->setText(QStringLiteral("?"));
        if (m_options.cv29ReadClearsBits) {
            m_lblCV29[1]->clear();
            m_lblCV29[2]->clear();
            m_lblCV29[3]->setText(QStringLiteral("?"));
        }
        const std::optional<int> value = readCv(programmer, 29, Text::readingCv29);
        if (!value)
            return;
        m_host.window.setStatus(ProgrammingTexts::readDone);
        const Cv29::DigitGroups groups = Cv29::digitGroups(*value);
        m_lblCV29[0]->setText(QString::number(*value));
        m_lblCV29[1]->setText(groups.high);
        m_lblCV29[2]->setText(groups.bit5);
        m_lblCV29[3]->setText(groups.low);
    });
}

void AddressPanel::btnBasisAdresse_Clicked() {
    m_host.run(m_programmers.basisSwitch, [this](CvProgrammer& programmer) {
        AppContext& ctx = m_host.ctx;
        m_host.window.setStatus(QString());
        ClearColor();
        const std::optional<int> read = readCv(programmer, 29, Text::readingCv29);
        if (!read)
            return;
        const int v = *read;
        if ((v & Cv29::LongAddressMask) == 0) {
            programmer.finish();
            m_host.window.setStatus(Text::basisActive);
            if (!m_options.basisActiveStatus.isEmpty())
                m_host.window.setStatus(m_options.basisActiveStatus);
            ctx.ui().message(Text::basisActiveMessage, Notifier::Icon::Information, Notifier::OkOnly,
                             Text::basisActiveTitle);
            if (m_options.markActiveBasis)
                setMarked(m_lblBasisAdresse, true);
            return;
        }
        m_host.window.setStatus(Text::writingCv29);
        const CvResult written = programmer.writeCv(29, v ^ Cv29::LongAddressMask);
        if (written.answered())
            programmer.finish();
        if (!written.ok())
            return writeFailed(written);
        setMarked(m_lblBasisAdresse, true);
        setMarked(m_lblLangeAdresse, false);
    });
}

// Single CV read and write, the version query and the answer wait of the programming window.
#include "intellibox/ui/frmZentrale.h"

#include "app/core/AppContext.h"
#include "intellibox/ui/DrivePanel.h"
#include "app/core/ErrorReport.h"
#include "app/core/Failure.h"
#include "app/core/ManufacturerList.h"
#include "app/core/Notifier.h"
#include "intellibox/core/MotorolaProgramming.h"
#include "link/core/P50xAnswer.h"
#include "link/core/P50xCommands.h"
#include "app/ui/RisingScrollBar.h"
#include "app/core/TextNumbers.h"
#include "programming/core/ZentraleInput.h"
#include "intellibox/ui/ZentraleTexts.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <limits>

namespace {
QString text8(const char* t) { return QString::fromUtf8(t); }
}  // namespace

qint16 frmZentrale::fieldNumber(const QString& text) const {
    const qint64 n = roundHalfEven(leadingNumber(text));
    return static_cast<qint16>(std::clamp<qint64>(n, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

void frmZentrale::guarded(const std::function<void()>& operation) {
    const QPointer<frmZentrale> self(this);
    try {
        operation();
    } catch (const Failure& failure) {
        if (self)
            setBusyPointer(false);
        ZentraleFehlerbehandlung(m_ctx, failure);
    }
}

bool frmZentrale::refuseBadCv(const QString& text) {
    if (ZentraleInput::cvNumber(text))
        return false;
    m_ctx.ui().beep();
    setStatus(ZentraleInput::badCvStatus);
    return true;
}

void frmZentrale::reportTimeout(const QString& title) {
    setStatus(P50xAnswer::abortedStatus());
    m_ctx.ui().message(P50xAnswer::timeoutText(m_ctx.CuName), Notifier::Icon::Critical, Notifier::OkOnly, title);
    setBusyPointer(false);
}

bool frmZentrale::CU_Ready() {
    m_cuAnswer.clear();
    const StationLink::Answer answer = m_link.waitForAnswer(P50xAnswer::readDeadlineMs);
    m_cuAnswer = answer.text;
    if (answer.complete)
        return true;
    // A port failure has gone to the central error report already.
    if (!answer.aborted && !answer.failed)
        reportTimeout(P50xAnswer::readTitle(m_ctx.DecoderType));
    setBusyPointer(false);
    return false;
}

frmZentrale::Waited frmZentrale::sendAndWait(const QString& command, qint64 deadlineMs, const QString& title,
                                             QString& answer) {
    const QPointer<frmZentrale> self(this);
    m_link.emptyInput();
    // Dropping a late answer first lets the user interface run, which may close the window.
    if (!self)
        return Waited::Ended;
    m_link.sendP50X(command);
    const StationLink::Answer a = m_link.waitForAnswer(deadlineMs);
    if (!self)
        return Waited::Ended;
    answer = a.text;
    if (a.aborted || a.failed) {
        setBusyPointer(false);
        return Waited::Ended;
    }
    if (!a.complete) {
        reportTimeout(title);
        return Waited::TimedOut;
    }
    return Waited::Answer;
}

void frmZentrale::readCv() {
    StationLink::Exchange exchange(m_link);
    if (!exchange)
        return;
    const QString cvText = txtRegister->text();
    if (refuseBadCv(cvText))
        return;
    const qint16 cv = *ZentraleInput::cvNumber(cvText);

    setBusyPointer(true);
    // "?" stays until a value arrives; the value spin control must not turn it into "0".
    m_readWertOverride = true;
    txtWert->setText(QStringLiteral("?"));
    m_readWertOverride = false;
    QString answer;
    if (sendAndWait(P50x::XPTRD(cv), P50xAnswer::readDeadlineMs, P50xAnswer::readTitle(m_ctx.DecoderType), answer) !=
        Waited::Answer)
        return;
    m_link.sendP50X(P50x::XPT0());
    setStatus(P50xAnswer::shownText(answer));
    if (const auto value = P50xAnswer::valueBeforeEquals(answer)) {
        txtWert->setText(*value);
        if (cv == 8)
            setStatus(status() + QStringLiteral("    ") + SearchHersteller(m_ctx.dataFolder, fieldNumber(txtWert->text())));
        writeProtokoll(QStringLiteral("L"), txtRegister->text(), txtWert->text());
    }
    setBusyPointer(false);
}

void frmZentrale::writeDispatch() {
    const bool dcc = m_ctx.DecoderType == QLatin1String("DCC");
    const bool motorola = m_ctx.DecoderType == QLatin1String("fx") || m_ctx.DecoderType == QLatin1String("mfx");
    const bool p50x = m_ctx.CuName == QLatin1String("MC") || m_ctx.CuName == QLatin1String("IB");
    if (m_ctx.CuName == QLatin1String("6021") || (p50x && motorola))
        writeMotorola();
    else if (p50x && dcc)
        subDCC_Prog();
}

void frmZentrale::writeMotorola() {
    const QPointer<frmZentrale> self(this);
    setBusyPointer(true);
    MotorolaProgramming programming(*this);
    const MotorolaProgramming::Result result = programming.write(txtRegister->text(), txtWert->text(), m_mcVariant);
    if (!self)
        return;
    setBusyPointer(false);
    // Register 1 is the address: the drive desk goes on with the new one.
    if (const auto address = result.newAddress())
        pnlFahrpult->setAddress(*address);
}

void frmZentrale::subDCC_Prog() {
    StationLink::Exchange exchange(m_link);
    if (!exchange)
        return;
    setBusyPointer(true);
    // Only an abort raised during this write ends it quietly.
    m_ctx.Abbruch = false;
    setStatus(QString());

    const QString cvText = txtRegister->text();
    const QString value = txtWert->text();
    auto refuse = [this](const QString& status) {
        setBusyPointer(false);
        m_ctx.ui().beep();
        setStatus(status);
    };
    if (refuseBadCv(cvText)) {
        setBusyPointer(false);
        return;
    }
    if (fieldNumber(value) > 255) {
        setBusyPointer(false);
        m_ctx.ui().message(text8(ZentraleTexts::valueTooHigh), Notifier::Icon::Critical, Notifier::OkOnly,
                           text8(ZentraleTexts::valueTooHighTitle));
        txtWert->setSelection(0, 3);
        txtWert->setFocus();
        return;
    }
    if (!ZentraleInput::isWriteValue(value))
        return refuse(ZentraleInput::badValueStatus);
    const qint16 cv = *ZentraleInput::cvNumber(cvText);
    QString command = P50x::XPTWD(cv, value);
    if (chkHGPR->isChecked()) {
        const auto address = ZentraleInput::locoAddress(pnlFahrpult->addressText());
        if (!address)
            return refuse(text8(ZentraleTexts::badAddressStatus));
        command = P50x::XPD(*address, cv, value);
    }

    QString answer;
    const Waited waited = sendAndWait(command, P50xAnswer::writeDeadlineMs, P50xAnswer::writeTitle(m_ctx.DecoderType), answer);
    if (waited == Waited::TimedOut)
        m_link.sendP50X(P50x::XPT0());
    if (waited != Waited::Answer)
        return;
    if (m_ctx.Abbruch) {
        setBusyPointer(false);
        return;
    }
    m_link.sendP50X(P50x::XPT0());
    setStatus(P50xAnswer::shownText(answer));
    m_ctx.ui().beep();
    // The protocol records what the decoder now holds: a refused write is not in it.
    if (P50xAnswer::writeSucceeded(answer))
        writeProtokoll(QStringLiteral("S"), cvText, value);
    setBusyPointer(false);
}

void frmZentrale::readVersion() {
    StationLink::Exchange exchange(m_link);
    if (!exchange)
        return;
    setBusyPointer(true);
    QString answer;
    if (sendAndWait(P50x::XV(), P50xAnswer::versionDeadlineMs, P50xAnswer::writeTitle(m_ctx.DecoderType), answer) ==
        Waited::Ended)
        return;
    setBusyPointer(false);
    setStatus(P50xAnswer::versionLine(answer));
}

void frmZentrale::registerListClicked() {
    const QListWidgetItem* item = lstRegister->currentItem();
    if (!item)
        return;
    const int n = ZentraleInput::registerOfListRow(item->text());
    txtRegister->setText(QString::number(n));
    txtWert->setText(n == 8 ? QStringLiteral("8") : QStringLiteral("0"));
}

void frmZentrale::registerTextChanged(const QString& text) {
    // Enter now reads.
    btnSchreiben->setDefault(false);
    btnLesen->setDefault(true);
    const qint16 n = fieldNumber(text);
    scrRegister->setRisingValue(n >= 1024 ? 1024 : n);
}

void frmZentrale::wertTextChanged(const QString& text) {
    if (m_readWertOverride)
        return;
    const qint16 n = fieldNumber(text);
    scrWert->setRisingValue(n >= 255 ? 255 : n);
}

bool frmZentrale::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < 3; ++i)
            if (watched == lblUnit[i]) {
                pressStation(i);
                return true;
            }
        if (watched == stbGleis) {
            gleisClicked();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && (watched == txtRegister || watched == txtWert)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            QPushButton* target = btnLesen->isDefault() ? btnLesen : btnSchreiben;
            if (target->isVisible() && target->isEnabled())
                target->click();
            return true;
        }
        const QString text = key->text();
        // Cursor keys, Tab, Delete, Escape, copy and paste keep their meaning; only typed
        // characters are filtered.
        if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        const QChar c = text.at(0);
        if (!c.isPrint() && c != QChar(8))
            return false;
        const bool accepted = (c >= u'0' && c <= u'9') || c == QChar(8);
        if (accepted && watched == txtWert) {
            btnLesen->setDefault(false);
            btnSchreiben->setDefault(true);
        }
        return !accepted;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmZentrale::setWert(const QString& value) {
    txtWert->setText(value);
}

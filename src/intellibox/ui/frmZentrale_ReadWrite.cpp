// Single CV read and write, the version query and the answer wait of the programming window.
#include "frmZentrale.h"

#include "AppContext.h"
#include "ErrorReport.h"
#include "Failure.h"
#include "ManufacturerList.h"
#include "Notifier.h"
#include "P50xAnswers.h"
#include "P50xCommands.h"
#include "TextNumbers.h"
#include "ZentraleInput.h"
#include "ZentraleTexts.h"

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

void frmZentrale::reportPortFailure(const Failure& failure) {
    setBusyPointer(false);
    ZentraleFehlerbehandlung(m_ctx, failure);
}

bool frmZentrale::refuseBadCv(const QString& text) {
    if (ZentraleInput::cvNumber(text))
        return false;
    m_ctx.ui().beep();
    setStatus(text8(ZentraleTexts::badCvStatus));
    return true;
}

bool frmZentrale::CU_Ready() {
    m_cuAnswer.clear();
    const StationLink::Answer answer = m_link.waitForAnswer(P50x::readDeadlineMs);
    m_cuAnswer = answer.text;
    if (answer.complete)
        return true;
    if (!answer.aborted) {
        setStatus(P50x::abortedStatus());
        m_ctx.ui().message(P50x::timeoutText(m_ctx.CuName), Notifier::Icon::Critical, Notifier::OkOnly,
                           P50x::readTitle(m_ctx.DecoderType));
    }
    setBusyPointer(false);
    return false;
}

void frmZentrale::readCv() {
    StationLink::Exchange exchange(m_link);
    if (!exchange)
        return;
    const QString cvText = txtRegister->text();
    if (refuseBadCv(cvText))
        return;
    const qint16 cv = *ZentraleInput::cvNumber(cvText);
    QPointer<frmZentrale> self(this);

    setBusyPointer(true);
    // "?" stays until a value arrives; the value spin control must not turn it into "0".
    m_readWertOverride = true;
    txtWert->setText(QStringLiteral("?"));
    m_readWertOverride = false;
    try {
        m_link.emptyInput();
        m_link.sendP50X(P50x::XPTRD(cv));
        const StationLink::Answer answer = m_link.waitForAnswer(P50x::readDeadlineMs);
        if (!self)
            return;
        if (answer.aborted) {
            setBusyPointer(false);
            return;
        }
        if (!answer.complete) {
            setStatus(P50x::abortedStatus());
            m_ctx.ui().message(P50x::timeoutText(m_ctx.CuName), Notifier::Icon::Critical, Notifier::OkOnly,
                               P50x::readTitle(m_ctx.DecoderType));
            setBusyPointer(false);
            return;
        }
        m_link.sendP50X(P50x::XPT0());
        setStatus(P50x::shownAnswer(answer.text));
        if (const auto value = P50x::valueBeforeEquals(answer.text)) {
            txtWert->setText(*value);
            if (cv == 8)
                setStatus(status() + QStringLiteral("    ") +
                          SearchHersteller(m_ctx.dataFolder, fieldNumber(txtWert->text())));
            writeProtokoll(QStringLiteral("L"), txtRegister->text(), txtWert->text());
        }
        setBusyPointer(false);
    } catch (const Failure& failure) {
        if (self)
            reportPortFailure(failure);
    }
}

void frmZentrale::writeDispatch() {
    QPointer<frmZentrale> self(this);
    setBusyPointer(true);
    const bool dcc = m_ctx.DecoderType == QLatin1String("DCC");
    const bool motorola = m_ctx.DecoderType == QLatin1String("fx") || m_ctx.DecoderType == QLatin1String("mfx");
    if (m_ctx.CuName == QLatin1String("6021")) {
        if (m_motorola.subZelvo_6021)
            m_motorola.subZelvo_6021();
    } else if (m_ctx.CuName == QLatin1String("MC") && motorola) {
        if (m_motorola.subZelvo_MC)
            m_motorola.subZelvo_MC();
    } else if (m_ctx.CuName == QLatin1String("IB") && motorola) {
        if (m_motorola.subZelvo_IB)
            m_motorola.subZelvo_IB();
    } else if ((m_ctx.CuName == QLatin1String("MC") || m_ctx.CuName == QLatin1String("IB")) && dcc) {
        subDCC_Prog();
    }
    if (self)
        setBusyPointer(false);
}

void frmZentrale::subDCC_Prog() {
    StationLink::Exchange exchange(m_link);
    if (!exchange)
        return;
    QPointer<frmZentrale> self(this);
    setBusyPointer(true);
    // Only an abort raised during this write ends it quietly.
    m_ctx.Abbruch = false;
    setStatus(QString());

    const QString cvText = txtRegister->text();
    const QString value = txtWert->text();
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
    if (!ZentraleInput::isWriteValue(value)) {
        setBusyPointer(false);
        m_ctx.ui().beep();
        setStatus(text8(ZentraleTexts::badValueStatus));
        return;
    }
    const qint16 cv = *ZentraleInput::cvNumber(cvText);
    QString command;
    if (chkHGPR->isChecked()) {
        const auto* addressField = named<QLineEdit>(QStringLiteral("txtAdresse"));
        const auto address = ZentraleInput::locoAddress(addressField ? addressField->text() : QString());
        if (!address) {
            setBusyPointer(false);
            m_ctx.ui().beep();
            setStatus(text8(ZentraleTexts::badAddressStatus));
            return;
        }
        command = P50x::XPD(*address, cv, value);
    } else {
        command = P50x::XPTWD(cv, value);
    }

    try {
        m_link.emptyInput();
        m_link.sendP50X(command);
        const StationLink::Answer answer = m_link.waitForAnswer(P50x::writeDeadlineMs);
        if (!self)
            return;
        if (answer.aborted) {
            setBusyPointer(false);
            return;
        }
        if (!answer.complete) {
            setStatus(P50x::abortedStatus());
            m_ctx.ui().message(P50x::timeoutText(m_ctx.CuName), Notifier::Icon::Critical, Notifier::OkOnly,
                               P50x::writeTitle(m_ctx.DecoderType));
            setBusyPointer(false);
            m_link.sendP50X(P50x::XPT0());
            return;
        }
        if (m_ctx.Abbruch) {
            setBusyPointer(false);
            return;
        }
        m_link.sendP50X(P50x::XPT0());
        setStatus(P50x::shownAnswer(answer.text));
        m_ctx.ui().beep();
        writeProtokoll(QStringLiteral("S"), cvText, value);
        setBusyPointer(false);
    } catch (const Failure& failure) {
        if (self)
            reportPortFailure(failure);
    }
}

void frmZentrale::readVersion() {
    StationLink::Exchange exchange(m_link);
    if (!exchange)
        return;
    QPointer<frmZentrale> self(this);
    setBusyPointer(true);
    try {
        m_link.emptyInput();
        m_link.sendP50X(P50x::XV());
        const StationLink::Answer answer = m_link.waitForAnswer(P50x::versionDeadlineMs);
        if (!self)
            return;
        if (answer.aborted) {
            setBusyPointer(false);
            return;
        }
        if (!answer.complete) {
            setStatus(P50x::abortedStatus());
            m_ctx.ui().message(P50x::timeoutText(m_ctx.CuName), Notifier::Icon::Critical, Notifier::OkOnly,
                               P50x::writeTitle(m_ctx.DecoderType));
        }
        setBusyPointer(false);
        setStatus(P50x::versionLine(answer.text));
    } catch (const Failure& failure) {
        if (self)
            reportPortFailure(failure);
    }
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
    scrRegister->setValue(n >= 1024 ? 1024 : n);
}

void frmZentrale::wertTextChanged(const QString& text) {
    if (m_readWertOverride)
        return;
    const qint16 n = fieldNumber(text);
    scrWert->setValue(n >= 255 ? 255 : n);
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
        if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;  // cursor keys, copy and paste
        const QChar c = text.at(0);
        const bool accepted = (c >= u'0' && c <= u'9') || c == QChar(8);
        if (accepted && watched == txtWert) {
            btnLesen->setDefault(false);
            btnSchreiben->setDefault(true);
        }
        return !accepted;
    }
    return QMainWindow::eventFilter(watched, event);
}

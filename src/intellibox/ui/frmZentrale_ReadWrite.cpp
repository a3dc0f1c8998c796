// Single CV read and write, the version query and the answer wait of the programming window.
#include "intellibox/ui/frmZentrale.h"

#include "app/core/AppContext.h"
#include "app/core/ManufacturerList.h"
#include "app/core/Notifier.h"
#include "base/core/TextNumbers.h"
#include "app/ui/StationWindow.h"
#include "intellibox/core/MotorolaProgramming.h"
#include "intellibox/core/ZentraleStations.h"
#include "intellibox/ui/DrivePanel.h"
#include "intellibox/ui/ZentraleTexts.h"
#include "link/core/P50xAnswer.h"
#include "link/core/P50xCommands.h"
#include "link/core/StationLink.h"
#include "programming/core/CvInput.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/core/ProgrammingTexts.h"

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

bool frmZentrale::refuseBadCv(const QString& text) {
    if (CvInput::cvNumber(text))
        return false;
    m_ctx.ui().beep();
    setStatus(CvInput::badCvStatus);
    return true;
}

void frmZentrale::readCv() {
    const StationLink::Exchange exchange = m_guard->begin();
    if (!exchange)
        return;
    // The read is of the CV the field held when it began; the field may change meanwhile.
    const QString cvText = txtRegister->text();
    if (refuseBadCv(cvText))
        return;
    const qint16 cv = *CvInput::cvNumber(cvText);

    const QPointer<frmZentrale> self(this);
    P50xProgrammer programmer(m_link, P50xProgrammer::singleCv());
    ProgrammingSession session(*this, programmer);
    // "?" stays until a value arrives: it holds no number, so the value bar stays put.
    txtWert->setText(QStringLiteral("?"));
    const CvResult read = programmer.readCv(cv);
    // The track goes off as soon as the answer is in, before the window shows it.
    programmer.finish();
    if (!self)
        return session.hostGone();
    if (!read.answered())
        return tellUnanswered(m_ctx, *this, read, ProgrammingTexts::readTitle(m_ctx.DecoderType));
    setStatus(read.shown);
    if (const auto value = P50xAnswer::valueBeforeEquals(read.answer)) {
        txtWert->setText(*value);
        if (cv == 8)
            setStatus(status() + QStringLiteral("    ") + SearchHersteller(m_ctx.dataFolder, fieldNumber(txtWert->text())));
        writeProtokoll(QStringLiteral("L"), cvText, txtWert->text());
    }
}

void frmZentrale::writeDispatch() {
    const StationRules* r = station();
    if (!r)
        return;
    const bool dcc = m_ctx.DecoderType == QLatin1String("DCC");
    const bool motorola = m_ctx.DecoderType == QLatin1String("fx") || m_ctx.DecoderType == QLatin1String("mfx");
    if (r->station == ZentraleStations::Station::Cu6021 || (r->p50x && motorola))
        writeMotorola();
    else if (r->p50x && dcc)
        subDCC_Prog();
}

void frmZentrale::writeMotorola() {
    const StationRules* r = station();
    if (!r)
        return;
    MotorolaProgramming programming(m_ctx, *this, m_link);
    // Register and value are checked before the line is taken.
    const QString registerText = txtRegister->text();
    const QString valueText = txtWert->text();
    if (!programming.checkedInput(registerText, valueText))
        return;
    const QPointer<frmZentrale> self(this);
    MotorolaProgramming::Result result;
    m_guard->run([&] {
        ProgrammingSession session(*this);
        result = programming.write(r->station, registerText, valueText, m_mcVariant);
        if (!self)
            session.hostGone();
    });
    if (!self)
        return;
    // Register 1 is the address: the drive desk goes on with the new one.
    if (const auto address = result.newAddress())
        m_desk->setAddress(*address);
}

void frmZentrale::subDCC_Prog() {
    const StationLink::Exchange exchange = m_guard->begin();
    if (!exchange)
        return;
    const QPointer<frmZentrale> self(this);
    P50xProgrammer programmer(m_link, P50xProgrammer::singleCv());
    ProgrammingSession session(*this, programmer);
    // Only an abort raised during this write ends it quietly.
    m_ctx.Abbruch = false;
    setStatus(QString());

    // The write is of the CV and value the fields held when it began.
    const QString cvText = txtRegister->text();
    const QString value = txtWert->text();
    auto refuse = [this](const QString& status) {
        m_ctx.ui().beep();
        setStatus(status);
    };
    if (refuseBadCv(cvText))
        return;
    if (fieldNumber(value) > 255) {
        m_ctx.ui().message(text8(ZentraleTexts::valueTooHigh), Notifier::Icon::Critical, Notifier::OkOnly,
                           text8(ZentraleTexts::valueTooHighTitle));
        txtWert->setSelection(0, 3);
        txtWert->setFocus();
        return;
    }
    if (!CvInput::isWriteValue(value))
        return refuse(CvInput::badValueStatus);
    const qint16 cv = *CvInput::cvNumber(cvText);
    std::optional<qint16> mainTrackAddress;
    if (chkHGPR->isChecked()) {
        mainTrackAddress = CvInput::locoAddress(m_desk->addressText());
        if (!mainTrackAddress)
            return refuse(text8(ZentraleTexts::badAddressStatus));
    }

    const CvResult written = mainTrackAddress ? programmer.writeMainTrack(*mainTrackAddress, cv, value)
                                              : programmer.writeCvText(cv, value);
    if (!self)
        return session.hostGone();
    if (!written.answered())
        return tellUnanswered(m_ctx, *this, written, ProgrammingTexts::writeTitle(m_ctx.DecoderType));
    if (m_ctx.Abbruch) {
        // Nothing more is sent, shown or logged.
        programmer.abandon();
        return;
    }
    programmer.finish();
    setStatus(written.shown);
    m_ctx.ui().beep();
    // The protocol records what the decoder now holds: a refused write is not in it.
    if (written.ok())
        writeProtokoll(QStringLiteral("S"), cvText, value);
}

void frmZentrale::readVersion() {
    const QPointer<frmZentrale> self(this);
    m_guard->run([&] {
        ProgrammingSession session(*this);
        const StationLink::Reply reply = m_link.askP50X(P50x::XV(), 0, P50xAnswer::versionDeadlineMs);
        if (!self)
            return session.hostGone();
        if (reply.outcome == StationLink::Outcome::Stopped || reply.outcome == StationLink::Outcome::Failed)
            return;
        if (!reply.answered()) {
            CvResult timedOut;
            tellUnanswered(m_ctx, *this, timedOut, ProgrammingTexts::writeTitle(m_ctx.DecoderType));
        }
        // What arrived, also after a time-out.
        setStatus(P50xAnswer::versionLine(reply.text()));
    });
}

void frmZentrale::registerListClicked() {
    const QListWidgetItem* item = lstRegister->currentItem();
    if (!item)
        return;
    const int n = CvInput::registerOfListRow(item->text());
    txtRegister->setText(QString::number(n));
    txtWert->setText(n == 8 ? QStringLiteral("8") : QStringLiteral("0"));
}

void frmZentrale::registerTextChanged() {
    // Enter now reads.
    btnSchreiben->setDefault(false);
    btnLesen->setDefault(true);
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

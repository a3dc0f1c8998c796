#include "SimulatedStation.h"

#include "ClockWait.h"
#include "link/core/Clock.h"
#include "base/core/Failure.h"

#include <QRegularExpression>
#include <algorithm>

namespace {
const QByteArray okAnswer("Ok\r]");

QByteArray withCheckByte(QByteArray message) {
    char check = 0;
    for (char byte : message)
        check = static_cast<char>(check ^ byte);
    message += check;
    return message;
}

QString bits(int value) {
    return QStringLiteral("%1").arg(value & 0xFF, 8, 2, QLatin1Char('0'));
}
}  // namespace

SimulatedStation::SimulatedStation(Clock& clock, Kind kind) : m_clock(clock), m_kind(kind) {
    m_cvs = {{1, 3}, {2, 5}, {3, 8}, {4, 6}, {5, 200}, {7, 12}, {8, 97}, {17, 192}, {18, 3}, {29, 6}};
    for (int step = 1; step <= 28; ++step)
        m_cvs[66 + step] = step * 9;
    m_specialOptions = {{1, 0}, {663, 1}};
    m_locoFormats[80] = QStringLiteral("Mot old");
    m_channels[127] = 0x80;
    m_sxByte1 = 5 + 3 * 8 + 1 * 64;
    m_sxByte2 = 3;
    m_sxExtended = 4 + 1 * 8;  // nothing swapped, extended pulse width 1, acceleration scope 1
}

std::optional<int> SimulatedStation::cv(int number) const {
    const auto it = m_cvs.constFind(number);
    if (it == m_cvs.constEnd())
        return std::nullopt;
    return *it;
}

int SimulatedStation::decoderAddress() const {
    if (cv(29).value_or(0) & 0x20)
        return (cv(17).value_or(192) & 0x3F) * 256 + cv(18).value_or(0);
    return cv(1).value_or(3);
}

QString SimulatedStation::versionText() const {
    if (!m_versionText.isEmpty())
        return m_versionText;
    if (m_kind == Kind::MasterControl)
        return QStringLiteral("MasterControl Rel. 1.4.3g\rSerNr. 0000012345\r]");
    return QStringLiteral("Intellibox\rSPU: 1.650 \rKPU 1.005 \rPPU 1.00\rLIPU 1.00\rDNG 1.00\rS/N: 0071234567\r]");
}

void SimulatedStation::setSxDecoder(quint8 byte1, quint8 byte2, quint8 extended) {
    m_sxByte1 = byte1;
    m_sxByte2 = byte2;
    m_sxExtended = extended;
}

qint64 SimulatedStation::now() const {
    return m_clock.ticks();
}

void SimulatedStation::open() {
    if (m_openError != 0)
        throw Failure(m_openError, m_name);
    m_open = true;
    m_lost = false;
    m_lostReported = false;
}

void SimulatedStation::close() {
    m_open = false;
    m_input.clear();
}

void SimulatedStation::vanish() {
    m_lost = true;
}

void SimulatedStation::throwIfLost() {
    if (!m_lost || m_lostReported)
        return;
    m_lostReported = true;
    m_open = false;
    m_input.clear();
    m_pending.clear();
    throw Failure(PortError::Lost, QStringLiteral("Der Anschluss %1 ist nicht mehr vorhanden").arg(m_name));
}

void SimulatedStation::write(const QByteArray& bytes) {
    throwIfLost();
    if (!m_open)
        throw Failure(PortError::NotOpen, QStringLiteral("Der Anschluss ist nicht geöffnet"));
    deliverDue();
    m_traffic.append({now(), true, bytes});
    if (m_fault == Fault::Vanish) {
        m_lost = true;
        return;
    }
    for (char c : bytes) {
        const auto byte = static_cast<quint8>(c);
        switch (m_kind) {
        case Kind::Intellibox:
        case Kind::MasterControl:
        case Kind::Cu6021:
            receiveP50(byte);
            break;
        case Kind::Lenz:
        case Kind::LenzUsb:
            m_lenzIn += c;
            receiveXpressNet();
            break;
        case Kind::Selectrix:
            receiveSelectrix(byte);
            break;
        }
    }
}

void SimulatedStation::deliverDue() {
    const qint64 t = now();
    while (!m_pending.isEmpty() && m_pending.first().due <= t) {
        const Pending p = m_pending.takeFirst();
        m_traffic.append({p.due, false, p.bytes});
        if (!m_open)
            continue;
        if (m_fault == Fault::Split) {
            for (qsizetype i = 0; i < p.bytes.size(); i += 3)
                m_input.append(p.bytes.mid(i, 3));
        } else {
            m_input.append(p.bytes);
        }
    }
}

QByteArray SimulatedStation::readAll() {
    throwIfLost();
    deliverDue();
    if (m_input.isEmpty())
        return {};
    if (m_fault == Fault::Split)
        return m_input.takeFirst();
    QByteArray all;
    for (const QByteArray& chunk : std::as_const(m_input))
        all += chunk;
    m_input.clear();
    return all;
}

int SimulatedStation::bytesWaiting() {
    throwIfLost();
    deliverDue();
    int count = 0;
    for (const QByteArray& chunk : std::as_const(m_input))
        count += int(chunk.size());
    return count;
}

std::optional<bool> SimulatedStation::cts() {
    throwIfLost();
    if (m_resetting) {
        if (m_ctsBackAt && now() >= *m_ctsBackAt)
            m_resetting = false;
        else
            return false;
    }
    return m_cts;
}

bool SimulatedStation::waitForInput(qint64 ms, const std::function<bool()>& stop) {
    // Time passes on the clock as it would while the program sleeps on a device.
    return waitOnClock(
        m_clock, ms, stop,
        [this] {
            throwIfLost();
            deliverDue();
            return !m_input.isEmpty();
        },
        [this] { return nextAnswerTime(); });
}

std::optional<qint64> SimulatedStation::nextAnswerTime() const {
    if (m_pending.isEmpty())
        return std::nullopt;
    return m_pending.first().due;
}

void SimulatedStation::schedule(QByteArray bytes, qint64 due) {
    if (bytes.isEmpty())
        return;
    if (m_characterTime > 0) {
        // One byte after the other, and an answer only once the line is free again.
        due = std::max(due, m_lineFreeAt);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const qint64 at = due + i * m_characterTime;
            auto it = std::upper_bound(m_pending.begin(), m_pending.end(), at,
                                       [](qint64 d, const Pending& p) { return d < p.due; });
            m_pending.insert(it, Pending{at, bytes.mid(i, 1)});
        }
        m_lineFreeAt = due + bytes.size() * m_characterTime;
        return;
    }
    auto it = std::upper_bound(m_pending.begin(), m_pending.end(), due,
                               [](qint64 d, const Pending& p) { return d < p.due; });
    m_pending.insert(it, Pending{due, std::move(bytes)});
}

void SimulatedStation::queueAnswer(const QByteArray& bytes, qint64 delayMs) {
    schedule(bytes, now() + delayMs);
}

bool SimulatedStation::takeScripted(qint64 delay) {
    if (m_scripted.isEmpty())
        return false;
    schedule(m_scripted.takeFirst(), std::max(now(), m_busyUntil) + delay);
    return true;
}

void SimulatedStation::answer(const QByteArray& bytes, qint64 delay) {
    if (m_fault == Fault::Silent || bytes.isEmpty())
        return;
    QByteArray out = bytes;
    if (m_fault == Fault::Garbage) {
        // Same length, no "]", no valid frame.
        for (qsizetype i = 0; i < out.size(); ++i)
            out[i] = static_cast<char>(0xA5 ^ (i * 37));
    }
    schedule(out, std::max(now(), m_busyUntil) + delay);
}

void SimulatedStation::receiveP50(quint8 byte) {
    if (m_inText) {
        if (byte == '\r') {
            m_inText = false;
            handleP50X(m_text);
        } else {
            m_text += static_cast<char>(byte);
        }
        return;
    }
    m_p50Bytes += static_cast<char>(byte);
    if (m_p50First) {
        // The address of a drive or turnout pair: no answer; the pair stays in p50Bytes().
        m_p50First.reset();
        return;
    }
    if (m_kind != Kind::Cu6021 && (byte == 'X' || byte == 'x')) {
        m_p50Bytes.chop(1);
        m_inText = true;
        m_text = QByteArray(1, static_cast<char>(byte));
        return;
    }
    if (byte == 96) {
        m_powerOn = true;
    } else if (byte == 97) {
        m_powerOn = false;
    } else if (byte <= 31 || byte == 33 || byte == 34 || (byte >= 64 && byte <= 79)) {
        m_p50First = byte;  // code of a pair; the address follows
    }
    // Everything else (solenoid off, s88 requests) changes nothing we model.
}

QByteArray SimulatedStation::readValueAnswer(std::optional<int> value) const {
    if (!value)
        return "No ack\r]";
    const int v = *value & 0xFF;
    return QStringLiteral("%1 = $%2 = %%3\r]")
        .arg(v)
        .arg(v, 2, 16, QLatin1Char('0'))
        .arg(bits(v))
        .toUpper()
        .toLatin1();
}

void SimulatedStation::handleP50X(const QByteArray& line) {
    const QString command = QString::fromLatin1(line);
    m_p50xCommands.append(command);
    if (m_fault == Fault::Vanish) {
        m_lost = true;
        return;
    }
    // The command word runs up to the first blank, comma or digit; "@@", "!" and "." stand alone.
    const QString body = command.mid(1).trimmed();
    static const QRegularExpression wordPattern(QStringLiteral("^([A-Za-z]+|@@|!|\\.)"));
    const QRegularExpressionMatch match = wordPattern.match(body);
    const QString word = match.hasMatch() ? match.captured(1).toUpper() : QString();
    QList<int> args;
    bool argsValid = true;
    const QStringList parts = body.mid(word.size()).split(QRegularExpression(QStringLiteral("[ ,]+")), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        bool ok = false;
        args.append(part.toInt(&ok));
        argsValid = argsValid && ok;
    }
    qint64 delay = m_answerDelay;
    const QByteArray natural = p50xAnswer(word, args, argsValid, delay);
    if (takeScripted(delay))
        return;
    answer(natural, delay);
}

QByteArray SimulatedStation::p50xAnswer(const QString& word, const QList<int>& args, bool argsValid, qint64& delay) {
    const bool mc = m_kind == Kind::MasterControl;
    auto inRange = [&](int index, int low, int high) {
        return argsValid && args.size() > index && args[index] >= low && args[index] <= high;
    };
    // Programming-track work: the station is busy until it is done.
    auto programming = [&](qint64 ms) {
        delay = ms;
        m_busyUntil = std::max(now(), m_busyUntil) + ms;
        delay = 0;
    };
    const QByteArray error = "Error\r]";
    // A MasterControl confirms a programming-track write with the line end and "]" alone.
    const QByteArray written = mc ? QByteArray("\r]") : okAnswer;
    const bool ptCommand = word.startsWith(u"PT") && word != u"PT";
    if (ptCommand && !m_programmingError.isEmpty()) {
        programming(m_programmingDelay);
        return m_programmingError.toLatin1() + "\r]";
    }

    if (word == u"PTRD" || word == u"PTRP") {
        if (!inRange(0, 1, 1024))
            return error;
        programming(m_programmingDelay);
        return readValueAnswer(cv(args[0]));
    }
    if (word == u"PTWD" || word == u"PTWP") {
        if (!inRange(0, 1, 1024) || !inRange(1, 0, 255))
            return error;
        programming(m_programmingDelay);
        m_cvs[args[0]] = args[1];
        return written;
    }
    if (word == u"PTRR") {
        if (!inRange(0, 1, 8))
            return error;
        programming(m_programmingDelay);
        return readValueAnswer(cv(registerCv(args[0])));
    }
    if (word == u"PTWR") {
        if (!inRange(0, 1, 8) || !inRange(1, 0, 255))
            return error;
        programming(m_programmingDelay);
        m_cvs[registerCv(args[0])] = args[1];
        return written;
    }
    if (word == u"PTRL") {
        programming(m_programmingDelay);
        const auto high = cv(17);
        const auto low = cv(18);
        if (!high || !low)
            return "No ack\r]";
        return QByteArray::number((*high & 0x3F) * 256 + *low) + "\r]";
    }
    if (word == u"PTWL") {
        if (!inRange(0, 128, mc ? 10239 : 9999))
            return error;
        programming(m_programmingDelay);
        m_cvs[17] = 192 + (args[0] >> 8);
        m_cvs[18] = args[0] & 0xFF;
        m_cvs[29] = cv(29).value_or(0) | 0x20;
        return written;
    }
    if (word == u"PTMS") {
        programming(m_searchDelay);
        return QByteArray::number(decoderAddress()) + "\r]";
    }
    if (word == u"PTSR") {
        programming(m_programmingDelay);
        const auto& p = m_sxParameters;
        return QStringLiteral("SX = %1,%2,%3,%4,%5\r]").arg(p[0]).arg(p[1]).arg(p[2]).arg(p[3]).arg(p[4]).toLatin1();
    }
    if (word == u"PTSW") {
        if (!inRange(0, 0, 111) || !inRange(1, 0, 7) || !inRange(2, 0, 7) || !inRange(3, 1, 4) || !inRange(4, 1, 2))
            return error;
        programming(m_programmingDelay);
        m_sxParameters = {args[0], args[1], args[2], args[3], args[4]};
        return okAnswer;
    }
    if (word == u"PT" && args.size() == 1) {  // "XPT0" / "XPT1": the track relay
        if (!inRange(0, 0, 1))
            return error;
        m_trackRelay = args[0] == 1;
        return okAnswer;
    }
    if (word == u"PT")
        return m_trackRelay ? "PT On\r]" : "PT Off\r]";
    if (word == u"PD") {
        if (!inRange(0, 1, 9999) || !inRange(1, 1, 1024) || !inRange(2, 0, 255))
            return error;
        m_mainTrackWrites.append({args[0], args[1], args[2]});
        if (args[0] == decoderAddress())
            m_cvs[args[1]] = args[2];
        return okAnswer;
    }
    if (word == u"V")
        return versionText().toLatin1();
    if (word == u"SO") {
        if (!inRange(0, 0, 999))
            return error;
        return QByteArray::number(m_specialOptions.value(args[0], 0)) + "\r]";
    }
    if (word == u"LC") {
        if (!inRange(0, 0, 9999))
            return error;
        return m_locoFormats.value(args[0], QStringLiteral("DCC 28")).toLatin1() + "\r]";
    }
    if (word == u"L") {
        if (!inRange(0, 0, 9999))
            return error;
        if (args.size() == 1)
            return m_locoStates.contains(args[0]) ? m_locoStates[args[0]].toLatin1() + "\r]" : QByteArray("No Lok data!\r]");
        QString state = QStringLiteral("L %1").arg(args[0]);
        for (qsizetype i = 1; i < args.size(); ++i)
            state += QStringLiteral(" %1").arg(args[i]);
        m_locoStates[args[0]] = state;
        return state.toLatin1() + "\r]";
    }
    if (word == u"F") {
        if (!inRange(0, 0, 9999))
            return error;
        return okAnswer;
    }
    if (word == u"GO" || word == u"!") {
        m_powerOn = true;
        return okAnswer;
    }
    if (word == u"STOP" || word == u".") {
        m_powerOn = false;
        return okAnswer;
    }
    if (word == u"TPM" && mc && m_motorolaProgramming)
        return okAnswer;
    if (word == u"@@") {
        // Cold start: nothing on the line, answers not yet sent are lost, CTS off until the
        // unit is up again.
        m_pending.clear();
        m_busyUntil = now();
        m_lineFreeAt = now();
        m_resetting = true;
        m_ctsBackAt.reset();
        if (m_resetTime >= 0)
            m_ctsBackAt = now() + m_resetTime;
        m_trackRelay = false;
        return {};
    }
    return "Unknown command\r]";
}

int SimulatedStation::registerCv(int reg) {
    // Register mode: registers 1..4 are CV1..4, 5 is CV29, 6 the page register, 7 and 8 CV7, CV8.
    switch (reg) {
    case 5:
        return 29;
    case 6:
        return 1000 + 6;  // the page register, kept apart from the CVs
    default:
        return reg;
    }
}

void SimulatedStation::receiveXpressNet() {
    for (;;) {
        qsizetype start = 0;
        if (m_kind == Kind::LenzUsb) {
            // Every request carries FF FE; anything before it is dropped.
            const qsizetype header = m_lenzIn.indexOf(QByteArray("\xFF\xFE", 2));
            if (header < 0) {
                if (!m_lenzIn.endsWith('\xFF'))
                    m_lenzIn.clear();
                else
                    m_lenzIn = m_lenzIn.right(1);
                return;
            }
            m_lenzIn.remove(0, header);
            start = 2;
        }
        if (m_lenzIn.size() <= start)
            return;
        const int length = (static_cast<quint8>(m_lenzIn[start]) & 0x0F) + 2;
        if (m_lenzIn.size() < start + length)
            return;
        const QByteArray frame = m_lenzIn.mid(start, length);
        m_lenzIn.remove(0, start + length);
        char check = 0;
        for (char byte : frame)
            check = static_cast<char>(check ^ byte);
        if (check != 0) {
            lenzAnswer(QByteArray::fromHex("6180"), false, m_answerDelay);
            continue;
        }
        const QByteArray message = frame.left(frame.size() - 1);
        m_xpressNetMessages.append(message);
        if (m_fault == Fault::Vanish) {
            m_lost = true;
            return;
        }
        handleXpressNet(message);
    }
}

QByteArray SimulatedStation::lenzFrame(QByteArray message, bool broadcast) const {
    QByteArray frame = withCheckByte(std::move(message));
    if (m_kind == Kind::LenzUsb)
        frame.prepend(broadcast ? QByteArray("\xFF\xFD", 2) : QByteArray("\xFF\xFE", 2));
    return frame;
}

void SimulatedStation::lenzAnswer(QByteArray message, bool broadcast, qint64 delay) {
    if (takeScripted(delay))
        return;
    answer(lenzFrame(std::move(message), broadcast), delay);
}

void SimulatedStation::resultAnswer(QByteArray message) {
    if (takeScripted(m_answerDelay))
        return;
    QByteArray frame = lenzFrame(std::move(message), false);
    if (m_resultCheckWrong)
        frame.back() = static_cast<char>(frame.back() ^ 0x5A);
    const QByteArray acknowledge = lenzFrame(QByteArray::fromHex("0104"), false);
    const QByteArray entry = lenzFrame(QByteArray::fromHex("6102"), true);
    const ResultCompany& c = m_resultCompany;
    QByteArray all;
    if (c.acknowledgeBefore)
        all += acknowledge;
    if (c.entryBroadcastBefore)
        all += entry;
    all += frame;
    if (c.acknowledgeAfter)
        all += acknowledge;
    if (c.entryBroadcastAfter)
        all += entry;
    answer(all, m_answerDelay);
}

void SimulatedStation::handleXpressNet(const QByteArray& message) {
    const auto byte = [&](int i) { return i < message.size() ? static_cast<quint8>(message[i]) : quint8(0); };
    const quint8 header = byte(0);
    const quint8 id = byte(1);
    const int cvNumber = byte(2) == 0 ? 256 : byte(2);
    // The interface confirms a service-mode request once the station has carried it out.
    const auto acknowledgeWhenDone = [this] {
        if (m_acknowledgeRequests)
            answer(lenzFrame(QByteArray::fromHex("0104"), false), m_programmingDelay);
    };
    if (header == 0x22 && (id == 0x11 || id == 0x14 || id == 0x15)) {
        m_serviceOp = ServiceOp{id, id == 0x11 ? byte(2) : cvNumber, true, false, now() + m_programmingDelay};
        lenzAnswer(QByteArray::fromHex("6102"), true, m_answerDelay);
        acknowledgeWhenDone();
        return;
    }
    if (header == 0x23 && (id == 0x12 || id == 0x16 || id == 0x17)) {
        const int number = id == 0x12 ? byte(2) : cvNumber;
        if (m_writesAcknowledged)
            m_cvs[id == 0x12 ? registerCv(number) : number] = byte(3);
        m_serviceOp = ServiceOp{id, number, false, !m_writesAcknowledged, now() + m_programmingDelay};
        lenzAnswer(QByteArray::fromHex("6102"), true, m_answerDelay);
        acknowledgeWhenDone();
        return;
    }
    if (header == 0x21 && id == 0x10) {
        if (!m_serviceOp) {
            lenzAnswer(QByteArray::fromHex("6182"), false, m_answerDelay);
            return;
        }
        const ServiceOp op = *m_serviceOp;
        if (now() < op.readyAt) {
            resultAnswer(QByteArray::fromHex("611F"));
            return;
        }
        const bool registerMode = op.mode == 0x11 || op.mode == 0x12;
        const bool direct = op.mode == 0x15 || op.mode == 0x16;
        const std::optional<int> value = cv(registerMode ? registerCv(op.number) : op.number);
        bool directForm = direct;
        switch (m_serviceResult) {
        case ServiceResult::Ready:
            resultAnswer(QByteArray::fromHex("6111"));
            return;
        case ServiceResult::NotFound:
            resultAnswer(QByteArray::fromHex("6113"));
            return;
        case ServiceResult::ShortCircuit:
            resultAnswer(QByteArray::fromHex("6112"));
            return;
        case ServiceResult::Busy:
            resultAnswer(QByteArray::fromHex("611F"));
            return;
        case ServiceResult::RegisterForm:
            directForm = false;
            break;
        case ServiceResult::DirectForm:
            directForm = true;
            break;
        case ServiceResult::Natural:
            break;
        }
        if (!value || op.failed) {
            resultAnswer(QByteArray::fromHex("6113"));
            return;
        }
        QByteArray result;
        result += '\x63';
        result += directForm ? '\x14' : '\x10';
        result += static_cast<char>(op.number & 0xFF);
        result += static_cast<char>(*value & 0xFF);
        resultAnswer(result);
        return;
    }
    if (header == 0x21 && id == 0x81) {
        m_powerOn = true;
        m_serviceOp.reset();
        lenzAnswer(QByteArray::fromHex("6101"), true, m_answerDelay);
        return;
    }
    if (header == 0x21 && id == 0x80) {
        m_powerOn = false;
        lenzAnswer(QByteArray::fromHex("6100"), true, m_answerDelay);
        return;
    }
    if (header == 0x80) {
        lenzAnswer(QByteArray::fromHex("8100"), true, m_answerDelay);
        return;
    }
    if (header == 0x92 || header == 0xE4) {
        lenzAnswer(QByteArray::fromHex("0104"), false, m_answerDelay);
        return;
    }
    lenzAnswer(QByteArray::fromHex("6182"), false, m_answerDelay);
}

void SimulatedStation::receiveSelectrix(quint8 byte) {
    if (!m_sxFirst) {
        m_sxFirst = byte;
        return;
    }
    const quint8 first = *m_sxFirst;
    m_sxFirst.reset();
    if (m_fault == Fault::Vanish) {
        m_lost = true;
        return;
    }
    if (first & 0x80) {
        selectrixWrite(first & 0x7F, byte);
        return;
    }
    if (m_sxReadsAnswered == 0)
        return;
    if (m_sxReadsAnswered > 0)
        --m_sxReadsAnswered;
    const QByteArray value(1, static_cast<char>(channel(first)));
    if (takeScripted(m_answerDelay))
        return;
    answer(value, m_answerDelay);
}

void SimulatedStation::setChannel(int number, quint8 value) {
    m_channels.at(size_t(number & 0x7F)) = value;
    if ((number & 0x7F) == 127)
        m_powerOn = value & 0x80;
}

void SimulatedStation::setSxProgrammingBusy(bool busy) {
    m_sxBusy = busy;
    updateSxStatus();
}

void SimulatedStation::updateSxStatus() {
    quint8 status = 0;
    if (!m_sxProgramming)
        status = m_sxBusy ? 64 : 0;
    else if (m_sxProvided)
        status = 32 | (m_sxDecoderPresent ? 64 : 0);
    else
        status = m_sxReady ? 96 : 32;
    m_channels[109] = status;
}

void SimulatedStation::selectrixWrite(int number, quint8 value) {
    if (number == 127 && m_sxPowerLocked)
        return;
    setChannel(number, value);
    switch (number) {
    case 105:
        m_sxDccWrite = false;
        break;
    case 107:
        m_sxDccWrite = true;
        break;
    case 106:
        if (value == 0) {
            // The announcement of an extended read outlives switching programming off.
            m_sxProgramming = false;
            m_sxProvided = false;
        } else if (value == 64) {
            m_sxProgramming = true;
            m_sxProvided = false;
        } else if (value == 201) {
            if (m_channels[105] == 128) {
                m_sxExtended = m_channels[104];
            } else {
                m_sxExtendedRead = m_channels[104] == 9 && m_channels[105] == 0;
                m_sxByte1 = m_channels[104];
                m_sxByte2 = m_channels[105];
            }
        } else if (value == 206 && m_sxProgramming) {
            const int cvNumber = m_channels[104];
            if (m_sxDccWrite) {
                m_cvs[cvNumber] = m_channels[107];
            } else if (const auto v = cv(cvNumber)) {
                m_channels[107] = quint8(*v);
                m_channels[105] = 0;
            } else {
                m_channels[105] = 255;
            }
        } else if (value == 206) {
            // Not in programming mode: no DCC operation.
        } else if (value >= 192 && m_sxDecoderPresent) {
            m_sxProvided = true;
            if (m_sxExtendedRead) {
                m_channels[104] = m_sxExtended;
                m_channels[105] = 0;
                m_sxExtendedRead = false;
            } else {
                m_channels[104] = m_sxByte1;
                m_channels[105] = m_sxByte2;
            }
        } else if (value >= 192) {
            m_sxProvided = true;  // nothing answered: the channels keep what they held
        }
        updateSxStatus();
        break;
    default:
        break;
    }
}

QString SimulatedStation::writtenText() const {
    QByteArray all;
    for (const Traffic& t : m_traffic)
        if (t.toStation)
            all += t.bytes;
    return QString::fromLatin1(all);
}

#include "link/core/XpressNetReceiver.h"

#include "link/core/XpressNet.h"

namespace XpressNet {

namespace {
quint8 at(const QByteArray& bytes, qsizetype i) {
    return i < bytes.size() ? static_cast<quint8>(bytes[i]) : quint8(0);
}

qsizetype frameLength(quint8 header) {
    return (header & 0x0F) + 2;
}

// Whether a whole frame with a correct check byte starts at `start`.
bool validFrameAt(const QByteArray& bytes, qsizetype start) {
    const qsizetype length = frameLength(at(bytes, start));
    if (start + length > bytes.size())
        return false;
    quint8 check = 0;
    for (qsizetype i = start; i < start + length; ++i)
        check ^= at(bytes, i);
    return check == 0;
}

bool usbHeaderAt(const QByteArray& bytes, qsizetype start) {
    return at(bytes, start) == 0xFF && (at(bytes, start + 1) == 0xFE || at(bytes, start + 1) == 0xFD) &&
           start + 1 < bytes.size();
}
}  // namespace

std::optional<QByteArray> FrameSplitter::next() {
    for (;;) {
        while (usbHeaderAt(m_buffer, 0))
            m_buffer.remove(0, 2);
        if (m_buffer.isEmpty())
            return std::nullopt;
        const qsizetype length = frameLength(at(m_buffer, 0));
        if (m_buffer.size() >= length && validFrameAt(m_buffer, 0)) {
            QByteArray frame = m_buffer.left(length);
            m_buffer.remove(0, length);
            return frame;
        }
        // Too short and still arriving: the rest is on its way.
        if (m_buffer.size() < length && !m_quiet)
            return std::nullopt;
        m_buffer.remove(0, 1);
        ++m_dropped;
    }
}

FrameKind classify(const QByteArray& frame) {
    const quint8 header = at(frame, 0);
    const quint8 id = at(frame, 1);
    switch (header) {
    case 0x01:
        return id == 0x04 || id == 0x05 || id == 0x07 ? FrameKind::InterfaceInfo : FrameKind::InterfaceError;
    case 0x61:
        switch (id) {
        case 0x00:
        case 0x01:
        case 0x02:
            return FrameKind::Broadcast;
        case 0x11:
        case 0x12:
        case 0x13:
        case 0x1F:
            return FrameKind::ServiceStatus;
        case 0x80:
        case 0x81:
        case 0x82:
            return FrameKind::StationError;
        default:
            return FrameKind::Other;
        }
    case 0x63:
        return id == 0x10 || id == 0x14 || id == 0x15 ? FrameKind::Result : FrameKind::Other;
    case 0x81:
        return id == 0x00 ? FrameKind::Broadcast : FrameKind::Other;
    default:
        return FrameKind::Other;
    }
}

std::optional<ServiceResult> serviceResult(const QByteArray& frame) {
    if (classify(frame) != FrameKind::Result)
        return std::nullopt;
    const quint8 id = at(frame, 1);
    const int number = at(frame, 2);
    const int value = at(frame, 3);
    switch (id) {
    case 0x10:
        return ServiceResult{false, number, value};
    case 0x14:
        return ServiceResult{true, number == 0 ? 256 : number, value};
    default:  // 0x15
        return ServiceResult{true, number == 0 ? 512 : 256 + number, value};
    }
}

QString serviceStatusWord(const QByteArray& frame) {
    if (classify(frame) != FrameKind::ServiceStatus)
        return {};
    switch (at(frame, 1)) {
    case 0x11:
        return QStringLiteral("Bereit");
    case 0x12:
        return QStringLiteral("Kurzschluss");
    case 0x13:
        return QStringLiteral("Daten nicht gefunden");
    default:
        return QStringLiteral("Besetzt");
    }
}

QString serviceStatusText(const QByteArray& frame) {
    const QString word = serviceStatusWord(frame);
    if (word.isEmpty())
        return {};
    return QStringLiteral(" Zentrale meldet '") + word + QStringLiteral("'   (Originalstring ' ") +
           LenzAntwortText(frame).left(13) + QStringLiteral("' )");
}

}  // namespace XpressNet

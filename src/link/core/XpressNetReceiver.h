#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// The receive side of XpressNet: frames cut out of the bytes as they arrive, and what each
// frame means to the program.
namespace XpressNet {

// Takes every byte that arrives, across as many reads as it comes in, and hands out whole
// frames (header, data and check byte; the LI-USB FF FE / FF FD header of each frame
// dropped). A frame is as long as its header's low nibble says, plus header and check
// byte, and counts only when the XOR of all its bytes is 0; such a frame is handed out
// whole, whatever its kind. Bytes whose check fails are dropped one at a time, so garbage
// costs its own bytes and nothing after it. A frame that is not yet whole waits for the rest,
// unless the line has gone quiet (lineQuiet): then it was cut off, and its bytes are dropped
// one at a time until a whole frame stands at the front.
class FrameSplitter {
public:
    void append(const QByteArray& bytes) {
        m_buffer += bytes;
        m_quiet = false;
    }
    // The next whole frame, or nothing until more bytes arrive.
    std::optional<QByteArray> next();
    // Nothing has arrived for longer than the bytes of one frame take: what waits for its
    // rest will not get it.
    void lineQuiet() { m_quiet = true; }
    // Drops everything kept.
    void clear() { m_buffer.clear(); }
    // Bytes dropped as garbage (wrong check byte, cut-off frame) so far.
    qsizetype dropped() const { return m_dropped; }
    // Bytes kept for a frame not yet complete.
    const QByteArray& pending() const { return m_buffer; }

private:
    QByteArray m_buffer;
    qsizetype m_dropped = 0;
    bool m_quiet = false;
};

enum class FrameKind {
    InterfaceInfo,   // 01 04 command sent, 01 05 / 01 07 timeslot revoked / restored
    InterfaceError,  // the other 01 xx: errors between PC, interface and station
    Broadcast,       // 61 00 power off, 61 01 normal operation, 61 02 service-mode entry, 81 00 emergency stop
    ServiceStatus,   // 61 11 ready, 61 12 short circuit, 61 13 data not found, 61 1F busy
    Result,          // 63 10 register/paged, 63 14 / 63 15 direct (CV 1..256 / 257..512)
    StationError,    // 61 80 transfer error, 61 81 station busy, 61 82 not supported
    Other,
};
// What a whole frame (as FrameSplitter gives it) is.
FrameKind classify(const QByteArray& frame);

// A service-mode result frame.
struct ServiceResult {
    bool directForm;  // 63 14 / 63 15; false for 63 10
    int number;       // register or CV as the station named it
    int value;
};
std::optional<ServiceResult> serviceResult(const QByteArray& frame);

// The word of a service-mode status frame: "Bereit", "Kurzschluss", "Daten nicht gefunden",
// "Besetzt"; empty for any other frame.
QString serviceStatusWord(const QByteArray& frame);
// The status text of such a frame: " Zentrale meldet '" + word + "'   (Originalstring ' " +
// the first 13 characters of the frame's LenzAntwortText + "' )"; empty for other frames.
QString serviceStatusText(const QByteArray& frame);

}  // namespace XpressNet

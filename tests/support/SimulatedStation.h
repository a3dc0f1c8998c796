#pragma once

#include "link/core/SerialPort.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class Clock;

// A command station behind the serial port, in process, written from the public protocol
// descriptions: an Intellibox or MasterControl (P50X text and P50 bytes), a 6021 (P50 bytes
// only), a Lenz interface with its station (serial, or USB with the FF FE / FF FD header) and
// a Selectrix central with its channel memory. It keeps one decoder's CVs, answers after
// configurable delays on the given clock, can misbehave on request, and records every byte in
// both directions with its time.
//
// P50X answer forms chosen here: a read gives "v = $hh = %bbbbbbbb" CR "]"; every command that
// succeeds without a value ("XPTWD", "XPT0", "XPT1", "XPD", "XGo", "XStop", "XF", ...) gives
// "Ok" CR "]", except that a MasterControl confirms a programming-track write with CR "]"
// alone (and takes long addresses up to 10239); a programming-track error gives its text
// ("No ack", "Short!", ...) CR "]"; an unknown command "Unknown command" CR "]". "X@@"
// (reset) answers nothing, loses the answers not yet sent and drops CTS for a while.
// Programming-track commands answer after the programming delay and hold back every later
// answer until then, as the station processes nothing else meanwhile.
class SimulatedStation : public SerialPort {
public:
    enum class Kind { Intellibox, MasterControl, Cu6021, Lenz, LenzUsb, Selectrix };
    enum class Fault {
        None,
        Silent,   // answers nothing at all
        Garbage,  // every answer replaced by bytes of the same length that mean nothing
        Split,    // every answer handed out three bytes per read
        Vanish,   // the device vanishes when the next command arrives
    };
    // What a Lenz station gives on the result request "21 10".
    enum class ServiceResult {
        Natural,       // 63 10 (register, paged) or 63 14 (direct) with the value; 61 13 for an unknown CV
        RegisterForm,  // always 63 10
        DirectForm,    // always 63 14
        Ready,         // 61 11
        NotFound,      // 61 13
        ShortCircuit,  // 61 12
        Busy,          // 61 1F
    };
    struct Traffic {
        qint64 time;
        bool toStation;
        QByteArray bytes;
    };

    explicit SimulatedStation(Clock& clock, Kind kind = Kind::Intellibox);

    Kind kind() const { return m_kind; }
    void setKind(Kind kind) { m_kind = kind; }

    // The decoder on the programming track. Defaults: CV1 = 3, CV7 = 12, CV8 = 97 (a maker
    // with a list entry), CV17 = 192, CV18 = 3, CV29 = 6, CV67..94 a linear speed table.
    void setCv(int cv, int value) { m_cvs[cv] = value; }
    void removeCv(int cv) { m_cvs.remove(cv); }
    std::optional<int> cv(int cv) const;
    const QMap<int, int>& cvs() const { return m_cvs; }
    // The address the decoder answers to: CV17/18 when bit 5 of CV29 is set, else CV1.
    int decoderAddress() const;

    // Delay of plain answers, of programming-track work (read, write, Lenz service mode,
    // Selectrix programming) and of the address search, in milliseconds.
    void setAnswerDelay(qint64 ms) { m_answerDelay = ms; }
    void setProgrammingDelay(qint64 ms) { m_programmingDelay = ms; }
    void setSearchDelay(qint64 ms) { m_searchDelay = ms; }
    // A slow line: every answer goes out one byte at a time, `ms` apart (at 2400 baud a
    // character takes about 4 ms); 0, the default, puts a whole answer on the line at once.
    void setCharacterTime(qint64 ms) { m_characterTime = ms; }
    qint64 programmingDelay() const { return m_programmingDelay; }

    // P50X: the error text every programming-track command gives (empty: none).
    void setProgrammingError(const QString& text) { m_programmingError = text; }
    void setSpecialOption(int number, int value) { m_specialOptions[number] = value; }
    void setLocoFormat(int address, const QString& format) { m_locoFormats[address] = format; }
    void setVersionText(const QString& text) { m_versionText = text; }
    QString versionText() const;
    // MasterControl: whether "XTPM 80" is known (a release before 1.4.3g answers
    // "unknown command").
    void setMotorolaProgramming(bool supported) { m_motorolaProgramming = supported; }
    // CTS line; nullopt: the device cannot tell. After "X@@" the line is off for the reset
    // time (negative: it never comes back).
    void setCts(std::optional<bool> on) { m_cts = on; }
    void setResetTime(qint64 ms) { m_resetTime = ms; }
    // Selectrix parameters held by the Intellibox for "XPTSR"/"XPTSW": address, maximum
    // speed, acceleration, pulse width, stop section.
    void setSxParameters(const std::array<int, 5>& values) { m_sxParameters = values; }
    std::array<int, 5> sxParameters() const { return m_sxParameters; }

    // Lenz.
    void setServiceResult(ServiceResult result) { m_serviceResult = result; }
    // Frames the interface and the station put around the answer to the result request, in
    // the same read: the interface's "command sent" 01 04 05 and the service-mode entry
    // broadcast 61 02 63.
    struct ResultCompany {
        bool acknowledgeBefore = false;
        bool entryBroadcastBefore = false;
        bool acknowledgeAfter = false;
        bool entryBroadcastAfter = false;
    };
    void setResultCompany(const ResultCompany& company) { m_resultCompany = company; }
    // The answer to the result request carries a wrong check byte.
    void setResultCheckByteWrong(bool wrong) { m_resultCheckWrong = wrong; }
    // The interface's 01 04 05 once the station has carried out a service-mode request
    // (real interfaces send it about a second after the request).
    void setAcknowledgeServiceRequests(bool on) { m_acknowledgeRequests = on; }
    // The decoder does not acknowledge a service-mode write: the CV keeps its value, and the
    // result request gives 61 13. (Until the programming delay has passed after a read or
    // write request, the result request gives 61 1F, busy, in any case.)
    void setWritesAcknowledged(bool on) { m_writesAcknowledged = on; }

    // Selectrix: channel memory 0..127 and the SX1 decoder's two parameter bytes and its
    // extended-settings byte. Channel 127 is track power (bit 7 on); 104..107 and 109 are the
    // programming channels: 106 := 64 switches programming on (109 then reads 96, ready),
    // 0 off (109 reads 0, or 64 while programming is not free); 106 := 192 + mode puts the
    // decoder's bytes into 104 and 105 (109 bit 6 set when a decoder answered); 106 := 201
    // writes 104 and 105 into the decoder, where 104 = 9 with 105 = 0 announces that the next
    // read gives the extended byte (and leaves those two bytes in the decoder, as a real one
    // does), and 105 = 128 writes 104 as the extended byte; 106 := 206, while programming is
    // on, reads the DCC CV named in 104 (107 then holds the value, 105 is 255 for a CV that
    // is not there) or, when 107 was written after the last write of 105, writes 107 into it.
    quint8 channel(int number) const { return m_channels.at(size_t(number & 0x7F)); }
    void setChannel(int number, quint8 value);
    void setSxDecoder(quint8 byte1, quint8 byte2, quint8 extended = 0);
    quint8 sxByte1() const { return m_sxByte1; }
    quint8 sxByte2() const { return m_sxByte2; }
    quint8 sxExtended() const { return m_sxExtended; }
    // Someone else programs: 109 has bit 6 set while programming is off here.
    void setSxProgrammingBusy(bool busy);
    // The programming function does not come ready: 109 reads 32 after 106 := 64.
    void setSxProgrammingReady(bool ready) { m_sxReady = ready; }
    // No decoder on the programming track: a parameter read provides nothing.
    void setSxDecoderPresent(bool present) { m_sxDecoderPresent = present; }
    // Track power cannot be switched: writes to channel 127 change nothing.
    void setSxTrackPowerLocked(bool locked) { m_sxPowerLocked = locked; }
    // The central answers this many more channel reads, then none (negative: all).
    void setSxReadsAnswered(int count) { m_sxReadsAnswered = count; }

    bool powerOn() const { return m_powerOn; }

    // Faults.
    void setFault(Fault fault) { m_fault = fault; }
    Fault fault() const { return m_fault; }
    // The device disappears now: the next port operation throws PortError::Lost, once.
    void vanish();
    // open() throws this error number (0: opens normally), e.g. ErrorNumber::PortMissing.
    void setOpenError(int number) { m_openError = number; }

    // Scripts: bytes put on the line `delayMs` from now, whatever was asked.
    void queueAnswer(const QByteArray& bytes, qint64 delayMs = 0);
    // Bytes given instead of the station's own answer to the next command (one per call).
    void scriptAnswer(const QByteArray& bytes) { m_scripted.append(bytes); }

    // What happened on the line.
    const QList<Traffic>& traffic() const { return m_traffic; }
    void clearTraffic() { m_traffic.clear(); }
    // Everything sent to the station, one character per byte.
    QString writtenText() const;
    // The P50X commands received, as sent without the carriage return ("XPTRD 29").
    const QStringList& p50xCommands() const { return m_p50xCommands; }
    // Every byte received outside P50X text, in order.
    const QByteArray& p50Bytes() const { return m_p50Bytes; }
    // XpressNet messages received with a correct check byte, without header and check byte.
    const QList<QByteArray>& xpressNetMessages() const { return m_xpressNetMessages; }
    // Main-track writes "XPD a, cv, v" as {a, cv, v}.
    const QList<std::array<int, 3>>& mainTrackWrites() const { return m_mainTrackWrites; }

    // SerialPort.
    void setPortName(const QString& port) override { m_name = port; }
    QString portName() const override { return m_name; }
    void setSettings(const QString& settings) override { m_settings = settings; }
    QString settings() const override { return m_settings; }
    void setRts(bool on) override { m_rts = on; }
    bool rts() const { return m_rts; }
    void open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    int bytesWaiting() override;
    std::optional<bool> cts() override;
    bool waitForInput(qint64 ms, const std::function<bool()>& stop = {}) override;

    // The time of the next answer not yet on the line, if any (for the real-time runner).
    std::optional<qint64> nextAnswerTime() const;

private:
    struct Pending {
        qint64 due;
        QByteArray bytes;
    };

    qint64 now() const;
    void deliverDue();
    void throwIfLost();
    // Puts an answer on the line `delay` ms from now (after any programming work still
    // running), through the scripted answers and the faults.
    void answer(const QByteArray& bytes, qint64 delay);
    void schedule(QByteArray bytes, qint64 due);
    bool takeScripted(qint64 delay);

    void receiveP50(quint8 byte);
    void handleP50X(const QByteArray& line);
    QByteArray p50xAnswer(const QString& word, const QList<int>& args, bool argsValid, qint64& delay);
    QByteArray readValueAnswer(std::optional<int> value) const;

    void receiveXpressNet();
    void handleXpressNet(const QByteArray& message);
    void lenzAnswer(QByteArray message, bool broadcast, qint64 delay);
    QByteArray lenzFrame(QByteArray message, bool broadcast) const;
    void resultAnswer(QByteArray message);

    void receiveSelectrix(quint8 byte);
    void selectrixWrite(int channel, quint8 value);

    static int registerCv(int reg);

    Clock& m_clock;
    Kind m_kind;
    QString m_name = QStringLiteral("1");
    QString m_settings = QStringLiteral("2400,N,8,1");
    bool m_rts = false;
    bool m_open = false;
    bool m_lost = false;
    bool m_lostReported = false;
    int m_openError = 0;

    QMap<int, int> m_cvs;
    qint64 m_answerDelay = 20;
    qint64 m_programmingDelay = 1500;
    qint64 m_searchDelay = 5000;
    qint64 m_busyUntil = 0;
    qint64 m_characterTime = 0;
    qint64 m_lineFreeAt = 0;
    Fault m_fault = Fault::None;
    bool m_powerOn = true;

    QList<Pending> m_pending;
    QList<QByteArray> m_input;
    QList<QByteArray> m_scripted;
    QList<Traffic> m_traffic;

    // P50X / P50.
    bool m_inText = false;
    QByteArray m_text;
    std::optional<quint8> m_p50First;
    QStringList m_p50xCommands;
    QByteArray m_p50Bytes;
    QString m_programmingError;
    QMap<int, int> m_specialOptions;
    QMap<int, QString> m_locoFormats;
    QMap<int, QString> m_locoStates;
    QString m_versionText;
    bool m_motorolaProgramming = true;
    bool m_trackRelay = false;
    std::optional<bool> m_cts = true;
    qint64 m_resetTime = 2000;
    std::optional<qint64> m_ctsBackAt;  // during a reset
    bool m_resetting = false;
    std::array<int, 5> m_sxParameters{3, 4, 2, 1, 1};
    QList<std::array<int, 3>> m_mainTrackWrites;

    // Lenz.
    QByteArray m_lenzIn;
    QList<QByteArray> m_xpressNetMessages;
    ServiceResult m_serviceResult = ServiceResult::Natural;
    ResultCompany m_resultCompany;
    bool m_resultCheckWrong = false;
    bool m_acknowledgeRequests = false;
    bool m_writesAcknowledged = true;
    struct ServiceOp {
        quint8 mode;  // 0x11/0x12 register, 0x14/0x17 paged, 0x15/0x16 direct
        int number;   // register or CV as sent
        bool read;
        bool failed;  // a write the decoder did not acknowledge
        qint64 readyAt;
    };
    std::optional<ServiceOp> m_serviceOp;

    // Selectrix.
    std::array<quint8, 128> m_channels{};
    std::optional<quint8> m_sxFirst;
    quint8 m_sxByte1 = 0;
    quint8 m_sxByte2 = 0;
    quint8 m_sxExtended = 0;
    bool m_sxExtendedRead = false;
    bool m_sxDccWrite = false;
    bool m_sxProgramming = false;
    bool m_sxProvided = false;  // a parameter read since programming was switched on
    bool m_sxBusy = false;
    bool m_sxReady = true;
    bool m_sxDecoderPresent = true;
    bool m_sxPowerLocked = false;
    int m_sxReadsAnswered = -1;
    void updateSxStatus();
};

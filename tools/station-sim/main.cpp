// Runs the simulated command station on a pseudo-terminal, for trying the program without
// hardware: prints the terminal's path, answers in real time until killed, and logs the
// traffic to stderr.
#include "base/core/Failure.h"
#include "link/core/RealClock.h"
#include "SimulatedStation.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <algorithm>
#include <optional>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {
using Kind = SimulatedStation::Kind;

void logTraffic(qint64 time, const char* direction, const QByteArray& bytes) {
    QByteArray text = bytes;
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
            c = '.';
    std::fprintf(stderr, "%8lld %s %s  |%s|\n", static_cast<long long>(time), direction,
                 bytes.toHex(' ').constData(), text.constData());
}

int usage() {
    std::fprintf(stderr,
                 "usage: station-sim --station ib|mc|6021|lenz|lenzusb|slx [--programming-ms N] [--character-ms N]\n"
                 "  --programming-ms  time of programming-track work (default 1500; 21000 outlasts a read)\n"
                 "  --character-ms    answers one byte at a time, N ms apart (a slow line)\n");
    return 2;
}

// A whole number of milliseconds, or nothing.
std::optional<qint64> milliseconds(const char* text) {
    bool ok = false;
    const qint64 value = QString::fromLocal8Bit(text).toLongLong(&ok);
    return ok && value >= 0 ? std::optional<qint64>(value) : std::nullopt;
}
}  // namespace

int main(int argc, char** argv) {
    const QMap<QString, Kind> kinds{{"ib", Kind::Intellibox}, {"mc", Kind::MasterControl}, {"6021", Kind::Cu6021},
                                    {"lenz", Kind::Lenz},     {"lenzusb", Kind::LenzUsb},  {"slx", Kind::Selectrix}};
    Kind kind = Kind::Intellibox;
    std::optional<qint64> programmingMs;
    std::optional<qint64> characterMs;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == u"--station" && i + 1 < argc) {
            const QString name = QString::fromLocal8Bit(argv[++i]).toLower();
            if (!kinds.contains(name))
                return usage();
            kind = kinds.value(name);
        } else if (arg == u"--programming-ms" && i + 1 < argc) {
            if (!(programmingMs = milliseconds(argv[++i])))
                return usage();
        } else if (arg == u"--character-ms" && i + 1 < argc) {
            if (!(characterMs = milliseconds(argv[++i])))
                return usage();
        } else {
            return usage();
        }
    }

    int master = -1;
    int slave = -1;
    char path[256] = {};
    if (openpty(&master, &slave, path, nullptr, nullptr) != 0) {
        std::fprintf(stderr, "station-sim: no pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    // The slave stays open here, so the program may close and reopen the port.
    std::printf("%s\n", path);
    std::fflush(stdout);

    RealClock clock;
    SimulatedStation station(clock, kind);
    if (programmingMs)
        station.setProgrammingDelay(*programmingMs);
    if (characterMs)
        station.setCharacterTime(*characterMs);
    station.open();

    for (;;) {
        int timeout = 50;
        if (const auto next = station.nextAnswerTime())
            timeout = int(std::clamp<qint64>(*next - clock.ticks(), 0, 50));
        pollfd pfd{master, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, timeout);
        if (ready < 0 && errno != EINTR)
            break;
        try {
            if (ready > 0 && (pfd.revents & POLLIN)) {
                char buffer[512];
                const ssize_t n = ::read(master, buffer, sizeof buffer);
                if (n > 0) {
                    const QByteArray bytes(buffer, n);
                    logTraffic(clock.ticks(), "->", bytes);
                    station.write(bytes);
                }
            }
            const QByteArray out = station.readAll();
            if (!out.isEmpty()) {
                logTraffic(clock.ticks(), "<-", out);
                if (::write(master, out.constData(), size_t(out.size())) < 0)
                    std::fprintf(stderr, "station-sim: write failed: %s\n", std::strerror(errno));
            }
        } catch (const Failure& failure) {
            std::fprintf(stderr, "station-sim: %s\n", qPrintable(failure.description()));
            station.open();
        }
    }
    return 0;
}

// CPU time of a 20 s answer wait on a silent station over a real pseudo-terminal.
// Goal: at most 1% of one core. Run by hand; the tests never run it.
#include "app/core/AppContext.h"
#include "link/core/QtSerialPort.h"
#include "link/core/RealClock.h"
#include "link/core/StationLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <pty.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int master = -1;
    int slave = -1;
    char path[256] = {};
    if (openpty(&master, &slave, path, nullptr, nullptr) != 0) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    AppContext ctx;
    QtSerialPort port;
    port.setPortName(QString::fromLocal8Bit(path));
    port.open();
    RealClock clock;
    StationLink link(ctx, port, clock);
    link.sendP50X(QStringLiteral("XPTRD 1"));

    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    const StationLink::Answer answer = link.waitForAnswer(20000);
    const double cpu = cpuSeconds() - cpuBefore;
    const double seconds = double(wall.elapsed()) / 1000.0;

    std::printf("silent wait: %.1f s wall, %.3f s CPU = %.2f%% of one core (goal <= 1%%), %s\n", seconds, cpu,
                100.0 * cpu / seconds, answer.complete ? "answered?!" : "timed out");
    ::close(master);
    ::close(slave);
    return cpu / seconds <= 0.01 ? 0 : 1;
}

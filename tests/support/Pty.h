#pragma once

#include <QByteArray>
#include <QString>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal for one test or benchmark: the port opens the slave (`path`), the test
// plays the station on the master.
struct Pty {
    Pty() {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return;
        path = QString::fromLocal8Bit(name);
        termios raw{};
        tcgetattr(master, &raw);
        cfmakeraw(&raw);
        tcsetattr(master, TCSANOW, &raw);
        // The slave stays open here too, so the port's settings hold until the test ends.
    }
    ~Pty() {
        closeMaster();
        if (slave >= 0)
            ::close(slave);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    void closeMaster() {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    // What the program sent, until `expected` bytes or `timeoutMs` without any.
    QByteArray readMaster(qsizetype expected, int timeoutMs = 2000) {
        QByteArray data;
        while (data.size() < expected) {
            pollfd pfd{master, POLLIN, 0};
            if (::poll(&pfd, 1, timeoutMs) <= 0)
                break;
            char buffer[512];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            data.append(buffer, n);
        }
        return data;
    }
    bool writeMaster(const QByteArray& bytes) {
        return ::write(master, bytes.constData(), size_t(bytes.size())) == ssize_t(bytes.size());
    }

    int master = -1;
    int slave = -1;
    QString path;
};

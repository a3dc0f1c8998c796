#pragma once

#include "base/core/Failure.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>

// The error number a step throws, 0 when it throws none.
inline int failureOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const Failure& f) {
        return f.number();
    }
    return 0;
}

// A file's bytes, empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces a file's contents; false when it cannot be written.
inline bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

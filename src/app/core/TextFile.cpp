#include "app/core/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <optional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

QStringList splitTextLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(QString::fromLatin1(bytes.constData() + start, i - start));
        if (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(QString::fromLatin1(bytes.constData() + start, size - start));
    return lines;
}

QString savedText(const QString& what, const QString& path) {
    return what + QStringLiteral(" wurde unter \r\r") + path + QString(10, u' ') + QStringLiteral("\r\rgespeichert ! ");
}

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw failureFromFile(file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw failureFromFile(file);
    return bytes;
}

qint32 CountLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw failureFromFile(file);
    qint32 count = 0;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(32000);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
            throw failureFromFile(file);
        count += qint32(chunk.count('\r'));
    }
    return count;
}

QStringList readTextLines(const QString& path) {
    return splitTextLines(readFileBytes(path));
}

namespace {
// Whether the system's error number of a failed write says there is no room left: no free
// block, the user's quota used up, or the largest file allowed reached.
bool meansDiskFull(int systemError) {
#ifdef Q_OS_UNIX
    return systemError == ENOSPC || systemError == EDQUOT || systemError == EFBIG;
#else
    Q_UNUSED(systemError);
    return false;
#endif
}

// The failure of a sync, nothing when what was written has reached the disk. Some file
// systems (network, quota) report a full disk only here; one that cannot sync is no failure.
std::optional<Failure> syncFailure(QFileDevice& file) {
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    if (fd >= 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        return failureFromFile(file, errno);
#else
    Q_UNUSED(file);
#endif
    return std::nullopt;
}
}  // namespace

void writeTextLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw failureFromFile(file);
    // A file smaller than the write buffer reaches the disk only when the buffer is flushed,
    // and a commit whose own flush fails still puts the short file in place of the old one:
    // so the flush and the sync are checked here, before the commit.
    std::optional<Failure> failure;
    if (file.write(bytes) != bytes.size() || !file.flush())
        failure = failureFromFile(file, errno);
    else
        failure = syncFailure(file);
    if (failure) {
        file.cancelWriting();
        throw *failure;
    }
    if (!file.commit())
        throw failureFromFile(file, errno);
}

Failure failureFromFile(const QFileDevice& file, int systemError) {
    // A full disk goes to the error report's general message, which names it by its number;
    // Qt reports one as a resource error of an open file.
    if (meansDiskFull(systemError) || (file.isOpen() && file.error() == QFileDevice::ResourceError))
        return Failure(ErrorNumber::DiskFull);
    // Every other file failure the user can meet (missing file, bad path, no permission) is
    // one the access message explains; Qt's own text goes along for the record.
    return Failure(ErrorNumber::FileAccess, file.fileName() + QStringLiteral(": ") + file.errorString());
}

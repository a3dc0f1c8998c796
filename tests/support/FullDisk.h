#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// Two ways to make the program's saves meet a full disk.

// What the error report shows for a save that met a full disk: its title, "|", its text.
inline QString fullDiskReport() {
    return QStringLiteral(" zentrale Fehlerbehandlung...|Fehler 61:  <Datenträger voll> aufgetreten      ");
}

// While it lives, no file of this process grows past `bytes`: a write beyond that fails
// with EFBIG (SIGXFSZ is ignored meanwhile), as on a disk that has just filled up. Works
// for any user; output that the test itself writes into a file meanwhile may be lost.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};

// A tmpfs of `kilobytes` on a temporary folder, unmounted when the object goes. Mounting
// needs root; where the machine refuses it, mounted() is false and the caller skips. The
// mount is made in a mount namespace of this process where the process may have one, so
// that nothing of it outlives a test that crashes.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes) {
        if (!m_dir.isValid())
            return;
        static const bool ownNamespace = unshare(CLONE_NEWNS) == 0 &&
                                         mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        Q_UNUSED(ownNamespace);
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        m_mounted = mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk() {
        if (m_mounted)
            umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    // Mounts the disk again read-only, as a write-protected medium; false where refused.
    bool makeReadOnly() const {
        return m_mounted && mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr,
                                  MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    // Takes every free block with a filler file; true when the disk is full afterwards.
    bool fill() const {
        const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (fd < 0)
            return false;
        const QByteArray block(4096, '\0');
        bool full = false;
        for (;;) {
            const ssize_t written = ::write(fd, block.constData(), size_t(block.size()));
            if (written < 0) {
                full = errno == ENOSPC;
                break;
            }
        }
        ::close(fd);
        return full;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// A folder whose disk is full from fill() on: through the file-size limit, or on a small
// tmpfs (which available() may refuse on this machine).
class FullFolder {
public:
    enum class Way { SizeLimit, Tmpfs };

    explicit FullFolder(Way way) : m_way(way) {
        if (way == Way::Tmpfs)
            m_disk = std::make_unique<SmallDisk>(64);
    }
    bool available() const { return m_way == Way::SizeLimit ? m_plain.isValid() : m_disk->mounted(); }
    QString path() const { return m_way == Way::SizeLimit ? m_plain.path() : m_disk->path(); }
    QString filePath(const QString& name) const { return QDir(path()).filePath(name); }

    // From here on no file in the folder can grow by more than a few bytes.
    bool fill() {
        if (m_way == Way::Tmpfs)
            return m_disk->fill();
        m_limit = std::make_unique<FileSizeLimit>(100);
        return m_limit->active();
    }
    // Ends the limit early (the tmpfs stays full).
    void release() { m_limit.reset(); }

    // The names in the folder besides the filler: a failed save leaves no temporary file.
    QStringList names() const {
        QStringList list = QDir(path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        list.removeAll(QStringLiteral("filler"));
        return list;
    }

private:
    Way m_way;
    QTemporaryDir m_plain;
    std::unique_ptr<SmallDisk> m_disk;
    std::unique_ptr<FileSizeLimit> m_limit;
};

Q_DECLARE_METATYPE(FullFolder::Way)

// A data-driven test's column "way" with a row for each way.
inline void addFullFolderRows() {
    QTest::addColumn<FullFolder::Way>("way");
    QTest::newRow("size limit") << FullFolder::Way::SizeLimit;
    QTest::newRow("tmpfs") << FullFolder::Way::Tmpfs;
}

// In a test with that column: the folder `name` of the row's way; the test is skipped where
// no tmpfs can be mounted.
#define FULL_FOLDER_OF_THE_ROW(name)        \
    QFETCH(FullFolder::Way, way);           \
    FullFolder name(way);                   \
    if (!name.available())                  \
    QSKIP("no tmpfs can be mounted here")

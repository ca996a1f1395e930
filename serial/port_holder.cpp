#include "serial/port_holder.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <unistd.h>
#endif

namespace {

// Where lock files of serial devices are kept; QSerialPort looks in these in turn.
const char* const kLockFolders[] = {"/var/lock",        "/run/lock",        "/etc/locks",
                                    "/var/spool/locks", "/var/spool/uucp",  "/tmp",
                                    "/var/tmp",         "/var/lock/lockdev"};

// A lock file is a few bytes; anything longer is no lock file.
constexpr qint64 kLockFileMax = 4096;
// Bounds of the scan of open files, so that a machine with a huge process table costs a
// bounded moment.
constexpr int kMaxProcesses = 10000;
constexpr int kMaxDescriptorsPerProcess = 4096;

[[maybe_unused]] bool processAlive(qint64 pid) {
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#else
    Q_UNUSED(pid);
    return false;
#endif
}

// The process's program name: its command line's first word (/proc/<pid>/cmdline) without
// the folder, else its short name (/proc/<pid>/comm, cut at 15 characters); empty when
// neither can be read.
QString processName(qint64 pid) {
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (cmdline.open(QIODevice::ReadOnly)) {
        const QByteArray first = cmdline.read(4096);
        const QString program = QString::fromLocal8Bit(
            first.left(first.indexOf('\0') < 0 ? first.size() : first.indexOf('\0')));
        const QString name = program.section(QLatin1Char('/'), -1).trimmed();
        if (!name.isEmpty())
            return name;
    }
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.read(256)).trimmed();
}

// The paths to look for: as given and the device it leads to.
QStringList pathsOf(const QString& devicePath) {
    QStringList paths{devicePath};
    const QString canonical = QFileInfo(devicePath).canonicalFilePath();
    if (!canonical.isEmpty() && canonical != devicePath)
        paths << canonical;
    return paths;
}

#ifdef Q_OS_LINUX
// The first process with the device among its open files.
std::optional<qint64> processWithOpenFile(const QString& canonicalPath) {
    const QByteArray target = QFile::encodeName(canonicalPath);
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return std::nullopt;
    std::optional<qint64> found;
    int processes = 0;
    while (const dirent* entry = ::readdir(proc)) {
        if (found || ++processes > kMaxProcesses)
            break;
        bool ok = false;
        const qint64 pid = QByteArray(entry->d_name).toLongLong(&ok);
        if (!ok || pid <= 0)
            continue;
        const QByteArray fdFolder = "/proc/" + QByteArray::number(pid) + "/fd";
        DIR* fds = ::opendir(fdFolder.constData()); // another user's: not ours to see
        if (!fds)
            continue;
        int descriptors = 0;
        while (const dirent* fd = ::readdir(fds)) {
            if (++descriptors > kMaxDescriptorsPerProcess)
                break;
            if (fd->d_name[0] == '.')
                continue;
            char link[4096];
            const QByteArray linkPath = fdFolder + '/' + fd->d_name;
            const ssize_t n = ::readlink(linkPath.constData(), link, sizeof link);
            if (n > 0 && QByteArrayView(link, n) == target) {
                found = pid;
                break;
            }
        }
        ::closedir(fds);
    }
    ::closedir(proc);
    return found;
}
#endif

} // namespace

QString lockFileName(const QString& devicePath) {
    QString name = devicePath;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("LCK..") + name;
}

std::optional<qint64> lockFilePid(const QByteArray& contents) {
    const qsizetype end = contents.indexOf('\n');
    const QByteArray first = (end < 0 ? contents : contents.left(end)).trimmed();
    bool ok = false;
    const qint64 pid = first.toLongLong(&ok);
    if (!ok || pid <= 0)
        return std::nullopt;
    return pid;
}

std::optional<qint64> lockHolderPid(const QString& devicePath) {
    for (const QString& path : pathsOf(devicePath)) {
        const QString name = lockFileName(path);
        for (const char* folder : kLockFolders) {
            QFile lock(QString::fromLatin1(folder) + QLatin1Char('/') + name);
            if (!lock.open(QIODevice::ReadOnly))
                continue;
            const std::optional<qint64> pid = lockFilePid(lock.read(kLockFileMax));
            if (pid && processAlive(*pid))
                return pid;
        }
    }
    return std::nullopt;
}

std::optional<PortHolder> findPortHolder(const QString& devicePath) {
    std::optional<qint64> pid = lockHolderPid(devicePath);
#ifdef Q_OS_LINUX
    if (!pid) {
        const QString canonical = QFileInfo(devicePath).canonicalFilePath();
        if (!canonical.isEmpty())
            pid = processWithOpenFile(canonical);
    }
#endif
    if (!pid)
        return std::nullopt;
    return PortHolder{*pid, processName(*pid)};
}

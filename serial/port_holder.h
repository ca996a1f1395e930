#pragma once
// Who holds a serial device open. The link locks a device the way the serial port does
// on Unix: a lock file "LCK..<name>" in the lock folder holding the owner's process id
// (QSerialPort writes it, and so do lockdev, minicom and cu), and the device opened
// exclusively (TIOCEXCL: a second open by an ordinary user gets EBUSY). A second program
// is therefore stopped either by the lock file, whose own file operations leave no
// meaningful error number behind, or by EBUSY.
#include <QString>
#include <optional>

struct PortHolder {
    qint64 pid = 0;
    QString name; // the process's name; empty when the system does not tell it
};

// The lock file's name for a device path, as the serial port derives it: the path
// without a leading "/dev/", every '/' as '_' ("/dev/ttyUSB0" → "LCK..ttyUSB0",
// "/dev/pts/3" → "LCK..pts_3").
QString lockFileName(const QString& devicePath);

// The process id a lock file holds: its first line, in the text forms of QSerialPort
// ("1234\n…") and of lockdev ("      1234\n"); nullopt for anything else.
std::optional<qint64> lockFilePid(const QByteArray& contents);

// The live process whose lock file names the device (by the path given and by the
// device it leads to), if any.
std::optional<qint64> lockHolderPid(const QString& devicePath);

// Who holds the device: the lock file's process, else a process that has the device among
// its open files (/proc/<pid>/fd, as far as this user may look). Best-effort and quick:
// it reads a few small files and symbolic links, never the device, so it cannot hang.
std::optional<PortHolder> findPortHolder(const QString& devicePath);

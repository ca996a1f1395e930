#include "serial/sio.h"

#include "base/message_sink.h"
#include "serial/port_holder.h"
#include "serial/port_map.h"
#include "serial/port_tuning.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QPointer>
#include <QSerialPort>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

QString port_name;
qint32 port_handle = -1;
bool port_open = false;
quint8* tx_pointer = nullptr;
quint32 tx_count = 0;
quint32 rx_count = 0;
quint8 expect_buffer[kLinkBufferSize] = {};
quint8 rx_buffer[kLinkBufferSize] = {};
quint8 check_mask[kLinkBufferSize] = {};
quint32 chunk_size = 0;
qint32 read_timeout = 0;
bool response_ready = false;
bool data_error = false;

namespace {

// The system's error number of a failed open. QSerialPort reports only its own error
// class, so the number is taken from the platform right after the failed call, and
// derived from the class where the platform kept none.
int openErrorNumber(int savedErrno, QSerialPort::SerialPortError error) {
#ifdef Q_OS_WIN
    Q_UNUSED(savedErrno);
    if (const DWORD last = GetLastError())
        return static_cast<int>(last);
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return ERROR_FILE_NOT_FOUND;
    case QSerialPort::PermissionError:
        return ERROR_ACCESS_DENIED;
    default:
        return ERROR_GEN_FAILURE;
    }
#else
    if (savedErrno != 0)
        return savedErrno;
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return ENOENT;
    case QSerialPort::PermissionError:
        return EACCES;
    case QSerialPort::OpenError:
        return EBUSY;
    default:
        return EIO;
    }
#endif
}

// Percentage points between two progress reports of a transfer.
constexpr int kProgressStep = 10;

// Clocks of the transfer timing: monotonic wall time and the calling thread's CPU time.
qint64 monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

qint64 threadCpuNs() {
#ifdef Q_OS_UNIX
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
#else
    return 0;
#endif
}

} // namespace

TSio::TSio() {
    handOver_.setSingleShot(true);
    handOver_.setInterval(0);
    connect(&handOver_, &QTimer::timeout, this, &TSio::runHandedOver);
    std::fill(std::begin(nullarray), std::end(nullarray), quint8(0));
    port_open = false;
    devicePath_ = devicePathFor(port_name);

    port_ = new QSerialPort(this);
    // The lock file names the device itself, not the name it was given: a by-id link, a
    // published link and the device's own name meet the same lock, which other programs
    // (lockdev, minicom) take by the device's name too.
    const QString device = QFileInfo(devicePath_).canonicalFilePath();
    port_->setPortName(device.isEmpty() ? devicePath_ : device);
    errno = 0;
    if (!port_->open(QIODevice::ReadWrite)) {
        const int savedErrno = errno;
        port_handle = -1;
        openError_ = openErrorNumber(savedErrno, port_->error());
#ifdef Q_OS_UNIX
        // Refused by the lock file of a live process: the device is in use. The lock's own
        // file operations leave an error number that says something else (2, or 13 for a
        // lock file of another user's); a device this user may not open is not reached
        // while the lock stands.
        if (port_->error() == QSerialPort::PermissionError && lockHolderPid(devicePath_))
            openError_ = EBUSY;
#endif
        showMessage(QString::asprintf("Kein Zugriff auf %s, Fehlernummer: %d",
                                      qUtf8Printable(port_name), openError_));
        return;
    }
    port_handle = static_cast<qint32>(port_->handle());
    port_open = true;

    // 38400 baud, 8N1, no flow control. DTR and RTS are raised where the device has
    // them; a pseudo-terminal rejects them, which is worth a warning, not a failed open.
    lineControlSupported_ = port_->setDataTerminalReady(true) && port_->setRequestToSend(true);
    if (!lineControlSupported_)
        qWarning().noquote() << "DTR/RTS not supported by" << devicePath_ << "-"
                             << port_->errorString();
    port_->clearError();
    applyLineSettings();
    requestLowLatency(port_->handle());
    port_->setReadBufferSize(1024);
    rx_count = 1;
    tx_count = 1;
    read_timeout = clampReadTimeout(read_timeout);

    // Qt does not purge on open: drop whatever the controller sent before.
    port_->clear();
    std::fill(std::begin(rx_buffer), std::end(rx_buffer), quint8(0));
    std::fill(std::begin(expect_buffer), std::end(expect_buffer), quint8(0));
}

TSio::~TSio() {
    terminated_ = true;
    if (state_ != WorkerState::Asleep) {
        // A transfer that was handed over or is running will never end its run.
        std::fill(std::begin(check_mask), std::end(check_mask), quint8(0));
        tx_pointer = nullptr;
    }
    if (port_ && port_->isOpen())
        port_->close();
    port_open = false;
}

void TSio::Resume() {
    if (state_ != WorkerState::Asleep || terminated_)
        return;
    state_ = WorkerState::HandedOver;
    handOver_.start();
}

void TSio::Terminate() {
    terminated_ = true;
}

void TSio::runHandedOver() {
    if (terminated_ || state_ != WorkerState::HandedOver)
        return;
    Transfer();
}

void TSio::setBaudRate38400() {
    if (port_ && port_->isOpen())
        port_->setBaudRate(38400);
}

void TSio::applyLineSettings() {
    port_->setBaudRate(38400);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (lineControlSupported_) {
        port_->setDataTerminalReady(true);
        port_->setRequestToSend(true);
    }
    port_->clearError();
}

void TSio::endOfRun() {
    anmeldung = false;
    std::memcpy(check_mask, nullarray, sizeof check_mask);
    tx_pointer = nullptr;
    state_ = WorkerState::Asleep;
}

bool TSio::waitForAnswer(quint32 n, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (port_->bytesAvailable() < qint64(n)) {
        if (deadline.hasExpired())
            return true;
        port_->clearError();
        if (port_->waitForReadyRead(int(deadline.remainingTime())))
            continue;
        const auto error = port_->error();
        if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
            return false;
    }
    return true;
}

TransferRecord TSio::recordOf(quint32 arrived, bool portLost,
                              std::optional<quint32> wrongAt) const {
    TransferRecord record =
        makeTransferRecord(recordSent_ ? recordSent_ : expect_buffer, rx_buffer, check_mask,
                           recordCount_, arrived, portLost, wrongAt);
    record.startMs = recordStartMs_;
    record.startMonotonicNs = recordStartNs_;
    record.durationNs = monotonicNs() - recordStartNs_;
    return record;
}

void TSio::failLostPort(quint32 arrived) {
    const TransferRecord record = recordOf(arrived, true, std::nullopt);
    const QString device = devicePath_;
    port_->close();
    port_open = false;
    lostPort_ = true;
    data_error = true;
    response_ready = true;
    endOfRun();

    // Nothing of this object is touched after a signal: a handler may destroy the link.
    const QString name = port_name;
    qWarning().noquote() << "Port" << name << "(" << device << ") lost";
    QPointer<TSio> self(this);
    emit transferEnded(record);
    if (self)
        emit portLost(name, device);
}

quint32 TSio::writeDirect(const quint8* data, quint32 n) {
#ifdef Q_OS_UNIX
    // Straight to the descriptor: through the port's write buffer every byte would arm a
    // write notifier, wake the event dispatcher and poll for room first, which costs more
    // than the write itself. The terminal takes a chunk of a few bytes at once; what it
    // does not take (its buffer full) goes the buffered way.
    for (;;) {
        const ssize_t written = ::write(int(port_->handle()), data, n);
        if (written >= 0)
            return quint32(written);
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        return kWriteFailed; // EIO: the device is gone
    }
#else
    Q_UNUSED(data);
    Q_UNUSED(n);
    return 0; // the buffered way
#endif
}

void TSio::Transfer() {
    state_ = WorkerState::Transferring;
    // The transfer's record reads the clocks once here and once at its end, never per byte.
    recordStartMs_ = QDateTime::currentMSecsSinceEpoch();
    recordStartNs_ = monotonicNs();
    recordSent_ = tx_pointer;
    recordCount_ = std::min<quint32>(tx_count, kLinkBufferSize);
    const qint64 setupStart = timing_ ? recordStartNs_ : 0;
    data_error = false;
    const bool portUsable = port_ && port_->isOpen();
    if (portUsable)
        applyLineSettings();
    read_timeout = clampReadTimeout(read_timeout);
    if (portUsable)
        port_->clear();

    if (tx_pointer == nullptr) {
        endOfRun();
        return;
    }
    if (!portUsable) {
        // The port was closed when it vanished; nothing can be sent.
        data_error = true;
        const TransferRecord record = recordOf(0, true, std::nullopt);
        endOfRun();
        emit transferEnded(record);
        return;
    }

    chunk_size = clampChunkSize(chunk_size);
    const quint32 count = std::min<quint32>(tx_count, kLinkBufferSize);
    const bool letWindowBreathe = processesMessagesDuringTransfer(count);
    QPointer<TSio> self(this);
    TransferTiming* const timing = timing_;
    if (timing) {
        timing->setupNs += monotonicNs() - setupStart;
        ++timing->telegrams;
    }
    int lastPercent = -1;

    for (quint32 pos = 0; pos < count; pos += chunk_size) {
        if (letWindowBreathe) {
            QCoreApplication::processEvents();
            if (!self)
                return; // a handler destroyed the link; its destructor cleaned up
            if (terminated_) {
                endOfRun();
                return;
            }
        }
        qint64 t = timing ? monotonicNs() : 0;
        // Reported at the first chunk, then whenever it has grown by ten points, and at the
        // last: a progress bar repaints at once when set, and a repaint for every byte cost
        // as much CPU as the whole rest of the live reading. Ten steps still show a 300-byte
        // telegram moving every 16 ms.
        const int percent = progressPercent(pos, count);
        if (lastPercent < 0 || percent >= lastPercent + kProgressStep || percent == 100) {
            lastPercent = percent;
            emit progressChanged(percent);
        }
        const auto lap = [timing, &t](qint64 TransferTiming::*part) {
            const qint64 now = monotonicNs();
            timing->*part += now - t;
            t = now;
        };
        if (timing)
            lap(&TransferTiming::progressNs);

        const quint32 n = chunkLength(pos, chunk_size, count);
        const quint32 direct = writeDirect(tx_pointer + pos, n);
        if (direct == kWriteFailed) {
            failLostPort(pos);
            return;
        }
        if (direct < n) {
            port_->write(reinterpret_cast<const char*>(tx_pointer + pos + direct), n - direct);
            port_->clearError();
            if (!port_->waitForBytesWritten(int(10 * n + 20))) {
                const auto error = port_->error();
                if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
                    failLostPort(pos);
                    return;
                }
            }
        }
        qint64 cpu = 0;
        if (timing) {
            lap(&TransferTiming::writeNs);
            cpu = threadCpuNs();
        }
        if (!waitForAnswer(n, readTimeoutMs(read_timeout, n))) {
            failLostPort(pos);
            return;
        }
        if (timing) {
            timing->waitCpuNs += threadCpuNs() - cpu;
            lap(&TransferTiming::waitNs);
        }
        const qint64 got = port_->read(reinterpret_cast<char*>(rx_buffer + pos), n);
        response_ready = true;
        if (timing) {
            lap(&TransferTiming::readNs);
            timing->bytes += n;
        }
        if (got < qint64(n)) {
            // A missing answer byte fails the telegram at once: the positions that did
            // not arrive would otherwise hold an earlier transfer's bytes and could pass
            // as a fresh answer. The rest of the telegram still goes out, unanswered: a
            // controller left in the middle of an item would take the zeros of the
            // recovery that follows for the item's own, and the recovery must arrive
            // whole to bring it back in step. Its answers are purged by the next transfer.
            data_error = true;
            const quint32 sent = pos + n;
            if (sent < count) {
                port_->write(reinterpret_cast<const char*>(tx_pointer + sent), count - sent);
                port_->waitForBytesWritten(int(10 * (count - sent) + 20));
            }
            const TransferRecord record =
                recordOf(pos + quint32(std::max<qint64>(got, 0)), false, std::nullopt);
            endOfRun();
            emit transferEnded(record);
            return;
        }
    }

    const std::optional<quint32> wrongAt =
        firstAnswerError(expect_buffer, rx_buffer, check_mask, count);
    if (wrongAt)
        data_error = true;
    const TransferRecord record = recordOf(count, false, wrongAt);
    endOfRun();
    // Nothing of this object is touched after the signal: a handler may destroy the link.
    emit transferEnded(record);
}

void startTransfer(TSio* link, quint32 count) {
    tx_count = count;
    rx_count = count;
    tx_pointer = expect_buffer;
    if (link && link->isAsleep()) {
        link->anmeldung = true;
        link->Resume();
    }
    response_ready = false;
}

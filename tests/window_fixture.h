#pragma once
// Shared by the window tests: the main window offscreen, wired to the controller
// simulator over a real pseudo-terminal, with message boxes recorded instead of shown.
// The ports lead to a link of the test's own, never to /dev/pts/N itself: a port that is
// reopened after its controller has gone must not find another program's pseudo-terminal
// that got the number meanwhile.
#include "app/hauptfenster.h"
#include "base/message_sink.h"
#include "protocol/protocol_state.h"
#include "serial/port_map.h"
#include "serial/sio.h"
#include "sim/simulator.h"

#include <QComboBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class WindowTestBase : public QObject {
protected:
    static constexpr int kWait = 10000; // ms; bounds every wait for the controller

    // Settings files of test runs stay apart from the user's.
    static void useTestSettings() { QStandardPaths::setTestModeEnabled(true); }

    // Before each test: messages are recorded, the link state starts at rest. The window
    // tests are not about the read time-out: a generous one keeps a busy machine, where
    // the simulator's thread may wait its turn longer than the product's 31 ms, from
    // failing them.
    void resetShared() {
        messages_.clear();
        setMessageSink([this](const QString& text) { messages_.append(text); });
        protocol_step = 0;
        data_error = false;
        response_ready = false;
        read_timeout = 500;
    }

    // After each test: the window first (it ends the link), then the controller.
    void releaseAll() {
        w_.reset();
        sim_.reset();
        setPortOverrides({});
        setMessageSink({});
        read_timeout = 0;
    }

    // A controller of that generation on a new pseudo-terminal. Frozen, only the test
    // changes its words.
    void startController(trvsim::Generation generation, int revision = 14, bool frozen = false) {
        sim_ = std::make_unique<trvsim::Simulator>(generation, revision);
        if (frozen)
            sim_->model().setFrozen(true);
        QString error;
        QVERIFY2(sim_->start(&error), qPrintable(error));
        QVERIFY2(portDir_.isValid(), qPrintable(portDir_.errorString()));
        QVERIFY2(sim_->host().publishLink(controllerPort(), &error), qPrintable(error));
    }

    // Where COM1 and COM2 lead: the controller's link in the test's own folder.
    QString controllerPort() const { return portDir_.filePath(QStringLiteral("ttyTRV")); }

    // The window on COM1, with COM1 and COM2 leading to the controller. The window reads
    // the port mappings from its settings file when it is created, so they are set after.
    void createWindow() {
        w_ = std::make_unique<THauptfenster>();
        displayRuns_ = 0;
        QObject::connect(w_.get(), &THauptfenster::liveValuesShown, [this] { ++displayRuns_; });
        w_->ComboBox1->setCurrentIndex(0);
        if (sim_)
            setPortOverrides({{"COM1", controllerPort()}, {"COM2", controllerPort()}});
    }

    // Presses connect and waits until the hardware test and the identity read are done
    // without a message.
    void connectAndIdentify() {
        w_->Com_activate_btClick();
        QVERIFY(w_->sio_started);
        QVERIFY(QTest::qWaitFor([this] { return !w_->hw_test_req && !w_->hw_info_req; }, kWait));
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
        QVERIFY(w_->sio_active);
    }

    QTemporaryDir portDir_;
    std::unique_ptr<trvsim::Simulator> sim_;
    std::unique_ptr<THauptfenster> w_;
    QStringList messages_;
    // Live display runs started by RAM answers since the window was created.
    quint64 displayRuns_ = 0;
};

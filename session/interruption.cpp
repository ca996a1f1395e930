#include "session/interruption.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int) {
    g_interrupted = 1;
}

} // namespace

void installInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // Restarted system calls: the event loop's poll simply wakes up again, and the running
    // transfer finishes as it would have.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A closed terminal (or a job control that hangs up) ends the job the same way.
    sigaction(SIGHUP, &action, nullptr);
}

bool interruptRequested() {
    return g_interrupted != 0;
}

void requestInterrupt() {
    g_interrupted = 1;
}

void clearInterrupt() {
    g_interrupted = 0;
}

#include "cli/progress_bar.h"

#include "session/link_session.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

struct Progress {
    bool enabled = false;
    QString label;
    int exchanges = 1;
    int started = 0;
    QString shown; // the line on the terminal now; empty when none is
};

Progress g_progress;

void draw(double fraction) {
    if (!g_progress.enabled)
        return;
    const QString line = progressLine(g_progress.label, fraction, 30);
    if (line == g_progress.shown)
        return;
    std::fprintf(stderr, "\r%s", qUtf8Printable(line));
    std::fflush(stderr);
    g_progress.shown = line;
}

} // namespace

QString progressLine(const QString& label, double fraction, int width) {
    fraction = std::clamp(fraction, 0.0, 1.0);
    const int filled = int(fraction * width);
    return QStringLiteral("%1 [%2%3] %4 %")
        .arg(label, QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char('.')))
        .arg(int(fraction * 100), 3);
}

void startProgress(LinkSession& session, const QString& label, int exchanges) {
    g_progress = Progress{};
    g_progress.enabled = isatty(STDERR_FILENO) == 1;
    g_progress.label = label;
    g_progress.exchanges = std::max(1, exchanges);
    if (!g_progress.enabled)
        return;
    session.onExchangeStarted = [] { ++g_progress.started; };
    session.onProgress = [](int percent) {
        // A command may take an exchange more than expected (a repeated reading): the bar
        // then waits short of its end instead of running past it.
        const double done = (g_progress.started - 1) + percent / 100.0;
        draw(std::min(done / g_progress.exchanges, 0.99));
    };
}

void showProgressFraction(double fraction) {
    draw(fraction);
}

void clearProgress() {
    if (g_progress.shown.isEmpty())
        return;
    std::fprintf(stderr, "\r%s\r", qUtf8Printable(QString(g_progress.shown.size(), ' ')));
    std::fflush(stderr);
    g_progress.shown.clear();
}

void stopProgress() {
    clearProgress();
    g_progress.enabled = false;
}

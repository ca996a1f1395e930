#pragma once
// A progress bar on stderr while a command runs, when stderr is a terminal (never in a
// pipe or a log file). A command is a few exchanges; the bar moves with each telegram's
// progress as the link reports it, across the exchanges the command expects.
#include <QString>

class LinkSession;

// The bar's line: label, bar of `width` cells and the percentage; fraction 0 … 1.
QString progressLine(const QString& label, double fraction, int width);

// Follows the session's exchanges from now on, for a command of about `exchanges` of them.
void startProgress(LinkSession& session, const QString& label, int exchanges);
// A bar over time in place of exchanges (watch --seconds): fraction 0 … 1.
void showProgressFraction(double fraction);
// Erases the bar's line, before other output goes to the terminal; the next report
// draws it again.
void clearProgress();
// Erases it for good (the command has ended).
void stopProgress();

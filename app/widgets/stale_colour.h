#pragma once
// The mark of a live value that is no longer fresh: its text grey (RGB 128, 128, 128)
// instead of the system's text colour, so old values stand out from live ones at a glance.
// Only the text colour changes: a field's background (the red of a refused start setting)
// stays as it is.
class QWidget;

void setStaleColour(QWidget* field, bool stale);
bool hasStaleColour(const QWidget* field);

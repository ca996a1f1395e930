#pragma once
// Modal messages raised below the window layer (the serial link's open failure). The core
// cannot show a dialog itself: the window installs a sink that shows a message box; tests
// install one that records the texts.
#include <QString>
#include <functional>

using MessageSink = std::function<void(const QString& text)>;

// Installs the sink and returns the one it replaces. An empty sink restores the default,
// which writes the text to the log.
MessageSink setMessageSink(MessageSink sink);

// Shows a modal message through the installed sink.
void showMessage(const QString& text);

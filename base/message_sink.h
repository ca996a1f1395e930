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

// A question of our own the technician answers before something is sent: the text and the
// captions of the two answers, in the active language.
struct Question {
    QString text;
    QString proceed; // goes on
    QString cancel;  // leaves everything as it was
};
// Returns true to go on. The window installs a sink that shows a modal question box; tests
// install one that answers.
using QuestionSink = std::function<bool(const Question& question)>;

// Installs the question sink and returns the one it replaces. Without a sink a question
// is written to the log and answered with going on, as for programs that never ask (the
// tools and benchmarks that drive the window).
QuestionSink setQuestionSink(QuestionSink sink);

// Asks through the installed sink.
bool askQuestion(const Question& question);

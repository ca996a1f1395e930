#include "base/message_sink.h"

#include <QDebug>
#include <utility>

namespace {
MessageSink& currentSink() {
    static MessageSink sink;
    return sink;
}

QuestionSink& currentQuestionSink() {
    static QuestionSink sink;
    return sink;
}
} // namespace

MessageSink setMessageSink(MessageSink sink) {
    return std::exchange(currentSink(), std::move(sink));
}

void showMessage(const QString& text) {
    if (currentSink())
        currentSink()(text);
    else
        qWarning().noquote() << text;
}

QuestionSink setQuestionSink(QuestionSink sink) {
    return std::exchange(currentQuestionSink(), std::move(sink));
}

bool askQuestion(const Question& question) {
    if (currentQuestionSink())
        return currentQuestionSink()(question);
    qWarning().noquote() << question.text;
    return true;
}

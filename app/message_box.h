#pragma once
// The program's message sink: every message raised below the window layer appears as a
// modal warning box titled "TRV5200". Tests install a recording sink instead.
#include "base/message_sink.h"

class QMessageBox;
class QWidget;

MessageSink messageBoxSink();

// The program's question sink: a modal question box titled "TRV5200" with the question's
// two answers, the cancelling one the default (Enter and Escape leave things as they were).
QuestionSink questionBoxSink();
// The question box, not yet shown (the caller owns it); the screenshots look at it.
QMessageBox* questionBox(const Question& question, QWidget* parent);

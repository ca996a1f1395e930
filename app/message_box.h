#pragma once
// The program's message sink: every message raised below the window layer appears as a
// modal warning box titled "TRV5200". Tests install a recording sink instead.
#include "base/message_sink.h"

MessageSink messageBoxSink();

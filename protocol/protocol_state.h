#pragma once
// The sequencer's step code. It lives beside the link because the link reads it to pick
// the progress bar of a transfer and the block-read telegram sets it when it starts.
#include <QtGlobal>

extern qint32 protocol_step;

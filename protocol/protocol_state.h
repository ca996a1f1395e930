#pragma once
// The sequencer's step code (protocol/steps.h names the codes). A global of its own, as
// the rest of the system expects: the window's steps set it, and the block-read telegram
// sets it to the RAM read's response step when it starts its transfer.
#include <QtGlobal>

extern qint32 protocol_step;

#pragma once
// Pure rules of the serial link: clamping of its tunables, chunking, the answer check and
// the progress values. The transfer itself (serial/sio.cpp) applies them to the port.
#include <QtGlobal>
#include <optional>

constexpr int kLinkBufferSize = 1025;

// chunk_size is clamped to 1 … 100 at the start of every transfer; its initial 0 means
// every byte is written alone and answered before the next one.
quint32 clampChunkSize(quint32 chunkSize);

// read_timeout (the constant part of the read time-out, ms) is clamped to 30 … 800.
qint32 clampReadTimeout(qint32 readTimeout);

// Bytes written in the chunk starting at pos.
quint32 chunkLength(quint32 pos, quint32 chunkSize, quint32 txCount);

// Time allowed for n answer bytes: constant part plus 1 ms per byte.
int readTimeoutMs(qint32 readTimeout, quint32 n);

// Telegrams whose length is a multiple of 20 let the window process its pending input
// before every chunk; shorter or other lengths never do.
bool processesMessagesDuringTransfer(quint32 txCount);

// Checks the answer against the mask: 1 = echo of the byte sent, 2 = acknowledge 0xAA,
// anything else unchecked. Nothing is checked when mask[0] is 0. Returns the first failing
// position, or nullopt when the answer is sound.
std::optional<quint32> firstAnswerError(const quint8* sent, const quint8* received,
                                        const quint8* mask, quint32 count);

// (pos + 1) × 100 / txCount, rounded to the nearest integer, halves to even.
int progressPercent(quint32 pos, quint32 txCount);

#pragma once
// Best-effort tuning of an open serial device that QSerialPort does not offer.

// Asks the driver to hand over each received byte at once. USB adapters (FTDI in
// particular) otherwise hold received bytes up to 16 ms, which makes a byte-by-byte
// protocol crawl. Returns false where the device or platform does not support it
// (pseudo-terminals, most built-in UARTs, Windows: set the adapter's latency timer in the
// device manager instead).
bool requestLowLatency(qintptr handle);

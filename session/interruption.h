#pragma once
// Ctrl-C for a job of several exchanges: the signal only raises a flag, and the link
// session looks at it before it starts an exchange, so a telegram that has begun always
// goes out whole (the controller is never left in the middle of an item, and a parameter
// write is never cut) and the job ends at the next boundary between exchanges.

// SIGINT, SIGTERM and SIGHUP raise the flag from now on.
void installInterruptHandler();
bool interruptRequested();
// What the signal does, for a job that ends itself the same way; and clearing it again.
void requestInterrupt();
void clearInterrupt();

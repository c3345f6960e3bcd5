#pragma once

// Hands the heap's free pages back to the system, once the event loop has deleted what was
// left to it. A run's end and a closed file dialog leave megabytes of small blocks freed amid
// blocks still in use, which glibc otherwise keeps for later; elsewhere it does nothing.
void ReturnFreeHeapSoon();

#pragma once
// Background work that must never compete with the user's thread for the processor.

// Lowers the calling thread's scheduling priority; the rest of the process keeps its own. Does
// nothing where the system does not allow it.
void LowerThisThreadPriority();

// Hand-over between a program instance that restarts itself and the new process: the new process,
// started with "--Restart", waits until the old one has released the named restart mutex.
#pragma once

// Name of the mutex the restarting party holds until it has ended.
extern const char* const kRestartMutexName;

// Whether the process command line contains "--Restart" anywhere (case-sensitive).
bool IsRestartCommandLine();

// Opens or creates the restart mutex without owning it; when it already existed (or cannot be
// used), waits for it without time-out, releases it and records the hand-over. Always closes the
// handle again. Returns true.
bool WaitForRestartMutex();

// Releases a restart mutex this process still holds; whether it released one. After a completed
// hand-over nothing is held any more.
bool ReleaseRestartMutex();

// Whether this process took over from a restarting instance.
bool WasRestarted();

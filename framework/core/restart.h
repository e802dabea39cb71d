// Starting again after the session ends: a RunOnce entry that starts the
// program with "/restore:n", and the state it saved under the application's
// "Serialize" key as value n, read back once on the next start.
#pragma once

struct TStateBlob;

// Registers the program to start again at the next log-on. With a state, the
// state is saved for that start and the result is true when both the state and
// the RunOnce entry were written (on failure neither is left behind). Without a
// state (null) the start is registered all the same and the result is false.
// The entry starts the program's own file (ProgramFile of AppGlobals), however
// the program was started; without it nothing is registered.
bool RegisterRestart(const TStateBlob* state);

// When the program was started with "/restore:n", fills `state` with the state
// saved as n, deletes it and returns true. If Shift is held at that moment the
// restored start is cancelled: the process ends with exit code -1 (the state is
// deleted all the same). False, with `state` untouched, when there is no such
// switch, its value is not a number or the state cannot be read.
bool RestoreSession(TStateBlob& state);

// The RunOnce key below HKEY_CURRENT_USER.
extern const char RunOnceKeyPath[];

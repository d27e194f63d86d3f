#pragma once
// The command line's exit statuses: success, an action that failed, and a command line that
// cannot be run.

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

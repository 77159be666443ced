// The runtime folder of a program started without XDG_RUNTIME_DIR (as root on a console, from
// su or cron). Qt complains at every start when the variable is missing, and the named locks
// of the single-instance guards (NamedMutex.h) live in the runtime folder.
#pragma once

#include <string>

namespace platform {

// When XDG_RUNTIME_DIR is unset or empty, sets it to "<base>/quarn-runtime-<uid>", made if
// missing. The folder must be private, as a runtime folder has to be: a directory (not a
// link) owned by this user with mode 0700; an existing one of ours with a looser mode is made
// 0700, and one that is not ours is refused and the variable stays unset. The name depends on
// the user only, so every start of a program by one user meets the same locks and different
// users never share them. Returns the folder in use, or "" when there is none. Call it before
// the application object exists; the programs' start-up does.
std::string EnsureRuntimeDirectory(const std::string& base = "/tmp");

}  // namespace platform

#pragma once
// The person's folders and language as the desktop tells them (XDG on Linux).
#include <string>

#include "app/program_files.h"

namespace korvant {

// The game's folders under the desktop's configuration and data folders.
UserFolders StandardUserFolders();

// The two-letter language of the system's locale ("ru"); "C" and the like give no language.
std::string SystemLanguage();

}  // namespace korvant

// The user's own folders, as the system names them (the temporary folder is platform_temp_dir,
// platform.h). Each is "" when the system names none. POSIX: user_folders_posix.cpp; Windows:
// user_folders_win32.cpp.
#pragma once
#include <string>

// Where programs keep a user's data: $XDG_DATA_HOME when it is an absolute path, else
// $HOME/.local/share; on Windows the roaming application data folder (%APPDATA%). With existing_home, a
// $HOME that does not exist gives "" (a folder to be made there would make the home too).
std::string user_data_folder(bool existing_home = false);
// Where programs keep a user's state, their logs among it: $XDG_STATE_HOME when it is an absolute path,
// else $HOME/.local/state (as above); "" on Windows and in a browser, where logs stay in the temporary
// folder.
std::string user_state_folder(bool existing_home = false);
// $HOME/Documents and $HOME/Desktop; on Windows the known folders Documents and Desktop.
std::string user_documents_folder();
std::string user_desktop_folder();
// The name of a program's own folder in user_data_folder(): the program's name in lower case on Linux
// ("brakka"), as written on Windows ("Brakka").
std::string user_data_folder_name(const std::string& program_name);
// Where user_data_folder() is taken from, for messages that say it is missing.
const char* user_data_folder_origin();

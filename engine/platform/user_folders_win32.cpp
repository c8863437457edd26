// The user's folders on Windows: the known folders of the shell, the temporary folder of the system.
#include <windows.h>
#include <shlobj.h>
#include "engine/platform/platform.h"
#include "engine/platform/user_folders.h"
#include "engine/platform/wide_text.h"

namespace {

std::string known_folder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::string out;
  if (SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path) == S_OK && path) out = utf8_from_wide(path);
  CoTaskMemFree(path);
  return out;
}

}  // namespace

// GetTempPathW answers with a separator at the end.
std::string platform_temp_dir() {
  wchar_t path[MAX_PATH + 2];
  const DWORD n = GetTempPathW(MAX_PATH + 1, path);
  std::string out =
      n > 0 && n <= MAX_PATH + 1 ? utf8_from_wide(std::wstring_view(path, n)) : "C:\\Windows\\Temp";
  if (out.back() != '\\' && out.back() != '/') out += '\\';
  return out;
}

std::string user_data_folder() { return known_folder(FOLDERID_RoamingAppData); }
std::string user_documents_folder() { return known_folder(FOLDERID_Documents); }
std::string user_desktop_folder() { return known_folder(FOLDERID_Desktop); }

std::string user_data_folder_name(const std::string& program_name) { return program_name; }

const char* user_data_folder_origin() { return "%APPDATA%"; }

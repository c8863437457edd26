// Whether the program runs from an install, told by the record its install rules leave beside it.
#include <string>
#include <vector>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/files.h"
#include "engine/platform/os_files.h"

bool app_is_installed() {
  const std::string& program = app_program_dir();
  if (program.empty()) return false;
  std::vector<uint8_t> record;
  if (!file_read_all(file_path_join(program.c_str(), kInstallRecord).c_str(), record)) return false;
  // The record's first line names the data folder.
  std::string data_folder(record.begin(), record.end());
  data_folder = data_folder.substr(0, data_folder.find('\n'));
  if (!data_folder.empty() && data_folder.back() == '\r') data_folder.pop_back();
  if (data_folder.empty()) return false;
  OsFileInfo info;
  return os_stat(file_path_join(program.c_str(), data_folder.c_str()), info) &&
         info.kind == OsFileKind::folder;
}

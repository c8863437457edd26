// Whether the program runs from an install, told by the record its install rules leave beside it.
#include <filesystem>
#include <fstream>
#include <string>
#include "engine/core/app.h"
#include "engine/core/app_frame.h"

bool app_is_installed() {
  const std::string& program = app_program_dir();
  if (program.empty()) return false;
  std::ifstream record(std::filesystem::path(program) / kInstallRecord);
  std::string data_folder;
  if (!std::getline(record, data_folder)) return false;
  if (!data_folder.empty() && data_folder.back() == '\r') data_folder.pop_back();
  if (data_folder.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::path(program) / data_folder, ec);
}

#include <filesystem>
#include <system_error>

#include "platform/file_system.h"
#include "platform/program_folder.h"

namespace pointimport::platform {

std::u16string ProgramFolder() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  const auto folder = error ? std::filesystem::current_path() : executable.parent_path();
  return FromFilesystemPath(folder);
}

}  // namespace pointimport::platform

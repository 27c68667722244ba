#include "main/database_location.h"

#include <filesystem>

#include "convert/utf.h"
#include "outside/points_database_file.h"

namespace pointimport::main {

std::u16string AddPathSeparator(std::u16string path) {
  if (path.empty() || (path.back() != u'/' && path.back() != u'\\')) path.push_back(kPathSeparator);
  return path;
}

std::u16string ConnectionStringForFile(const std::u16string& folder, const std::u16string& databasePath) {
  return u"DRIVER=Microsoft Access Driver (*.mdb);" + (u"DefaultDir=" + folder) + u";" + u"DBQ=" + databasePath;
}

std::u16string BuildConnectionString(const std::u16string& programFolder) {
  return ConnectionStringForFile(programFolder,
                                 AddPathSeparator(programFolder) + outside::kPointsDatabaseFileName);
}

std::u16string ProgramFolder() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  const auto folder = error ? std::filesystem::current_path() : executable.parent_path();
  // The folder's own bytes, not UTF-8 read from them: a folder unpacked from
  // an archive of a Japanese system may carry CP932 bytes in its name.
  return convert::PathFromNative(folder.native());
}

}  // namespace pointimport::main

#include "main/database_location.h"

#include "outside/connection_string.h"
#include "outside/sqlite/points_database_file.h"
#include "platform/file_system.h"

namespace pointimport::main {

std::u16string AddPathSeparator(std::u16string path) {
  if (path.empty() || (path.back() != u'/' && path.back() != u'\\')) path.push_back(platform::kPathSeparator);
  return path;
}

std::u16string ConnectionStringForFile(const std::u16string& folder, const std::u16string& databasePath) {
  // A folder holding ";" would otherwise end its value early, and what
  // follows could name another database.
  return u"DRIVER=Microsoft Access Driver (*.mdb);" +
         (u"DefaultDir=" + outside::ConnectionStringValueText(folder)) + u";" + u"DBQ=" +
         outside::ConnectionStringValueText(databasePath);
}

std::u16string DatabasePath(const std::u16string& programFolder) {
  return AddPathSeparator(programFolder) + outside::sqlite::kPointsDatabaseFileName;
}

std::u16string BuildConnectionString(const std::u16string& programFolder) {
  return ConnectionStringForFile(programFolder, DatabasePath(programFolder));
}

}  // namespace pointimport::main

#pragma once

#include <string>

namespace pointimport::main {

// The path with the platform's separator appended, unless it already ends in
// "/" or "\" (compared exactly). An empty path gives one separator.
std::u16string AddPathSeparator(std::u16string path);

// The connection string of a points database file, with folder as its
// default directory; a value holding ";", "{" or "}" in braces.
std::u16string ConnectionStringForFile(const std::u16string& folder, const std::u16string& databasePath);

// Where the points database of the given program folder lies:
// "<folder + separator>RovevizoduziDivoz.mdb".
std::u16string DatabasePath(const std::u16string& programFolder);

// The connection string of the points database in the given program folder:
// "DRIVER=...;DefaultDir=<folder>;DBQ=<folder + separator>RovevizoduziDivoz.mdb".
std::u16string BuildConnectionString(const std::u16string& programFolder);

}  // namespace pointimport::main

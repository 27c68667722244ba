#include "outside/sqlite/read_only_wal.h"

#include <sqlite3.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "convert/utf.h"
#include "platform/file_system.h"

namespace pointimport::outside::sqlite {

namespace {

// Bytes 18 and 19 of the file header are the versions a writer and a reader
// need; 2 stands for WAL.
bool IsWalDatabase(const std::string& nativePath) {
  std::array<char, 20> header{};
  std::ifstream file(nativePath, std::ios::binary);
  return file.read(header.data(), header.size()) && header[18] == 2 && header[19] == 2;
}

// The index file is made beside the database, so the folder counts as well.
bool CanWriteBeside(const std::string& nativePath) {
  const std::filesystem::path folder = std::filesystem::path(nativePath).parent_path();
  return platform::IsWritable(convert::PathFromNative(nativePath)) &&
         platform::IsWritable(convert::PathFromNative(folder.empty() ? "." : folder.native()));
}

}  // namespace

bool IsReadOnlyWalFailure(int sqliteCode, const std::string& nativePath) {
  return (sqliteCode & 0xFF) == SQLITE_CANTOPEN && !CanWriteBeside(nativePath) && IsWalDatabase(nativePath);
}

}  // namespace pointimport::outside::sqlite

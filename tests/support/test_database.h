#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "outside/sqlite/sqlite_connection.h"

namespace pointimport::test_support {

// Creates a points database at path through the same code as init.
void CreateTestDatabase(const std::filesystem::path& path);

// The connection string the window would build for a database at path.
std::u16string ConnectionStringFor(const std::filesystem::path& path);

// How long the tests' connections wait for a lock: long enough for one held
// a moment, a fraction of the program's wait for one that stays.
inline constexpr std::chrono::milliseconds kTestBusyTimeout{1000};

// An open connection to the points database at path, with kTestBusyTimeout.
std::shared_ptr<outside::sqlite::SqliteConnection> OpenTestConnection(const std::filesystem::path& path);

// Every row a query returns, each column as text ("NULL" for NULL), with
// SQLite's storage class after a "|" when withTypes is set.
std::vector<std::string> QueryRows(const std::filesystem::path& database, const std::string& sql,
                                   bool withTypes = false);

}  // namespace pointimport::test_support

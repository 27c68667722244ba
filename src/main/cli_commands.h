#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pointimport::main {

// Exit statuses of pointimport-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitSomeRowsFailed = 1;
inline constexpr int kExitError = 2;

// `init [--database PATH]`: creates the points database.
int RunInitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// `import [--database PATH] [--dry-run] [--echo-sql] FILE...`: loads and
// imports each file in turn, as the window's Open and Import buttons do.
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pointimport::main

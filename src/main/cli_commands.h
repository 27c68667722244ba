#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pointimport::main {

// Exit statuses of pointimport-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitSomeRowsFailed = 1;
// A file left out because it would replace another event or store one
// twice; like rows that could not be written, part of the work not done.
inline constexpr int kExitNotReplaced = 1;
inline constexpr int kExitError = 2;

// `init [--database PATH]`: creates the points database. Every option value
// may also follow an "=" (--database=PATH).
int RunInitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// `import [--database PATH] [--dry-run] [--echo-sql] [--replace] [--report FILE.csv|FILE.html] FILE...`:
// loads and imports each file in turn, as the window's Open and Import
// buttons do, and writes one report of all of them where asked. A file that
// would replace another event or store one twice is left out, unless
// --replace is given (the window asks instead).
// Control characters of lap files and the database are shown as "\xHH".
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// `convert ACCESS.mdb [--database PATH]`: creates a new points database
// holding the rows of an Access file's EVENT, PERSON and RESULT tables; the
// Access file is only read.
int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pointimport::main

#include "main/cli_options.h"

#include <ostream>

#include "convert/utf.h"
#include "main/database_location.h"
#include "platform/program_folder.h"

namespace pointimport::main {

std::u16string DefaultDatabasePath() { return DatabasePath(platform::ProgramFolder()); }

bool TakeOptionValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
                     std::u16string& value, bool& missing, std::ostream& err) {
  const std::string& arg = args[i];
  std::string text;
  if (arg == name) {
    if (i + 1 < args.size() && !args[i + 1].starts_with("--")) text = args[++i];
  } else if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=') {
    text = arg.substr(name.size() + 1);
  } else {
    return false;
  }
  if (text.empty()) {
    err << name << " には値が必要です。\n";
    missing = true;
  }
  value = convert::PathFromNative(text);
  return true;
}

}  // namespace pointimport::main

#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace pointimport::main {

// The points database in the program's folder, where the window finds it.
std::u16string DefaultDatabasePath();

// Takes the value of option `name`, given as "--name VALUE" or "--name=VALUE",
// when args[i] is that option; returns false when it is another argument.
// A missing value (the end of the arguments, an empty "--name=", or another
// option next) is reported and leaves `missing` set.
bool TakeOptionValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
                     std::u16string& value, bool& missing, std::ostream& err);

}  // namespace pointimport::main

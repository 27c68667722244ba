#pragma once

#include <optional>
#include <string>

namespace pointimport::main::form {

// One request for a file, as the window's file dialog control makes it.
struct FileChoice {
  std::u16string title;
  // "description|patterns|description|patterns", patterns separated by ";".
  std::u16string filter;
  // The path chosen last time, offered again; empty at the first use.
  std::u16string offeredPath;
  bool save = false;
  bool confirmOverwrite = false;
  bool folderMustExist = false;
};

// Asks the user for one file.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The full path chosen, or nothing when the user cancelled.
  virtual std::optional<std::u16string> ChooseFile(const FileChoice& choice) = 0;
};

}  // namespace pointimport::main::form

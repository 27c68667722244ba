#pragma once

#include <string>
#include <vector>

namespace pointimport::test_support {

struct ProgramOutput {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs a program of the build folder with arguments and waits for it.
ProgramOutput RunProgram(const std::string& program, const std::vector<std::string>& args);

// Runs a command found on the PATH, likewise.
ProgramOutput RunCommand(const std::string& command, const std::vector<std::string>& args);

}  // namespace pointimport::test_support

#include "support/run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "support/temp_dir.h"

extern char** environ;

namespace pointimport::test_support {

namespace {

ProgramOutput Run(const std::string& path, const std::vector<std::string>& args) {
  TempDir captures;
  const std::string outPath = captures.File("out").string();
  const std::string errPath = captures.File("err").string();

  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + path);

  int status = 0;
  waitpid(pid, &status, 0);
  ProgramOutput output;
  output.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  output.out = ReadFileBytes(outPath);
  output.err = ReadFileBytes(errPath);
  return output;
}

}  // namespace

ProgramOutput RunProgram(const std::string& program, const std::vector<std::string>& args) {
  return Run(std::string(POINTIMPORT_BINARY_DIR) + "/" + program, args);
}

ProgramOutput RunCommand(const std::string& command, const std::vector<std::string>& args) {
  return Run(command, args);
}

}  // namespace pointimport::test_support

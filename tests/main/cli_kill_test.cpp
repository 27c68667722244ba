#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

#include "support/generated_lap_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

extern char** environ;

namespace pointimport::test_support {
namespace {

// Every row of the database, sorted, with storage classes.
std::vector<std::string> Snapshot(const std::filesystem::path& database) {
  std::vector<std::string> rows;
  for (const char* table : {"EVENT", "PERSON", "RESULT"}) {
    for (auto& row : QueryRows(database, std::string("SELECT * FROM ") + table, true)) {
      rows.push_back(std::string(table) + ": " + row);
    }
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

int KillCount() {
  const char* configured = std::getenv("POINTIMPORT_KILLS");
  return configured ? std::atoi(configured) : 12;
}

// Starts the import and kills it after delay; returns whether it was still
// running when killed.
bool ImportAndKill(const std::filesystem::path& database, const std::filesystem::path& file,
                   std::chrono::microseconds delay) {
  const std::string program = std::string(POINTIMPORT_BINARY_DIR) + "/pointimport-cli";
  const std::string databaseText = database.string(), fileText = file.string();
  char* argv[] = {const_cast<char*>(program.c_str()),
                  const_cast<char*>("import"),
                  const_cast<char*>("--database"),
                  const_cast<char*>(databaseText.c_str()),
                  const_cast<char*>("--replace"),
                  const_cast<char*>(fileText.c_str()),
                  nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start the import");
  std::this_thread::sleep_for(delay);
  const bool killed = ::kill(pid, SIGKILL) == 0;
  int status = 0;
  waitpid(pid, &status, 0);
  return killed && WIFSIGNALED(status);
}

TEST(CliKill, AKilledImportLeavesTheOldRowsOrTheNewOnesNeverAMixture) {
  TempDir dir;
  const auto oldFile = GenerateLapFile(dir.File("old.xml"), {.runners = 3000, .seed = 1, .eventId = "KILL"});
  const auto newFile = GenerateLapFile(dir.File("new.xml"), {.runners = 3000, .seed = 2, .eventId = "KILL"});
  const auto otherFile =
      GenerateLapFile(dir.File("other.xml"), {.runners = 500, .seed = 3, .eventId = "OTHER"});

  const auto database = dir.File("RovevizoduziDivoz.mdb");
  CreateTestDatabase(database);
  for (const auto& file : {otherFile, oldFile}) {
    ASSERT_EQ(
        RunProgram("pointimport-cli", {"import", "--database", database.string(), file.string()}).exitCode, 0);
  }
  const auto oldState = Snapshot(database);
  const std::string oldBytes = ReadFileBytes(database);

  // The state after a whole run, and how long a run takes.
  const auto reference = dir.File("reference.mdb");
  WriteFileBytes(reference, oldBytes);
  const auto started = std::chrono::steady_clock::now();
  // Another event under the old one's keyword: replaced only when told.
  ASSERT_EQ(
      RunProgram("pointimport-cli", {"import", "--database", reference.string(), "--replace", newFile.string()})
          .exitCode,
      0);
  const auto runTime =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
  const auto newState = Snapshot(reference);
  ASSERT_NE(oldState, newState);

  std::mt19937 random(7);
  int killedMidRun = 0, sawOld = 0, sawNew = 0;
  const int kills = KillCount();
  for (int k = 0; k < kills; ++k) {
    WriteFileBytes(database, oldBytes);
    std::filesystem::remove(dir.File("RovevizoduziDivoz.mdb-journal"));
    // Spread over the run, a little past its end.
    const auto delay =
        std::chrono::microseconds(std::uniform_int_distribution<long>(0, runTime.count() * 11 / 10)(random));
    killedMidRun += ImportAndKill(database, newFile, delay);

    EXPECT_EQ(QueryRows(database, "PRAGMA integrity_check"), std::vector<std::string>{"ok"}) << "kill " << k;
    const auto state = Snapshot(database);
    const bool isOld = state == oldState, isNew = state == newState;
    EXPECT_TRUE(isOld || isNew) << "kill " << k << " after " << delay.count() << " us left a mixture";
    sawOld += isOld;
    sawNew += isNew;
  }
  std::cout << kills << " kills, " << killedMidRun << " mid-run; old " << sawOld << ", new " << sawNew << "\n";
  EXPECT_GT(killedMidRun, 0);
}

}  // namespace
}  // namespace pointimport::test_support

#include <gtest/gtest.h>

#include <regex>

#include "support/run_program.h"

namespace pointimport::test_support {
namespace {

TEST(CliInfo, VersionAndUsageGoToStandardOutput) {
  const struct {
    const char* arg;
    const char* outPattern;
  } cases[] = {
      {"--version", "pointimport-cli [0-9]+\\.[0-9]+\\.[0-9]+\n"},
      {"-V", "pointimport-cli [0-9]+\\.[0-9]+\\.[0-9]+\n"},
      {"help", "使い方:\n[^]*"},
      {"--help", "使い方:\n[^]*"},
      {"-h", "使い方:\n[^]*"},
  };
  for (const auto& c : cases) {
    const auto result = RunProgram("pointimport-cli", {c.arg});
    EXPECT_EQ(result.exitCode, 0) << c.arg;
    EXPECT_TRUE(std::regex_match(result.out, std::regex(c.outPattern))) << c.arg << ": " << result.out;
    EXPECT_EQ(result.err, "") << c.arg;
  }
}

// Every option the commands take is in the usage.
TEST(CliInfo, UsageListsEveryOption) {
  const std::string usage = RunProgram("pointimport-cli", {"--help"}).out;
  for (const char* option : {"--database", "--dry-run", "--echo-sql", "--replace", "--report"}) {
    EXPECT_NE(usage.find(std::string("      ") + option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace pointimport::test_support

#include "support/generated_lap_file.h"

#include <stdexcept>

#include "support/run_program.h"

namespace pointimport::test_support {

std::filesystem::path GenerateLapFile(const std::filesystem::path& path,
                                      const GeneratedLapFileOptions& options) {
  std::vector<std::string> args = {POINTIMPORT_GENERATOR,
                                   "--runners",
                                   std::to_string(options.runners),
                                   "--classes",
                                   std::to_string(options.classes),
                                   "--splits",
                                   std::to_string(options.splits),
                                   "--seed",
                                   std::to_string(options.seed),
                                   "--out",
                                   path.string()};
  if (!options.eventId.empty()) {
    args.push_back("--event-id");
    args.push_back(options.eventId);
  }
  const auto result = RunCommand("python3", args);
  if (result.exitCode != 0) throw std::runtime_error("the generator failed: " + result.err);
  return path;
}

}  // namespace pointimport::test_support

#pragma once

#include <filesystem>
#include <string>

namespace pointimport::test_support {

struct GeneratedLapFileOptions {
  int runners = 2000;
  int classes = 40;
  int splits = 15;
  int seed = 1;
  std::string eventId;  // empty: the generator's own
};

// Writes a synthetic IOF XML 3.0 result list with the shared generator and
// returns its path.
std::filesystem::path GenerateLapFile(const std::filesystem::path& path,
                                      const GeneratedLapFileOptions& options);

}  // namespace pointimport::test_support

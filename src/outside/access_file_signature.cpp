#include "outside/access_file_signature.h"

#include <array>
#include <fstream>
#include <string_view>

#include "platform/file_system.h"

namespace pointimport::outside {

bool HasAccessSignature(const std::u16string& path) {
  // The first page starts with 00 01 00 00 and the engine's name, ended by
  // a NUL: "Standard Jet DB" for Jet 3 and 4, "Standard ACE DB" for ACE.
  constexpr std::string_view kJet("\x00\x01\x00\x00Standard Jet DB\x00", 20);
  constexpr std::string_view kAce("\x00\x01\x00\x00Standard ACE DB\x00", 20);
  std::ifstream file(platform::FilesystemPath(path), std::ios::binary);
  std::array<char, kJet.size()> head{};
  if (!file.read(head.data(), head.size())) return false;
  const std::string_view start(head.data(), head.size());
  return start == kJet || start == kAce;
}

}  // namespace pointimport::outside

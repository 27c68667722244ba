#include "outside/access/access_text.h"

namespace pointimport::outside::access {

std::optional<std::u16string> DecodeStoredText(std::string_view bytes) {
  const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const bool compressedForm = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
  bool singleBytes = compressedForm;
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = compressedForm ? 2 : 0; i < bytes.size();) {
    if (compressedForm && byte(i) == 0) {
      singleBytes = !singleBytes;
      ++i;
    } else if (singleBytes) {
      text.push_back(static_cast<char16_t>(byte(i++)));
    } else if (i + 1 == bytes.size()) {
      return std::nullopt;
    } else {
      text.push_back(static_cast<char16_t>(byte(i) | (byte(i + 1) << 8)));
      i += 2;
    }
  }
  return text;
}

}  // namespace pointimport::outside::access

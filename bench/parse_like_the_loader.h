// Reading and parsing a lap file the way the loader does, for the limits:
// the whole file in one read, then pugixml in place with the loader's
// options.
#pragma once

#include <filesystem>
#include <pugixml.hpp>
#include <string>

#include "convert/utf.h"
#include "outside/lapfile/lap_file_loader.h"
#include "outside/lapfile/read_whole_file.h"

namespace pointimport::bench {

// Parses into `document`, which keeps pointing into `text`.
inline bool ParseLikeTheLoader(const std::filesystem::path& path, std::string& text,
                               pugi::xml_document& document) {
  outside::lapfile::FileReadResult file =
      outside::lapfile::ReadWholeFile(convert::Utf8ToUtf16(path.string()), outside::lapfile::kMaxLapFileBytes);
  if (file.status != outside::lapfile::FileReadStatus::Read) return false;
  text = std::move(file.bytes);
  text.push_back('\0');
  return document.load_buffer_inplace(text.data(), text.size(),
                                      pugi::parse_default | pugi::parse_fragment | pugi::parse_embed_pcdata,
                                      pugi::encoding_utf8);
}

}  // namespace pointimport::bench

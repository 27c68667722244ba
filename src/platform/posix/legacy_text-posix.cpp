#include <iconv.h>
#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "convert/utf.h"
#include "platform/legacy_text.h"

namespace pointimport::platform {

namespace {

class Converter {
 public:
  explicit Converter(const char* charset) : cd_(iconv_open("UTF-8", charset)) {}
  ~Converter() {
    if (IsOpen()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // NOLINTNEXTLINE(performance-no-int-to-ptr): the value iconv_open fails with
  bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Charsets without shift states in which a byte below 0x80 at a character
// boundary is always that ASCII character (the tests check all 128 with
// iconv). Their ASCII runs, most of an XML file, are copied as they are:
// iconv costs many times a copy per byte.
constexpr std::string_view kAsciiCompatibleCharsets[] = {"CP932", "EUC-JP", "ISO-8859-1"};

bool IsAsciiCompatible(std::string_view charset) {
  return std::find(std::begin(kAsciiCompatibleCharsets), std::end(kAsciiCompatibleCharsets), charset) !=
         std::end(kAsciiCompatibleCharsets);
}

// A fresh buffer costs a page fault per 4 KiB page it is written in, which
// for a text of tens of megabytes takes longer than converting it; where the
// system gives huge pages on request, the whole 2 MiB pages inside the
// buffer are asked for (nothing changes where it does not).
void AskForHugePages(char* data, std::size_t size) {
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  const std::size_t toFirst = (kHugePage - reinterpret_cast<std::uintptr_t>(data) % kHugePage) % kHugePage;
  if (size < toFirst + kHugePage) return;
  ::madvise(data + toFirst, (size - toFirst) / kHugePage * kHugePage, MADV_HUGEPAGE);
}

// Turns the bytes into UTF-8 from the start on, one stretch after another.
// iconv writes into a fixed buffer whose contents are appended: the text is
// never filled ahead of its bytes, nor copied to grow as long as it stays
// within the generous capacity reserved.
class Conversion {
 public:
  Conversion(iconv_t cd, std::string_view bytes) : cd_(cd), bytes_(bytes) {
    // Japanese double-byte text grows by half in UTF-8.
    utf8_.reserve(bytes.size() + bytes.size() / 2 + 1);
    AskForHugePages(utf8_.data(), utf8_.capacity());
  }

  std::size_t Position() const { return static_cast<std::size_t>(in_ - bytes_.data()); }

  // The bytes from the position to `end` are ASCII that means itself.
  void CopyAscii(std::size_t end) {
    utf8_.append(in_, end - Position());
    in_ = const_cast<char*>(bytes_.data()) + end;
  }

  // Converts the bytes from the position to `end`. A character that does
  // not end there is read on into the bytes after it, for iconv's verdict
  // on the whole input. On failure the position is where the bad bytes
  // begin.
  LegacyTextStatus ConvertUpTo(std::size_t end) {
    std::size_t inLeft = end - Position();
    for (;;) {
      char* out = buffer_.data();
      std::size_t outLeft = buffer_.size();
      const std::size_t rc = iconv(cd_, &in_, &inLeft, &out, &outLeft);
      const int error = errno;
      utf8_.append(buffer_.data(), buffer_.size() - outLeft);
      if (rc != static_cast<std::size_t>(-1) || error == E2BIG) {
        if (inLeft == 0) return LegacyTextStatus::Converted;
        continue;
      }
      if (error == EILSEQ) return LegacyTextStatus::InvalidSequence;
      // EINVAL: the bytes end inside a character
      if (end == bytes_.size()) return LegacyTextStatus::CutShort;
      end = bytes_.size();
      inLeft = end - Position();
    }
  }

  // The final call, with no input, ends a stateful charset's shift state.
  LegacyTextStatus Finish() {
    for (;;) {
      char* out = buffer_.data();
      std::size_t outLeft = buffer_.size();
      const std::size_t rc = iconv(cd_, nullptr, nullptr, &out, &outLeft);
      const int error = errno;
      utf8_.append(buffer_.data(), buffer_.size() - outLeft);
      if (rc != static_cast<std::size_t>(-1)) return LegacyTextStatus::Converted;
      if (error == EILSEQ) return LegacyTextStatus::InvalidSequence;
      if (error != E2BIG) return LegacyTextStatus::CutShort;
    }
  }

  std::string TakeUtf8() { return std::move(utf8_); }

 private:
  iconv_t cd_;
  std::string_view bytes_;
  char* in_ = const_cast<char*>(bytes_.data());  // iconv takes char** but never writes through it
  std::string utf8_;
  std::array<char, 16384> buffer_;
};

}  // namespace

LegacyTextResult ConvertToUtf8(std::string_view bytes, const char* charset) {
  Converter converter(charset);
  if (!converter.IsOpen()) return {LegacyTextStatus::UnknownCharset, {}, 0};

  Conversion conversion(converter.Get(), bytes);
  LegacyTextStatus status = LegacyTextStatus::Converted;
  if (IsAsciiCompatible(charset)) {
    while (status == LegacyTextStatus::Converted && conversion.Position() < bytes.size()) {
      conversion.CopyAscii(conversion.Position() + convert::AsciiRun(bytes, conversion.Position()));
      // Up to the next '<', which in these charsets is never part of a
      // longer character: one iconv call per text or tag with other
      // characters in it.
      const std::size_t tag = bytes.find('<', conversion.Position());
      status = conversion.ConvertUpTo(tag == std::string_view::npos ? bytes.size() : tag);
    }
  } else {
    status = conversion.ConvertUpTo(bytes.size());
  }
  if (status == LegacyTextStatus::Converted) status = conversion.Finish();
  if (status != LegacyTextStatus::Converted) return {status, {}, conversion.Position()};
  return {LegacyTextStatus::Converted, conversion.TakeUtf8(), 0};
}

}  // namespace pointimport::platform

#include "outside/iconv_to_utf8.h"

#include <iconv.h>

#include <cerrno>

namespace pointimport::outside {

namespace {

class Converter {
 public:
  explicit Converter(const char* charset) : cd_(iconv_open("UTF-8", charset)) {}
  ~Converter() {
    if (IsOpen()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

IconvResult ConvertToUtf8(std::string_view bytes, const char* charset) {
  Converter converter(charset);
  if (!converter.IsOpen()) return {IconvStatus::UnknownCharset, {}, 0};

  std::string out;
  // Japanese double-byte text grows by half in UTF-8; single bytes above
  // 0x7F double.
  out.resize(bytes.size() + bytes.size() / 2 + 16);
  char* in = const_cast<char*>(bytes.data());  // iconv takes char** but never writes through it
  std::size_t inLeft = bytes.size();
  std::size_t written = 0;
  // The final call, with no input, ends a stateful charset's shift state.
  for (bool flushing = false;;) {
    char* outPosition = out.data() + written;
    std::size_t outLeft = out.size() - written;
    const std::size_t rc = flushing ? iconv(converter.Get(), nullptr, nullptr, &outPosition, &outLeft)
                                    : iconv(converter.Get(), &in, &inLeft, &outPosition, &outLeft);
    written = out.size() - outLeft;
    if (rc != static_cast<std::size_t>(-1)) {
      if (flushing) break;
      flushing = true;
      continue;
    }
    const std::size_t offset = bytes.size() - inLeft;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else if (errno == EILSEQ) {
      return {IconvStatus::InvalidSequence, {}, offset};
    } else {  // EINVAL: the input ends inside a character
      return {IconvStatus::CutShort, {}, offset};
    }
  }
  out.resize(written);
  return {IconvStatus::Converted, std::move(out), 0};
}

}  // namespace pointimport::outside

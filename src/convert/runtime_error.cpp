#include "convert/runtime_error.h"

#include "convert/utf.h"

namespace pointimport::convert {

RuntimeError::RuntimeError(std::int32_t number, std::u16string description)
    : std::runtime_error(Utf16ToUtf8(description)), number_(number), description_(std::move(description)) {}

}  // namespace pointimport::convert

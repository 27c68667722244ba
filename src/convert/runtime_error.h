#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace pointimport::convert {

// Error numbers carried by RuntimeError. They are shown to the operator and
// tested by callers (a positive number from the file dialog means "no file"),
// so they never change once released.
namespace error_number {
inline constexpr std::int32_t kInvalidArgument = 5;
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kInvalidUseOfNull = 94;
inline constexpr std::int32_t kCannotCreateObject = 429;
inline constexpr std::int32_t kFileDialogCancelled = 32755;
// Every failure of the points database. Negative, as the database layer's
// own errors are, so that callers testing "greater than 0" do not take it
// for a cancelled dialog.
inline constexpr std::int32_t kDatabaseError = -2147467259;
// An import whose every result row the database refused or ignored: it is
// taken back whole. The first number left to an application's own errors.
inline constexpr std::int32_t kNoResultRowWritten = -2147220991;
}  // namespace error_number

// The one error type of the system: outside objects and conversions report
// every failure with a number and a description.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(std::int32_t number, std::u16string description);

  std::int32_t Number() const noexcept { return number_; }
  const std::u16string& Description() const noexcept { return description_; }

 private:
  std::int32_t number_;
  std::u16string description_;
};

}  // namespace pointimport::convert

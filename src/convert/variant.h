#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace pointimport::convert {

enum class VariantKind { Empty, Null, Integer, Long, Double, Date, String, Boolean };

// The dynamically typed value that the lap-file component and the database
// hand out and that SQL literal text is made from.
//
// Date holds a date number: days since 1899-12-30, the fraction being the
// time of day.
class Variant {
 public:
  Variant() = default;  // Empty
  Variant(std::int32_t value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(bool value) : value_(value) {}
  Variant(std::u16string value) : value_(std::move(value)) {}
  Variant(const char16_t* value) : value_(std::u16string(value)) {}
  // A narrow literal would otherwise convert to bool and pass as True.
  Variant(const char*) = delete;

  static Variant Null() { return Variant(NullTag{}); }
  static Variant Integer(std::int16_t value) { return Variant(value); }
  static Variant Date(double dateNumber) { return Variant(DateTag{dateNumber}); }

  VariantKind Kind() const noexcept { return static_cast<VariantKind>(value_.index()); }
  bool IsEmpty() const noexcept { return Kind() == VariantKind::Empty; }
  bool IsNull() const noexcept { return Kind() == VariantKind::Null; }
  bool IsString() const noexcept { return Kind() == VariantKind::String; }

  // Each accessor requires its own kind; anything else is a type mismatch.
  std::int16_t AsInteger() const;
  std::int32_t AsLong() const;
  double AsDouble() const;
  double AsDate() const;
  bool AsBoolean() const;
  const std::u16string& AsString() const;

  // Any number kind (Integer, Long, Double, Date, Boolean) as a double.
  double NumberValue() const;

  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  struct NullTag {
    friend bool operator==(NullTag, NullTag) = default;
  };
  struct DateTag {
    double number;
    friend bool operator==(DateTag, DateTag) = default;
  };
  explicit Variant(NullTag tag) : value_(tag) {}
  explicit Variant(std::int16_t value) : value_(value) {}
  explicit Variant(DateTag tag) : value_(tag) {}

  // The alternatives are in VariantKind's order.
  std::variant<std::monostate, NullTag, std::int16_t, std::int32_t, double, DateTag, std::u16string, bool>
      value_;
};

// The text of a value wherever the system turns a value into text: String as
// it is, Empty as empty text, numbers as decimal text, Boolean as
// "True"/"False", Date as "H:MM:SS" for a time of day alone, else
// "yyyy/mm/dd" or "yyyy/mm/dd H:MM:SS". Null raises invalid use of Null.
std::u16string ToText(const Variant& value);

// ToText where the text is only looked at: a String's own text, else
// ToText(value) kept in holder. Raises as ToText does.
std::u16string_view TextView(const Variant& value, std::u16string& holder);

}  // namespace pointimport::convert

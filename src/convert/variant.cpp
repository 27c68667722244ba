#include "convert/variant.h"

#include "convert/date_number.h"
#include "convert/number_text.h"
#include "convert/runtime_error.h"

namespace pointimport::convert {

namespace {

[[noreturn]] void ThrowTypeMismatch() {
  throw RuntimeError(error_number::kTypeMismatch, u"型が一致しません。");
}

}  // namespace

std::int16_t Variant::AsInteger() const {
  if (const auto* v = std::get_if<std::int16_t>(&value_)) return *v;
  ThrowTypeMismatch();
}

std::int32_t Variant::AsLong() const {
  if (const auto* v = std::get_if<std::int32_t>(&value_)) return *v;
  ThrowTypeMismatch();
}

double Variant::AsDouble() const {
  if (const auto* v = std::get_if<double>(&value_)) return *v;
  ThrowTypeMismatch();
}

double Variant::AsDate() const {
  if (const auto* v = std::get_if<DateTag>(&value_)) return v->number;
  ThrowTypeMismatch();
}

bool Variant::AsBoolean() const {
  if (const auto* v = std::get_if<bool>(&value_)) return *v;
  ThrowTypeMismatch();
}

const std::u16string& Variant::AsString() const {
  if (const auto* v = std::get_if<std::u16string>(&value_)) return *v;
  ThrowTypeMismatch();
}

double Variant::NumberValue() const {
  switch (Kind()) {
    case VariantKind::Integer:
      return AsInteger();
    case VariantKind::Long:
      return AsLong();
    case VariantKind::Double:
      return AsDouble();
    case VariantKind::Date:
      return AsDate();
    case VariantKind::Boolean:
      return AsBoolean() ? -1.0 : 0.0;
    default:
      ThrowTypeMismatch();
  }
}

std::u16string ToText(const Variant& value) {
  switch (value.Kind()) {
    case VariantKind::Empty:
      return {};
    case VariantKind::Null:
      throw RuntimeError(error_number::kInvalidUseOfNull, u"Null の使い方が不正です。");
    case VariantKind::Integer:
      return FormatInteger(value.AsInteger());
    case VariantKind::Long:
      return FormatInteger(value.AsLong());
    case VariantKind::Double:
      return FormatDouble(value.AsDouble());
    case VariantKind::Date:
      return FormatDateText(value.AsDate());
    case VariantKind::String:
      return value.AsString();
    case VariantKind::Boolean:
      return value.AsBoolean() ? u"True" : u"False";
  }
  ThrowTypeMismatch();
}

std::u16string_view TextView(const Variant& value, std::u16string& holder) {
  if (value.IsString()) return value.AsString();
  holder = ToText(value);
  return holder;
}

}  // namespace pointimport::convert

#include "import/failure_lines.h"

#include "convert/number_text.h"
#include "convert/runtime_error.h"

namespace pointimport::import {

void AddFailureLine(FailureLines& failures, const char16_t* prefix, outside::LapComponent& component,
                    std::int32_t classNumber, outside::LapResult& result) {
  try {
    // The class name first, then the runner's: read apart, so that the
    // order of the reads does not depend on the compiler.
    const std::u16string className = convert::ToText(component.ClassData(classNumber)->ClassName());
    const std::u16string runnerName = convert::ToText(result.RunnerName());
    failures.push_back(prefix + className + u" " + runnerName);
  } catch (const convert::RuntimeError&) {
    // The line is only a report; the failed row is already left out.
  }
}

std::u16string CompletionMessage(const FailureLines& failures) {
  std::u16string message = u"取り込みました";
  if (failures.empty()) return message;
  message +=
      u"\n\n書き込めなかった行: " + convert::FormatInteger(static_cast<std::int64_t>(failures.size())) + u" 件";
  const std::size_t shown = std::min(failures.size(), kFailureLinesShown);
  for (std::size_t i = 0; i < shown; ++i) message += u"\n" + failures[i];
  if (failures.size() > shown) {
    message += u"\nほか " + convert::FormatInteger(static_cast<std::int64_t>(failures.size() - shown)) + u" 件";
  }
  return message;
}

}  // namespace pointimport::import

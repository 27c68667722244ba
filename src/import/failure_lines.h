#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "outside/lap_component.h"

namespace pointimport::import {

// The lines of the rows an import could not write, in the order they failed.
using FailureLines = std::vector<std::u16string>;

inline constexpr char16_t kPersonFailurePrefix[] = u"[PERSON更新失敗] ";
inline constexpr char16_t kResultFailurePrefix[] = u"[RESULT更新失敗] ";

// Appends prefix + the name of class classNumber + " " + the runner's name.
// A name that cannot be read adds no line; the run goes on all the same.
void AddFailureLine(FailureLines& failures, const char16_t* prefix, outside::LapComponent& component,
                    std::int32_t classNumber, outside::LapResult& result);

// What the operator reads when the run is done: "取り込みました", and, when
// rows failed, their count and the first lines.
std::u16string CompletionMessage(const FailureLines& failures);

inline constexpr std::size_t kFailureLinesShown = 20;

}  // namespace pointimport::import

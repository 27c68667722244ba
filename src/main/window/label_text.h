#pragma once

#include <string>

class QLabel;

namespace pointimport::main {

// Sets a fixed-size label's text. Long descriptions and keywords are cut off
// by the label's fixed size, so the whole text is its tooltip as well.
void SetLabelText(QLabel& label, const std::u16string& text);

}  // namespace pointimport::main

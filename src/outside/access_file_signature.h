#pragma once

#include <string>

namespace pointimport::outside {

// True when the file begins as an Access database does (a Jet 3 or Jet 4
// file, or an ACE file of Access 2007 and later). A file that cannot be read
// is no Access file here; opening it reports why.
bool HasAccessSignature(const std::u16string& path);

}  // namespace pointimport::outside

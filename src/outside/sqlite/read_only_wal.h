#pragma once

#include <string>

namespace pointimport::outside::sqlite {

inline constexpr char16_t kReadOnlyWalText[] =
    u"データベースファイルが読み取り専用の場所にあります。WAL "
    u"モードのデータベースは、書き込めない場所では読むこともできません: ";

// True when sqliteCode, SQLite's failure to read the database at nativePath,
// comes from a WAL database that cannot be written: its shared-memory index
// lives in a file beside it, which a read-only file system cannot hold, so
// SQLite cannot even read it and reports only that it cannot open the file.
bool IsReadOnlyWalFailure(int sqliteCode, const std::string& nativePath);

}  // namespace pointimport::outside::sqlite

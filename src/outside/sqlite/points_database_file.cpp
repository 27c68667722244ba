#include "outside/sqlite/points_database_file.h"

#include "convert/utf.h"
#include "outside/sqlite/points_schema.h"
#include "outside/sqlite/read_only_wal.h"
#include "outside/sqlite/sqlite_handle.h"
#include "outside/sqlite/sqlite_statement.h"
#include "platform/file_system.h"

namespace pointimport::outside::sqlite {

using convert::Utf8ToUtf16;

namespace {

enum class Contents { PointsDatabase, SomethingElse, Locked, ReadOnlyWal };

Contents ContentsOf(const std::string& path) {
  std::string message;
  SqliteDatabase db = OpenSqliteDatabase(path, SQLITE_OPEN_READONLY, message);
  if (!db) return Contents::SomethingElse;
  // A database another program is just writing is waited for, as the
  // connection does, rather than taken for a file of another kind.
  sqlite3_busy_timeout(db.get(), static_cast<int>(kDefaultBusyTimeout.count()));
  Statement query(db.get(),
                  "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                  "upper(name) IN ('EVENT', 'PERSON', 'RESULT')");
  if (query.Step()) return query.ColumnInt(0) == 3 ? Contents::PointsDatabase : Contents::SomethingElse;
  const int code = sqlite3_extended_errcode(db.get());
  if (IsReadOnlyWalFailure(code, path)) return Contents::ReadOnlyWal;
  return (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED ? Contents::Locked
                                                                        : Contents::SomethingElse;
}

CreateDatabaseResult Failed(const std::u16string& path, const std::string& why) {
  return {CreateDatabaseStatus::Failed,
          u"データベースファイルを作成できません: " + path + u" (" + Utf8ToUtf16(why) + u")"};
}

// Writes the schema into a new file at temporaryPath.
bool WriteSchema(const std::string& temporaryPath, std::string& message) {
  SqliteDatabase db = OpenSqliteDatabase(temporaryPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, message);
  if (!db) return false;
  const std::string script = std::string("BEGIN;\n") + kPointsSchemaSql + "\nCOMMIT;";
  char* error = nullptr;
  if (sqlite3_exec(db.get(), script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    message = error ? error : "schema failed";
    sqlite3_free(error);
    return false;
  }
  return true;
}

}  // namespace

CreateDatabaseResult CreatePointsDatabase(const std::u16string& path) {
  const std::string target = convert::NativePath(path);
  const platform::FileStatus existing = platform::StatusOf(path);
  if (existing.danglingLink) {
    // A link to nowhere: link() would find the name taken, and writing
    // through it would put the database wherever the link points.
    return {CreateDatabaseStatus::Refused,
            u"シンボリックリンクの先がありません。データベースを作成しません: " + path};
  }
  if (existing.kind != platform::FileKind::None) {
    const Contents contents =
        existing.kind == platform::FileKind::Regular ? ContentsOf(target) : Contents::SomethingElse;
    if (contents == Contents::PointsDatabase) {
      return {CreateDatabaseStatus::AlreadyExists, u"ポイントデータベースは既にあります: " + path};
    }
    if (contents == Contents::ReadOnlyWal) {
      // Whether it is a points database cannot be known; it is left alone.
      return {CreateDatabaseStatus::Failed, kReadOnlyWalText + path};
    }
    if (contents == Contents::Locked) {
      return {CreateDatabaseStatus::Failed,
              u"データベースが他のプログラムに使われています。しばらくしてからやり直してください: " + path};
    }
    return {CreateDatabaseStatus::Refused,
            u"ポイントデータベースではないファイルが既にあります。変更しません: " + path};
  }

  const std::u16string temporary = path + u".creating-" + platform::ProcessTag();
  platform::RemoveFile(temporary);
  std::string message;
  const bool written = WriteSchema(convert::NativePath(temporary), message);
  if (!written) {
    platform::RemoveFile(temporary);
    return Failed(path, message);
  }
  // A file that appeared under the name meanwhile is never replaced.
  const platform::MoveResult moved = platform::MoveToFreeName(temporary, path, message);
  if (moved != platform::MoveResult::Moved) platform::RemoveFile(temporary);
  if (moved == platform::MoveResult::NameTaken) return CreatePointsDatabase(path);
  if (moved == platform::MoveResult::Failed) return Failed(path, message);
  return {CreateDatabaseStatus::Created, u"ポイントデータベースを作成しました: " + path};
}

}  // namespace pointimport::outside::sqlite

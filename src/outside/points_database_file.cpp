#include "outside/points_database_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "convert/utf.h"
#include "outside/points_schema.h"
#include "outside/sqlite_handle.h"
#include "outside/sqlite_statement.h"

namespace pointimport::outside {

using convert::Utf8ToUtf16;

namespace {

enum class Contents { PointsDatabase, SomethingElse, Locked };

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
  const int code = sqlite3_extended_errcode(db.get()) & 0xFF;
  return code == SQLITE_BUSY || code == SQLITE_LOCKED ? Contents::Locked : Contents::SomethingElse;
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
  struct stat info {};
  if (::lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && ::stat(target.c_str(), &info) != 0) {
    // A link to nowhere: link() would find the name taken, and writing
    // through it would put the database wherever the link points.
    return {CreateDatabaseStatus::Refused,
            u"シンボリックリンクの先がありません。データベースを作成しません: " + path};
  }
  if (::stat(target.c_str(), &info) == 0) {
    const Contents contents = S_ISREG(info.st_mode) ? ContentsOf(target) : Contents::SomethingElse;
    if (contents == Contents::PointsDatabase) {
      return {CreateDatabaseStatus::AlreadyExists, u"ポイントデータベースは既にあります: " + path};
    }
    if (contents == Contents::Locked) {
      return {CreateDatabaseStatus::Failed,
              u"データベースが他のプログラムに使われています。しばらくしてからやり直してください: " + path};
    }
    return {CreateDatabaseStatus::Refused,
            u"ポイントデータベースではないファイルが既にあります。変更しません: " + path};
  }

  const std::string temporary = target + ".creating-" + std::to_string(::getpid());
  ::unlink(temporary.c_str());
  std::string message;
  const bool written = WriteSchema(temporary, message);
  if (!written) {
    ::unlink(temporary.c_str());
    return Failed(path, message);
  }
  // link() fails when the target appeared meanwhile, so nothing is replaced.
  const int linked = ::link(temporary.c_str(), target.c_str());
  const int linkError = errno;
  ::unlink(temporary.c_str());
  if (linked != 0) {
    if (linkError == EEXIST) return CreatePointsDatabase(path);
    return Failed(path, std::strerror(linkError));
  }
  return {CreateDatabaseStatus::Created, u"ポイントデータベースを作成しました: " + path};
}

}  // namespace pointimport::outside

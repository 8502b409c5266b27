#pragma once

#include <QString>

namespace tallix {

// Turns the few T-SQL forms of the programs' SQL texts that SQLite cannot parse into forms it
// can, leaving everything else (string literals and comments included) as written:
//   CONVERT(VARCHAR(32), x, 21)  ->  CONVERT('VARCHAR(32)', x, 21)  (the type as text)
//   CAST(x AS datetime)          ->  CONVERT('datetime', x)         (T-SQL conversion rules)
//   DELETE T WHERE ...           ->  DELETE FROM T WHERE ...
//   INSERT T (...)               ->  INSERT INTO T (...)
//   SET IDENTITY_INSERT T ON|OFF ->  (nothing: SQLite always accepts explicit key values)
//   N'text'                      ->  'text'
//   'a' + NCHAR(13) + 'b'        ->  'a' || NCHAR(13) || 'b'        (a "+" beside a literal
//                                                                    or a CHAR call joins texts)
// Only known SQL Server type names are rewritten; a CAST to another type stays SQLite's own.
class TsqlRewriter {
public:
    static QString rewrite(const QString& sql);
};

} // namespace tallix

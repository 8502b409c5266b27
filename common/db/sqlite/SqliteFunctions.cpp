#include "common/db/sqlite/SqliteFunctions.h"

#include "common/base/Error.h"
#include "common/db/TsqlConversion.h"
#include "common/db/sqlite/TsqlLike.h"

#include <sqlite3.h>

namespace tallix {

namespace {

QVariant fromSqlite(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qint64>(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(v));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                                          sqlite3_value_bytes(v)));
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v)));
    default:
        return QVariant();
    }
}

void setResult(sqlite3_context* ctx, const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        sqlite3_result_null(ctx);
        break;
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool:
        sqlite3_result_int64(ctx, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_result_double(ctx, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_result_blob64(ctx, bytes.constData(), static_cast<sqlite3_uint64>(bytes.size()),
                              SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_result_text64(ctx, text.constData(), static_cast<sqlite3_uint64>(text.size()),
                              SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
    }
    }
}

void fail(sqlite3_context* ctx, const QString& message)
{
    const QByteArray text = message.toUtf8();
    sqlite3_result_error(ctx, text.constData(), static_cast<int>(text.size()));
}

// No exception may cross into SQLite's C frames.
void convertFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    try {
        if (argc != 2 && argc != 3)
            return fail(ctx,
                        QStringLiteral("CONVERT takes a type, a value and an optional style."));
        if (sqlite3_value_type(argv[0]) != SQLITE_TEXT)
            return fail(ctx, QStringLiteral("CONVERT needs a type name as its first argument."));
        std::optional<int> style;
        if (argc == 3 && sqlite3_value_type(argv[2]) != SQLITE_NULL)
            style = sqlite3_value_int(argv[2]);
        setResult(ctx, TsqlConversion::convert(fromSqlite(argv[0]).toString(), fromSqlite(argv[1]),
                                               style));
    } catch (const Error& e) {
        fail(ctx, e.description());
    } catch (...) {
        sqlite3_result_error_nomem(ctx);
    }
}

void getdateFunction(sqlite3_context* ctx, int, sqlite3_value**)
{
    try {
        setResult(ctx, TsqlConversion::storedDateTime(QDateTime::currentDateTime()));
    } catch (...) {
        sqlite3_result_error_nomem(ctx);
    }
}

void newidFunction(sqlite3_context* ctx, int, sqlite3_value**)
{
    try {
        setResult(ctx, TsqlConversion::newGuid());
    } catch (...) {
        sqlite3_result_error_nomem(ctx);
    }
}

// X LIKE Y [ESCAPE Z] arrives as like(Y, X[, Z]). A constant pattern is parsed once per
// statement and kept with the statement.
void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    try {
        for (int i = 0; i < argc; ++i) {
            if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
                return sqlite3_result_null(ctx);
        }
        std::optional<QChar> escape;
        if (argc == 3) {
            const QString e = fromSqlite(argv[2]).toString();
            if (e.size() != 1)
                return fail(ctx, QStringLiteral("ESCAPE expression must be a single character"));
            escape = e[0];
        }
        struct Compiled {
            std::optional<QChar> escape;
            TsqlLike like;
        };
        auto* compiled = static_cast<Compiled*>(sqlite3_get_auxdata(ctx, 0));
        if (!compiled || compiled->escape != escape) {
            compiled = new Compiled{escape, TsqlLike(fromSqlite(argv[0]).toString(), escape)};
            sqlite3_set_auxdata(ctx, 0, compiled,
                                [](void* p) { delete static_cast<Compiled*>(p); });
            compiled = static_cast<Compiled*>(sqlite3_get_auxdata(ctx, 0));
            if (!compiled) // SQLite keeps no data for a pattern that changes from row to row
                return sqlite3_result_int(ctx, TsqlLike(fromSqlite(argv[0]).toString(), escape)
                                                   .matches(fromSqlite(argv[1]).toString()));
        }
        sqlite3_result_int(ctx, compiled->like.matches(fromSqlite(argv[1]).toString()));
    } catch (...) {
        sqlite3_result_error_nomem(ctx);
    }
}

// NCHAR(n): the character of UTF-16 code n, NULL outside 0 to 65535 (T-SQL's rule), as restore
// texts write a control character of a Unicode value.
void ncharFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const sqlite3_int64 code = sqlite3_value_int64(argv[0]);
    if (code < 0 || code > 0xFFFF) {
        sqlite3_result_null(ctx);
        return;
    }
    const char16_t c = static_cast<char16_t>(code);
    sqlite3_result_text16(ctx, &c, sizeof c, SQLITE_TRANSIENT);
}

} // namespace

bool registerTsqlFunctions(sqlite3* db)
{
    if (!db)
        return false;
    const int deterministic = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function_v2(db, "CONVERT", -1, deterministic, nullptr, convertFunction,
                                      nullptr, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "GETDATE", 0, SQLITE_UTF8, nullptr, getdateFunction,
                                      nullptr, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "NEWID", 0, SQLITE_UTF8, nullptr, newidFunction, nullptr,
                                      nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "LIKE", 2, deterministic, nullptr, likeFunction, nullptr,
                                      nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "LIKE", 3, deterministic, nullptr, likeFunction, nullptr,
                                      nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "NCHAR", 1, deterministic, nullptr, ncharFunction,
                                      nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace tallix

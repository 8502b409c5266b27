#pragma once

#include <QString>

namespace tallix {

// How a column's value is turned into text, chosen by its type name.
enum class TypeClass {
    Guid,             // uniqueidentifier
    Character,        // char, varchar
    UnicodeCharacter, // nchar, nvarchar
    DateTime,         // datetime
    RowVersion,       // timestamp
    Money,            // money, smallmoney
    Float,            // float, real
    Decimal,          // decimal, numeric
    Default,          // every other type name, including an empty one
};

// Exact, case-sensitive comparison of the whole type name; "VarChar" is Default.
TypeClass typeClassOf(const QString& datatype);

} // namespace tallix

#include "generator/templates/TypeClass.h"

namespace tallix {

TypeClass typeClassOf(const QString& datatype)
{
    const auto is = [&datatype](const char* name) {
        return datatype == QLatin1StringView(name);
    };
    if (is("uniqueidentifier"))
        return TypeClass::Guid;
    if (is("char") || is("varchar"))
        return TypeClass::Character;
    if (is("nchar") || is("nvarchar"))
        return TypeClass::UnicodeCharacter;
    if (is("datetime"))
        return TypeClass::DateTime;
    if (is("timestamp"))
        return TypeClass::RowVersion;
    if (is("money") || is("smallmoney"))
        return TypeClass::Money;
    if (is("float") || is("real"))
        return TypeClass::Float;
    if (is("decimal") || is("numeric"))
        return TypeClass::Decimal;
    return TypeClass::Default;
}

} // namespace tallix

#include "common/base/Error.h"

namespace tallix {

Error::Error(long number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what(m_description.toUtf8())
{}

Error Error::invalidArgument()
{
    return Error(InvalidArgument, QStringLiteral("Invalid procedure call or argument"));
}

Error Error::subscriptOutOfRange()
{
    return Error(SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}

Error Error::fileNotFound()
{
    return Error(FileNotFound, QStringLiteral("File not found"));
}

Error Error::duplicateKey()
{
    return Error(
        DuplicateKey,
        QStringLiteral("This key is already associated with an element of this collection"));
}

} // namespace tallix

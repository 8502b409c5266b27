#include "controls/KwError.h"

#include "controls/KwStrings.h"

namespace Solido {

KwError::KwError(long number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what(m_description.toUtf8())
{}

KwError KwError::of(long number)
{
    return KwError(number, errorText(number));
}

} // namespace Solido

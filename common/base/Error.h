#pragma once

#include <QString>
#include <exception>

namespace tallix {

// The one exception type of both programs: a number (a runtime error code such as
// 5, 9, 53 or 457, or a provider's error number) and a description, as the places
// that report failures show them.
class Error : public std::exception {
public:
    Error(long number, QString description);

    long number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

    // The runtime error codes the programs raise themselves.
    static constexpr long InvalidArgument = 5;
    static constexpr long SubscriptOutOfRange = 9;
    static constexpr long FileNotFound = 53;
    static constexpr long DuplicateKey = 457;

    static Error invalidArgument();
    static Error subscriptOutOfRange();
    static Error fileNotFound();
    static Error duplicateKey();

private:
    long m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace tallix

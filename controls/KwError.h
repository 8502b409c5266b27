#pragma once

#include "controls/Solido3dExport.h"

#include <QByteArray>
#include <QString>
#include <exception>

namespace Solido {

// The automation error a control raises: a number and its text. The library's own range errors
// are its message numbers less 10000 (message 40002 is error 30002); the others are the numbers
// containers know from the runtime.
class SOLIDO3D_EXPORT KwError : public std::exception {
public:
    KwError(long number, QString description);

    long number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

    // The error of a number the library raises, with its one text.
    static KwError of(long number);

    static constexpr long InvalidProcedureCall = 5;
    static constexpr long FileNotFound = 53;
    static constexpr long InvalidPropertyValue = 380;
    static constexpr long UnavailableAtDesignTime = 393;
    static constexpr long ReadOnlyProperty = 383;
    static constexpr long InvalidObjectUse = 425;
    static constexpr long NoSuchProperty = 438;
    static constexpr long NotSupported = 445;
    static constexpr long FormatMismatch = 461;
    static constexpr long FormatsLocked = 672;
    static constexpr long ArgumentExpected = 673;
    static constexpr long RecursiveDrag = 674;
    static constexpr long ByteArrayRequired = 675;
    static constexpr long DataNotSupplied = 676;
    static constexpr long PanelBevelWidth = 30002;
    static constexpr long PanelBorderWidth = 30003;
    static constexpr long ButtonBevelWidth = 30004;
    static constexpr long GroupNumber = 30005;
    static constexpr long FloodPercent = 30006;
    static constexpr long UnsupportedFormat = 30007;
    static constexpr long TransparentAtRunTime = 30008;
    static constexpr long InvalidIndex = 30009;

    // The offset between a message number and the error it raises.
    static constexpr long MessageOffset = 10000;

private:
    long m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace Solido

#pragma once

#include "common/base/Error.h"

#include <QString>
#include <QStringView>
#include <utility>

namespace tallix {

// Raised by a sink that cannot take the script (a full disk, a closed pipe): the
// script is then incomplete, which the driver does not report itself; whoever
// gave the sink says where the script could not be written.
class ScriptSinkError : public Error {
public:
    using Error::Error;
};

// Where the script driver puts the script while it builds it, one piece (the
// header, the creation block, one trigger) at a time, so that a large script is
// never held whole.
class IScriptSink {
public:
    virtual ~IScriptSink() = default;
    // Throws ScriptSinkError when the piece cannot be taken.
    virtual void append(QStringView text) = 0;
};

// Collects the whole script as text.
class StringScriptSink : public IScriptSink {
public:
    void append(QStringView text) override { m_text += text; }
    QString take() { return std::exchange(m_text, QString()); }

private:
    QString m_text;
};

} // namespace tallix

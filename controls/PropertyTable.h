#pragma once

#include "controls/Solido3dExport.h"

#include <QAnyStringView>
#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>
#include <span>
#include <vector>

namespace Solido {

// The six control classes; each has one property table.
enum class KwFamily { Frame, Panel, Option, Check, Ribbon, Command };

// The types of the properties as containers see them.
enum class PropertyType {
    Bool,    // true or false
    Short,   // 16-bit whole number
    Long,    // 32-bit whole number
    Single,  // floating-point number
    Text,    // string
    Color,   // OLE colour value
    Enum,    // one of the values of a Constants_ enumeration
    Font,    // font object
    Picture, // picture object
    Variant, // any value
    Handle   // a window handle, read-only
};

// The bytes the type takes in a saved state (object types count as one reference).
SOLIDO3D_EXPORT int byteWidth(PropertyType type);

// One property of a family: its name, dispatch identifier, type, defaults and range, and the
// name it is saved under.
struct PropertyInfo {
    const char* name = nullptr;
    int dispId = 0;
    PropertyType type = PropertyType::Bool;
    const char* enumName = nullptr; // the Constants_ enumeration of an Enum
    qint64 initial = 0;             // the value of a newly placed control
    std::optional<qint64> whenMissing =
        std::nullopt;   // the value when a saved state lacks it (else `initial`)
    double minimum = 0; // range of Short and Single values
    double maximum = 32767;
    long rangeError = 0;           // the error a value out of range raises (0: 380)
    bool saved = true;             // written to and read from a saved state
    const char* bagName = nullptr; // its name there when it differs from `name`
    const char* aliasOf = nullptr; // a default member (_Caption, _Value) names its property
    bool readOnly = false;
    bool native = false; // kept by the widget itself (font, enabled state, window handle)

    qint64 missingDefault() const { return whenMissing.value_or(initial); }
    const char* savedName() const { return saved ? (bagName ? bagName : name) : nullptr; }
};

// The properties of one family, in interface order (common ones first), with lookups and the
// checks every setter applies.
class SOLIDO3D_EXPORT PropertyTable {
public:
    static const PropertyTable& of(KwFamily family);

    KwFamily family() const { return m_family; }
    std::span<const PropertyInfo> rows() const { return m_rows; }

    // Lookups by dispatch identifier and by name (names ignore letter case, as automation
    // names do). Default members (identifier 0) are found too; see target().
    const PropertyInfo* find(int dispId) const;
    const PropertyInfo* find(QAnyStringView name) const;
    // The property a default member stands for; any other row is its own target.
    const PropertyInfo& target(const PropertyInfo& row) const;
    // The row's position in rows().
    qsizetype indexOf(const PropertyInfo& row) const;

    // The value of a new control and the value taken when a saved state lacks the name. Font
    // rows have none here: the control's own font stands in.
    static QVariant initialValue(const PropertyInfo& row);
    static QVariant missingValue(const PropertyInfo& row);

    // The value converted to the row's type, or the error the setter raises: the row's range
    // error for a number out of its range (a negative number counts as out of range), "Invalid
    // property value" for a value of the wrong kind or an unknown enumeration value.
    static QVariant coerce(const PropertyInfo& row, const QVariant& value);
    // Whether two values of the row's type are the same (pictures by identity).
    static bool same(const PropertyInfo& row, const QVariant& a, const QVariant& b);

private:
    PropertyTable(KwFamily family, std::vector<PropertyInfo> rows);

    KwFamily m_family;
    std::vector<PropertyInfo> m_rows;
};

} // namespace Solido

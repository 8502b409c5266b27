#include "controls/PropertyTable.h"

#include "controls/DispIds.h"
#include "controls/KwEnums.h"
#include "controls/KwError.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMetaEnum>
#include <QPixmap>
#include <cmath>
#include <limits>

namespace Solido {

namespace {

using T = PropertyType;
namespace D = DispId;

constexpr qint64 kButtonFace = 0x8000000F;
constexpr qint64 kButtonText = 0x80000012;
constexpr qint64 kLightGrey = 0xC0C0C0;
constexpr qint64 kBlue = 0xFF0000;

// IKwBase: every control.
const std::vector<PropertyInfo> kBase = {
    {.name = "ActiveColors", .dispId = D::ActiveColors, .type = T::Bool},
    {.name = "PictureAnimationDelay",
     .dispId = D::PictureAnimationDelay,
     .type = T::Short,
     .initial = 60},
    {.name = "PictureAnimationEnabled", .dispId = D::PictureAnimationEnabled, .type = T::Bool},
    {.name = "BackColor", .dispId = D::BackColor, .type = T::Color, .initial = kButtonFace},
    {.name = "BackStyle",
     .dispId = D::BackStyle,
     .type = T::Enum,
     .enumName = "Constants_BackStyle",
     .initial = kwOpaque},
    {.name = "CaptionStyle",
     .dispId = D::CaptionStyle,
     .type = T::Enum,
     .enumName = "Constants_CaptionStyle",
     .initial = kwStandard},
    {.name = "Enabled",
     .dispId = D::Enabled,
     .type = T::Bool,
     .initial = 1,
     .saved = false,
     .native = true},
    {.name = "Font", .dispId = D::Font, .type = T::Font, .native = true},
    {.name = "Font3D",
     .dispId = D::Font3D,
     .type = T::Enum,
     .enumName = "Constants_Font3D",
     .initial = kwNoneFont3D},
    {.name = "FontBold", .dispId = D::FontBold, .type = T::Bool, .native = true},
    {.name = "FontItalic", .dispId = D::FontItalic, .type = T::Bool, .native = true},
    {.name = "FontName", .dispId = D::FontName, .type = T::Text, .native = true},
    {.name = "FontSize",
     .dispId = D::FontSize,
     .type = T::Single,
     .minimum = 1,
     .maximum = 2048,
     .native = true},
    {.name = "FontStrikethru", .dispId = D::FontStrikethru, .type = T::Bool, .native = true},
    {.name = "FontUnderline", .dispId = D::FontUnderline, .type = T::Bool, .native = true},
    {.name = "ForeColor", .dispId = D::ForeColor, .type = T::Color, .initial = kButtonText},
    {.name = "hWnd",
     .dispId = D::hWnd,
     .type = T::Handle,
     .saved = false,
     .readOnly = true,
     .native = true},
    {.name = "MarqueeDelay", .dispId = D::MarqueeDelay, .type = T::Short, .initial = 120},
    {.name = "MarqueeDirection",
     .dispId = D::MarqueeDirection,
     .type = T::Enum,
     .enumName = "Constants_MarqueeDirection",
     .initial = kwMDRightToLeft},
    {.name = "MarqueeScrollAmount",
     .dispId = D::MarqueeScrollAmount,
     .type = T::Short,
     .initial = 1},
    {.name = "MarqueeStyle",
     .dispId = D::MarqueeStyle,
     .type = T::Enum,
     .enumName = "Constants_MarqueeStyle",
     .initial = kwNoneMarquee},
    {.name = "MouseIcon", .dispId = D::MouseIcon, .type = T::Picture},
    {.name = "MousePointer",
     .dispId = D::MousePointer,
     .type = T::Enum,
     .enumName = "Constants_MousePointer",
     .initial = kwDefault},
    {.name = "OLEDropMode",
     .dispId = D::OLEDropMode,
     .type = T::Enum,
     .enumName = "Constants_OLEDrop",
     .initial = kwOLEDropNone},
    {.name = "Picture", .dispId = D::Picture, .type = T::Picture},
    {.name = "PictureAnimationCount", .dispId = D::PictureAnimationCount, .type = T::Short},
    {.name = "PictureFrame",
     .dispId = D::PictureFrame,
     .type = T::Short,
     .initial = 1,
     .minimum = 1},
    {.name = "PictureFrames", .dispId = D::PictureFrames, .type = T::Short},
    {.name = "PictureMaskColor",
     .dispId = D::PictureMaskColor,
     .type = T::Color,
     .initial = kLightGrey},
    {.name = "PictureMaskColorSource",
     .dispId = D::PictureMaskColorSource,
     .type = T::Enum,
     .enumName = "Constants_PictureMaskColorSource",
     .initial = kwUseMaskColor},
    // Saved as well, so that a mask chosen at design time survives the reload.
    {.name = "PictureUseMask", .dispId = D::PictureUseMask, .type = T::Bool},
    {.name = "TagVariant", .dispId = D::TagVariant, .type = T::Variant},
};

// IKwFrameBase: the two containers.
const std::vector<PropertyInfo> kFrameBase = {
    {.name = "PictureBackgroundStyle",
     .dispId = D::PictureBackgroundStyle,
     .type = T::Enum,
     .enumName = "Constants_PictureBackgroundStyle",
     .initial = kwCentered},
    {.name = "PictureBackground", .dispId = D::PictureBackground, .type = T::Picture},
    {.name = "ClipControls", .dispId = D::ClipControls, .type = T::Bool, .initial = 1},
    {.name = "PictureBackgroundUseMask", .dispId = D::PictureBackgroundUseMask, .type = T::Bool},
};

const PropertyInfo kCaption = {.name = "Caption", .dispId = D::Caption, .type = T::Text};
const PropertyInfo kDefaultCaption = {.name = "_Caption",
                                      .dispId = D::Default,
                                      .type = T::Text,
                                      .saved = false,
                                      .aliasOf = "Caption"};

const std::vector<PropertyInfo> kFrame = {
    kCaption,
    kDefaultCaption,
    {.name = "Alignment",
     .dispId = D::Alignment,
     .type = T::Enum,
     .enumName = "Constants_AlignFrameText",
     .initial = kwTopLeft},
    // Saved as well: the shadow colour chosen at design time would otherwise be lost.
    {.name = "ShadowColor",
     .dispId = D::ShadowColor,
     .type = T::Enum,
     .enumName = "Constants_ShadowColor",
     .initial = kwDarkGrey},
    {.name = "ShadowStyle",
     .dispId = D::ShadowStyle,
     .type = T::Enum,
     .enumName = "Constants_ShadowStyle",
     .initial = kwInsetShadow},
    {.name = "PictureAlignment",
     .dispId = D::PictureAlignment,
     .type = T::Enum,
     .enumName = "Constants_PictureAlignment",
     .initial = kwPALeftOfCaption},
};

const std::vector<PropertyInfo> kPanel = {
    kCaption,
    kDefaultCaption,
    {.name = "BevelWidth",
     .dispId = D::BevelWidth,
     .type = T::Short,
     .initial = 1,
     .maximum = 30,
     .rangeError = KwError::PanelBevelWidth},
    {.name = "BorderWidth",
     .dispId = D::BorderWidth,
     .type = T::Short,
     .initial = 3,
     .maximum = 30,
     .rangeError = KwError::PanelBorderWidth},
    {.name = "BevelOuter",
     .dispId = D::BevelOuter,
     .type = T::Enum,
     .enumName = "Constants_Bevel",
     .initial = kwRaisedBevel},
    {.name = "BevelInner",
     .dispId = D::BevelInner,
     .type = T::Enum,
     .enumName = "Constants_Bevel",
     .initial = kwNoneBevel},
    {.name = "RoundedCorners",
     .dispId = D::RoundedCorners,
     .type = T::Bool,
     .initial = 1,
     .whenMissing = 0},
    {.name = "Outline", .dispId = D::Outline, .type = T::Bool},
    {.name = "FloodType",
     .dispId = D::FloodType,
     .type = T::Enum,
     .enumName = "Constants_FloodType",
     .initial = kwNoneFlood},
    {.name = "FloodColor", .dispId = D::FloodColor, .type = T::Color, .initial = kBlue},
    {.name = "FloodPercent",
     .dispId = D::FloodPercent,
     .type = T::Short,
     .maximum = 100,
     .rangeError = KwError::FloodPercent},
    {.name = "FloodShowPct",
     .dispId = D::FloodShowPct,
     .type = T::Bool,
     .initial = 1,
     .whenMissing = 0},
    {.name = "Alignment",
     .dispId = D::Alignment,
     .type = T::Enum,
     .enumName = "Constants_Alignment",
     .initial = kwCenterMiddle},
    {.name = "ShadowColor",
     .dispId = D::ShadowColor,
     .type = T::Enum,
     .enumName = "Constants_ShadowColor",
     .initial = kwDarkGrey},
    {.name = "AutoSize",
     .dispId = D::AutoSize,
     .type = T::Enum,
     .enumName = "Constants_AutoSizePanel",
     .initial = kwNoneAutoSize},
    {.name = "PictureAlignment",
     .dispId = D::PictureAlignment,
     .type = T::Enum,
     .enumName = "Constants_Alignment",
     .initial = kwLeftTop},
    {.name = "FloodFillStyle",
     .dispId = D::FloodFillStyle,
     .type = T::Enum,
     .enumName = "Constants_FloodFillStyle",
     .initial = kwSolid},
};

// IKwOptionBase: option button and check box.
const std::vector<PropertyInfo> kOptionBase = {
    kCaption,
    {.name = "Alignment",
     .dispId = D::Alignment,
     .type = T::Enum,
     .enumName = "Constants_AlignTo",
     .initial = kwTextRight},
    {.name = "PictureAlignment",
     .dispId = D::PictureAlignment,
     .type = T::Enum,
     .enumName = "Constants_PictureAlignment",
     .initial = kwPALeftOfCaption},
};

const PropertyInfo kWindowless = {.name = "Windowless", .dispId = D::Windowless, .type = T::Bool};

const std::vector<PropertyInfo> kOption = {
    {.name = "Value", .dispId = D::OptionValue11, .type = T::Bool},
    {.name = "_Value", .dispId = D::Default, .type = T::Bool, .saved = false, .aliasOf = "Value"},
    {.name = "OptionBtnMaskColor",
     .dispId = D::MaskColor,
     .type = T::Color,
     .initial = kLightGrey,
     .bagName = "MaskColor"},
    {.name = "OptionBtnUseMask",
     .dispId = D::UseMask,
     .type = T::Bool,
     .bagName = "GraphicsUseMask"},
    {.name = "OptionBtnGraphics", .dispId = D::Graphics, .type = T::Picture, .bagName = "Graphics"},
    kWindowless,
    {.name = "OptionValue", .dispId = D::Value, .type = T::Text},
    {.name = "DataValue", .dispId = D::DataValue, .type = T::Text, .saved = false},
};

const std::vector<PropertyInfo> kCheck = {
    {.name = "BoundValue", .dispId = D::BoundValue, .type = T::Long, .saved = false},
    {.name = "_Value", .dispId = D::Default, .type = T::Long, .saved = false, .aliasOf = "Value"},
    {.name = "Value",
     .dispId = D::Value,
     .type = T::Enum,
     .enumName = "Constants_CheckBoxValue",
     .initial = kwCBUnchecked},
    {.name = "CheckBoxMaskColor",
     .dispId = D::MaskColor,
     .type = T::Color,
     .initial = kLightGrey,
     .bagName = "MaskColor"},
    {.name = "CheckBoxUseMask",
     .dispId = D::UseMask,
     .type = T::Bool,
     .bagName = "GraphicsUseMask"},
    {.name = "CheckBoxGraphics", .dispId = D::Graphics, .type = T::Picture, .bagName = "Graphics"},
    {.name = "TripleState", .dispId = D::TripleState, .type = T::Bool},
    kWindowless,
};

// IKwButtonBase: ribbon and command buttons.
const std::vector<PropertyInfo> kButtonBase = {
    kCaption,
    {.name = "Value", .dispId = D::Value, .type = T::Bool, .saved = false},
    {.name = "_Value", .dispId = D::Default, .type = T::Bool, .saved = false, .aliasOf = "Value"},
    {.name = "Alignment",
     .dispId = D::Alignment,
     .type = T::Enum,
     .enumName = "Constants_Alignment",
     .initial = kwCenterMiddle},
    {.name = "AutoSize",
     .dispId = D::AutoSize,
     .type = T::Enum,
     .enumName = "Constants_AutoSizeButton",
     .initial = kwNoneAutoSizeButton},
    {.name = "BevelWidth",
     .dispId = D::BevelWidth,
     .type = T::Short,
     .initial = 2,
     .maximum = 10,
     .rangeError = KwError::ButtonBevelWidth},
    {.name = "ButtonStyle",
     .dispId = D::ButtonStyle,
     .type = T::Enum,
     .enumName = "Constants_ButtonStyle",
     .initial = kwFollowOS},
    {.name = "Outline", .dispId = D::Outline, .type = T::Bool},
    {.name = "PictureAlignment",
     .dispId = D::PictureAlignment,
     .type = T::Enum,
     .enumName = "Constants_Alignment",
     .initial = kwCenterMiddle},
    {.name = "PictureDisabled", .dispId = D::PictureDisabled, .type = T::Picture},
    {.name = "PictureDisabledFrames", .dispId = D::PictureDisabledFrames, .type = T::Short},
    {.name = "PictureDn", .dispId = D::PictureDn, .type = T::Picture},
    {.name = "PictureDnFrames", .dispId = D::PictureDnFrames, .type = T::Short},
    {.name = "Shape", .dispId = D::Shape, .type = T::Picture},
    {.name = "ShapeSize",
     .dispId = D::ShapeSize,
     .type = T::Enum,
     .enumName = "Constants_ShapeSize",
     .initial = kwControlToShape},
    {.name = "RoundedCorners", .dispId = D::RoundedCorners, .type = T::Bool},
};

const std::vector<PropertyInfo> kRibbon = {
    {.name = "GroupNumber",
     .dispId = D::GroupNumber,
     .type = T::Short,
     .initial = 1,
     .maximum = 99,
     .rangeError = KwError::GroupNumber},
    {.name = "GroupAllowAllUp", .dispId = D::GroupAllowAllUp, .type = T::Bool, .initial = 1},
    {.name = "PictureDnChange",
     .dispId = D::PictureDnChange,
     .type = T::Enum,
     .enumName = "Constants_PictureDnChange",
     .initial = kwDither},
    {.name = "PictureUp", .dispId = D::PictureUp, .type = T::Picture},
    {.name = "PictureDnDisabled", .dispId = D::PictureDnDisabled, .type = T::Picture},
    {.name = "PictureDnDisabledFrames", .dispId = D::PictureDnDisabledFrames, .type = T::Short},
    kWindowless,
};

const std::vector<PropertyInfo> kCommand = {
    {.name = "AutoRepeat", .dispId = D::AutoRepeat, .type = T::Bool},
    kWindowless,
};

std::vector<PropertyInfo> joined(std::initializer_list<const std::vector<PropertyInfo>*> parts)
{
    std::vector<PropertyInfo> rows;
    for (const auto* part : parts)
        rows.insert(rows.end(), part->begin(), part->end());
    return rows;
}

// A ribbon button's Value is its latched state: saved, unlike the command button's.
std::vector<PropertyInfo> ribbonRows()
{
    std::vector<PropertyInfo> rows = joined({&kBase, &kButtonBase, &kRibbon});
    for (PropertyInfo& row : rows)
        if (row.dispId == D::Value)
            row.saved = true;
    return rows;
}

bool isIntegral(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return v.metaType().flags().testFlag(QMetaType::IsEnumeration);
    }
}

bool isFloating(const QVariant& v)
{
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

[[noreturn]] void invalid()
{
    throw KwError::of(KwError::InvalidPropertyValue);
}

// A whole number from a number or a text holding one; doubles are rounded.
qint64 wholeNumber(const QVariant& v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1 : 0; // automation's true is -1
    if (v.typeId() == QMetaType::ULongLong) {
        const qulonglong u = v.toULongLong();
        if (u > qulonglong(std::numeric_limits<qint64>::max()))
            invalid();
        return qint64(u);
    }
    if (isIntegral(v))
        return v.toLongLong();
    if (isFloating(v)) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || std::abs(d) > 9.0e15)
            invalid();
        return qint64(std::llround(d));
    }
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const qint64 n = v.toString().trimmed().toLongLong(&ok);
        if (ok)
            return n;
    }
    invalid();
}

void checkRange(const PropertyInfo& row, double n)
{
    if (n < row.minimum || n > row.maximum)
        throw KwError::of(row.rangeError ? row.rangeError : KwError::InvalidPropertyValue);
}

QMetaEnum metaEnum(const PropertyInfo& row)
{
    const QMetaObject& meta = Solido::staticMetaObject;
    return meta.enumerator(meta.indexOfEnumerator(row.enumName));
}

} // namespace

int byteWidth(PropertyType type)
{
    switch (type) {
    case T::Bool:
    case T::Short:
        return 2;
    case T::Long:
    case T::Single:
    case T::Color:
    case T::Enum:
        return 4;
    case T::Variant:
        return 16;
    case T::Text:
    case T::Font:
    case T::Picture:
    case T::Handle:
        return int(sizeof(void*));
    }
    return 0;
}

PropertyTable::PropertyTable(KwFamily family, std::vector<PropertyInfo> rows)
    : m_family(family)
    , m_rows(std::move(rows))
{}

const PropertyTable& PropertyTable::of(KwFamily family)
{
    static const PropertyTable frame(KwFamily::Frame, joined({&kBase, &kFrameBase, &kFrame}));
    static const PropertyTable panel(KwFamily::Panel, joined({&kBase, &kFrameBase, &kPanel}));
    static const PropertyTable option(KwFamily::Option, joined({&kBase, &kOptionBase, &kOption}));
    static const PropertyTable check(KwFamily::Check, joined({&kBase, &kOptionBase, &kCheck}));
    static const PropertyTable ribbon(KwFamily::Ribbon, ribbonRows());
    static const PropertyTable command(KwFamily::Command,
                                       joined({&kBase, &kButtonBase, &kCommand}));
    switch (family) {
    case KwFamily::Frame:
        return frame;
    case KwFamily::Panel:
        return panel;
    case KwFamily::Option:
        return option;
    case KwFamily::Check:
        return check;
    case KwFamily::Ribbon:
        return ribbon;
    case KwFamily::Command:
        break;
    }
    return command;
}

const PropertyInfo* PropertyTable::find(int dispId) const
{
    for (const PropertyInfo& row : m_rows)
        if (row.dispId == dispId)
            return &row;
    return nullptr;
}

const PropertyInfo* PropertyTable::find(QAnyStringView name) const
{
    for (const PropertyInfo& row : m_rows)
        if (QAnyStringView::compare(name, QLatin1String(row.name), Qt::CaseInsensitive) == 0)
            return &row;
    return nullptr;
}

const PropertyInfo& PropertyTable::target(const PropertyInfo& row) const
{
    if (row.aliasOf)
        if (const PropertyInfo* t = find(QLatin1String(row.aliasOf)))
            return *t;
    return row;
}

qsizetype PropertyTable::indexOf(const PropertyInfo& row) const
{
    return &row - m_rows.data();
}

QVariant PropertyTable::initialValue(const PropertyInfo& row)
{
    switch (row.type) {
    case T::Bool:
        return row.initial != 0;
    case T::Short:
    case T::Long:
    case T::Enum:
        return int(row.initial);
    case T::Single:
        return float(row.initial);
    case T::Color:
        return uint(row.initial);
    case T::Text:
        return QString();
    case T::Picture:
        return QPixmap();
    case T::Handle:
        return qulonglong(0);
    case T::Font:
    case T::Variant:
        break;
    }
    return {};
}

QVariant PropertyTable::missingValue(const PropertyInfo& row)
{
    PropertyInfo missing = row;
    missing.initial = row.missingDefault();
    return initialValue(missing);
}

QVariant PropertyTable::coerce(const PropertyInfo& row, const QVariant& value)
{
    switch (row.type) {
    case T::Bool:
        if (value.typeId() == QMetaType::Bool)
            return value.toBool();
        if (value.typeId() == QMetaType::QString) {
            const QString t = value.toString().trimmed();
            if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                return true;
            if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                return false;
        }
        return wholeNumber(value) != 0;
    case T::Short: {
        const qint64 n = wholeNumber(value);
        checkRange(row, double(n));
        return int(n);
    }
    case T::Long: {
        const qint64 n = wholeNumber(value);
        if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
            invalid();
        return int(n);
    }
    case T::Single: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok || !std::isfinite(d) || value.typeId() == QMetaType::Bool)
            invalid();
        checkRange(row, d);
        return float(d);
    }
    case T::Text:
        if (!value.isValid() || value.isNull())
            return QString();
        if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::Bool ||
            isIntegral(value) || isFloating(value))
            return value.toString();
        invalid();
    case T::Color: {
        if (value.typeId() == QMetaType::QColor) {
            const QColor c = value.value<QColor>();
            if (!c.isValid())
                invalid();
            return uint(c.red()) | uint(c.green()) << 8 | uint(c.blue()) << 16;
        }
        const qint64 n = wholeNumber(value);
        if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<quint32>::max())
            invalid();
        return uint(quint32(n)); // a negative automation value is a system colour
    }
    case T::Enum: {
        const QMetaEnum e = metaEnum(row);
        if (value.typeId() == QMetaType::QString) {
            bool ok = false;
            const int v = e.keyToValue(value.toString().trimmed().toLatin1().constData(), &ok);
            if (ok)
                return v;
        }
        const qint64 n = wholeNumber(value);
        if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max() ||
            !e.valueToKey(int(n)))
            invalid();
        return int(n);
    }
    case T::Font:
        if (value.typeId() != QMetaType::QFont)
            invalid();
        return value;
    case T::Picture:
        if (!value.isValid())
            return QPixmap();
        if (value.typeId() == QMetaType::QPixmap)
            return value;
        if (value.typeId() == QMetaType::QImage)
            return QPixmap::fromImage(value.value<QImage>());
        invalid();
    case T::Variant:
        return value;
    case T::Handle:
        break;
    }
    throw KwError::of(KwError::ReadOnlyProperty);
}

bool PropertyTable::same(const PropertyInfo& row, const QVariant& a, const QVariant& b)
{
    if (row.type == T::Picture)
        return a.value<QPixmap>().cacheKey() == b.value<QPixmap>().cacheKey();
    if (row.type == T::Variant)
        return a.metaType() == b.metaType() && a == b;
    return a == b;
}

} // namespace Solido

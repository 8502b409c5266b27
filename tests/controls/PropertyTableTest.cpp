#include "controls/PropertyTable.h"

#include "controls/DispIds.h"
#include "controls/KwEnums.h"
#include "controls/KwError.h"
#include "controls/KwStrings.h"

#include <QColor>
#include <QFont>
#include <QMetaEnum>
#include <QSet>
#include <gtest/gtest.h>

using namespace Solido;

namespace {

const KwFamily kFamilies[] = {KwFamily::Frame, KwFamily::Panel,  KwFamily::Option,
                              KwFamily::Check, KwFamily::Ribbon, KwFamily::Command};

long errorOf(const PropertyInfo& row, const QVariant& value)
{
    try {
        PropertyTable::coerce(row, value);
    } catch (const KwError& e) {
        return e.number();
    }
    return 0;
}

const PropertyInfo& row(KwFamily family, const char* name)
{
    const PropertyInfo* r = PropertyTable::of(family).find(QLatin1String(name));
    if (!r)
        throw std::runtime_error(name);
    return *r;
}

} // namespace

// The tables are data; what must hold for every row of every family is checked here, so a row
// added later cannot break lookups by number or name, saving, or the defaults.
TEST(PropertyTable, EveryFamilyHasUniqueNumbersNamesAndSavedNamesAndValidDefaults)
{
    for (KwFamily family : kFamilies) {
        const PropertyTable& table = PropertyTable::of(family);
        QSet<int> ids;
        QSet<QString> names, saved;
        for (const PropertyInfo& r : table.rows()) {
            SCOPED_TRACE(r.name);
            EXPECT_FALSE(ids.contains(r.dispId));
            ids.insert(r.dispId);
            EXPECT_FALSE(names.contains(QString::fromLatin1(r.name).toLower()));
            names.insert(QString::fromLatin1(r.name).toLower());
            if (r.savedName()) {
                EXPECT_FALSE(saved.contains(QLatin1String(r.savedName())));
                saved.insert(QLatin1String(r.savedName()));
            }
            if (r.aliasOf) {
                EXPECT_EQ(r.dispId, DispId::Default);
                EXPECT_NE(&table.target(r), &r);
            }
            if (r.type == PropertyType::Enum) {
                EXPECT_GE(Solido::staticMetaObject.indexOfEnumerator(r.enumName), 0);
            }
            if (!r.native && !r.readOnly && !r.aliasOf) {
                EXPECT_NO_THROW(PropertyTable::coerce(r, PropertyTable::initialValue(r)));
                EXPECT_NO_THROW(PropertyTable::coerce(r, PropertyTable::missingValue(r)));
            }
        }
    }
}

TEST(PropertyTable, FindsRowsByNumberAndByNameInAnyCase)
{
    const PropertyTable& panel = PropertyTable::of(KwFamily::Panel);
    EXPECT_STREQ(panel.find(DispId::BorderWidth)->name, "BorderWidth");
    EXPECT_EQ(panel.find(u"floodshowpct"), panel.find(DispId::FloodShowPct));
    EXPECT_STREQ(panel.target(*panel.find(DispId::Default)).name, "Caption");
    EXPECT_EQ(panel.find(DispId::GroupNumber), nullptr);
    EXPECT_STREQ(PropertyTable::of(KwFamily::Option).find(DispId::Value)->name, "OptionValue");
    EXPECT_STREQ(PropertyTable::of(KwFamily::Check).find(DispId::Value)->name, "Value");
    EXPECT_STREQ(PropertyTable::of(KwFamily::Check).find(u"Value")->enumName,
                 "Constants_CheckBoxValue");
    EXPECT_STREQ(PropertyTable::of(KwFamily::Frame).find(u"Alignment")->enumName,
                 "Constants_AlignFrameText");
}

TEST(PropertyTable, SavedStateDefaultsDifferFromNewControlsOnlyWhereTheFamilySaysSo)
{
    const PropertyTable& panel = PropertyTable::of(KwFamily::Panel);
    for (const char* name : {"FloodShowPct", "RoundedCorners"}) {
        EXPECT_EQ(PropertyTable::initialValue(*panel.find(QLatin1String(name))), QVariant(true));
        EXPECT_EQ(PropertyTable::missingValue(*panel.find(QLatin1String(name))), QVariant(false));
    }
    EXPECT_EQ(PropertyTable::missingValue(*panel.find(u"BevelWidth")), QVariant(1));
    EXPECT_STREQ(row(KwFamily::Check, "CheckBoxMaskColor").savedName(), "MaskColor");
    EXPECT_EQ(row(KwFamily::Check, "BoundValue").savedName(), nullptr);
    EXPECT_STREQ(row(KwFamily::Ribbon, "Value").savedName(), "Value");
    EXPECT_EQ(row(KwFamily::Command, "Value").savedName(), nullptr);
}

TEST(PropertyTable, SettersRejectValuesOutOfRangeWithTheFamilysErrorAndText)
{
    struct Case {
        KwFamily family;
        const char* name;
        QVariant value;
        long error;
        const char* text;
    };
    const Case cases[] = {
        {KwFamily::Panel, "BevelWidth", 31, 30002, "Bevel width must be from 0 to 30"},
        {KwFamily::Panel, "BevelWidth", -1, 30002, "Bevel width must be from 0 to 30"},
        {KwFamily::Panel, "BorderWidth", 31, 30003, "Border width must be from 0 to 30"},
        {KwFamily::Command, "BevelWidth", 11, 30004, "Bevel width must be from 0 to 10"},
        {KwFamily::Ribbon, "BevelWidth", -2, 30004, "Bevel width must be from 0 to 10"},
        {KwFamily::Ribbon, "GroupNumber", 100, 30005, "Group number must be from 0 to 99"},
        {KwFamily::Panel, "FloodPercent", 101, 30006, "Flood percent must be from 0 to 100"},
        {KwFamily::Panel, "FloodPercent", -1, 30006, "Flood percent must be from 0 to 100"},
        {KwFamily::Panel, "PictureAnimationDelay", -1, 380, "Invalid property value"},
        {KwFamily::Panel, "PictureFrame", 0, 380, "Invalid property value"},
        {KwFamily::Panel, "BevelOuter", 3, 380, "Invalid property value"},
        {KwFamily::Panel, "BevelWidth", QStringLiteral("wide"), 380, "Invalid property value"},
        {KwFamily::Panel, "Caption", QFont(), 380, "Invalid property value"},
        {KwFamily::Panel, "Picture", 7, 380, "Invalid property value"},
        {KwFamily::Panel, "BackColor", qint64(1) << 33, 380, "Invalid property value"},
        {KwFamily::Panel, "hWnd", 1, 383, "Property is read-only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " = " << c.value.toString().toStdString());
        EXPECT_EQ(errorOf(row(c.family, c.name), c.value), c.error);
        EXPECT_EQ(KwError::of(c.error).description(), QLatin1String(c.text));
    }
}

TEST(PropertyTable, SettersAcceptTheEdgesOfTheRangeAndConvertValuesToTheRowsType)
{
    struct Case {
        KwFamily family;
        const char* name;
        QVariant given;
        QVariant stored;
    };
    const Case cases[] = {
        {KwFamily::Panel, "BevelWidth", 30, 30},
        {KwFamily::Panel, "BevelWidth", 0, 0},
        {KwFamily::Panel, "FloodPercent", 100.4, 100},
        {KwFamily::Panel, "FloodPercent", QStringLiteral(" 45 "), 45},
        {KwFamily::Ribbon, "GroupNumber", 99, 99},
        {KwFamily::Panel, "Outline", -1, true},
        {KwFamily::Panel, "Outline", QStringLiteral("False"), false},
        {KwFamily::Panel, "BackColor", int(0x8000000F), 0x8000000Fu},
        {KwFamily::Panel, "FloodColor", QColor(0x11, 0x22, 0x33), 0x332211u},
        {KwFamily::Panel, "BevelInner", QStringLiteral("kwInsetBevel"), int(kwInsetBevel)},
        {KwFamily::Panel, "BevelInner", QVariant::fromValue(kwRaisedBevel), int(kwRaisedBevel)},
        {KwFamily::Panel, "MousePointer", 99, int(kwCustom)},
        {KwFamily::Panel, "Caption", 12, QStringLiteral("12")},
        {KwFamily::Check, "_Value", 2, 2},
        {KwFamily::Check, "BoundValue", -7, -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PropertyTable::coerce(row(c.family, c.name), c.given), c.stored);
    }
    EXPECT_EQ(errorOf(row(KwFamily::Panel, "MousePointer"), 17), 380); // kwCustom is 99, not 17
}

TEST(KwStrings, DocumentationLooksStringsUpByNumberAndLocale)
{
    const DocumentationResult none = documentationString(40002, 0);
    EXPECT_TRUE(none.ok);
    EXPECT_FALSE(none.text.has_value());
    EXPECT_EQ(documentationString(40002, kDefaultLocale).text,
              QStringLiteral("Bevel width must be from 0 to 30"));
    EXPECT_EQ(documentationString(kLibraryHelpString, 0x407).text,
              QStringLiteral("Solidware Plus Controls"));
    EXPECT_EQ(documentationString(kFirstClassDescription + 1, kDefaultLocale).text,
              QStringLiteral("KwPanel Control 3.0"));
    EXPECT_FALSE(documentationString(39999, kDefaultLocale).ok);
    EXPECT_EQ(KwError::of(30007).description(),
              QStringLiteral("DataObject does not support this format."));
    EXPECT_EQ(KwError::of(12345).description(),
              QStringLiteral("Application-defined or object-defined error"));
}

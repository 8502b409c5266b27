#include "controls/DispIds.h"
#include "tests/controls/ControlFixtures.h"

#include <QPixmap>
#include <gtest/gtest.h>

using namespace Solido;
using namespace solido_test;

namespace {

// A value of the row's type other than its defaults.
QVariant changedValue(const PropertyInfo& row)
{
    switch (row.type) {
    case PropertyType::Bool:
        return row.initial == 0;
    case PropertyType::Short:
        return row.maximum >= 7 ? 7 : 0;
    case PropertyType::Long:
        return -99;
    case PropertyType::Single:
        return 19.0f;
    case PropertyType::Text:
        return QStringLiteral("saved %1").arg(QLatin1String(row.name));
    case PropertyType::Color:
        return 0x00A0B0C0u;
    case PropertyType::Enum:
        return row.initial == 1 ? 2 : 1;
    case PropertyType::Font: {
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPointSize(19);
        return font;
    }
    case PropertyType::Picture: {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        return QPixmap::fromImage(image);
    }
    case PropertyType::Variant:
        return 42;
    case PropertyType::Handle:
        break;
    }
    return {};
}

QVariant comparable(const PropertyInfo& row, const QVariant& v)
{
    if (row.type == PropertyType::Picture)
        return v.value<QPixmap>().toImage();
    if (row.type == PropertyType::Font)
        return v.value<QFont>().toString();
    if (row.type == PropertyType::Enum)
        return v.toInt();
    return v;
}

} // namespace

// Every family saves every saved property under its name with the version and extent, and a new
// control reading that state has the same values, clean.
TEST(PropertyBag, EveryFamilyRoundTripsItsSavedState)
{
    for (const ControlKind& kind : controlKinds()) {
        SCOPED_TRACE(kind.name);
        std::unique_ptr<QWidget> original(kind.make(nullptr));
        KwControl* source = control(original.get());
        // Sizing by caption, picture or shape would change the extent; those keep their defaults.
        const QStringList sizing = {QStringLiteral("AutoSize"), QStringLiteral("Shape"),
                                    QStringLiteral("ShapeSize")};
        for (const PropertyInfo& row : source->properties().rows())
            if (row.savedName() && !sizing.contains(QLatin1String(row.name)))
                source->setPropertyValue(row.dispId, changedValue(row));
        original->resize(90, 33);
        const PropertyBag bag = source->writeProperties();
        EXPECT_EQ(bag.value(QStringLiteral("_Version")).toInt(), 0x30001);
        EXPECT_EQ(bag.value(QStringLiteral("_ExtentX")).toInt(), 90 * 2540 / 96);
        EXPECT_EQ(bag.value(QStringLiteral("_ExtentY")).toInt(), 873); // 33 px is 873.1
        for (const PropertyInfo& row : source->properties().rows()) {
            EXPECT_EQ(bag.contains(QLatin1String(row.savedName() ? row.savedName() : "-")),
                      row.savedName() != nullptr)
                << row.name;
        }

        std::unique_ptr<QWidget> copy(kind.make(nullptr));
        KwControl* target = control(copy.get());
        EXPECT_TRUE(target->readProperties(bag).isEmpty());
        EXPECT_FALSE(target->isDirty());
        EXPECT_EQ(copy->size(), QSize(90, 33));
        for (const PropertyInfo& row : source->properties().rows())
            if (row.savedName()) {
                EXPECT_EQ(comparable(row, target->propertyValue(row.dispId)),
                          comparable(row, source->propertyValue(row.dispId)))
                    << row.name;
            }
    }
}

TEST(PropertyBag, TheButtonsGraphicsAreSavedUnderTheirSharedNames)
{
    KwCheck check;
    QPixmap graphics(39, 13);
    graphics.fill(Qt::yellow);
    check.setCheckBoxGraphics(graphics);
    check.setCheckBoxMaskColor(0x00FF00FFu);
    check.setCheckBoxUseMask(true);
    PropertyBag bag = check.writeProperties();
    EXPECT_EQ(bag.value(QStringLiteral("MaskColor")).toUInt(), 0x00FF00FFu);
    EXPECT_TRUE(bag.value(QStringLiteral("GraphicsUseMask")).toBool());
    EXPECT_TRUE(bag.value(QStringLiteral("HasGraphics")).toBool());
    EXPECT_EQ(bag.value(QStringLiteral("Graphics")).value<QPixmap>().size(), QSize(39, 13));
    EXPECT_FALSE(bag.contains(QStringLiteral("CheckBoxGraphics")));
    // Without HasGraphics the saved picture is not used.
    bag.insert(QStringLiteral("HasGraphics"), false);
    KwOption option;
    option.readProperties(bag);
    EXPECT_TRUE(option.OptionBtnGraphics().isNull());
    EXPECT_EQ(option.OptionBtnMaskColor(), 0x00FF00FFu);
}

TEST(PropertyBag, MissingNamesTakeTheSavedStateDefaultsNotTheNewControls)
{
    KwPanel fresh;
    EXPECT_TRUE(fresh.FloodShowPct());
    EXPECT_TRUE(fresh.RoundedCorners());

    PropertyBag bag = fresh.writeProperties();
    bag.remove(QStringLiteral("FloodShowPct"));
    bag.remove(QStringLiteral("RoundedCorners"));
    bag.remove(QStringLiteral("BevelWidth"));
    KwPanel loaded;
    loaded.setBevelWidth(9);
    EXPECT_TRUE(loaded.readProperties(bag).isEmpty());
    EXPECT_FALSE(loaded.FloodShowPct());
    EXPECT_FALSE(loaded.RoundedCorners());
    EXPECT_EQ(loaded.BevelWidth(), 1);

    KwPanel empty;
    empty.readProperties({});
    EXPECT_FALSE(empty.FloodShowPct());
    EXPECT_EQ(empty.BorderWidth(), 3);
    EXPECT_EQ(empty.BevelOuter(), kwRaisedBevel);
}

TEST(PropertyBag, ValuesAPropertyCannotTakeAreReportedAndTakeTheDefault)
{
    PropertyBag bag;
    bag.insert(QStringLiteral("BevelWidth"), 31);
    bag.insert(QStringLiteral("FloodColor"), QStringLiteral("blue"));
    bag.insert(QStringLiteral("Alignment"), 42);
    bag.insert(QStringLiteral("Font"), 7);
    bag.insert(QStringLiteral("FloodPercent"), QStringLiteral("45"));
    bag.insert(QStringLiteral("_ExtentX"), QStringLiteral("wide"));
    KwPanel panel;
    panel.resize(50, 20);
    const QFont before = panel.font();
    QStringList rejected = panel.readProperties(bag);
    rejected.sort();
    EXPECT_EQ(rejected, (QStringList{QStringLiteral("Alignment"), QStringLiteral("BevelWidth"),
                                     QStringLiteral("FloodColor"), QStringLiteral("Font")}));
    EXPECT_EQ(panel.BevelWidth(), 1);
    EXPECT_EQ(panel.FloodColor(), 0xFF0000u);
    EXPECT_EQ(panel.Alignment(), kwCenterMiddle);
    EXPECT_EQ(panel.FloodPercent(), 45);
    EXPECT_EQ(panel.font(), before);
    EXPECT_EQ(panel.size(), QSize(50, 20));
}

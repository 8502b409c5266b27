#include "controls/DispIds.h"
#include "controls/KwError.h"
#include "tests/controls/ControlFixtures.h"

#include <QApplication>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace Solido;
using namespace solido_test;

namespace {

// A value of the row's type other than the row's initial value, for writing.
QVariant otherValue(const PropertyInfo& row)
{
    switch (row.type) {
    case PropertyType::Bool:
        return row.initial == 0;
    case PropertyType::Short:
        return int(row.initial) + 1 <= row.maximum ? int(row.initial) + 1 : int(row.initial) - 1;
    case PropertyType::Long:
        return 1234;
    case PropertyType::Single:
        return 17.0f;
    case PropertyType::Text:
        return QStringLiteral("Text of %1").arg(QLatin1String(row.name));
    case PropertyType::Color:
        return 0x123456u;
    case PropertyType::Enum:
        return row.initial == 1 ? 0 : 1;
    case PropertyType::Font: {
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPointSize(21);
        return font;
    }
    case PropertyType::Picture: {
        QPixmap pixmap(6, 4);
        pixmap.fill(Qt::green);
        return pixmap;
    }
    case PropertyType::Variant:
        return QStringLiteral("tag");
    case PropertyType::Handle:
        break;
    }
    return {};
}

QVariant comparable(const PropertyInfo& row, const QVariant& v)
{
    if (row.type == PropertyType::Picture)
        return v.value<QPixmap>().cacheKey();
    if (row.type == PropertyType::Enum)
        return v.toInt();
    return v;
}

} // namespace

// Every row of every family's table is a Qt property of the class, and reading or writing it by
// dispatch identifier, by name and through Qt's property system gives the same value.
TEST(Properties, EveryTableRowIsAQtPropertyReachableByNumberNameAndMetaObject)
{
    for (const ControlKind& kind : controlKinds()) {
        std::unique_ptr<QWidget> w(kind.make(nullptr));
        KwControl* c = control(w.get());
        ASSERT_NE(c, nullptr) << kind.name;
        EXPECT_EQ(QLatin1String(w->metaObject()->className()),
                  QLatin1String("Solido::") + QLatin1String(kind.name));
        for (const PropertyInfo& row : c->properties().rows()) {
            SCOPED_TRACE(std::string(kind.name) + "." + row.name);
            if (row.aliasOf) {
                EXPECT_EQ(c->propertyValue(row.dispId),
                          c->propertyValue(QLatin1String(row.aliasOf)));
                continue;
            }
            const int index = w->metaObject()->indexOfProperty(row.name);
            ASSERT_GE(index, 0);
            if (row.type == PropertyType::Enum) { // so Designer offers the names
                EXPECT_TRUE(w->metaObject()->property(index).isEnumType());
                EXPECT_STREQ(w->metaObject()->property(index).enumerator().name(), row.enumName);
            }
            EXPECT_EQ(comparable(row, c->propertyValue(row.dispId)),
                      comparable(row, w->property(row.name)));
            if (row.readOnly) {
                EXPECT_EQ(errorOf([&] { c->setPropertyValue(row.dispId, 1); }), 383);
                continue;
            }
            const QVariant value = otherValue(row);
            if (row.dispId == DispId::Value && kind.family == KwFamily::Command)
                continue; // setting it clicks; see the command button's tests
            c->setPropertyValue(QLatin1String(row.name).toString().toUpper(), value);
            EXPECT_EQ(comparable(row, w->property(row.name)), comparable(row, value));
            EXPECT_EQ(comparable(row, c->propertyValue(row.dispId)), comparable(row, value));
        }
        EXPECT_EQ(errorOf([&] { c->propertyValue(12345); }), 438);
        EXPECT_EQ(errorOf([&] { c->setPropertyValue(u"NoSuchThing", 1); }), 438);
    }
}

TEST(Properties, ANewPanelHasTheDocumentedDefaults)
{
    KwPanel panel;
    EXPECT_EQ(panel.BevelOuter(), kwRaisedBevel);
    EXPECT_EQ(panel.BevelWidth(), 1);
    EXPECT_EQ(panel.BevelInner(), kwNoneBevel);
    EXPECT_EQ(panel.BorderWidth(), 3);
    EXPECT_EQ(panel.Alignment(), kwCenterMiddle);
    EXPECT_EQ(panel.FloodColor(), 0xFF0000u);
    EXPECT_TRUE(panel.FloodShowPct());
    EXPECT_TRUE(panel.RoundedCorners());
    EXPECT_EQ(panel.BackColor(), 0x8000000Fu);
    EXPECT_EQ(panel.ForeColor(), 0x80000012u);
    EXPECT_EQ(panel.PictureAnimationDelay(), 60);
    EXPECT_EQ(panel.MarqueeDelay(), 120);
    EXPECT_EQ(panel.PictureMaskColor(), 0xC0C0C0u);
    EXPECT_FALSE(panel.isDirty());
    KwCommand command;
    EXPECT_EQ(command.BevelWidth(), 2);
    EXPECT_EQ(command.ButtonStyle(), kwFollowOS);
    KwRibbon ribbon;
    EXPECT_EQ(ribbon.GroupNumber(), 1);
    EXPECT_TRUE(ribbon.GroupAllowAllUp());
    EXPECT_EQ(ribbon.PictureDnChange(), kwDither);
}

// The setter pattern on a shown control: a rejected value raises its error and changes, repaints
// and reports nothing; an equal value returns at once; a new one is stored, marks the control
// dirty, is reported with its dispatch identifier and repaints.
TEST(Properties, SettersRejectOrIgnoreOrApplyValuesAsThePatternSays)
{
    struct Case {
        const char* kind;
        const char* name;
        QVariant bad;
        long error;
        QVariant good;
    };
    const Case cases[] = {
        {"KwPanel", "BevelWidth", 31, 30002, 30},
        {"KwPanel", "BorderWidth", -1, 30003, 0},
        {"KwCommand", "BevelWidth", 11, 30004, 10},
        {"KwRibbon", "GroupNumber", 100, 30005, 99},
        {"KwPanel", "FloodPercent", 101, 30006, 100},
        {"KwPanel", "FloodPercent", -1, 30006, 0 + 1},
        {"KwCheck", "Value", 3, 380, int(kwCBGrayed)},
        {"KwFrame", "Alignment", 6, 380, int(kwBottomCenter)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + "." + c.name);
        const ControlKind& kind =
            *std::find_if(controlKinds().begin(), controlKinds().end(), [&](const ControlKind& k) {
                return QLatin1String(k.name) == QLatin1String(c.kind);
            });
        std::unique_ptr<QWidget> w(kind.make(nullptr));
        w->resize(80, 40);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        KwControl* k = control(w.get());
        QApplication::processEvents();
        PaintRecorder paints(w.get());
        QSignalSpy changed(w.get(), SIGNAL(propertyChanged(int)));
        const QVariant before = k->propertyValue(QLatin1String(c.name));
        const int dispId = k->properties().find(QLatin1String(c.name))->dispId;

        EXPECT_EQ(errorOf([&] { k->setPropertyValue(QLatin1String(c.name), c.bad); }), c.error);
        k->setPropertyValue(QLatin1String(c.name), before);
        QApplication::processEvents();
        EXPECT_EQ(k->propertyValue(QLatin1String(c.name)), before);
        EXPECT_EQ(changed.count(), 0);
        EXPECT_TRUE(paints.painted.empty());
        EXPECT_FALSE(k->isDirty());

        k->setPropertyValue(dispId, c.good);
        QApplication::processEvents();
        EXPECT_EQ(k->propertyValue(dispId).toInt(), c.good.toInt());
        ASSERT_EQ(changed.count(), 1);
        EXPECT_EQ(changed.at(0).at(0).toInt(), dispId);
        EXPECT_FALSE(paints.painted.empty());
        EXPECT_TRUE(k->isDirty());
    }
}

TEST(Properties, FloodPercentRepaintsOnlyTheFloodAreaAtOnce)
{
    KwPanel panel;
    panel.resize(120, 40);
    panel.setBevelInner(kwInsetBevel);
    panel.setFloodType(kwLeftToRight);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QApplication::processEvents();
    PaintRecorder paints(&panel);
    panel.setFloodPercent(45);
    // Painted before any event loop runs, and only inside the bevels.
    ASSERT_EQ(paints.painted.size(), 1u);
    EXPECT_EQ(paints.painted[0], panel.contentArea());
    EXPECT_EQ(panel.contentArea(), panel.rect().adjusted(5, 5, -5, -5));
    QApplication::processEvents();
    EXPECT_EQ(paints.painted.size(), 1u);
}

TEST(Properties, FontShortcutsAndEnabledAreTheWidgetsOwn)
{
    KwCommand button;
    QSignalSpy changed(&button, &KwCommand::propertyChanged);
    button.setFontBold(true);
    EXPECT_TRUE(button.font().bold());
    button.setFontSize(15);
    EXPECT_EQ(button.font().pointSize(), 15);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(0).at(0).toInt(), DispId::FontBold);
    EXPECT_EQ(changed.at(1).at(0).toInt(), DispId::FontSize);
    QFont italic = button.font();
    italic.setItalic(true);
    button.setFont(italic); // as a container's font change reaches it
    EXPECT_TRUE(button.FontItalic());
    EXPECT_EQ(changed.last().at(0).toInt(), DispId::Font);
    button.setPropertyValue(DispId::Enabled, false);
    EXPECT_FALSE(button.isEnabled());
    EXPECT_EQ(changed.last().at(0).toInt(), DispId::Enabled);
    EXPECT_EQ(changed.count(), 4);
    button.setCaption(QStringLiteral("&Go"));
    EXPECT_EQ(button.text(), QStringLiteral("&Go"));
    button.setText(QStringLiteral("Stop"));
    EXPECT_EQ(button.propertyValue(DispId::Caption), QStringLiteral("Stop"));
    EXPECT_EQ(errorOf([&] { button.setFontSize(0); }), 380);
}

TEST(Properties, MousePointerSetsTheCursorAndCustomUsesTheMouseIcon)
{
    QWidget form;
    KwPanel& panel = *new KwPanel(&form);
    panel.setMousePointer(kwHourglass);
    EXPECT_EQ(panel.cursor().shape(), Qt::WaitCursor);
    panel.setMousePointer(kwSizeNS);
    EXPECT_EQ(panel.cursor().shape(), Qt::SizeVerCursor);
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    panel.setMouseIcon(icon);
    panel.setMousePointer(kwCustom);
    EXPECT_EQ(panel.cursor().shape(), Qt::BitmapCursor);
    panel.setMousePointer(kwDefault);
    EXPECT_FALSE(panel.testAttribute(Qt::WA_SetCursor));
}

TEST(Properties, TransparentBackgroundsFollowTheDesignTimeRule)
{
    std::vector<QString> notes;
    setDesignTimeNotifier([&](const QString& text) { notes.push_back(text); });
    {
        KwPanel running;
        running.show();
        EXPECT_EQ(errorOf([&] { running.setBackStyle(kwTransparent); }), 30008);
        EXPECT_EQ(KwError::of(30008).description(),
                  QStringLiteral("The BackStyle can not be set to Transparent at run-time if it "
                                 "was not set to Transparent at design-time."));
        EXPECT_EQ(running.BackStyle(), kwOpaque);

        KwPanel loaded; // set up before it is shown, as a form's saved state is
        loaded.setBackStyle(kwTransparent);
        loaded.show();
        loaded.setBackStyle(kwOpaque);
        EXPECT_NO_THROW(loaded.setBackStyle(kwTransparent));

        KwPanel designed;
        designed.setDesignMode(true);
        designed.show();
        designed.setBackStyle(kwTransparent);
        EXPECT_EQ(designed.BackStyle(), kwTransparent);
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_TRUE(notes[0].startsWith(QStringLiteral("When setting the control to transparent")));
        // At design time an error is shown instead of raised, and the value stays.
        EXPECT_NO_THROW(designed.setBevelWidth(31));
        EXPECT_EQ(designed.BevelWidth(), 1);
        ASSERT_EQ(notes.size(), 2u);
        EXPECT_EQ(notes[1], QStringLiteral("Bevel width must be from 0 to 30"));
        EXPECT_EQ(errorOf([&] { designed.propertyValue(DispId::hWnd); }), 393);
    }
    setDesignTimeNotifier({});
}

TEST(Properties, APanelAsksForItsCaptionOrForWhatItsLayoutHolds)
{
    KwPanel panel;
    panel.setCaption(QStringLiteral("A fairly long caption"));
    const int text = panel.fontMetrics().horizontalAdvance(panel.Caption());
    EXPECT_GT(panel.sizeHint().width(), text);
    EXPECT_LT(panel.sizeHint().width(), text + 20);
    auto* layout = new QVBoxLayout(&panel);
    auto* big = new QWidget;
    big->setMinimumSize(300, 120);
    layout->addWidget(big);
    EXPECT_GE(panel.sizeHint().width(), 300);
    EXPECT_GE(panel.sizeHint().height(), 120);
}

#include "controls/KwControl.h"
#include "controls/KwFactory.h"
#include "controls/KwStrings.h"

#include <QImage>
#include <QSet>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace Solido;

TEST(Factory, CreatesEachControlByProgIdVersionedProgIdAndClassId)
{
    const char* names[] = {"KwFrame", "KwPanel", "KwOption", "KwCheck", "KwRibbon", "KwCommand"};
    ASSERT_EQ(controlClasses().size(), 6u);
    QWidget form;
    for (size_t i = 0; i < 6; ++i) {
        const KwClassInfo& info = controlClasses()[i];
        SCOPED_TRACE(names[i]);
        EXPECT_STREQ(info.className, names[i]);
        const QString name = QLatin1String(names[i]);
        const QString ways[] = {
            QStringLiteral("Solido.") + name,
            QStringLiteral("Solido.") + name + QStringLiteral(".3"),
            QStringLiteral("solido.") + name.toUpper(),
            QLatin1String(info.classId),
            QLatin1String(info.classId).mid(1, 36),
        };
        for (const QString& way : ways) {
            QWidget* w = KwFactory::create(way, &form);
            ASSERT_NE(w, nullptr) << way.toStdString();
            EXPECT_EQ(QLatin1String(w->metaObject()->className()),
                      QStringLiteral("Solido::") + name);
            EXPECT_EQ(w->parentWidget(), &form);
            ASSERT_NE(KwFactory::control(w), nullptr);
            EXPECT_EQ(KwFactory::control(w)->family(), info.family);
        }
        EXPECT_EQ(info.progId(), QStringLiteral("Solido.") + name);
        EXPECT_EQ(info.versionedProgId(), QStringLiteral("Solido.") + name + QStringLiteral(".3"));
    }
    for (const char* unknown : {"Solido.KwPanel.2", "Solido.KwLabel", "KwPanel", "",
                                "{00000000-0000-0000-0000-000000000000}"})
        EXPECT_EQ(KwFactory::create(QLatin1String(unknown), &form), nullptr) << unknown;
    QWidget plain;
    EXPECT_EQ(KwFactory::control(&plain), nullptr);
}

// The class list is data: its MiscStatus words are the bits each kind of control has, its
// descriptions are the string table's, its identifiers are distinct.
TEST(Factory, TheClassListHoldsEachClasssNamesBitsAndPicture)
{
    using namespace MiscStatus;
    const quint32 all =
        RecomposeOnResize | CantLinkInside | InsideOut | ActivateWhenVisible | SetClientSiteFirst;
    const quint32 expected[] = {all | SimpleFrame | ActsLikeLabel,             // frame
                                all | SimpleFrame | ActsLikeLabel | Alignable, // panel
                                all,
                                all,
                                all | ActsLikeLabel,
                                all | ActsLikeButton};
    const quint32 documented[] = {0x32191, 0x3A191, 0x20191, 0x20191, 0x22191, 0x21191};
    const int bitmaps[] = {109, 102, 103, 104, 105, 106};
    QSet<QUuid> ids;
    QSet<qint64> pictures;
    for (size_t i = 0; i < controlClasses().size(); ++i) {
        const KwClassInfo& info = controlClasses()[i];
        SCOPED_TRACE(info.className);
        EXPECT_EQ(info.miscStatus, expected[i]);
        EXPECT_EQ(info.miscStatus, documented[i]);
        EXPECT_EQ(info.toolboxBitmap, bitmaps[i]);
        EXPECT_EQ(QLatin1String(info.windowClass),
                  QLatin1String(info.className) + QStringLiteral("WndClass"));
        EXPECT_EQ(QLatin1String(info.description),
                  QLatin1String(info.className) + QStringLiteral(" Control 3.0"));
        EXPECT_EQ(documentationString(kFirstClassDescription + int(i), kDefaultLocale).text,
                  QLatin1String(info.description));
        EXPECT_FALSE(info.uuid().isNull());
        ids.insert(info.uuid());
        EXPECT_EQ(&classInfo(info.family), &info);
        const QImage icon = toolboxIcon(info).pixmap(24, 24).toImage();
        ASSERT_FALSE(icon.isNull());
        pictures.insert(qint64(qHashBits(icon.constBits(), size_t(icon.sizeInBytes()))));
    }
    EXPECT_EQ(ids.size(), 6);
    EXPECT_EQ(pictures.size(), 6); // six different pictures
    EXPECT_STREQ(classInfo(KwFamily::Panel).defaultInterface, "DKwPanel");
    EXPECT_STREQ(classInfo(KwFamily::Command).eventInterface, "DKwCommandEvents");
    ASSERT_EQ(automationClasses().size(), 2u);
    EXPECT_STREQ(automationClasses()[1].interfaceName, "IKwDataObjectFiles");
}

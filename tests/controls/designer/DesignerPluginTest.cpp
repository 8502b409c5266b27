#include "controls/KwCommand.h"
#include "controls/KwPanel.h"
#include "ui_SampleForm.h"

#include <QPluginLoader>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>
#include <memory>

using namespace Solido;

namespace {

// The class named by a widget's dom XML.
QString domClass(const QString& xml)
{
    QXmlStreamReader reader(xml);
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("widget"))
            return reader.attributes().value(QLatin1String("class")).toString();
    }
    return reader.hasError() ? QStringLiteral("error: ") + reader.errorString() : QString();
}

void expectSampleForm(QWidget* form)
{
    auto* panel = form->findChild<KwPanel*>(QStringLiteral("panOptions"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Caption(), QStringLiteral("Options"));
    EXPECT_EQ(panel->BevelWidth(), 4);
    EXPECT_EQ(panel->BevelInner(), kwInsetBevel);
    EXPECT_EQ(panel->FloodType(), kwLeftToRight);
    EXPECT_EQ(panel->FloodPercent(), 45);
    EXPECT_FALSE(panel->designMode());
    auto* button = form->findChild<KwCommand*>(QStringLiteral("cmdGenerate"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), panel);
    EXPECT_EQ(button->Caption(), QStringLiteral("&Generate"));
    EXPECT_EQ(button->ButtonStyle(), kwWin3X);
}

} // namespace

TEST(DesignerPlugin, LoadsAndListsTheSixControlsWithTheirIconsAndHeaders)
{
    QPluginLoader loader(QStringLiteral(SOLIDO3D_DESIGNER_PLUGIN));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr);
    QStringList names;
    for (QDesignerCustomWidgetInterface* w : collection->customWidgets()) {
        names << w->name();
        SCOPED_TRACE(w->name().toStdString());
        const QString shortName = w->name().mid(8);
        EXPECT_EQ(w->group(), QStringLiteral("Solidware Plus Controls"));
        EXPECT_EQ(w->includeFile(), QStringLiteral("controls/") + shortName + QStringLiteral(".h"));
        EXPECT_EQ(w->toolTip(), shortName + QStringLiteral(" Control 3.0"));
        EXPECT_FALSE(w->icon().isNull());
        EXPECT_EQ(w->isContainer(),
                  shortName == QLatin1String("KwPanel") || shortName == QLatin1String("KwFrame"));
        EXPECT_EQ(domClass(w->domXml()), w->name());
        w->initialize(nullptr);
        std::unique_ptr<QWidget> made(w->createWidget(nullptr));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(QLatin1String(made->metaObject()->className()), w->name());
    }
    EXPECT_EQ(names, (QStringList{
                         QStringLiteral("Solido::KwFrame"), QStringLiteral("Solido::KwPanel"),
                         QStringLiteral("Solido::KwOption"), QStringLiteral("Solido::KwCheck"),
                         QStringLiteral("Solido::KwRibbon"), QStringLiteral("Solido::KwCommand")}));
}

// A form made in Designer and compiled by uic, as the programs' forms are.
TEST(DesignerPlugin, AFormCompiledByUicUsesTheControls)
{
    QWidget compiled;
    Ui::SampleForm ui;
    ui.setupUi(&compiled);
    expectSampleForm(&compiled);
    // Children keep inside the bevels: outer 4, border 3, inner 4.
    EXPECT_EQ(ui.panOptions->contentsMargins().left(), 11);
}

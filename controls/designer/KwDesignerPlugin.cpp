#include "controls/designer/KwDesignerPlugin.h"

#include "controls/KwControl.h"
#include "controls/KwFactory.h"
#include "controls/KwStrings.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace Solido {

namespace {

// The size a control takes when it is dropped on a form.
QSize placedSize(KwFamily family)
{
    switch (family) {
    case KwFamily::Frame:
    case KwFamily::Panel:
        return {160, 100};
    case KwFamily::Option:
    case KwFamily::Check:
        return {120, 22};
    case KwFamily::Ribbon:
        return {40, 32};
    case KwFamily::Command:
        break;
    }
    return {90, 28};
}

} // namespace

KwDesignerWidget::KwDesignerWidget(const KwClassInfo& info, QObject* parent)
    : QObject(parent)
    , m_info(info)
{}

QString KwDesignerWidget::name() const
{
    return QStringLiteral("Solido::") + QLatin1String(m_info.className);
}

QString KwDesignerWidget::group() const
{
    return *documentationString(kLibraryHelpString, kDefaultLocale).text;
}

QString KwDesignerWidget::toolTip() const
{
    return QLatin1String(m_info.description);
}

QString KwDesignerWidget::whatsThis() const
{
    return QLatin1String(m_info.description) + QStringLiteral(" (") + m_info.progId() +
           QLatin1Char(')');
}

QString KwDesignerWidget::includeFile() const
{
    return QStringLiteral("controls/") + QLatin1String(m_info.className) + QStringLiteral(".h");
}

QIcon KwDesignerWidget::icon() const
{
    return toolboxIcon(m_info);
}

bool KwDesignerWidget::isContainer() const
{
    return m_info.miscStatus & MiscStatus::SimpleFrame;
}

QWidget* KwDesignerWidget::createWidget(QWidget* parent)
{
    QWidget* widget = KwFactory::create(m_info, parent);
    KwFactory::control(widget)->setDesignMode(m_designer);
    return widget;
}

void KwDesignerWidget::initialize(QDesignerFormEditorInterface* core)
{
    if (m_initialized)
        return;
    m_designer = core != nullptr;
    // What a control says while it is designed goes to the designer in a message box.
    setDesignTimeNotifier([](const QString& text) {
        QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Solido"), text);
    });
    m_initialized = true;
}

QString KwDesignerWidget::domXml() const
{
    const QSize size = placedSize(m_info.family);
    QString objectName = QLatin1String(m_info.className);
    objectName[0] = objectName[0].toLower();
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(name(), objectName)
        .arg(size.width())
        .arg(size.height());
}

KwDesignerPlugin::KwDesignerPlugin(QObject* parent)
    : QObject(parent)
{
    for (const KwClassInfo& info : controlClasses())
        m_widgets << new KwDesignerWidget(info, this);
}

} // namespace Solido

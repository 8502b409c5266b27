#include "controls/KwAboutBox.h"

#include "controls/KwPanel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace Solido {

namespace {

QLabel* label(const QString& text, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

KwAboutBox::KwAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("KwAboutBox"));
    setWindowTitle(QStringLiteral("About ") + QLatin1String(kProductName));
    auto* layout = new QVBoxLayout(this);
    // The product's name on one of its own panels.
    auto* banner = new KwPanel(this);
    banner->setObjectName(QStringLiteral("panProduct"));
    banner->setBevelInner(kwInsetBevel);
    banner->setBevelWidth(2);
    banner->setFont3D(kwRaisedHeavy);
    QFont big = banner->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    banner->setFont(big);
    banner->setCaption(QLatin1String(kProductName));
    banner->setMinimumHeight(56);
    layout->addWidget(banner);
    layout->addWidget(
        label(QStringLiteral("Version ") + QLatin1String(kProductVersion), "lblVersion", this));
    layout->addWidget(
        label(QStringLiteral("Build ") + QLatin1String(kProductBuild), "lblBuild", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace Solido

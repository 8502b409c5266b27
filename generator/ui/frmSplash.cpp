#include "generator/ui/frmSplash.h"

#include "common/base/Version.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace tallix {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xF1, 0xE8));
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 28, 36, 28);
    auto* title = new QLabel(generatorTitle(), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 3);
    big.setBold(true);
    title->setFont(big);
    auto* version =
        new QLabel(QStringLiteral("Version %1.%2").arg(kVersionMajor).arg(kVersionMinor), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* build = new QLabel(QStringLiteral("Build %1").arg(kVersionRevision), this);
    build->setObjectName(QStringLiteral("lblBuild"));
    auto* product = new QLabel(QStringLiteral("Audit script generator"), this);
    layout->addWidget(title);
    layout->addWidget(product);
    layout->addSpacing(12);
    layout->addWidget(version);
    layout->addWidget(build);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

void frmSplash::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

} // namespace tallix

// Renders the picture of the bevelled controls that the README shows:
//
//   build/tools/screenshots/controls/screenshot_controls docs/screenshots/controls.png
//
// One window holds the six controls in several of their styles: panel bevels and floods, the
// 3-D caption styles, the command button styles up and down, check boxes, option buttons, a
// ribbon group, frames, and disabled controls. It runs on the offscreen platform.
#include "controls/KwCheck.h"
#include "controls/KwCommand.h"
#include "controls/KwFrame.h"
#include "controls/KwOption.h"
#include "controls/KwPanel.h"
#include "controls/KwRibbon.h"
#include "tools/screenshots/Screenshot.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <cstdio>

using namespace Solido;

namespace {

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

KwPanel* panel(QWidget* parent, const QString& caption, QSize size = {150, 56})
{
    auto* p = new KwPanel(parent);
    p->setCaption(caption);
    p->setFixedSize(size);
    return p;
}

// A small picture for the ribbon buttons: an arrow.
QPixmap arrow(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(QPolygon({QPoint(3, 2), QPoint(13, 8), QPoint(3, 14)}));
    return pixmap;
}

QWidget* panelsRow(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    KwPanel* raised = panel(row, QStringLiteral("Raised"));
    KwPanel* both = panel(row, QStringLiteral("Raised and inset"));
    both->setBevelWidth(2);
    both->setBevelInner(kwInsetBevel);
    both->setOutline(true);
    KwPanel* inset = panel(row, QStringLiteral("Inset, width 3"));
    inset->setBevelOuter(kwInsetBevel);
    inset->setBevelWidth(3);
    KwPanel* wide = panel(row, QStringLiteral("Border 6"));
    wide->setBevelInner(kwRaisedBevel);
    wide->setBorderWidth(6);
    wide->setBevelWidth(2);
    grid->addWidget(raised, 0, 0);
    grid->addWidget(both, 0, 1);
    grid->addWidget(inset, 0, 2);
    grid->addWidget(wide, 0, 3);

    struct Flood {
        Constants_FloodType type;
        Constants_FloodFillStyle fill;
        int percent;
        uint color;
    };
    const Flood floods[] = {
        {kwLeftToRight, kwSolid, 45, 0xFF0000},
        {kwLeftToRight, kwSegmented, 45, 0x008000},
        {kwRightToLeft, kwSegmented, 70, 0x800080},
        {kwWideningCircle, kwSolid, 80, 0xFFC000},
    };
    int column = 0;
    for (const Flood& f : floods) {
        KwPanel* p = panel(row, QString());
        p->setBevelOuter(kwInsetBevel);
        p->setBevelWidth(2);
        p->setFloodType(f.type);
        p->setFloodFillStyle(f.fill);
        p->setFloodColor(f.color);
        p->setFloodPercent(f.percent);
        grid->addWidget(p, 1, column++);
    }
    return row;
}

QWidget* captionsRow(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<Constants_Font3D, const char*> styles[] = {
        {kwNoneFont3D, "Plain"},         {kwRaisedLight, "Raised light"},
        {kwRaisedHeavy, "Raised heavy"}, {kwInsetLight, "Inset light"},
        {kwInsetHeavy, "Inset heavy"},   {kwDropShadow, "Drop shadow"},
    };
    for (auto [style, name] : styles) {
        KwPanel* p = panel(row, QLatin1String(name), {124, 48});
        QFont font = p->font();
        font.setPointSize(11);
        font.setBold(true);
        p->setFont(font);
        p->setFont3D(style);
        if (style == kwDropShadow)
            p->setForeColor(0x00C0FF);
        layout->addWidget(p);
    }
    return row;
}

QWidget* buttonsRow(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::tuple<Constants_ButtonStyle, const char*, bool> styles[] = {
        {kwWin95, "Raised", false},       {kwWin95, "Pressed", true},
        {kwWin3X, "3.x style", false},    {kwWin3X, "3.x pressed", true},
        {kwActiveBorders, "Thin", false}, {kwBorderless, "Borderless", false},
    };
    for (auto [style, name, down] : styles) {
        auto* b = new KwCommand(QLatin1String(name), row);
        b->setButtonStyle(style);
        if (style == kwWin3X)
            b->setRoundedCorners(true);
        b->setDown(down);
        b->setFixedSize(92, 30);
        layout->addWidget(b);
    }
    auto* disabled = new KwCommand(QStringLiteral("Disabled"), row);
    disabled->setFixedSize(92, 30);
    disabled->setEnabled(false);
    layout->addWidget(disabled);
    // A ribbon group: the middle one is down.
    auto* group = new QWidget(row);
    auto* ribbons = new QHBoxLayout(group);
    ribbons->setContentsMargins(0, 0, 0, 0);
    ribbons->setSpacing(0);
    for (int i = 0; i < 3; ++i) {
        auto* r = new KwRibbon(group);
        r->setPicture(arrow(i == 1 ? QColor(0, 0, 160) : QColor(0, 110, 0)));
        r->setFixedSize(30, 30);
        r->setValue(i == 1);
        ribbons->addWidget(r);
    }
    layout->addWidget(group);
    layout->addStretch();
    return row;
}

QWidget* choicesRow(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* checks = new KwFrame(row);
    checks->setCaption(QStringLiteral("Check boxes"));
    auto* checkLayout = new QVBoxLayout(checks);
    const std::pair<Constants_CheckBoxValue, const char*> values[] = {
        {kwCBUnchecked, "Unchecked"}, {kwCBChecked, "Checked"}, {kwCBGrayed, "Greyed"}};
    for (auto [value, name] : values) {
        auto* c = new KwCheck(checks);
        c->setCaption(QLatin1String(name));
        c->setTripleState(true);
        c->setValue(value);
        checkLayout->addWidget(c);
    }
    auto* off = new KwCheck(checks);
    off->setCaption(QStringLiteral("Disabled"));
    off->setValue(kwCBChecked);
    off->setEnabled(false);
    checkLayout->addWidget(off);
    layout->addWidget(checks);

    auto* options = new KwFrame(row);
    options->setCaption(QStringLiteral("Option buttons"));
    options->setAlignment(kwTopCenter);
    options->setShadowStyle(kwRaisedShadow);
    auto* optionLayout = new QVBoxLayout(options);
    for (const char* name : {"Inserts", "Updates", "Deletes"}) {
        auto* o = new KwOption(options);
        o->setCaption(QLatin1String(name));
        optionLayout->addWidget(o);
    }
    options->findChildren<KwOption*>().at(1)->setValue(true);
    auto* left = new KwOption(options);
    left->setCaption(QStringLiteral("Text on the left"));
    left->setAlignment(kwTextLeft);
    optionLayout->addWidget(left);
    layout->addWidget(options);

    auto* status = new KwPanel(row);
    status->setBevelOuter(kwInsetBevel);
    status->setBevelInner(kwRaisedBevel);
    status->setBorderWidth(2);
    status->setCaption(QStringLiteral("Panel holding controls"));
    status->setAlignment(kwCenterTop);
    auto* inside = new QVBoxLayout(status);
    inside->addSpacing(18);
    auto* progress = new KwPanel(status);
    progress->setBevelOuter(kwInsetBevel);
    progress->setFloodType(kwLeftToRight);
    progress->setFloodFillStyle(kwSegmented);
    progress->setFloodPercent(62);
    progress->setFixedHeight(22);
    inside->addWidget(progress);
    auto* disabledPanel = new KwPanel(status);
    disabledPanel->setCaption(QStringLiteral("Disabled panel"));
    disabledPanel->setEnabled(false);
    inside->addWidget(disabledPanel);
    layout->addWidget(status, 1);
    return row;
}

} // namespace

int main(int argc, char** argv)
{
    tallix::screenshots::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_controls <output.png>\n");
        return 2;
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("solido3d controls"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(heading(QStringLiteral("Panels: bevels, border, outline, floods"), &window));
    layout->addWidget(panelsRow(&window));
    layout->addWidget(heading(QStringLiteral("3-D captions"), &window));
    layout->addWidget(captionsRow(&window));
    layout->addWidget(heading(QStringLiteral("Command buttons and a ribbon group"), &window));
    layout->addWidget(buttonsRow(&window));
    layout->addWidget(heading(QStringLiteral("Frames, check boxes, option buttons"), &window));
    layout->addWidget(choicesRow(&window));
    window.show();
    QApplication::processEvents();
    return tallix::screenshots::save(
               tallix::screenshots::withTitleBar(window, tallix::screenshots::TitleBar::Dialog),
               QString::fromLocal8Bit(argv[1]))
               ? 0
               : 1;
}

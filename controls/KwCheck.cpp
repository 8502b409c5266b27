#include "controls/KwCheck.h"

#include "controls/DispIds.h"
#include "controls/Edges.h"

#include <QPainter>

namespace Solido {

namespace D = DispId;

KwCheck::KwCheck(QWidget* parent)
    : KwCheckWidget(parent, KwFamily::Check)
{
    connect(this, &QAbstractButton::clicked, this, &KwCheck::clickedByUser);
}

Constants_CheckBoxValue KwCheck::nextValue(Constants_CheckBoxValue value, bool tripleState)
{
    switch (value) {
    case kwCBUnchecked:
        return kwCBChecked;
    case kwCBChecked:
        return tripleState ? kwCBGrayed : kwCBUnchecked;
    case kwCBGrayed:
        break;
    }
    return kwCBUnchecked;
}

void KwCheck::clickedByUser()
{
    Constants_CheckBoxValue value = nextValue(Value(), TripleState());
    emit Click(value);
    setValue(value);
}

void KwCheck::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const ColorScheme colors = scheme();
    const Constants_CheckBoxValue value = Value();
    auto box = [&](QPainter& painter, const QRect& r) {
        const QRect inside = drawEdge(painter, r, Edge::Sunken, colors);
        const bool plain = isEnabled() && value != kwCBGrayed && !isDown();
        painter.fillRect(inside,
                         plain ? resolveColor(SysColor::of(SysColor::Window)) : colors.face);
        if (value == kwCBUnchecked)
            return;
        const QColor mark = isEnabled() && value == kwCBChecked
                                ? resolveColor(ForeColor())
                                : resolveColor(SysColor::of(SysColor::GrayText));
        // The tick: three pixels thick, down from the left and up to the right.
        const QPoint o = inside.topLeft();
        for (int i = 0; i < 3; ++i) {
            painter.fillRect(QRect(o + QPoint(1 + i, 3 + i), QSize(1, 3)), mark);
            painter.fillRect(QRect(o + QPoint(4 + i, 4 - i), QSize(1, 3)), mark);
        }
        painter.fillRect(QRect(o + QPoint(7, 1), QSize(1, 3)), mark);
    };
    paintOption(p, box, CheckBoxGraphics(), 3, int(value), CheckBoxUseMask(), CheckBoxMaskColor());
}

} // namespace Solido

#include "controls/KwOption.h"

#include "controls/DispIds.h"

#include <QPainter>

namespace Solido {

namespace D = DispId;

KwOption::KwOption(QWidget* parent)
    : KwOptionWidget(parent, KwFamily::Option)
{
    connect(this, &QAbstractButton::clicked, this, &KwOption::chosen);
}

void KwOption::chosen()
{
    bool value = true;
    emit Click(value);
    setValue(value);
}

void KwOption::applied(int dispId)
{
    if (dispId == D::OptionValue11 && Value() && parentWidget())
        for (KwOption* other :
             parentWidget()->findChildren<KwOption*>(QString(), Qt::FindDirectChildrenOnly))
            if (other != this)
                other->setValue(false);
    KwOptionWidget::applied(dispId);
}

void KwOption::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const ColorScheme colors = scheme();
    const bool on = Value();
    const bool enabled = isEnabled();
    auto radio = [&](QPainter& painter, const QRect& r) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        const QRect box = r.adjusted(0, 0, -1, -1);
        painter.setPen(Qt::NoPen);
        painter.setBrush(enabled && !isDown() ? resolveColor(SysColor::of(SysColor::Window))
                                              : colors.face);
        painter.drawEllipse(box);
        // Sunken: dark on the upper left half, light on the lower right, two rings deep.
        const int upperLeft = 45 * 16, half = 180 * 16;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(colors.shadow);
        painter.drawArc(box, upperLeft, half);
        painter.setPen(colors.highlight);
        painter.drawArc(box, upperLeft + half, half);
        painter.setPen(colors.frame);
        painter.drawArc(box.adjusted(1, 1, -1, -1), upperLeft, half);
        painter.setPen(colors.face);
        painter.drawArc(box.adjusted(1, 1, -1, -1), upperLeft + half, half);
        if (on) {
            const QColor dot = enabled ? resolveColor(ForeColor())
                                       : resolveColor(SysColor::of(SysColor::GrayText));
            painter.setPen(dot);
            painter.setBrush(dot);
            painter.drawEllipse(QRect(r.center() - QPoint(2, 2), QSize(4, 4)));
        }
        painter.restore();
    };
    paintOption(p, radio, OptionBtnGraphics(), 2, on ? 1 : 0, OptionBtnUseMask(),
                OptionBtnMaskColor());
}

} // namespace Solido

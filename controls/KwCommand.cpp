#include "controls/KwCommand.h"

#include "controls/DispIds.h"

#include <QPainter>

namespace Solido {

namespace D = DispId;

KwCommand::KwCommand(QWidget* parent)
    : KwCommandWidget(parent, KwFamily::Command)
{
    connect(this, &QAbstractButton::clicked, this, &KwCommand::Click);
}

KwCommand::KwCommand(const QString& caption, QWidget* parent)
    : KwCommand(parent)
{
    setText(caption);
}

void KwCommand::DoClick()
{
    emit Click();
}

std::optional<QVariant> KwCommand::nativeValue(const PropertyInfo& row) const
{
    if (row.dispId == D::AutoRepeat)
        return autoRepeat();
    if (row.dispId == D::Value)
        return isDown();
    return KwButtonBase::nativeValue(row);
}

bool KwCommand::applyNative(const PropertyInfo& row, const QVariant& value)
{
    if (row.dispId == D::AutoRepeat) {
        QPushButton::setAutoRepeat(value.toBool());
        return true;
    }
    if (row.dispId == D::Value) {
        if (value.toBool())
            DoClick();
        return true;
    }
    return KwButtonBase::applyNative(row, value);
}

void KwCommand::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap picture = !isEnabled() && !PictureDisabled().isNull()
                                ? framed(PictureDisabled(), PictureDisabledFrames())
                            : isDown() && !PictureDn().isNull()
                                ? framed(PictureDn(), PictureDnFrames())
                                : framed(Picture(), PictureFrames());
    paintButton(p, isDown() ? ButtonState::Pressed : ButtonState::Up, picture);
}

void KwCommand::resizeEvent(QResizeEvent* event)
{
    KwCommandWidget::resizeEvent(event);
    if (!Shape().isNull())
        updateShape();
}

} // namespace Solido

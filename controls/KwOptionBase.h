#pragma once

#include "controls/DispIds.h"
#include "controls/KwControl.h"

class QAbstractButton;

namespace Solido {

// The core of the option button and the check box: a caption beside the round button or the
// box (or the pictures that replace them), and a picture beside the caption.
class SOLIDO3D_EXPORT KwOptionBase : public KwControl {
public:
    QString Caption() const { return textValue(DispId::Caption); }
    void setCaption(const QString& caption) { put(DispId::Caption, caption); }
    Constants_AlignTo Alignment() const { return Constants_AlignTo(intValue(DispId::Alignment)); }
    void setAlignment(Constants_AlignTo alignment) { put(DispId::Alignment, int(alignment)); }
    Constants_PictureAlignment PictureAlignment() const
    {
        return Constants_PictureAlignment(intValue(DispId::PictureAlignment));
    }
    void setPictureAlignment(Constants_PictureAlignment alignment)
    {
        put(DispId::PictureAlignment, int(alignment));
    }

    // The round button or box, and the caption's area.
    QRect indicatorRect() const;
    QRect textRect() const;

protected:
    using KwControl::KwControl;

    QAbstractButton* button() const;
    std::optional<QVariant> nativeValue(const PropertyInfo& row) const override;
    bool applyNative(const PropertyInfo& row, const QVariant& value) override;
    QRect captionArea() const override { return textRect(); }
    int captionFlags() const override;
    QString captionText() const override { return Caption(); }

    // Paints the background, the indicator (`drawIndicator` or the frame `graphicsFrame` of the
    // replacing graphics), the picture and the caption, and the focus frame.
    void paintOption(QPainter& p, const std::function<void(QPainter&, const QRect&)>& drawIndicator,
                     const QPixmap& graphics, int graphicsFrames, int graphicsFrame,
                     bool graphicsUseMask, uint graphicsMaskColor) const;
    QSize optionSizeHint() const;

    static constexpr int kIndicator = 13;
};

} // namespace Solido

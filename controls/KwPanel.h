#pragma once

#include "controls/DispIds.h"
#include "controls/KwFrameBase.h"
#include "controls/KwProperties.h"
#include "controls/KwWidget.h"
#include "controls/PanelPainting.h"

#include <QMetaObject>

namespace Solido {

class KwPanel;
using KwPanelWidget = KwWidget<KwPanel, QWidget, KwFrameBase>;

// A panel: a container drawn with an outer and an inner bevel around its caption, picture,
// flood (a progress indicator) and the controls it holds. Child widgets laid out in it keep to
// its content area.
class SOLIDO3D_EXPORT KwPanel : public KwPanelWidget {
    Q_OBJECT
    KW_BASE_PROPERTIES
    KW_FRAME_BASE_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(Solido::Constants_Bevel BevelOuter READ BevelOuter WRITE setBevelOuter)
    Q_PROPERTY(Solido::Constants_Bevel BevelInner READ BevelInner WRITE setBevelInner)
    Q_PROPERTY(bool RoundedCorners READ RoundedCorners WRITE setRoundedCorners)
    Q_PROPERTY(bool Outline READ Outline WRITE setOutline)
    Q_PROPERTY(Solido::Constants_FloodType FloodType READ FloodType WRITE setFloodType)
    Q_PROPERTY(uint FloodColor READ FloodColor WRITE setFloodColor)
    Q_PROPERTY(int FloodPercent READ FloodPercent WRITE setFloodPercent)
    Q_PROPERTY(bool FloodShowPct READ FloodShowPct WRITE setFloodShowPct)
    Q_PROPERTY(Solido::Constants_Alignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(Solido::Constants_ShadowColor ShadowColor READ ShadowColor WRITE setShadowColor)
    Q_PROPERTY(Solido::Constants_AutoSizePanel AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(Solido::Constants_Alignment PictureAlignment READ PictureAlignment WRITE
                   setPictureAlignment)
    Q_PROPERTY(
        Solido::Constants_FloodFillStyle FloodFillStyle READ FloodFillStyle WRITE setFloodFillStyle)
    KW_BASE_SIGNALS

public:
    explicit KwPanel(QWidget* parent = nullptr);
    ~KwPanel() override;

    int BevelWidth() const { return intValue(DispId::BevelWidth); }
    void setBevelWidth(int width) { put(DispId::BevelWidth, width); }
    int BorderWidth() const { return intValue(DispId::BorderWidth); }
    void setBorderWidth(int width) { put(DispId::BorderWidth, width); }
    Constants_Bevel BevelOuter() const { return Constants_Bevel(intValue(DispId::BevelOuter)); }
    void setBevelOuter(Constants_Bevel bevel) { put(DispId::BevelOuter, int(bevel)); }
    Constants_Bevel BevelInner() const { return Constants_Bevel(intValue(DispId::BevelInner)); }
    void setBevelInner(Constants_Bevel bevel) { put(DispId::BevelInner, int(bevel)); }
    bool RoundedCorners() const { return boolValue(DispId::RoundedCorners); }
    void setRoundedCorners(bool on) { put(DispId::RoundedCorners, on); }
    bool Outline() const { return boolValue(DispId::Outline); }
    void setOutline(bool on) { put(DispId::Outline, on); }
    Constants_FloodType FloodType() const
    {
        return Constants_FloodType(intValue(DispId::FloodType));
    }
    void setFloodType(Constants_FloodType type) { put(DispId::FloodType, int(type)); }
    uint FloodColor() const { return colorValue(DispId::FloodColor); }
    void setFloodColor(uint color) { put(DispId::FloodColor, color); }
    int FloodPercent() const { return intValue(DispId::FloodPercent); }
    void setFloodPercent(int percent) { put(DispId::FloodPercent, percent); }
    bool FloodShowPct() const { return boolValue(DispId::FloodShowPct); }
    void setFloodShowPct(bool on) { put(DispId::FloodShowPct, on); }
    Constants_Alignment Alignment() const
    {
        return Constants_Alignment(intValue(DispId::Alignment));
    }
    void setAlignment(Constants_Alignment alignment) { put(DispId::Alignment, int(alignment)); }
    Constants_ShadowColor ShadowColor() const
    {
        return Constants_ShadowColor(intValue(DispId::ShadowColor));
    }
    void setShadowColor(Constants_ShadowColor color) { put(DispId::ShadowColor, int(color)); }
    Constants_AutoSizePanel AutoSize() const
    {
        return Constants_AutoSizePanel(intValue(DispId::AutoSize));
    }
    void setAutoSize(Constants_AutoSizePanel size) { put(DispId::AutoSize, int(size)); }
    Constants_Alignment PictureAlignment() const
    {
        return Constants_Alignment(intValue(DispId::PictureAlignment));
    }
    void setPictureAlignment(Constants_Alignment alignment)
    {
        put(DispId::PictureAlignment, int(alignment));
    }
    Constants_FloodFillStyle FloodFillStyle() const
    {
        return Constants_FloodFillStyle(intValue(DispId::FloodFillStyle));
    }
    void setFloodFillStyle(Constants_FloodFillStyle style)
    {
        put(DispId::FloodFillStyle, int(style));
    }

    // The frame's settings and the area inside it (caption, picture and flood).
    PanelFrame frame() const
    {
        return {BevelOuter(), BevelInner(), BevelWidth(), BorderWidth(), Outline()};
    }
    QRect contentArea() const { return panelContentArea(rect(), frame()); }

    QSize sizeHint() const override;

Q_SIGNALS:
    void Click();
    void DblClick();
    // The panel's splitter moved the bar next to it and resized the panes on either side.
    void Resize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void applied(int dispId) override;
    void stateRead() override;
    QRect captionArea() const override { return contentArea(); }
    int captionFlags() const override;
    QColor captionShadow() const override;

private:
    void updateGeometryFromProperties();
    void watchSplitter();

    QMetaObject::Connection m_splitterMoved;
};

} // namespace Solido

#pragma once

#include "controls/DispIds.h"
#include "controls/KwButtonBase.h"
#include "controls/KwProperties.h"
#include "controls/KwWidget.h"

#include <QAbstractButton>

namespace Solido {

class KwRibbon;
using KwRibbonWidget = KwWidget<KwRibbon, QAbstractButton, KwButtonBase>;

// A ribbon button: stays down when clicked. Ribbon buttons of one container with the same
// GroupNumber form a group: pressing one releases the others; with GroupAllowAllUp false a click
// on the one that is down leaves it down. Group 0 is no group: the button toggles on its own.
class SOLIDO3D_EXPORT KwRibbon : public KwRibbonWidget {
    Q_OBJECT
    KW_BASE_PROPERTIES
    KW_BUTTON_BASE_PROPERTIES
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    Q_PROPERTY(int GroupNumber READ GroupNumber WRITE setGroupNumber)
    Q_PROPERTY(bool GroupAllowAllUp READ GroupAllowAllUp WRITE setGroupAllowAllUp)
    Q_PROPERTY(Solido::Constants_PictureDnChange PictureDnChange READ PictureDnChange WRITE
                   setPictureDnChange)
    Q_PROPERTY(QPixmap PictureUp READ PictureUp WRITE setPictureUp)
    Q_PROPERTY(QPixmap PictureDnDisabled READ PictureDnDisabled WRITE setPictureDnDisabled)
    Q_PROPERTY(
        int PictureDnDisabledFrames READ PictureDnDisabledFrames WRITE setPictureDnDisabledFrames)
    Q_PROPERTY(bool Windowless READ Windowless WRITE setWindowless)
    KW_BASE_SIGNALS

public:
    explicit KwRibbon(QWidget* parent = nullptr);

    int GroupNumber() const { return intValue(DispId::GroupNumber); }
    void setGroupNumber(int group) { put(DispId::GroupNumber, group); }
    bool GroupAllowAllUp() const { return boolValue(DispId::GroupAllowAllUp); }
    void setGroupAllowAllUp(bool on) { put(DispId::GroupAllowAllUp, on); }
    Constants_PictureDnChange PictureDnChange() const
    {
        return Constants_PictureDnChange(intValue(DispId::PictureDnChange));
    }
    void setPictureDnChange(Constants_PictureDnChange change)
    {
        put(DispId::PictureDnChange, int(change));
    }
    QPixmap PictureUp() const { return pictureValue(DispId::PictureUp); }
    void setPictureUp(const QPixmap& picture) { put(DispId::PictureUp, picture); }
    QPixmap PictureDnDisabled() const { return pictureValue(DispId::PictureDnDisabled); }
    void setPictureDnDisabled(const QPixmap& picture) { put(DispId::PictureDnDisabled, picture); }
    int PictureDnDisabledFrames() const { return intValue(DispId::PictureDnDisabledFrames); }
    void setPictureDnDisabledFrames(int frames) { put(DispId::PictureDnDisabledFrames, frames); }
    bool Windowless() const { return boolValue(DispId::Windowless); }
    void setWindowless(bool on) { put(DispId::Windowless, on); }

    // The other ribbon buttons of this one's group in its container.
    QList<KwRibbon*> groupMembers() const;
    // The picture shown now, for the button's state.
    QPixmap currentPicture() const;

    QSize sizeHint() const override { return buttonSizeHint(QSize(24, 22)); }

Q_SIGNALS:
    // The user clicked; Value is the state the button takes, unless a slot changes it.
    void Click(bool& Value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void applied(int dispId) override;

private:
    void clickedByUser();
};

} // namespace Solido

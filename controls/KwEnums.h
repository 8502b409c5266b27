#pragma once

#include "controls/Solido3dExport.h"

#include <QObject>
#include <QtGlobal>

// The constants of the control library, one enumeration per property kind, with the values
// containers store. They are registered with Qt's meta-object system, so a property of one of
// these types shows its names in Qt Designer and converts to and from its number.
namespace Solido {
Q_NAMESPACE_EXPORT(SOLIDO3D_EXPORT)

// An OLE colour value: 0x00BBGGRR, or with the top bit set a system colour by its index.
using OleColor = quint32;

enum Constants_Font3D {
    kwNoneFont3D = 0,
    kwRaisedLight = 1,
    kwRaisedHeavy = 2,
    kwInsetLight = 3,
    kwInsetHeavy = 4,
    kwDropShadow = 5
};
Q_ENUM_NS(Constants_Font3D)

enum Constants_AlignTo { kwTextRight = 0, kwTextLeft = 1 };
Q_ENUM_NS(Constants_AlignTo)

enum Constants_AlignFrameText {
    kwTopLeft = 0,
    kwTopRight = 1,
    kwTopCenter = 2,
    kwBottomLeft = 3,
    kwBottomRight = 4,
    kwBottomCenter = 5
};
Q_ENUM_NS(Constants_AlignFrameText)

enum Constants_ShadowColor { kwDarkGrey = 0, kwBlack = 1 };
Q_ENUM_NS(Constants_ShadowColor)

enum Constants_AutoSizeButton {
    kwNoneAutoSizeButton = 0,
    kwPictureToButton = 1,
    kwButtonToPicture = 2
};
Q_ENUM_NS(Constants_AutoSizeButton)

enum Constants_ShadowStyle { kwInsetShadow = 0, kwRaisedShadow = 1 };
Q_ENUM_NS(Constants_ShadowStyle)

enum Constants_Bevel { kwNoneBevel = 0, kwInsetBevel = 1, kwRaisedBevel = 2 };
Q_ENUM_NS(Constants_Bevel)

enum Constants_FloodType {
    kwNoneFlood = 0,
    kwLeftToRight = 1,
    kwRightToLeft = 2,
    kwTopToBottom = 3,
    kwBottomToTop = 4,
    kwWideningCircle = 5
};
Q_ENUM_NS(Constants_FloodType)

enum Constants_Alignment {
    kwLeftTop = 0,
    kwLeftMiddle = 1,
    kwLeftBottom = 2,
    kwRightTop = 3,
    kwRightMiddle = 4,
    kwRightBottom = 5,
    kwCenterTop = 6,
    kwCenterMiddle = 7,
    kwCenterBottom = 8,
    kwLeftOfCaption = 9,
    kwRightOfCaption = 10,
    kwTopOfCaption = 11,
    kwBottomOfCaption = 12
};
Q_ENUM_NS(Constants_Alignment)

enum Constants_AutoSizePanel {
    kwNoneAutoSize = 0,
    kwWidthToCaption = 1,
    kwHeightToCaption = 2,
    kwChildToPanel = 3
};
Q_ENUM_NS(Constants_AutoSizePanel)

enum Constants_PictureDnChange { kwNoChange = 0, kwDither = 1, kwInvert = 2 };
Q_ENUM_NS(Constants_PictureDnChange)

enum Constants_MousePointer {
    kwDefault = 0,
    kwArrow = 1,
    kwCross = 2,
    kwIBeam = 3,
    kwIcon = 4,
    kwSize = 5,
    kwSizeNESW = 6,
    kwSizeNS = 7,
    kwSizeNWSE = 8,
    kwSizeEW = 9,
    kwUpArrow = 10,
    kwHourglass = 11,
    kwNoDrop = 12,
    kwArrowHourglass = 13,
    kwArrowQuestion = 14,
    kwSizeAll = 15,
    kwHand = 16,
    kwCustom = 99
};
Q_ENUM_NS(Constants_MousePointer)

enum Constants_CaptionStyle { kwStandard = 0, kwWrapped = 1 };
Q_ENUM_NS(Constants_CaptionStyle)

enum Constants_MarqueeStyle {
    kwNoneMarquee = 0,
    kwScrollingMarquee = 1,
    kwSlidingMarquee = 2,
    kwBlinkingMarquee = 3,
    kwBouncingMarquee = 4
};
Q_ENUM_NS(Constants_MarqueeStyle)

enum Constants_MarqueeDirection {
    kwMDRightToLeft = 0,
    kwMDLeftToRight = 1,
    kwMDTopToBottom = 2,
    kwMDBottomToTop = 3
};
Q_ENUM_NS(Constants_MarqueeDirection)

enum Constants_BackStyle { kwOpaque = 0, kwTransparent = 1 };
Q_ENUM_NS(Constants_BackStyle)

enum Constants_PictureBackgroundStyle { kwCentered = 0, kwStretched = 1, kwTiled = 2 };
Q_ENUM_NS(Constants_PictureBackgroundStyle)

enum Constants_PictureAlignment { kwPALeftOfCaption = 0, kwPARightOfCaption = 1, kwPAJustify = 2 };
Q_ENUM_NS(Constants_PictureAlignment)

enum Constants_ButtonStyle {
    kwFollowOS = 0,
    kwWin95 = 1,
    kwWin3X = 2,
    kwActiveBorders = 3,
    kwBorderless = 4
};
Q_ENUM_NS(Constants_ButtonStyle)

enum Constants_FloodFillStyle { kwSolid = 0, kwSegmented = 1 };
Q_ENUM_NS(Constants_FloodFillStyle)

enum Constants_CheckBoxValue { kwCBUnchecked = 0, kwCBChecked = 1, kwCBGrayed = 2 };
Q_ENUM_NS(Constants_CheckBoxValue)

enum Constants_PictureMaskColorSource { kwUseMaskColor = 0, kwUseImage = 1 };
Q_ENUM_NS(Constants_PictureMaskColorSource)

enum Constants_ShapeSize { kwControlToShape = 0, kwShapeToControl = 1 };
Q_ENUM_NS(Constants_ShapeSize)

enum Constants_SoundFlags { kwPlaySoundFile = 0, kwPlaySystemSound = 32 };
Q_ENUM_NS(Constants_SoundFlags)

enum Constants_OLEDrag { kwOLEDragManual = 0, kwOLEDragAutomatic = 1 };
Q_ENUM_NS(Constants_OLEDrag)

enum Constants_OLEDrop { kwOLEDropNone = 0, kwOLEDropManual = 1 };
Q_ENUM_NS(Constants_OLEDrop)

enum Constants_DragOver { kwEnter = 0, kwLeave = 1, kwOver = 2 };
Q_ENUM_NS(Constants_DragOver)

enum Constants_ClipBoard {
    kwCFText = 1,
    kwCFBitmap = 2,
    kwCFMetafile = 3,
    kwCFDIB = 8,
    kwCFPalette = 9,
    kwCFEMetafile = 14,
    kwCFFiles = 15,
    kwCFRTF = -16639
};
Q_ENUM_NS(Constants_ClipBoard)

enum Constants_OLEDropEffect : int {
    kwOLEDropEffectNone = 0,
    kwOLEDropEffectCopy = 1,
    kwOLEDropEffectMove = 2,
    kwOLEDropEffectScroll = -2147483647 - 1 // the top bit
};
Q_ENUM_NS(Constants_OLEDropEffect)

} // namespace Solido

#pragma once

// The Qt properties and signals every control class declares, one block per interface of the
// library. The accessors are those of KwControl and the family cores; moc reads these blocks
// like any other declaration. Font and Enabled are the widget's own font and enabled state; the
// designable copies would only repeat those, so Designer shows the widget's.

#define KW_BASE_PROPERTIES                                                                         \
    Q_PROPERTY(bool ActiveColors READ ActiveColors WRITE setActiveColors)                          \
    Q_PROPERTY(                                                                                    \
        int PictureAnimationDelay READ PictureAnimationDelay WRITE setPictureAnimationDelay)       \
    Q_PROPERTY(bool PictureAnimationEnabled READ PictureAnimationEnabled WRITE                     \
                   setPictureAnimationEnabled)                                                     \
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)                                   \
    Q_PROPERTY(Solido::Constants_BackStyle BackStyle READ BackStyle WRITE setBackStyle)            \
    Q_PROPERTY(                                                                                    \
        Solido::Constants_CaptionStyle CaptionStyle READ CaptionStyle WRITE setCaptionStyle)       \
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled DESIGNABLE false STORED false)         \
    Q_PROPERTY(QFont Font READ font WRITE setFont DESIGNABLE false STORED false)                   \
    Q_PROPERTY(Solido::Constants_Font3D Font3D READ Font3D WRITE setFont3D)                        \
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold DESIGNABLE false STORED false)        \
    Q_PROPERTY(bool FontItalic READ FontItalic WRITE setFontItalic DESIGNABLE false STORED false)  \
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName DESIGNABLE false STORED false)     \
    Q_PROPERTY(float FontSize READ FontSize WRITE setFontSize DESIGNABLE false STORED false)       \
    Q_PROPERTY(bool FontStrikethru READ FontStrikethru WRITE setFontStrikethru                     \
                   DESIGNABLE false STORED false)                                                  \
    Q_PROPERTY(bool FontUnderline READ FontUnderline WRITE setFontUnderline                        \
                   DESIGNABLE false STORED false)                                                  \
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)                                   \
    Q_PROPERTY(qulonglong hWnd READ hWnd DESIGNABLE false STORED false)                            \
    Q_PROPERTY(int MarqueeDelay READ MarqueeDelay WRITE setMarqueeDelay)                           \
    Q_PROPERTY(Solido::Constants_MarqueeDirection MarqueeDirection READ MarqueeDirection WRITE     \
                   setMarqueeDirection)                                                            \
    Q_PROPERTY(int MarqueeScrollAmount READ MarqueeScrollAmount WRITE setMarqueeScrollAmount)      \
    Q_PROPERTY(                                                                                    \
        Solido::Constants_MarqueeStyle MarqueeStyle READ MarqueeStyle WRITE setMarqueeStyle)       \
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)                                \
    Q_PROPERTY(                                                                                    \
        Solido::Constants_MousePointer MousePointer READ MousePointer WRITE setMousePointer)       \
    Q_PROPERTY(Solido::Constants_OLEDrop OLEDropMode READ OLEDropMode WRITE setOLEDropMode)        \
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)                                      \
    Q_PROPERTY(                                                                                    \
        int PictureAnimationCount READ PictureAnimationCount WRITE setPictureAnimationCount)       \
    Q_PROPERTY(int PictureFrame READ PictureFrame WRITE setPictureFrame)                           \
    Q_PROPERTY(int PictureFrames READ PictureFrames WRITE setPictureFrames)                        \
    Q_PROPERTY(uint PictureMaskColor READ PictureMaskColor WRITE setPictureMaskColor)              \
    Q_PROPERTY(Solido::Constants_PictureMaskColorSource PictureMaskColorSource READ                \
                   PictureMaskColorSource WRITE setPictureMaskColorSource)                         \
    Q_PROPERTY(bool PictureUseMask READ PictureUseMask WRITE setPictureUseMask)                    \
    Q_PROPERTY(QVariant TagVariant READ TagVariant WRITE setTagVariant DESIGNABLE false)

// The events of every control. Positions are in pixels; Button is 1 left, 2 right, 4 middle;
// Shift is 1 Shift, 2 Ctrl, 4 Alt. Arguments passed by reference may be changed by a directly
// connected slot, and the control goes on with the changed value. A data object passed to the
// drag-and-drop events lives for the event only; State is a Constants_DragOver value.
#define KW_BASE_SIGNALS                                                                            \
Q_SIGNALS:                                                                                         \
    void propertyChanged(int dispId);                                                              \
    void MouseDown(int Button, int Shift, int X, int Y);                                           \
    void MouseMove(int Button, int Shift, int X, int Y);                                           \
    void MouseUp(int Button, int Shift, int X, int Y);                                             \
    void MouseEnter(int Button, int Shift, int X, int Y);                                          \
    void MouseExit(int Button, int Shift, int X, int Y);                                           \
    void MarqueeCycleBegin();                                                                      \
    void MarqueeCycleEnd();                                                                        \
    void PictureFrameChanged();                                                                    \
    void OLEStartDrag(Solido::KwDataObject* Data, int& AllowedEffects);                            \
    void OLEGiveFeedback(int& Effect, bool& DefaultCursors);                                       \
    void OLESetData(Solido::KwDataObject* Data, int& DataFormat);                                  \
    void OLECompleteDrag(int& Effect);                                                             \
    void OLEDragOver(Solido::KwDataObject* Data, int& Effect, int Button, int Shift, int X, int Y, \
                     int State);                                                                   \
    void OLEDragDrop(Solido::KwDataObject* Data, int& Effect, int Button, int Shift, int X, int Y);

// The keyboard events of the command, check and option buttons.
#define KW_KEY_SIGNALS                                                                             \
Q_SIGNALS:                                                                                         \
    void KeyDown(int& KeyCode, int Shift);                                                         \
    void KeyPress(int& KeyAscii);                                                                  \
    void KeyUp(int& KeyCode, int Shift);

#define KW_FRAME_BASE_PROPERTIES                                                                   \
    Q_PROPERTY(Solido::Constants_PictureBackgroundStyle PictureBackgroundStyle READ                \
                   PictureBackgroundStyle WRITE setPictureBackgroundStyle)                         \
    Q_PROPERTY(QPixmap PictureBackground READ PictureBackground WRITE setPictureBackground)        \
    Q_PROPERTY(bool ClipControls READ ClipControls WRITE setClipControls)                          \
    Q_PROPERTY(bool PictureBackgroundUseMask READ PictureBackgroundUseMask WRITE                   \
                   setPictureBackgroundUseMask)

#define KW_OPTION_BASE_PROPERTIES                                                                  \
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)                                      \
    Q_PROPERTY(Solido::Constants_AlignTo Alignment READ Alignment WRITE setAlignment)              \
    Q_PROPERTY(Solido::Constants_PictureAlignment PictureAlignment READ PictureAlignment WRITE     \
                   setPictureAlignment)

#define KW_BUTTON_BASE_PROPERTIES                                                                  \
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)                                      \
    Q_PROPERTY(Solido::Constants_Alignment Alignment READ Alignment WRITE setAlignment)            \
    Q_PROPERTY(Solido::Constants_AutoSizeButton AutoSize READ AutoSize WRITE setAutoSize)          \
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)                                 \
    Q_PROPERTY(Solido::Constants_ButtonStyle ButtonStyle READ ButtonStyle WRITE setButtonStyle)    \
    Q_PROPERTY(bool Outline READ Outline WRITE setOutline)                                         \
    Q_PROPERTY(Solido::Constants_Alignment PictureAlignment READ PictureAlignment WRITE            \
                   setPictureAlignment)                                                            \
    Q_PROPERTY(QPixmap PictureDisabled READ PictureDisabled WRITE setPictureDisabled)              \
    Q_PROPERTY(                                                                                    \
        int PictureDisabledFrames READ PictureDisabledFrames WRITE setPictureDisabledFrames)       \
    Q_PROPERTY(QPixmap PictureDn READ PictureDn WRITE setPictureDn)                                \
    Q_PROPERTY(int PictureDnFrames READ PictureDnFrames WRITE setPictureDnFrames)                  \
    Q_PROPERTY(QPixmap Shape READ Shape WRITE setShape)                                            \
    Q_PROPERTY(Solido::Constants_ShapeSize ShapeSize READ ShapeSize WRITE setShapeSize)            \
    Q_PROPERTY(bool RoundedCorners READ RoundedCorners WRITE setRoundedCorners)

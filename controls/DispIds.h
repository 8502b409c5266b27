#pragma once

// The dispatch identifiers of the controls' properties and methods. One name has one number in
// every family; where two families give one number different names (47 is a button's Value and
// an option button's OptionValue) both names are listed.
namespace Solido::DispId {

constexpr int Default = 0; // _Caption or _Value: the family's default member
constexpr int FontName = 1;
constexpr int FontSize = 2;
constexpr int FontBold = 3;
constexpr int FontItalic = 4;
constexpr int FontStrikethru = 5;
constexpr int FontUnderline = 6;
constexpr int Alignment = 7;
constexpr int ShadowColor = 8;
constexpr int Font3D = 9;
constexpr int ShadowStyle = 10;
constexpr int OptionValue11 = 11; // an option button's Value
constexpr int CaptionStyle = 12;
constexpr int BevelWidth = 13;
constexpr int BevelOuter = 14;
constexpr int BevelInner = 15;
constexpr int RoundedCorners = 16;
constexpr int Outline = 17;
constexpr int FloodType = 18;
constexpr int FloodColor = 19;
constexpr int FloodPercent = 20;
constexpr int FloodShowPct = 21;
constexpr int ClickWithValue = 22; // the Click event of the buttons
constexpr int GroupNumber = 24;
constexpr int GroupAllowAllUp = 25;
constexpr int PictureDnChange = 26;
constexpr int PictureDn = 27;
constexpr int PictureDisabled = 28;
constexpr int PictureUp = 29;
constexpr int PlaySoundFile = 30;
constexpr int PictureAnimationDelay = 31;
constexpr int MarqueeDelay = 32;
constexpr int MarqueeDirection = 33;
constexpr int PictureFrames = 35;
constexpr int PictureMaskColor = 36;
constexpr int PictureUseMask = 37;
constexpr int ActiveColors = 38;
constexpr int TagVariant = 39;
constexpr int PictureAlignment = 40;
constexpr int MaskColor = 41; // OptionBtnMaskColor, CheckBoxMaskColor
constexpr int UseMask = 42;   // OptionBtnUseMask, CheckBoxUseMask
constexpr int Graphics = 43;  // OptionBtnGraphics, CheckBoxGraphics
constexpr int TripleState = 44;
constexpr int MarqueeScrollAmount = 46;
constexpr int Value = 47; // buttons and check box; an option button's OptionValue
constexpr int DataValue = 48;
constexpr int ButtonStyle = 51;
constexpr int PictureDisabledFrames = 52;
constexpr int PictureDnFrames = 53;
constexpr int PictureAnimationEnabled = 54;
constexpr int AutoRepeat = 55;
constexpr int PictureBackground = 56;
constexpr int PictureDnDisabled = 57;
constexpr int PictureDnDisabledFrames = 58;
constexpr int FloodFillStyle = 59;
constexpr int MarqueeStyle = 60;
constexpr int PictureBackgroundStyle = 61;
constexpr int ClipControls = 63;
constexpr int BoundValue = 65;
constexpr int Windowless = 67;
constexpr int PictureAnimationCount = 68;
constexpr int PictureFrame = 69;
constexpr int PictureMaskColorSource = 70;
constexpr int Shape = 73;
constexpr int ShapeSize = 74;
constexpr int PictureBackgroundUseMask = 76;
constexpr int OLEDropMode = 1551;
constexpr int OLEDrag = 1552;
constexpr int AutoSize = -500;
constexpr int BackColor = -501;
constexpr int BackStyle = -502;
constexpr int BorderWidth = -505;
constexpr int Font = -512;
constexpr int ForeColor = -513;
constexpr int Enabled = -514;
constexpr int hWnd = -515;
constexpr int Caption = -518;
constexpr int MousePointer = -521;
constexpr int MouseIcon = -522;
constexpr int Picture = -523;
constexpr int Refresh = -550;
constexpr int DoClick = -551;
constexpr int AboutBox = -552;

} // namespace Solido::DispId

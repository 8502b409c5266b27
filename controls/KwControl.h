#pragma once

#include "controls/ColorScheme.h"
#include "controls/DispIds.h"
#include "controls/KwDataObject.h"
#include "controls/KwEnums.h"
#include "controls/MarqueeMotion.h"
#include "controls/PropertyTable.h"
#include "controls/Solido3dExport.h"

#include <QBasicTimer>
#include <QPixmap>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <vector>

class QDrag;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QPainter;
class QWidget;

namespace Solido {

// A saved state: property names and their values.
using PropertyBag = QVariantMap;

// Where design-time messages go: a setter's error while a designer edits a control (raised at
// run time instead), and the note on transparent backgrounds. Qt Designer's plugin shows them in
// a message box; by default they are written as warnings.
using DesignTimeNotifier = std::function<void(const QString& text)>;
SOLIDO3D_EXPORT void setDesignTimeNotifier(DesignTimeNotifier notifier);

// What every control of the library has: its properties kept by the family's table, read and
// written by name or dispatch identifier through one setter pattern, saved to and read from a
// property bag, and the common properties, methods, pictures, animation and marquee.
//
// The setter pattern: a value the property cannot take raises KwError (the family's range
// error, a negative number counting as out of range, or "Invalid property value"), leaving the
// old value; a value equal to the current one returns at once; otherwise the value is stored,
// the control marked dirty, propertyChanged(dispId) emitted and the control repainted.
class SOLIDO3D_EXPORT KwControl {
public:
    virtual ~KwControl();
    KwControl(const KwControl&) = delete;
    KwControl& operator=(const KwControl&) = delete;

    QWidget* widget() const { return m_widget; }
    KwFamily family() const { return m_table.family(); }
    const PropertyTable& properties() const { return m_table; }

    // By dispatch identifier or name; an unknown one raises error 438.
    QVariant propertyValue(int dispId) const;
    QVariant propertyValue(QAnyStringView name) const { return propertyValue(row(name).dispId); }
    void setPropertyValue(int dispId, const QVariant& value);
    void setPropertyValue(QAnyStringView name, const QVariant& value);

    // Set by every change through a setter; cleared by the container after saving.
    bool isDirty() const { return m_dirty; }
    void setDirty(bool dirty) { m_dirty = dirty; }

    // A control a designer edits: setter errors are shown instead of raised.
    bool designMode() const { return m_designMode; }
    void setDesignMode(bool on);

    // The saved state: every saved property under its name, "_Version", and "_ExtentX" and
    // "_ExtentY" (the size in hundredths of a millimetre).
    PropertyBag writeProperties() const;
    // Reads a saved state. A name the bag lacks takes the family's saved-state default; a value
    // the property cannot take does too, and its name is returned.
    QStringList readProperties(const PropertyBag& bag);
    static constexpr int kVersion = 0x30001; // 3.01

    // IKwBase
    bool ActiveColors() const { return boolValue(DispId::ActiveColors); }
    void setActiveColors(bool on) { put(DispId::ActiveColors, on); }
    int PictureAnimationDelay() const { return intValue(DispId::PictureAnimationDelay); }
    void setPictureAnimationDelay(int ms) { put(DispId::PictureAnimationDelay, ms); }
    bool PictureAnimationEnabled() const { return boolValue(DispId::PictureAnimationEnabled); }
    void setPictureAnimationEnabled(bool on) { put(DispId::PictureAnimationEnabled, on); }
    uint BackColor() const { return colorValue(DispId::BackColor); }
    void setBackColor(uint color) { put(DispId::BackColor, color); }
    Constants_BackStyle BackStyle() const
    {
        return Constants_BackStyle(intValue(DispId::BackStyle));
    }
    void setBackStyle(Constants_BackStyle style) { put(DispId::BackStyle, int(style)); }
    Constants_CaptionStyle CaptionStyle() const
    {
        return Constants_CaptionStyle(intValue(DispId::CaptionStyle));
    }
    void setCaptionStyle(Constants_CaptionStyle style) { put(DispId::CaptionStyle, int(style)); }
    Constants_Font3D Font3D() const { return Constants_Font3D(intValue(DispId::Font3D)); }
    void setFont3D(Constants_Font3D style) { put(DispId::Font3D, int(style)); }
    bool FontBold() const { return boolValue(DispId::FontBold); }
    void setFontBold(bool on) { put(DispId::FontBold, on); }
    bool FontItalic() const { return boolValue(DispId::FontItalic); }
    void setFontItalic(bool on) { put(DispId::FontItalic, on); }
    QString FontName() const { return textValue(DispId::FontName); }
    void setFontName(const QString& name) { put(DispId::FontName, name); }
    float FontSize() const { return get(DispId::FontSize).toFloat(); }
    void setFontSize(float points) { put(DispId::FontSize, points); }
    bool FontStrikethru() const { return boolValue(DispId::FontStrikethru); }
    void setFontStrikethru(bool on) { put(DispId::FontStrikethru, on); }
    bool FontUnderline() const { return boolValue(DispId::FontUnderline); }
    void setFontUnderline(bool on) { put(DispId::FontUnderline, on); }
    uint ForeColor() const { return colorValue(DispId::ForeColor); }
    void setForeColor(uint color) { put(DispId::ForeColor, color); }
    qulonglong hWnd() const;
    int MarqueeDelay() const { return intValue(DispId::MarqueeDelay); }
    void setMarqueeDelay(int ms) { put(DispId::MarqueeDelay, ms); }
    Constants_MarqueeDirection MarqueeDirection() const
    {
        return Constants_MarqueeDirection(intValue(DispId::MarqueeDirection));
    }
    void setMarqueeDirection(Constants_MarqueeDirection direction)
    {
        put(DispId::MarqueeDirection, int(direction));
    }
    int MarqueeScrollAmount() const { return intValue(DispId::MarqueeScrollAmount); }
    void setMarqueeScrollAmount(int pixels) { put(DispId::MarqueeScrollAmount, pixels); }
    Constants_MarqueeStyle MarqueeStyle() const
    {
        return Constants_MarqueeStyle(intValue(DispId::MarqueeStyle));
    }
    void setMarqueeStyle(Constants_MarqueeStyle style) { put(DispId::MarqueeStyle, int(style)); }
    QPixmap MouseIcon() const { return pictureValue(DispId::MouseIcon); }
    void setMouseIcon(const QPixmap& icon) { put(DispId::MouseIcon, icon); }
    Constants_MousePointer MousePointer() const
    {
        return Constants_MousePointer(intValue(DispId::MousePointer));
    }
    void setMousePointer(Constants_MousePointer pointer)
    {
        put(DispId::MousePointer, int(pointer));
    }
    Constants_OLEDrop OLEDropMode() const
    {
        return Constants_OLEDrop(intValue(DispId::OLEDropMode));
    }
    void setOLEDropMode(Constants_OLEDrop mode) { put(DispId::OLEDropMode, int(mode)); }
    QPixmap Picture() const { return pictureValue(DispId::Picture); }
    void setPicture(const QPixmap& picture) { put(DispId::Picture, picture); }
    int PictureAnimationCount() const { return intValue(DispId::PictureAnimationCount); }
    void setPictureAnimationCount(int count) { put(DispId::PictureAnimationCount, count); }
    int PictureFrame() const { return intValue(DispId::PictureFrame); }
    void setPictureFrame(int frame) { put(DispId::PictureFrame, frame); }
    int PictureFrames() const { return intValue(DispId::PictureFrames); }
    void setPictureFrames(int frames) { put(DispId::PictureFrames, frames); }
    uint PictureMaskColor() const { return colorValue(DispId::PictureMaskColor); }
    void setPictureMaskColor(uint color) { put(DispId::PictureMaskColor, color); }
    Constants_PictureMaskColorSource PictureMaskColorSource() const
    {
        return Constants_PictureMaskColorSource(intValue(DispId::PictureMaskColorSource));
    }
    void setPictureMaskColorSource(Constants_PictureMaskColorSource source)
    {
        put(DispId::PictureMaskColorSource, int(source));
    }
    bool PictureUseMask() const { return boolValue(DispId::PictureUseMask); }
    void setPictureUseMask(bool on) { put(DispId::PictureUseMask, on); }
    QVariant TagVariant() const { return get(DispId::TagVariant); }
    void setTagVariant(const QVariant& value) { put(DispId::TagVariant, value); }

    // Methods of every control.
    void Refresh();
    // Starts a drag with this control as its source: OLEStartDrag lets the container fill the
    // data object and choose the allowed effects, OLESetData supplies declared data when a
    // target asks, OLECompleteDrag reports the effect. Nothing is dragged when the container
    // put no format in. A drag started while one runs raises error 674.
    void OLEDrag();
    // Plays a wave file, or with kwPlaySystemSound the platform's alert sound (see KwSound.h).
    void PlaySoundFile(const QString& sound, int flags = kwPlaySoundFile);
    // Shows the library's about box modally.
    void AboutBox();

    // How a drag runs once its data is ready: QDrag::exec by default. Hosts that drive drags
    // themselves (and tests) put their own in; an empty runner restores the default.
    using DragRunner = std::function<Qt::DropAction(QDrag& drag, Qt::DropActions allowed)>;
    static void setDragRunner(DragRunner runner);

    // Drop effects (kwOLEDropEffectCopy, ...) and Qt's drop actions.
    static int effectsOf(Qt::DropActions actions);
    static Qt::DropAction actionOf(int effects, Qt::DropActions possible);

    // The pointer is over the control (ActiveColors shows the picture in colour then).
    bool isPointerOver() const { return m_pointerOver; }
    // Called by the animation list on each tick: shows the next frame. False once it stops.
    bool advanceAnimation();
    // The marquee's position now (for painting and tests).
    const MarqueeMotion& marquee() const { return m_marquee; }
    // Moves the marquee on by one step as its timer does.
    void stepMarquee();

protected:
    KwControl(QWidget* self, KwFamily family);

    // The setter pattern, and the current value of a property (stored or the widget's own).
    void put(int dispId, const QVariant& value);
    QVariant get(int dispId) const;
    int intValue(int dispId) const { return get(dispId).toInt(); }
    bool boolValue(int dispId) const { return get(dispId).toBool(); }
    uint colorValue(int dispId) const { return get(dispId).toUInt(); }
    QString textValue(int dispId) const { return get(dispId).toString(); }
    QPixmap pictureValue(int dispId) const { return get(dispId).value<QPixmap>(); }
    // Stores a value without the setter pattern (no check, no notification, not dirty): for
    // state the control changes itself, such as the animation's frame.
    void store(int dispId, const QVariant& value);

    // The control's side: emit propertyChanged; read and write what the widget keeps itself;
    // react to a changed property (by default: repaint).
    virtual void raisePropertyChanged(int dispId) = 0;
    virtual void raisePictureFrameChanged() = 0;
    virtual void raiseMarqueeCycle(bool began) = 0;
    virtual void raiseOLEStartDrag(KwDataObject* data, int& allowedEffects) = 0;
    virtual void raiseOLEGiveFeedback(int& effect, bool& defaultCursors) = 0;
    virtual void raiseOLESetData(KwDataObject* data, int& format) = 0;
    virtual void raiseOLECompleteDrag(int& effect) = 0;
    virtual void raiseOLEDragOver(KwDataObject* data, int& effect, int button, int shift, int x,
                                  int y, int state) = 0;
    virtual void raiseOLEDragDrop(KwDataObject* data, int& effect, int button, int shift, int x,
                                  int y) = 0;
    virtual std::optional<QVariant> nativeValue(const PropertyInfo& row) const;
    virtual bool applyNative(const PropertyInfo& row, const QVariant& value);
    virtual void applied(int dispId);
    // The rectangle the caption moves in (for the marquee) and its alignment flags.
    virtual QRect captionArea() const;
    virtual int captionFlags() const;
    virtual QString captionText() const;
    // The shadow colour of the 3-D caption styles.
    virtual QColor captionShadow() const { return scheme().shadow; }
    // A saved state was read: bring what depends on the properties up to date.
    virtual void stateRead();

    // Painting helpers.
    ColorScheme scheme() const { return ColorScheme::system(); }
    QColor resolved(int dispId) const { return resolveColor(colorValue(dispId)); }
    void paintBackground(QPainter& p) const;
    // The frame of `picture` to show (of `frames` side by side), masked and greyed as the
    // properties say; null when there is no picture.
    QPixmap shownPicture(const QPixmap& picture, int frames, int frame) const;
    QPixmap shownPicture() const
    {
        return shownPicture(Picture(), PictureFrames(), PictureFrame());
    }
    // The caption in the control's 3-D style (or the disabled look), moved by the marquee.
    void paintCaption(QPainter& p, const QRect& r, int flags, const QString& text) const;

    // Events the widget passes on.
    void pointerEntered();
    void pointerLeft();
    bool timerTick(int timerId);
    void widgetShown();
    void widgetChanged(int eventType);
    void dragEntered(QDragEnterEvent* event);
    void dragMoved(QDragMoveEvent* event);
    void dragLeft();
    void dropped(QDropEvent* event);

private:
    const PropertyInfo& row(int dispId) const;
    const PropertyInfo& row(QAnyStringView name) const;
    void putRow(const PropertyInfo& row, const QVariant& value);
    void updateCursor();
    void updateAnimation();
    void updateMarquee();

    QWidget* m_widget;
    const PropertyTable& m_table;
    std::vector<QVariant> m_values;
    bool m_dirty = false;
    bool m_designMode = false;
    bool m_running = false;           // shown or read from a saved state: run time
    bool m_designTransparent = false; // BackStyle was transparent in the saved state
    bool m_pointerOver = false;
    int m_putting = 0; // inside a setter: the widget's own change events are not reported
    int m_playsLeft = 0;
    QPointer<const QMimeData> m_dragOver; // what is being dragged over the control
    QBasicTimer m_marqueeTimer;
    MarqueeMotion m_marquee;
};

} // namespace Solido

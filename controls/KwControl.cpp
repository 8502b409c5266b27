#include "controls/KwControl.h"

#include "controls/AnimatedControls.h"
#include "controls/Caption3D.h"
#include "controls/DispIds.h"
#include "controls/Input.h"
#include "controls/KwAboutBox.h"
#include "controls/KwError.h"
#include "controls/KwSound.h"

#include <QBitmap>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <utility>

namespace Solido {

namespace D = DispId;

namespace {

DesignTimeNotifier& designTimeNotifier()
{
    static DesignTimeNotifier notifier = [](const QString& text) {
        qWarning("%s", qPrintable(text));
    };
    return notifier;
}

void notifyDesignTime(const QString& text)
{
    if (designTimeNotifier())
        designTimeNotifier()(text);
}

const QString kTransparentNote = QStringLiteral(
    "When setting the control to transparent, if the container has a ClipControls property it "
    "should be set to False.  If this is not done, you may experience drawing problems.");

Qt::CursorShape cursorShape(Constants_MousePointer pointer)
{
    switch (pointer) {
    case kwCross:
        return Qt::CrossCursor;
    case kwIBeam:
        return Qt::IBeamCursor;
    case kwSize:
    case kwSizeAll:
        return Qt::SizeAllCursor;
    case kwSizeNESW:
        return Qt::SizeBDiagCursor;
    case kwSizeNS:
        return Qt::SizeVerCursor;
    case kwSizeNWSE:
        return Qt::SizeFDiagCursor;
    case kwSizeEW:
        return Qt::SizeHorCursor;
    case kwUpArrow:
        return Qt::UpArrowCursor;
    case kwHourglass:
        return Qt::WaitCursor;
    case kwNoDrop:
        return Qt::ForbiddenCursor;
    case kwArrowHourglass:
        return Qt::BusyCursor;
    case kwArrowQuestion:
        return Qt::WhatsThisCursor;
    case kwHand:
        return Qt::PointingHandCursor;
    default: // kwArrow and kwIcon, which has no pointer of its own here
        return Qt::ArrowCursor;
    }
}

// Counts a setter's depth, so the widget's own change events during it are not reported twice.
class Depth {
public:
    explicit Depth(int& depth)
        : m_depth(depth)
    {
        ++m_depth;
    }
    ~Depth() { --m_depth; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;

private:
    int& m_depth;
};

QImage greyed(const QImage& source)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int g = qGray(line[x]);
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return image;
}

constexpr double kHimetricPerInch = 2540.0;

KwControl::DragRunner& dragRunner()
{
    static KwControl::DragRunner runner;
    return runner;
}

// One drag at a time in the whole application, as the platform allows.
bool dragging = false;

class DragGuard {
public:
    DragGuard() { dragging = true; }
    ~DragGuard() { dragging = false; }
    DragGuard(const DragGuard&) = delete;
    DragGuard& operator=(const DragGuard&) = delete;
};

// Takes the drag or drop with the effect the handler left, or refuses it when none is left.
void answer(QDropEvent* event, int effect)
{
    const Qt::DropAction action = KwControl::actionOf(effect, event->possibleActions());
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

} // namespace

void setDesignTimeNotifier(DesignTimeNotifier notifier)
{
    designTimeNotifier() = std::move(notifier);
}

KwControl::KwControl(QWidget* self, KwFamily family)
    : m_widget(self)
    , m_table(PropertyTable::of(family))
{
    m_values.reserve(m_table.rows().size());
    for (const PropertyInfo& r : m_table.rows())
        m_values.push_back(PropertyTable::initialValue(r));
    m_widget->setMouseTracking(true);
}

KwControl::~KwControl()
{
    if (AnimatedControls* list = AnimatedControls::existing())
        list->stop(this);
}

const PropertyInfo& KwControl::row(int dispId) const
{
    if (const PropertyInfo* r = m_table.find(dispId))
        return *r;
    throw KwError::of(KwError::NoSuchProperty);
}

const PropertyInfo& KwControl::row(QAnyStringView name) const
{
    if (const PropertyInfo* r = m_table.find(name))
        return *r;
    throw KwError::of(KwError::NoSuchProperty);
}

QVariant KwControl::propertyValue(int dispId) const
{
    const PropertyInfo& r = row(dispId);
    if (r.dispId == D::hWnd && m_designMode)
        throw KwError::of(KwError::UnavailableAtDesignTime);
    return get(m_table.target(r).dispId);
}

void KwControl::setPropertyValue(int dispId, const QVariant& value)
{
    putRow(row(dispId), value);
}

void KwControl::setPropertyValue(QAnyStringView name, const QVariant& value)
{
    putRow(row(name), value);
}

void KwControl::put(int dispId, const QVariant& value)
{
    putRow(row(dispId), value);
}

QVariant KwControl::get(int dispId) const
{
    const PropertyInfo& r = m_table.target(row(dispId));
    if (std::optional<QVariant> v = nativeValue(r))
        return *v;
    return m_values[size_t(m_table.indexOf(r))];
}

void KwControl::store(int dispId, const QVariant& value)
{
    m_values[size_t(m_table.indexOf(m_table.target(row(dispId))))] = value;
}

void KwControl::putRow(const PropertyInfo& r, const QVariant& value)
{
    try {
        if (r.readOnly)
            throw KwError::of(KwError::ReadOnlyProperty);
        const PropertyInfo& t = m_table.target(r);
        QVariant v = PropertyTable::coerce(r, value);
        if (&t != &r)
            v = PropertyTable::coerce(t, v);
        const bool transparent = t.dispId == D::BackStyle && v.toInt() == kwTransparent;
        if (transparent && m_running && !m_designMode && !m_designTransparent &&
            BackStyle() != kwTransparent)
            throw KwError::of(KwError::TransparentAtRunTime);
        if (PropertyTable::same(t, get(t.dispId), v))
            return;
        bool native = false;
        {
            Depth depth(m_putting);
            native = applyNative(t, v);
        }
        if (!native)
            m_values[size_t(m_table.indexOf(t))] = v;
        if (t.dispId == D::BackStyle && (m_designMode || !m_running))
            m_designTransparent = transparent;
        if (transparent && m_designMode)
            notifyDesignTime(kTransparentNote);
        m_dirty = true;
        raisePropertyChanged(t.dispId);
        applied(t.dispId);
    } catch (const KwError& e) {
        if (!m_designMode)
            throw;
        notifyDesignTime(e.description());
    }
}

std::optional<QVariant> KwControl::nativeValue(const PropertyInfo& r) const
{
    const QFont font = m_widget->font();
    switch (r.dispId) {
    case D::Enabled:
        return m_widget->isEnabled();
    case D::Font:
        return font;
    case D::FontBold:
        return font.bold();
    case D::FontItalic:
        return font.italic();
    case D::FontName:
        return font.family();
    case D::FontSize:
        return float(font.pointSizeF() > 0
                         ? font.pointSizeF()
                         : font.pixelSize() * 72.0 / std::max(1, m_widget->logicalDpiY()));
    case D::FontStrikethru:
        return font.strikeOut();
    case D::FontUnderline:
        return font.underline();
    case D::hWnd:
        return hWnd();
    default:
        return std::nullopt;
    }
}

bool KwControl::applyNative(const PropertyInfo& r, const QVariant& v)
{
    QFont font = m_widget->font();
    switch (r.dispId) {
    case D::Enabled:
        m_widget->setEnabled(v.toBool());
        return true;
    case D::Font:
        m_widget->setFont(v.value<QFont>());
        return true;
    case D::FontBold:
        font.setBold(v.toBool());
        break;
    case D::FontItalic:
        font.setItalic(v.toBool());
        break;
    case D::FontName:
        font.setFamily(v.toString());
        break;
    case D::FontSize:
        font.setPointSizeF(v.toDouble());
        break;
    case D::FontStrikethru:
        font.setStrikeOut(v.toBool());
        break;
    case D::FontUnderline:
        font.setUnderline(v.toBool());
        break;
    default:
        return false;
    }
    m_widget->setFont(font);
    return true;
}

void KwControl::applied(int dispId)
{
    switch (dispId) {
    case D::MousePointer:
    case D::MouseIcon:
        updateCursor();
        break;
    case D::OLEDropMode:
        m_widget->setAcceptDrops(OLEDropMode() == kwOLEDropManual);
        break;
    case D::Picture:
    case D::PictureFrames:
    case D::PictureAnimationEnabled:
    case D::PictureAnimationDelay:
    case D::PictureAnimationCount:
        updateAnimation();
        break;
    case D::MarqueeStyle:
    case D::MarqueeDelay:
    case D::MarqueeDirection:
        updateMarquee();
        break;
    default:
        break;
    }
    m_widget->update();
}

void KwControl::stateRead()
{
    updateCursor();
    m_widget->setAcceptDrops(OLEDropMode() == kwOLEDropManual);
    updateAnimation();
    updateMarquee();
    m_widget->update();
}

void KwControl::setDesignMode(bool on)
{
    m_designMode = on;
    if (on)
        m_designTransparent = BackStyle() == kwTransparent;
    updateAnimation();
    updateMarquee();
}

PropertyBag KwControl::writeProperties() const
{
    PropertyBag bag;
    for (const PropertyInfo& r : m_table.rows()) {
        if (!r.savedName())
            continue;
        bag.insert(QLatin1String(r.savedName()), get(r.dispId));
        if (r.dispId == D::Graphics)
            bag.insert(QStringLiteral("HasGraphics"), !pictureValue(D::Graphics).isNull());
    }
    bag.insert(QStringLiteral("_Version"), kVersion);
    const double dpiX = std::max(1, m_widget->logicalDpiX());
    const double dpiY = std::max(1, m_widget->logicalDpiY());
    bag.insert(QStringLiteral("_ExtentX"),
               int(std::lround(m_widget->width() * kHimetricPerInch / dpiX)));
    bag.insert(QStringLiteral("_ExtentY"),
               int(std::lround(m_widget->height() * kHimetricPerInch / dpiY)));
    return bag;
}

QStringList KwControl::readProperties(const PropertyBag& bag)
{
    QStringList rejected;
    const bool hasGraphics = bag.value(QStringLiteral("HasGraphics"), true).toBool();
    for (const PropertyInfo& r : m_table.rows()) {
        const char* name = r.savedName();
        if (!name)
            continue;
        const QString key = QLatin1String(name);
        if (r.native && !bag.contains(key))
            continue; // the control's own (ambient) font stays
        QVariant value = bag.contains(key) ? bag.value(key) : PropertyTable::missingValue(r);
        if (r.dispId == D::Graphics && !hasGraphics)
            value = QPixmap();
        try {
            value = PropertyTable::coerce(r, value);
        } catch (const KwError&) {
            rejected << key;
            if (r.native)
                continue;
            value = PropertyTable::missingValue(r);
        }
        Depth depth(m_putting);
        if (!applyNative(r, value))
            m_values[size_t(m_table.indexOf(r))] = value;
    }
    bool okX = false, okY = false;
    const double x = bag.value(QStringLiteral("_ExtentX")).toDouble(&okX);
    const double y = bag.value(QStringLiteral("_ExtentY")).toDouble(&okY);
    if (okX && okY && x >= 0 && y >= 0 && x < 1e7 && y < 1e7)
        m_widget->resize(int(std::lround(x * m_widget->logicalDpiX() / kHimetricPerInch)),
                         int(std::lround(y * m_widget->logicalDpiY() / kHimetricPerInch)));
    m_designTransparent = BackStyle() == kwTransparent;
    m_dirty = false;
    m_running = true;
    stateRead();
    return rejected;
}

// IKwBase accessors: one line each over the setter pattern.
qulonglong KwControl::hWnd() const
{
    // The window the control draws in, without forcing a native window of its own.
    return qulonglong(m_widget->effectiveWinId());
}

void KwControl::Refresh()
{
    m_widget->repaint();
}

void KwControl::PlaySoundFile(const QString& sound, int flags)
{
    playSound(sound, flags);
}

void KwControl::AboutBox()
{
    KwAboutBox box(m_widget);
    box.exec();
}

void KwControl::setDragRunner(DragRunner runner)
{
    dragRunner() = std::move(runner);
}

int KwControl::effectsOf(Qt::DropActions actions)
{
    return (actions.testFlag(Qt::CopyAction) ? int(kwOLEDropEffectCopy) : 0) |
           (actions.testFlag(Qt::MoveAction) ? int(kwOLEDropEffectMove) : 0);
}

Qt::DropAction KwControl::actionOf(int effects, Qt::DropActions possible)
{
    if ((effects & kwOLEDropEffectMove) && possible.testFlag(Qt::MoveAction))
        return Qt::MoveAction;
    if ((effects & kwOLEDropEffectCopy) && possible.testFlag(Qt::CopyAction))
        return Qt::CopyAction;
    return Qt::IgnoreAction;
}

void KwControl::OLEDrag()
{
    if (dragging)
        throw KwError::of(KwError::RecursiveDrag);
    DragGuard guard;
    auto* data = new KwMimeData;
    int allowed = kwOLEDropEffectCopy | kwOLEDropEffectMove;
    {
        KwDataObject start(data, KwDataObject::Access::StartDrag);
        raiseOLEStartDrag(&start, allowed);
    }
    const Qt::DropActions actions =
        (allowed & kwOLEDropEffectCopy ? Qt::CopyAction : Qt::IgnoreAction) |
        (allowed & kwOLEDropEffectMove ? Qt::MoveAction : Qt::IgnoreAction);
    if (data->formats().isEmpty() || actions == Qt::IgnoreAction) {
        delete data;
        int none = kwOLEDropEffectNone;
        raiseOLECompleteDrag(none);
        return;
    }
    data->setSupplier([this, data](const QString& mimeType) {
        KwDataObject supply(data, KwDataObject::Access::SetData);
        int format = KwDataObject::formatOf(mimeType);
        raiseOLESetData(&supply, format);
    });
    QDrag drag(m_widget);
    drag.setMimeData(data); // the drag owns it now
    QObject::connect(&drag, &QDrag::actionChanged, m_widget, [this](Qt::DropAction action) {
        int effect = effectsOf(action);
        bool defaultCursors = true;
        raiseOLEGiveFeedback(effect, defaultCursors);
    });
    const Qt::DropAction done = dragRunner() ? dragRunner()(drag, actions) : drag.exec(actions);
    data->setSupplier({}); // the target may keep the data beyond this control
    int effect = effectsOf(done);
    raiseOLECompleteDrag(effect);
}

void KwControl::paintBackground(QPainter& p) const
{
    if (BackStyle() == kwOpaque)
        p.fillRect(m_widget->rect(), resolved(D::BackColor));
}

QPixmap KwControl::shownPicture(const QPixmap& picture, int frames, int frame) const
{
    if (picture.isNull())
        return {};
    QImage image = picture.toImage();
    if (frames > 1) {
        const int w = image.width() / frames;
        image = image.copy(((std::max(frame, 1) - 1) % frames) * w, 0, w, image.height());
    }
    if (PictureUseMask() && !image.isNull()) {
        const QColor mask = PictureMaskColorSource() == kwUseImage
                                ? QColor(image.pixel(0, image.height() - 1))
                                : resolved(D::PictureMaskColor);
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = mask.rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] | 0xFF000000u) == key)
                    line[x] = 0;
        }
    }
    if (ActiveColors() && !m_pointerOver)
        image = greyed(image);
    return QPixmap::fromImage(image);
}

QRect KwControl::captionArea() const
{
    return m_widget->rect();
}

int KwControl::captionFlags() const
{
    return int(Qt::AlignCenter);
}

QString KwControl::captionText() const
{
    return {};
}

void KwControl::paintCaption(QPainter& p, const QRect& r, int flags, const QString& text) const
{
    if (text.isEmpty())
        return;
    QRect placed = r;
    int placedFlags = flags;
    if (MarqueeStyle() != kwNoneMarquee && m_marquee.started()) {
        if (!m_marquee.visible())
            return;
        const QRect extent = QFontMetrics(m_widget->font()).boundingRect(r, flags, text);
        const Constants_MarqueeDirection direction = MarqueeDirection();
        if (direction == kwMDRightToLeft || direction == kwMDLeftToRight) {
            placed = QRect(r.left() + m_marquee.position(), r.top(), extent.width(), r.height());
            placedFlags = (flags & ~int(Qt::AlignHorizontal_Mask)) | Qt::AlignLeft;
        } else {
            placed = QRect(r.left(), r.top() + m_marquee.position(), r.width(), extent.height());
            placedFlags = (flags & ~int(Qt::AlignVertical_Mask)) | Qt::AlignTop;
        }
    }
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    if (!m_widget->isEnabled())
        drawDisabledCaption(p, placed, placedFlags, text, m_widget->font(),
                            resolveColor(SysColor::of(SysColor::GrayText)));
    else
        drawCaption(p, placed, placedFlags, text, m_widget->font(), Font3D(),
                    {resolved(D::ForeColor), scheme().highlight, captionShadow()});
    p.restore();
}

void KwControl::pointerEntered()
{
    m_pointerOver = true;
    if (ActiveColors())
        m_widget->update();
}

void KwControl::pointerLeft()
{
    m_pointerOver = false;
    if (ActiveColors())
        m_widget->update();
}

bool KwControl::timerTick(int timerId)
{
    if (timerId != m_marqueeTimer.timerId())
        return false;
    stepMarquee();
    return true;
}

void KwControl::widgetShown()
{
    m_running = true;
}

void KwControl::widgetChanged(int eventType)
{
    if (m_putting)
        return; // the setter reports its own change
    if (eventType == QEvent::FontChange || eventType == QEvent::EnabledChange) {
        const int dispId = eventType == QEvent::FontChange ? D::Font : D::Enabled;
        m_dirty = true;
        raisePropertyChanged(dispId);
        applied(dispId);
    }
}

void KwControl::dragEntered(QDragEnterEvent* event)
{
    m_dragOver = event->mimeData();
    dragMoved(event);
}

void KwControl::dragMoved(QDragMoveEvent* event)
{
    const bool entering = event->type() == QEvent::DragEnter;
    KwDataObject data(event->mimeData());
    int effect = effectsOf(event->possibleActions());
    const QPoint at = event->position().toPoint();
    raiseOLEDragOver(&data, effect, mouseButtonMask(event->buttons()),
                     shiftMask(event->modifiers()), at.x(), at.y(), entering ? kwEnter : kwOver);
    answer(event, effect);
}

void KwControl::dragLeft()
{
    KwDataObject data(m_dragOver.data());
    int effect = kwOLEDropEffectNone;
    const QPoint at = m_widget->mapFromGlobal(QCursor::pos());
    raiseOLEDragOver(&data, effect, 0, 0, at.x(), at.y(), kwLeave);
    m_dragOver = nullptr;
}

void KwControl::dropped(QDropEvent* event)
{
    m_dragOver = nullptr;
    KwDataObject data(event->mimeData());
    int effect = effectsOf(event->dropAction() == Qt::IgnoreAction ? event->possibleActions()
                                                                   : event->dropAction());
    const QPoint at = event->position().toPoint();
    raiseOLEDragDrop(&data, effect, mouseButtonMask(event->buttons()),
                     shiftMask(event->modifiers()), at.x(), at.y());
    answer(event, effect);
}

void KwControl::updateCursor()
{
    const Constants_MousePointer pointer = MousePointer();
    if (pointer == kwDefault || (pointer == kwCustom && MouseIcon().isNull()))
        m_widget->unsetCursor();
    else if (pointer == kwCustom)
        m_widget->setCursor(QCursor(MouseIcon()));
    else
        m_widget->setCursor(cursorShape(pointer));
}

void KwControl::updateAnimation()
{
    const bool animate =
        PictureAnimationEnabled() && PictureFrames() > 1 && !Picture().isNull() && !m_designMode;
    if (animate) {
        m_playsLeft = PictureAnimationCount();
        AnimatedControls::instance().start(this, PictureAnimationDelay());
    } else if (AnimatedControls* list = AnimatedControls::existing()) {
        list->stop(this);
    }
}

bool KwControl::advanceAnimation()
{
    const AnimationStep step = nextAnimationFrame(PictureFrame() - 1, PictureFrames(), m_playsLeft);
    m_playsLeft = step.playsLeft;
    store(D::PictureFrame, step.frame + 1);
    if (step.stop)
        store(D::PictureAnimationEnabled, false); // setting it again plays once more
    raisePictureFrameChanged();
    m_widget->update();
    return !step.stop;
}

void KwControl::updateMarquee()
{
    m_marquee.reset();
    if (MarqueeStyle() != kwNoneMarquee && !m_designMode)
        m_marqueeTimer.start(std::max(1, MarqueeDelay()), m_widget);
    else
        m_marqueeTimer.stop();
}

void KwControl::stepMarquee()
{
    const QRect area = captionArea();
    const QString text = captionText();
    const QRect extent = QFontMetrics(m_widget->font()).boundingRect(area, captionFlags(), text);
    const Constants_MarqueeDirection direction = MarqueeDirection();
    const bool across = direction == kwMDRightToLeft || direction == kwMDLeftToRight;
    const MarqueeMotion::Geometry geometry =
        across ? MarqueeMotion::Geometry{area.width(), extent.width(), extent.left() - area.left()}
               : MarqueeMotion::Geometry{area.height(), extent.height(), extent.top() - area.top()};
    const MarqueeMotion::Events events =
        m_marquee.step(MarqueeStyle(), direction, MarqueeScrollAmount(), geometry);
    if (events.cycleEnded)
        raiseMarqueeCycle(false);
    if (events.cycleBegan)
        raiseMarqueeCycle(true);
    m_widget->update();
}

} // namespace Solido

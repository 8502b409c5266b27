#pragma once

#include "controls/Input.h"
#include "controls/KwControl.h"

#include <QAbstractButton>
#include <QCursor>
#include <QDropEvent>
#include <QEnterEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWidget>
#include <type_traits>

namespace Solido {

// The widget side every control shares: `QtBase` is the Qt widget the control is (QWidget for
// the containers, QAbstractButton or QPushButton for the buttons), `Core` the family's property
// core, `Derived` the control class whose signals are raised here. Mouse, key, timer and change
// events become the library's events and state.
template <class Derived, class QtBase, class Core> class KwWidget : public QtBase, public Core {
protected:
    KwWidget(QWidget* parent, KwFamily family)
        : QtBase(parent)
        , Core(static_cast<QWidget*>(this), family)
    {}

    Derived* self() { return static_cast<Derived*>(this); }

    static constexpr bool kIsButton = std::is_base_of_v<QAbstractButton, QtBase>;

    void raisePropertyChanged(int dispId) override { emit self()->propertyChanged(dispId); }
    void raisePictureFrameChanged() override { emit self()->PictureFrameChanged(); }
    void raiseMarqueeCycle(bool began) override
    {
        if (began)
            emit self()->MarqueeCycleBegin();
        else
            emit self()->MarqueeCycleEnd();
    }

    void raiseOLEStartDrag(KwDataObject* dataObject, int& allowedEffects) override
    {
        emit self()->OLEStartDrag(dataObject, allowedEffects);
    }
    void raiseOLEGiveFeedback(int& effect, bool& defaultCursors) override
    {
        emit self()->OLEGiveFeedback(effect, defaultCursors);
    }
    void raiseOLESetData(KwDataObject* dataObject, int& format) override
    {
        emit self()->OLESetData(dataObject, format);
    }
    void raiseOLECompleteDrag(int& effect) override { emit self()->OLECompleteDrag(effect); }
    void raiseOLEDragOver(KwDataObject* dataObject, int& effect, int button, int shift, int x,
                          int y, int state) override
    {
        emit self()->OLEDragOver(dataObject, effect, button, shift, x, y, state);
    }
    void raiseOLEDragDrop(KwDataObject* dataObject, int& effect, int button, int shift, int x,
                          int y) override
    {
        emit self()->OLEDragDrop(dataObject, effect, button, shift, x, y);
    }

    void dragEnterEvent(QDragEnterEvent* event) override { this->dragEntered(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { this->dragMoved(event); }
    void dragLeaveEvent(QDragLeaveEvent*) override { this->dragLeft(); }
    void dropEvent(QDropEvent* event) override { this->dropped(event); }

    void enterEvent(QEnterEvent* event) override
    {
        QtBase::enterEvent(event);
        this->pointerEntered();
        const QPoint at = event->position().toPoint();
        emit self()->MouseEnter(mouseButtonMask(event->buttons()), shiftMask(event->modifiers()),
                                at.x(), at.y());
    }

    void leaveEvent(QEvent* event) override
    {
        QtBase::leaveEvent(event);
        this->pointerLeft();
        const QPoint at = this->mapFromGlobal(QCursor::pos());
        emit self()->MouseExit(0, 0, at.x(), at.y());
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        emit self()->MouseDown(mouseButtonMask(event->button()), shiftMask(event->modifiers()),
                               at.x(), at.y());
        if constexpr (!kIsButton)
            m_pressed = event->button() == Qt::LeftButton;
        QtBase::mousePressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        emit self()->MouseMove(mouseButtonMask(event->buttons()), shiftMask(event->modifiers()),
                               at.x(), at.y());
        QtBase::mouseMoveEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        emit self()->MouseUp(mouseButtonMask(event->button()), shiftMask(event->modifiers()),
                             at.x(), at.y());
        QtBase::mouseReleaseEvent(event);
        if constexpr (!kIsButton) {
            // A container's click: pressed and released inside it with the left button.
            const bool click =
                m_pressed && event->button() == Qt::LeftButton && this->rect().contains(at);
            m_pressed = false;
            if (click)
                emit self()->Click();
        }
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        QtBase::mouseDoubleClickEvent(event);
        if constexpr (requires(Derived * d) { d->DblClick(); })
            if (event->button() == Qt::LeftButton)
                emit self()->DblClick();
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if constexpr (requires(Derived * d, int& code) { d->KeyDown(code, 0); }) {
            if (int code = virtualKeyCode(event->key())) {
                emit self()->KeyDown(code, shiftMask(event->modifiers()));
                if (code == 0)
                    return event->accept(); // the container took the key
            }
            if (!event->text().isEmpty() && event->text().at(0).unicode() < 256) {
                int ascii = event->text().at(0).unicode();
                emit self()->KeyPress(ascii);
                if (ascii == 0)
                    return event->accept();
            }
        }
        QtBase::keyPressEvent(event);
    }

    void keyReleaseEvent(QKeyEvent* event) override
    {
        if constexpr (requires(Derived * d, int& code) { d->KeyUp(code, 0); }) {
            if (int code = virtualKeyCode(event->key())) {
                emit self()->KeyUp(code, shiftMask(event->modifiers()));
                if (code == 0)
                    return event->accept();
            }
        }
        QtBase::keyReleaseEvent(event);
    }

    void changeEvent(QEvent* event) override
    {
        QtBase::changeEvent(event);
        this->widgetChanged(event->type());
    }

    void showEvent(QShowEvent* event) override
    {
        QtBase::showEvent(event);
        this->widgetShown();
    }

    void timerEvent(QTimerEvent* event) override
    {
        if (!this->timerTick(event->timerId()))
            QtBase::timerEvent(event);
    }

private:
    bool m_pressed = false;
};

} // namespace Solido

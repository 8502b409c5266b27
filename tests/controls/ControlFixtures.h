#pragma once

#include "controls/KwCheck.h"
#include "controls/KwCommand.h"
#include "controls/KwFrame.h"
#include "controls/KwOption.h"
#include "controls/KwPanel.h"
#include "controls/KwRibbon.h"

#include <QEvent>
#include <QObject>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace solido_test {

// One of each control class, made the way a container makes it.
struct ControlKind {
    const char* name;
    Solido::KwFamily family;
    std::function<QWidget*(QWidget* parent)> make;
};

inline const std::vector<ControlKind>& controlKinds()
{
    using namespace Solido;
    static const std::vector<ControlKind> kinds = {
        {"KwFrame", KwFamily::Frame,
         [](QWidget* p) -> QWidget* {
             return new KwFrame(p);
         }},
        {"KwPanel", KwFamily::Panel,
         [](QWidget* p) -> QWidget* {
             return new KwPanel(p);
         }},
        {"KwOption", KwFamily::Option,
         [](QWidget* p) -> QWidget* {
             return new KwOption(p);
         }},
        {"KwCheck", KwFamily::Check,
         [](QWidget* p) -> QWidget* {
             return new KwCheck(p);
         }},
        {"KwRibbon", KwFamily::Ribbon,
         [](QWidget* p) -> QWidget* {
             return new KwRibbon(p);
         }},
        {"KwCommand", KwFamily::Command,
         [](QWidget* p) -> QWidget* {
             return new KwCommand(p);
         }},
    };
    return kinds;
}

// The number of the KwError the call raised; 0 when it raised none.
long errorOf(const std::function<void()>& call);

inline Solido::KwControl* control(QWidget* w)
{
    return dynamic_cast<Solido::KwControl*>(w);
}

// Records the paint events a widget receives and the rectangles they cover.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override;
    std::vector<QRect> painted;
};

} // namespace solido_test

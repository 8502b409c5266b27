#pragma once

#include "controls/DispIds.h"
#include "controls/KwButtonBase.h"
#include "controls/KwProperties.h"
#include "controls/KwWidget.h"

#include <QPushButton>

namespace Solido {

class KwCommand;
using KwCommandWidget = KwWidget<KwCommand, QPushButton, KwButtonBase>;

// A command button: pressed and released it raises Click (repeatedly while held, with
// AutoRepeat). It is a QPushButton, so it takes part in dialogs' default buttons and in code
// written for push buttons.
class SOLIDO3D_EXPORT KwCommand : public KwCommandWidget {
    Q_OBJECT
    KW_BASE_PROPERTIES
    KW_BUTTON_BASE_PROPERTIES
    Q_PROPERTY(bool Value READ Value WRITE setValue DESIGNABLE false STORED false)
    Q_PROPERTY(bool AutoRepeat READ AutoRepeat WRITE setAutoRepeat)
    Q_PROPERTY(bool Windowless READ Windowless WRITE setWindowless)
    KW_BASE_SIGNALS
    KW_KEY_SIGNALS

public:
    explicit KwCommand(QWidget* parent = nullptr);
    explicit KwCommand(const QString& caption, QWidget* parent = nullptr);

    bool AutoRepeat() const { return boolValue(DispId::AutoRepeat); }
    // The button's own auto-repeat: Click repeats while the button is held.
    void setAutoRepeat(bool on) { put(DispId::AutoRepeat, on); }
    bool Windowless() const { return boolValue(DispId::Windowless); }
    void setWindowless(bool on) { put(DispId::Windowless, on); }

    // Raises Click as a press of the button does. Setting Value to true does the same; Value
    // reads true only while the button is held down.
    void DoClick();

    QSize sizeHint() const override { return buttonSizeHint(QPushButton::sizeHint()); }

Q_SIGNALS:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    std::optional<QVariant> nativeValue(const PropertyInfo& row) const override;
    bool applyNative(const PropertyInfo& row, const QVariant& value) override;
};

} // namespace Solido

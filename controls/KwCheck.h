#pragma once

#include "controls/DispIds.h"
#include "controls/KwOptionBase.h"
#include "controls/KwProperties.h"
#include "controls/KwWidget.h"

#include <QAbstractButton>

namespace Solido {

class KwCheck;
using KwCheckWidget = KwWidget<KwCheck, QAbstractButton, KwOptionBase>;

// A check box: unchecked and checked, and with TripleState also greyed. A click moves to the
// next state (unchecked, checked, greyed when three states are allowed, unchecked).
class SOLIDO3D_EXPORT KwCheck : public KwCheckWidget {
    Q_OBJECT
    KW_BASE_PROPERTIES
    KW_OPTION_BASE_PROPERTIES
    Q_PROPERTY(int BoundValue READ BoundValue WRITE setBoundValue)
    Q_PROPERTY(Solido::Constants_CheckBoxValue Value READ Value WRITE setValue)
    Q_PROPERTY(uint CheckBoxMaskColor READ CheckBoxMaskColor WRITE setCheckBoxMaskColor)
    Q_PROPERTY(bool CheckBoxUseMask READ CheckBoxUseMask WRITE setCheckBoxUseMask)
    Q_PROPERTY(QPixmap CheckBoxGraphics READ CheckBoxGraphics WRITE setCheckBoxGraphics)
    Q_PROPERTY(bool TripleState READ TripleState WRITE setTripleState)
    Q_PROPERTY(bool Windowless READ Windowless WRITE setWindowless)
    KW_BASE_SIGNALS
    KW_KEY_SIGNALS

public:
    explicit KwCheck(QWidget* parent = nullptr);

    int BoundValue() const { return intValue(DispId::BoundValue); }
    void setBoundValue(int value) { put(DispId::BoundValue, value); }
    Constants_CheckBoxValue Value() const
    {
        return Constants_CheckBoxValue(intValue(DispId::Value));
    }
    void setValue(Constants_CheckBoxValue value) { put(DispId::Value, int(value)); }
    uint CheckBoxMaskColor() const { return colorValue(DispId::MaskColor); }
    void setCheckBoxMaskColor(uint color) { put(DispId::MaskColor, color); }
    bool CheckBoxUseMask() const { return boolValue(DispId::UseMask); }
    void setCheckBoxUseMask(bool on) { put(DispId::UseMask, on); }
    // Replaces the box: three frames side by side, unchecked, checked and greyed.
    QPixmap CheckBoxGraphics() const { return pictureValue(DispId::Graphics); }
    void setCheckBoxGraphics(const QPixmap& graphics) { put(DispId::Graphics, graphics); }
    bool TripleState() const { return boolValue(DispId::TripleState); }
    void setTripleState(bool on) { put(DispId::TripleState, on); }
    bool Windowless() const { return boolValue(DispId::Windowless); }
    void setWindowless(bool on) { put(DispId::Windowless, on); }

    // The state a click moves to from `value`.
    static Constants_CheckBoxValue nextValue(Constants_CheckBoxValue value, bool tripleState);

    QSize sizeHint() const override { return optionSizeHint(); }

Q_SIGNALS:
    // The user clicked; Value is the state the box takes, unless a slot changes it.
    void Click(Solido::Constants_CheckBoxValue& Value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void clickedByUser();
};

} // namespace Solido

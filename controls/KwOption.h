#pragma once

#include "controls/DispIds.h"
#include "controls/KwOptionBase.h"
#include "controls/KwProperties.h"
#include "controls/KwWidget.h"

#include <QAbstractButton>

namespace Solido {

class KwOption;
using KwOptionWidget = KwWidget<KwOption, QAbstractButton, KwOptionBase>;

// An option button: choosing one releases the other option buttons of its container.
class SOLIDO3D_EXPORT KwOption : public KwOptionWidget {
    Q_OBJECT
    KW_BASE_PROPERTIES
    KW_OPTION_BASE_PROPERTIES
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    Q_PROPERTY(uint OptionBtnMaskColor READ OptionBtnMaskColor WRITE setOptionBtnMaskColor)
    Q_PROPERTY(bool OptionBtnUseMask READ OptionBtnUseMask WRITE setOptionBtnUseMask)
    Q_PROPERTY(QPixmap OptionBtnGraphics READ OptionBtnGraphics WRITE setOptionBtnGraphics)
    Q_PROPERTY(bool Windowless READ Windowless WRITE setWindowless)
    Q_PROPERTY(QString OptionValue READ OptionValue WRITE setOptionValue)
    Q_PROPERTY(QString DataValue READ DataValue WRITE setDataValue)
    KW_BASE_SIGNALS
    KW_KEY_SIGNALS

public:
    explicit KwOption(QWidget* parent = nullptr);

    bool Value() const { return boolValue(DispId::OptionValue11); }
    void setValue(bool on) { put(DispId::OptionValue11, on); }
    uint OptionBtnMaskColor() const { return colorValue(DispId::MaskColor); }
    void setOptionBtnMaskColor(uint color) { put(DispId::MaskColor, color); }
    bool OptionBtnUseMask() const { return boolValue(DispId::UseMask); }
    void setOptionBtnUseMask(bool on) { put(DispId::UseMask, on); }
    // Replaces the round button: two frames side by side, released and chosen.
    QPixmap OptionBtnGraphics() const { return pictureValue(DispId::Graphics); }
    void setOptionBtnGraphics(const QPixmap& graphics) { put(DispId::Graphics, graphics); }
    bool Windowless() const { return boolValue(DispId::Windowless); }
    void setWindowless(bool on) { put(DispId::Windowless, on); }
    QString OptionValue() const { return textValue(DispId::Value); }
    void setOptionValue(const QString& value) { put(DispId::Value, value); }
    QString DataValue() const { return textValue(DispId::DataValue); }
    void setDataValue(const QString& value) { put(DispId::DataValue, value); }

    QSize sizeHint() const override { return optionSizeHint(); }

Q_SIGNALS:
    // The user chose the button; Value (true) is what it takes, unless a slot changes it.
    void Click(bool& Value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void applied(int dispId) override;

private:
    void chosen();
};

} // namespace Solido

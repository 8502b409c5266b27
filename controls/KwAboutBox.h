#pragma once

#include "controls/Solido3dExport.h"

#include <QDialog>

namespace Solido {

inline constexpr const char* kProductName = "Solidware Plus Controls";
inline constexpr const char* kProductVersion = "3.01";
inline constexpr const char* kProductBuild = "0022";

// The library's about box: product name, version and build, and an OK button.
class SOLIDO3D_EXPORT KwAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit KwAboutBox(QWidget* parent = nullptr);
};

} // namespace Solido

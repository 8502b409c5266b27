#pragma once

#include <QWidget>

namespace tallix {

// Shown while the program starts: the title, "Version " major.minor and "Build " revision. Key
// presses and clicks on it do nothing.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace tallix

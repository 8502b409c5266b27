#pragma once

#include "viewer/reports/Exports.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tallix {

// "Text Export Options": the file, the page and field delimiters, Unicode and whether blank
// lines are left out. OK clears the cancelled flag and Cancel sets it; both close the dialog, as
// does its frame's close button (which leaves it cancelled).
class frmTextExportOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmTextExportOptions(QWidget* parent = nullptr);

    bool cancelled() const { return m_cancelled; }
    // The export the controls describe.
    reports::TextExportOptions options() const;

    void btnOpen_Click();

private:
    QLineEdit* m_txtFileName = nullptr;
    QPushButton* m_btnOpen = nullptr;
    QLineEdit* m_txtPageDelimiter = nullptr;
    QLineEdit* m_txtFieldDelimiter = nullptr;
    QCheckBox* m_chkUnicaode = nullptr;
    QCheckBox* m_chkSuppressBlank = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    bool m_cancelled = true;
};

} // namespace tallix

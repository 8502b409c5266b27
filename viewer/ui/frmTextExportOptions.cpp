#include "viewer/ui/frmTextExportOptions.h"

#include "viewer/ui/modCommonDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tallix {

frmTextExportOptions::frmTextExportOptions(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTextExportOptions"));
    setWindowTitle(QStringLiteral("Text Export Options"));
    const auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    m_txtFileName = edit("txtFileName");
    m_txtFileName->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    m_btnOpen = new QPushButton(QStringLiteral("..."), this);
    m_btnOpen->setObjectName(QStringLiteral("btnOpen"));
    m_btnOpen->setToolTip(QStringLiteral("Choose the file"));
    m_txtPageDelimiter = edit("txtPageDelimiter");
    m_txtFieldDelimiter = edit("txtFieldDelimiter");
    m_txtFieldDelimiter->setText(QStringLiteral(","));
    m_chkUnicaode = new QCheckBox(QStringLiteral("Unicode"), this);
    m_chkUnicaode->setObjectName(QStringLiteral("chkUnicaode"));
    m_chkSuppressBlank = new QCheckBox(QStringLiteral("Suppress Blank Lines"), this);
    m_chkSuppressBlank->setObjectName(QStringLiteral("chkSuppressBlank"));
    m_btnOK = new QPushButton(QStringLiteral("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* grid = new QGridLayout(this);
    const auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("File Name", m_txtFileName), 0, 0);
    grid->addWidget(m_txtFileName, 0, 1);
    grid->addWidget(m_btnOpen, 0, 2);
    grid->addWidget(label("Page Delimiter", m_txtPageDelimiter), 1, 0);
    grid->addWidget(m_txtPageDelimiter, 1, 1, 1, 2);
    grid->addWidget(label("Field Delimiter", m_txtFieldDelimiter), 2, 0);
    grid->addWidget(m_txtFieldDelimiter, 2, 1, 1, 2);
    grid->addWidget(m_chkUnicaode, 3, 1, 1, 2);
    grid->addWidget(m_chkSuppressBlank, 4, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    grid->addLayout(buttons, 5, 0, 1, 3);

    connect(m_btnOpen, &QPushButton::clicked, this, &frmTextExportOptions::btnOpen_Click);
    connect(m_btnOK, &QPushButton::clicked, this, [this] {
        m_cancelled = false;
        accept();
    });
    connect(m_btnCancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
}

void frmTextExportOptions::btnOpen_Click()
{
    const QString path = modCommonDlg::SaveFileName(
        QStringLiteral("Export to Text"),
        QStringLiteral("Text Files (*.txt)| *.txt|All Files (*.*)| *.*"), QStringLiteral("*.txt"));
    if (!path.isEmpty())
        m_txtFileName->setText(path);
}

reports::TextExportOptions frmTextExportOptions::options() const
{
    return {m_txtFileName->text(), m_txtPageDelimiter->text(), m_txtFieldDelimiter->text(),
            m_chkUnicaode->isChecked(), m_chkSuppressBlank->isChecked()};
}

} // namespace tallix

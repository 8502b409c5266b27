#pragma once

#include "common/base/Error.h"
#include "viewer/reports/ReportLayout.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QVariant>
#include <functional>
#include <optional>

namespace tallix::reports {

// A report object: its design, its fields and the steps a ReportRunner calls, in this order:
// SetParams (by whoever makes the report), ActiveReport_Initialize at the start,
// ActiveReport_FetchData once per row until it reports the end of the data,
// ActiveReport_PageStart at the top of every page, and ActiveReport_ReportEnd at the end.
class Report {
public:
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // The report's name, also the preview window's caption.
    virtual QString caption() const = 0;

    virtual void SetParams(const QString& query, const QString& connectionString) = 0;
    virtual void ActiveReport_Initialize() = 0;
    // Fills the fields with the next row, or sets `eof` when there is none. A failure ends the
    // data too; fetchError() then says why.
    virtual void ActiveReport_FetchData(bool& eof) = 0;
    // Sets the page-number label "Page " + pageNumber().
    virtual void ActiveReport_PageStart();
    virtual void ActiveReport_ReportEnd();

    const ReportLayout& layout() const { return m_layout; }
    PageSettings& pageSettings() { return m_pageSettings; }
    const PageSettings& pageSettings() const { return m_pageSettings; }

    // Where the rows come from as the user chose it (the header's "Server - " and
    // "Database - " lines).
    void setSource(const QString& server, const QString& database);
    // The clock and locale of the "Printed - " line (the current time in the user's locale
    // unless set).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    void setLocale(const QLocale& locale) { m_locale = locale; }

    // The report fields, declared at the start.
    const QStringList& fieldNames() const { return m_fieldNames; }
    int fieldIndex(const QString& name) const; // -1 when not declared
    const QVariant& field(int index) const { return m_fieldValues[index]; }
    QVariant field(const QString& name) const;

    // A label's caption: as the report set it, else as designed.
    QString label(const Control& control) const;
    QString label(const QString& name) const;

    // The number of the page being laid out (the runner sets it before PageStart).
    int pageNumber() const { return m_pageNumber; }
    void setPageNumber(int number) { m_pageNumber = number; }

    // Why the data ended early, when a fetch failed.
    const std::optional<Error>& fetchError() const { return m_fetchError; }

    // A date and time as the user's general date text: the short date, then the long time
    // (without a time zone) unless the time is midnight.
    static QString generalDate(const QDateTime& when, const QLocale& locale);

protected:
    explicit Report(ReportLayout layout);

    void declareField(const QString& name);
    void setField(int index, QVariant value) { m_fieldValues[index] = std::move(value); }
    void setLabel(const QString& control, const QString& caption);
    void setFetchError(const Error& error) { m_fetchError = error; }
    // The header labels of the start: server, database and the time printed.
    void fillHeaderLabels();

private:
    ReportLayout m_layout;
    PageSettings m_pageSettings;
    QString m_server;
    QString m_database;
    std::function<QDateTime()> m_clock;
    QLocale m_locale;
    QStringList m_fieldNames;
    QList<QVariant> m_fieldValues;
    QHash<QString, int> m_fieldIndex;
    QHash<QString, QString> m_labels;
    int m_pageNumber = 0;
    std::optional<Error> m_fetchError;
};

} // namespace tallix::reports

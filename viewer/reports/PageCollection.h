#pragma once

#include "viewer/reports/PageRecord.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <utility>

namespace tallix::reports {

// The finished pages of one report in their compact form (pagecodec), with what drawing them
// needs: the paper size and the font table. A report adds its pages here while it runs; the
// preview, printing, page documents and every export read them from here. Only the pages last
// asked for are kept decoded.
class PageCollection {
public:
    PageCollection(QString title, QSize paper, QList<ReportFont> fonts);

    const QString& title() const { return m_title; }
    QSize paper() const { return m_paper; }
    const QList<ReportFont>& fonts() const { return m_fonts; }

    int count() const { return static_cast<int>(m_pages.size()); }
    void append(const Page& page);
    // Adds a page in its stored form; false (and nothing added) when the bytes are no page of
    // this collection's fonts.
    bool appendEncoded(const QByteArray& bytes);

    // Page `index` (0-based) decoded.
    Page page(int index) const;
    const QByteArray& encoded(int index) const { return m_pages[index]; }
    // The bytes the pages take in their stored form.
    qint64 storedBytes() const { return m_storedBytes; }

private:
    QString m_title;
    QSize m_paper;
    QList<ReportFont> m_fonts;
    QList<QByteArray> m_pages;
    qint64 m_storedBytes = 0;
    mutable QList<std::pair<int, Page>> m_decoded; // the last pages asked for, newest first
};

} // namespace tallix::reports

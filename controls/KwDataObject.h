#pragma once

#include "controls/Solido3dExport.h"

#include <QMimeData>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace Solido {

// The data of a drag, as a drag source fills it: formats with their data, and formats
// declared without data that the source supplies when a target asks (OLESetData).
class SOLIDO3D_EXPORT KwMimeData : public QMimeData {
    Q_OBJECT
public:
    // Asked for the data of a declared format when a target first reads it.
    using Supplier = std::function<void(const QString& mimeType)>;

    void declare(const QString& mimeType);
    void clearAll();
    void setSupplier(Supplier supplier) { m_supplier = std::move(supplier); }
    QStringList declared() const { return m_declared; }

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    QStringList m_declared;
    Supplier m_supplier;
    mutable bool m_supplying = false;
};

class KwDataObject;

// The file names of a data object's kwCFFiles format, 1-based.
class SOLIDO3D_EXPORT KwDataObjectFiles {
public:
    explicit KwDataObjectFiles(KwDataObject& owner)
        : m_owner(owner)
    {}

    QString Item(int index) const;
    int Count() const;
    // Adds a file name at the end, or before position `index`.
    void Add(const QString& fileName, int index = 0);
    void Clear();
    void Remove(int index);

    QStringList::const_iterator begin() const;
    QStringList::const_iterator end() const;

private:
    QStringList names() const;
    void setNames(const QStringList& names);

    KwDataObject& m_owner;
    mutable QStringList m_cache;
};

// The data object handed to the drag-and-drop events. Formats are the Constants_ClipBoard
// numbers, or a MIME type for a format beyond those (whose data is a byte array).
//
// A drag source may change the list of formats only during OLEStartDrag; during OLESetData it
// may supply data for formats it declared; a drop target reads.
class SOLIDO3D_EXPORT KwDataObject {
public:
    enum class Access { StartDrag, SetData, Read };

    KwDataObject(KwMimeData* data, Access access);
    explicit KwDataObject(const QMimeData* data);
    KwDataObject(const KwDataObject&) = delete;
    KwDataObject& operator=(const KwDataObject&) = delete;

    void Clear();
    // The data in a format: text for text and RTF, a picture for bitmaps and DIBs, the file
    // names for kwCFFiles, bytes for the others.
    QVariant GetData(const QVariant& format) const;
    bool GetFormat(const QVariant& format) const;
    // Sets data, declares a format (no value) or takes the format from the value (no format).
    void SetData(const QVariant& value = {}, const QVariant& format = {});
    KwDataObjectFiles& Files() { return m_files; }

    Access access() const { return m_access; }
    void setAccess(Access access) { m_access = access; }
    const QMimeData* mimeData() const { return m_read; }

    // The MIME type of a format; error 30007 for a number that is no clipboard format and for an
    // empty type.
    static QString mimeType(const QVariant& format);
    // The clipboard number of a MIME type; 0 for a type beyond the list.
    static int formatOf(const QString& mimeType);

private:
    friend class KwDataObjectFiles;
    KwMimeData* writable(const QString& mimeType, bool expands);

    KwMimeData* m_write = nullptr;
    QPointer<const QMimeData> m_read;
    Access m_access;
    KwDataObjectFiles m_files;
};

} // namespace Solido

#include "controls/KwDataObject.h"

#include "controls/KwEnums.h"
#include "controls/KwError.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QUrl>
#include <utility>

namespace Solido {

namespace {

const QString kText = QStringLiteral("text/plain");
const QString kImage = QStringLiteral("application/x-qt-image");
const QString kFiles = QStringLiteral("text/uri-list");

const std::pair<int, const char*> kFormats[] = {
    {kwCFText, "text/plain"},
    {kwCFBitmap, "application/x-qt-image"},
    {kwCFMetafile, "image/x-wmf"},
    {kwCFDIB, "image/bmp"},
    {kwCFPalette, "application/x-solido-palette"},
    {kwCFEMetafile, "image/x-emf"},
    {kwCFFiles, "text/uri-list"},
    {kwCFRTF, "text/rtf"},
};

bool isText(const QString& type)
{
    return type == kText || type == QLatin1String("text/rtf");
}

bool isPicture(const QString& type)
{
    return type == kImage || type == QLatin1String("image/bmp");
}

bool intrinsic(const QString& type)
{
    for (const auto& [number, mime] : kFormats)
        if (type == QLatin1String(mime))
            return true;
    return false;
}

QImage imageOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QPixmap)
        return value.value<QPixmap>().toImage();
    if (value.typeId() == QMetaType::QImage)
        return value.value<QImage>();
    return {};
}

[[noreturn]] void raise(long number)
{
    throw KwError::of(number);
}

} // namespace

void KwMimeData::declare(const QString& mimeType)
{
    if (!m_declared.contains(mimeType))
        m_declared << mimeType;
}

void KwMimeData::clearAll()
{
    m_declared.clear();
    clear();
}

QStringList KwMimeData::formats() const
{
    QStringList all = m_declared;
    for (const QString& f : QMimeData::formats())
        if (!all.contains(f))
            all << f;
    return all;
}

bool KwMimeData::hasFormat(const QString& mimeType) const
{
    return formats().contains(mimeType);
}

QVariant KwMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (!QMimeData::formats().contains(mimeType) && m_declared.contains(mimeType) && m_supplier &&
        !m_supplying) {
        // The source supplies declared data on the first request for it.
        m_supplying = true;
        m_supplier(mimeType);
        m_supplying = false;
    }
    return QMimeData::retrieveData(mimeType, type);
}

KwDataObject::KwDataObject(KwMimeData* data, Access access)
    : m_write(data)
    , m_read(data)
    , m_access(access)
    , m_files(*this)
{}

KwDataObject::KwDataObject(const QMimeData* data)
    : m_read(data)
    , m_access(Access::Read)
    , m_files(*this)
{}

QString KwDataObject::mimeType(const QVariant& format)
{
    if (format.typeId() == QMetaType::QString) {
        const QString type = format.toString().trimmed();
        if (type.isEmpty())
            raise(KwError::UnsupportedFormat);
        return type;
    }
    bool ok = false;
    const int number = format.toInt(&ok);
    if (ok)
        for (const auto& [n, mime] : kFormats)
            if (n == number)
                return QLatin1String(mime);
    raise(KwError::UnsupportedFormat);
}

int KwDataObject::formatOf(const QString& mimeType)
{
    for (const auto& [number, mime] : kFormats)
        if (mimeType == QLatin1String(mime))
            return number;
    return 0;
}

KwMimeData* KwDataObject::writable(const QString& mimeType, bool expands)
{
    const bool declaredAlready = m_write && m_write->formats().contains(mimeType);
    if (!m_write || m_access == Access::Read ||
        (m_access == Access::SetData && (expands || !declaredAlready)))
        raise(KwError::FormatsLocked);
    return m_write;
}

void KwDataObject::Clear()
{
    writable(QString(), true)->clearAll();
}

bool KwDataObject::GetFormat(const QVariant& format) const
{
    const QString type = mimeType(format);
    return m_read && m_read->hasFormat(type);
}

QVariant KwDataObject::GetData(const QVariant& format) const
{
    const QString type = mimeType(format);
    if (!m_read || !m_read->hasFormat(type))
        raise(KwError::FormatMismatch);
    QVariant value;
    if (type == kFiles) {
        QStringList names;
        for (const QUrl& url : m_read->urls())
            names << (url.isLocalFile() ? url.toLocalFile() : url.toString());
        value = names;
    } else if (type == kImage) {
        const QImage image = m_read->imageData().value<QImage>();
        if (!image.isNull())
            value = QPixmap::fromImage(image);
    } else if (type == QLatin1String("image/bmp")) {
        const QImage image = QImage::fromData(m_read->data(type), "BMP");
        if (!image.isNull())
            value = QPixmap::fromImage(image);
    } else if (isText(type)) {
        const QByteArray bytes = m_read->data(type);
        if (!bytes.isNull())
            value = QString::fromUtf8(bytes);
    } else {
        const QByteArray bytes = m_read->data(type);
        if (!bytes.isNull())
            value = bytes;
    }
    if (!value.isValid()) // declared, and not supplied when asked for
        raise(KwError::DataNotSupplied);
    return value;
}

void KwDataObject::SetData(const QVariant& value, const QVariant& format)
{
    if (!value.isValid() && !format.isValid())
        raise(KwError::ArgumentExpected);
    QString type;
    if (format.isValid()) {
        type = mimeType(format);
    } else if (value.typeId() == QMetaType::QString) {
        type = kText;
    } else if (!imageOf(value).isNull()) {
        type = kImage;
    } else if (value.typeId() == QMetaType::QStringList) {
        type = kFiles;
    } else {
        raise(KwError::UnsupportedFormat);
    }
    KwMimeData* data = writable(type, !m_write || !m_write->formats().contains(type));
    if (!value.isValid()) {
        data->declare(type);
        return;
    }
    if (!intrinsic(type)) {
        if (value.typeId() != QMetaType::QByteArray)
            raise(KwError::ByteArrayRequired);
        data->setData(type, value.toByteArray());
    } else if (isText(type)) {
        if (value.typeId() != QMetaType::QString)
            raise(KwError::FormatMismatch);
        data->setData(type, value.toString().toUtf8());
    } else if (isPicture(type)) {
        const QImage image = imageOf(value);
        if (image.isNull())
            raise(KwError::FormatMismatch);
        if (type == kImage) {
            data->setImageData(image);
        } else {
            QByteArray bmp;
            QBuffer buffer(&bmp);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "BMP");
            data->setData(type, bmp);
        }
    } else if (type == kFiles) {
        if (value.typeId() != QMetaType::QStringList)
            raise(KwError::FormatMismatch);
        QList<QUrl> urls;
        for (const QString& name : value.toStringList())
            urls << QUrl::fromLocalFile(name);
        data->setUrls(urls);
    } else {
        if (value.typeId() != QMetaType::QByteArray)
            raise(KwError::FormatMismatch);
        data->setData(type, value.toByteArray());
    }
    data->declare(type);
}

QStringList KwDataObjectFiles::names() const
{
    if (!m_owner.m_read || !m_owner.m_read->hasUrls())
        return {};
    return m_owner.GetData(kwCFFiles).toStringList();
}

void KwDataObjectFiles::setNames(const QStringList& names)
{
    m_owner.SetData(names, kwCFFiles);
}

QString KwDataObjectFiles::Item(int index) const
{
    const QStringList all = names();
    if (index < 1 || index > all.size())
        raise(KwError::InvalidIndex);
    return all.at(index - 1);
}

int KwDataObjectFiles::Count() const
{
    return int(names().size());
}

void KwDataObjectFiles::Add(const QString& fileName, int index)
{
    if (fileName.isEmpty())
        raise(KwError::InvalidProcedureCall);
    QStringList all = names();
    if (index < 0 || index > all.size())
        raise(KwError::InvalidIndex);
    all.insert(index == 0 ? all.size() : index - 1, fileName);
    setNames(all);
}

void KwDataObjectFiles::Clear()
{
    setNames({});
}

void KwDataObjectFiles::Remove(int index)
{
    QStringList all = names();
    if (index < 1 || index > all.size())
        raise(KwError::InvalidIndex);
    all.removeAt(index - 1);
    setNames(all);
}

QStringList::const_iterator KwDataObjectFiles::begin() const
{
    m_cache = names();
    return m_cache.cbegin();
}

QStringList::const_iterator KwDataObjectFiles::end() const
{
    return m_cache.cend();
}

} // namespace Solido

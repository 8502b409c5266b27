#include "viewer/reports/ReportDocument.h"

#include "common/base/Error.h"
#include "viewer/reports/ExportFile.h"
#include "viewer/reports/PageCodec.h"

#include <QDataStream>
#include <QFile>

namespace tallix::reports::reportdocument {

namespace {

// Binary files start with a byte above ASCII and carry CR LF and ^Z, so a transfer that changes
// line ends or stops at ^Z shows at once.
const QByteArray kSignature = QByteArrayLiteral("\x89TallixRDF\r\n\x1a\n");
const QByteArray kEndMark = QByteArrayLiteral("TRDF-END");

constexpr quint32 kMaxTitle = 64 * 1024;
constexpr quint16 kMaxFamily = 256;
constexpr quint32 kMaxPaper = 1000000;

class Reader {
public:
    Reader(QIODevice& device, const QString& name)
        : m_device(device)
        , m_name(name)
    {}

    QByteArray bytes(qint64 n)
    {
        const QByteArray b = m_device.read(n);
        if (b.size() != n)
            throw cutShort();
        return b;
    }
    template <typename T> T number()
    {
        const QByteArray b = bytes(sizeof(T));
        QDataStream in(b);
        T value{};
        in >> value;
        return value;
    }
    QString text(quint32 limit, quint32 size)
    {
        if (size > limit)
            throw damaged();
        return QString::fromUtf8(bytes(size));
    }

    Error notADocument() const
    {
        return Error(kInvalidFileFormat,
                     QStringLiteral("\"%1\" is not a report document.").arg(m_name));
    }
    Error cutShort() const
    {
        return Error(kInvalidFileFormat,
                     QStringLiteral("The report document \"%1\" is cut short.").arg(m_name));
    }
    Error damaged() const
    {
        return Error(kInvalidFileFormat,
                     QStringLiteral("The report document \"%1\" is damaged.").arg(m_name));
    }

private:
    QIODevice& m_device;
    QString m_name;
};

QByteArray bigEndian(auto value)
{
    QByteArray b;
    QDataStream out(&b, QIODevice::WriteOnly);
    out << value;
    return b;
}

} // namespace

void save(const PageCollection& pages, const QString& path)
{
    ExportFile file(path);
    QByteArray head = kSignature;
    head += bigEndian(kVersion);
    const QByteArray title = pages.title().toUtf8().left(kMaxTitle);
    head += bigEndian(static_cast<quint32>(title.size())) + title;
    head += bigEndian(static_cast<quint32>(pages.paper().width()));
    head += bigEndian(static_cast<quint32>(pages.paper().height()));
    head += bigEndian(static_cast<quint16>(pages.fonts().size()));
    for (const ReportFont& f : pages.fonts()) {
        const QByteArray family = f.family.toUtf8().left(kMaxFamily);
        head += bigEndian(static_cast<quint16>(family.size())) + family;
        head += bigEndian(static_cast<quint16>(f.pointSize10));
        head += bigEndian(static_cast<quint8>((f.bold ? 1 : 0) | (f.italic ? 2 : 0)));
    }
    head += bigEndian(static_cast<quint32>(pages.count()));
    file.write(head);
    for (int i = 0; i < pages.count(); ++i) {
        const QByteArray& page = pages.encoded(i);
        file.write(bigEndian(static_cast<quint32>(page.size())) + page);
    }
    file.write(kEndMark + bigEndian(static_cast<quint32>(pages.count())));
    file.commit();
}

std::shared_ptr<PageCollection> read(QIODevice& device, const QString& name)
{
    Reader in(device, name);
    if (device.read(kSignature.size()) != kSignature)
        throw in.notADocument();
    const auto version = in.number<quint16>();
    if (version != kVersion)
        throw Error(kInvalidFileFormat,
                    QStringLiteral("The report document \"%1\" has format %2; this program reads "
                                   "format %3.")
                        .arg(name)
                        .arg(version)
                        .arg(kVersion));
    const QString title = in.text(kMaxTitle, in.number<quint32>());
    const auto width = in.number<quint32>();
    const auto height = in.number<quint32>();
    if (width == 0 || height == 0 || width > kMaxPaper || height > kMaxPaper)
        throw in.damaged();
    const auto fontCount = in.number<quint16>();
    if (fontCount > 255)
        throw in.damaged();
    QList<ReportFont> fonts;
    for (int i = 0; i < fontCount; ++i) {
        ReportFont f;
        f.family = in.text(kMaxFamily, in.number<quint16>());
        f.pointSize10 = in.number<quint16>();
        const auto style = in.number<quint8>();
        if (f.pointSize10 == 0 || style > 3)
            throw in.damaged();
        f.bold = style & 1;
        f.italic = style & 2;
        fonts.append(f);
    }
    auto pages = std::make_shared<PageCollection>(
        title, QSize(static_cast<int>(width), static_cast<int>(height)), fonts);
    const auto count = in.number<quint32>();
    for (quint32 i = 0; i < count; ++i) {
        const auto size = in.number<quint32>();
        if (size == 0 || size > pagecodec::kMaxPageBytes)
            throw in.damaged();
        if (!pages->appendEncoded(in.bytes(size)))
            throw in.damaged();
    }
    if (in.bytes(kEndMark.size()) != kEndMark || in.number<quint32>() != count)
        throw in.damaged();
    if (!device.atEnd())
        throw in.damaged();
    return pages;
}

std::shared_ptr<PageCollection> load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(kFileAccessError,
                    QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    return read(file, path);
}

} // namespace tallix::reports::reportdocument

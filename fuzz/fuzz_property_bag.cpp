// A control's saved state comes from its container (a form's stored properties), so reading any
// property bag must leave every control with values its properties can take: what it then writes
// reads back into a new control with nothing rejected and nothing changed.
//
// The input is read twice: line by line as Name=value texts, and as a list of entries (a name
// chosen from the saved names, a kind of value and the value's bytes), so bags hold numbers,
// texts, pictures, fonts, colours and empty values under every name the controls read.

#include "controls/KwControl.h"
#include "controls/KwFactory.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QWidget>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void needApplication()
{
    static int argc = 1;
    static char name[] = "fuzz_property_bag";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication app(argc, argv);
    }
}

// Every name a control reads from a bag, and one that none does.
const QStringList& savedNames()
{
    static const QStringList names = [] {
        QSet<QString> all = {QStringLiteral("_Version"), QStringLiteral("_ExtentX"),
                             QStringLiteral("_ExtentY"), QStringLiteral("HasGraphics"),
                             QStringLiteral("NoSuchName")};
        for (const Solido::KwClassInfo& info : Solido::controlClasses())
            for (const Solido::PropertyInfo& row : Solido::PropertyTable::of(info.family).rows())
                if (row.savedName())
                    all.insert(QLatin1String(row.savedName()));
        QStringList sorted(all.begin(), all.end());
        sorted.sort();
        return sorted;
    }();
    return names;
}

// Reads the input front to back; past its end every read gives zeros.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {}
    bool atEnd() const { return m_at >= m_size; }
    std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    template <typename T> T number()
    {
        T value{};
        std::uint8_t bytes[sizeof(T)];
        for (auto& b : bytes)
            b = byte();
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }
    QByteArray bytes()
    {
        QByteArray out;
        for (int n = byte(); n > 0; --n)
            out.append(char(byte()));
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

QVariant valueOf(Input& in)
{
    switch (in.byte() % 12) {
    case 0:
        return in.number<qint32>();
    case 1:
        return in.number<double>();
    case 2:
        return bool(in.byte() & 1);
    case 3:
        return QString::fromUtf8(in.bytes());
    case 4:
        return in.bytes();
    case 5: {
        QImage image(in.byte() % 33, in.byte() % 33, QImage::Format_ARGB32);
        image.fill(QColor::fromRgba(in.number<quint32>()));
        return QPixmap::fromImage(image);
    }
    case 6: {
        QFont font(QString::fromUtf8(in.bytes()));
        font.setPointSize(1 + in.byte() % 96);
        font.setBold(in.byte() & 1);
        return font;
    }
    case 7:
        return QColor::fromRgba(in.number<quint32>());
    case 8:
        return QVariant();
    case 9:
        return QStringList{QString::fromUtf8(in.bytes()), QString::fromUtf8(in.bytes())};
    case 10:
        return in.number<quint32>();
    default:
        return in.number<qint64>();
    }
}

bool same(const QVariant& a, const QVariant& b)
{
    if (a.typeId() == QMetaType::QPixmap && b.typeId() == QMetaType::QPixmap)
        return a.value<QPixmap>().toImage() == b.value<QPixmap>().toImage();
    return a == b;
}

// Says which name differs, for whoever replays a failing input.
bool sameBags(const Solido::PropertyBag& a, const Solido::PropertyBag& b, const char* className)
{
    if (a.keys() != b.keys()) {
        std::fprintf(stderr, "%s: the saved names differ\n", className);
        return false;
    }
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        if (!same(it.value(), b.value(it.key()))) {
            std::fprintf(stderr, "%s.%s: %s read back as %s\n", className, qPrintable(it.key()),
                         qPrintable(b.value(it.key()).toString()),
                         qPrintable(it.value().toString()));
            return false;
        }
    return true;
}

void readEverywhere(const Solido::PropertyBag& bag)
{
    for (const Solido::KwClassInfo& info : Solido::controlClasses()) {
        std::unique_ptr<QWidget> first(Solido::KwFactory::create(info));
        Solido::KwFactory::control(first.get())->readProperties(bag);
        const Solido::PropertyBag saved =
            Solido::KwFactory::control(first.get())->writeProperties();
        std::unique_ptr<QWidget> second(Solido::KwFactory::create(info));
        Solido::KwControl* again = Solido::KwFactory::control(second.get());
        if (!again->readProperties(saved).isEmpty())
            std::abort(); // a control wrote a value it cannot read
        if (!sameBags(again->writeProperties(), saved, info.className))
            std::abort(); // reading changed what was written
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    needApplication();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    Solido::PropertyBag texts;
    for (const QByteArray& line : bytes.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            texts.insert(QString::fromUtf8(line.left(eq)).trimmed(),
                         QString::fromUtf8(line.mid(eq + 1)).trimmed());
    }
    readEverywhere(texts);

    Solido::PropertyBag entries;
    Input in(data, size);
    while (!in.atEnd()) {
        const QString& name = savedNames().at(in.byte() % savedNames().size());
        entries.insert(name, valueOf(in));
    }
    readEverywhere(entries);
    return 0;
}

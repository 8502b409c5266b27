// A control's saved state comes from its container (a form's stored properties), so reading any
// property bag must leave every control with values its properties can take: what it then writes
// reads back into a new control with nothing rejected and nothing changed. The input is read as
// a streamed QVariantMap and, line by line, as Name=value texts.

#include "controls/KwControl.h"
#include "controls/KwFactory.h"

#include <QApplication>
#include <QDataStream>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

    Solido::PropertyBag streamed;
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    in >> streamed;
    readEverywhere(streamed);

    Solido::PropertyBag texts;
    for (const QByteArray& line : bytes.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            texts.insert(QString::fromUtf8(line.left(eq)).trimmed(),
                         QString::fromUtf8(line.mid(eq + 1)).trimmed());
    }
    readEverywhere(texts);
    return 0;
}

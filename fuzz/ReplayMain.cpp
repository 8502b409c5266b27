// Stands in for libFuzzer where the compiler has none: feeds every file of the
// corpus folders named on the command line, then deterministic mutations of them
// (bytes flipped, cut, repeated, spliced), to the target's entry point. A crash or
// sanitizer report fails the run; returning means every input was survived.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void feed(const QByteArray& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                           static_cast<std::size_t>(input.size()));
}

QByteArray mutate(const QByteArray& seed, const QByteArray& other, std::mt19937& rng)
{
    QByteArray out = seed;
    auto pick = [&](qsizetype n) {
        return n <= 0 ? 0 : static_cast<qsizetype>(rng() % static_cast<unsigned>(n));
    };
    switch (rng() % 6) {
    case 0: // flip bytes
        for (int i = 0, n = 1 + pick(8); i < n && !out.isEmpty(); ++i)
            out[pick(out.size())] = static_cast<char>(rng());
        break;
    case 1: // cut short
        out.truncate(pick(out.size() + 1));
        break;
    case 2: // drop a middle piece
        out.remove(pick(out.size()), pick(32));
        break;
    case 3: // repeat a piece
        out.insert(pick(out.size()), out.mid(pick(out.size()), pick(64)));
        break;
    case 4: // splice with another seed
        out = out.left(pick(out.size())) + other.mid(pick(other.size()));
        break;
    default: { // insert markup-ish bytes
        static const char* pieces[] = {"<",     ">",    "/",    "'",   "\"",
                                       "=",     "?>",   "<!--", "]]>", "<![CDATA[",
                                       "&amp;", "\r\n", " ",    "\t",  "\0"};
        out.insert(pick(out.size() + 1), pieces[rng() % (sizeof pieces / sizeof *pieces)]);
        break;
    }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<QByteArray> seeds;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly))
                seeds.push_back(f.readAll());
        }
    }
    seeds.push_back(QByteArray());
    for (const QByteArray& s : seeds)
        feed(s);
    std::mt19937 rng(20261208);
    const int rounds = 4000;
    for (int i = 0; i < rounds; ++i) {
        const QByteArray& seed = seeds[rng() % seeds.size()];
        const QByteArray& other = seeds[rng() % seeds.size()];
        feed(mutate(seed, other, rng));
    }
    std::printf("replayed %zu seeds and %d mutations\n", seeds.size(), rounds);
    return 0;
}

#include "viewer/reports/ExportFile.h"
#include "viewer/reports/Exports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cstdio>
#include <map>
#include <xlsxwriter.h>

namespace tallix::reports {

namespace {

// Excel's limits: rows per sheet and characters per cell.
constexpr lxw_row_t kSheetRows = 1048576;
constexpr qsizetype kCellCharacters = 32767;

// Twips per unit of Excel's column width (a digit of the default font).
constexpr double kTwipsPerWidthUnit = 105.0;

// A text as a cell's string: Excel reads "_xHHHH_" in a string as an escaped character, so a
// text that holds such a sequence gets its underscore escaped; a text beyond a cell's limit is
// cut there.
QByteArray cellText(const QString& text)
{
    static const QRegularExpression escape(QStringLiteral("_(x[0-9A-Fa-f]{4}_)"));
    QString s = text;
    s.replace(escape, QStringLiteral("_x005F_\\1"));
    if (s.size() > kCellCharacters) {
        qsizetype cut = kCellCharacters;
        if (s[cut - 1].isHighSurrogate())
            --cut;
        s.truncate(cut);
    }
    return s.toUtf8();
}

class Workbook {
public:
    Workbook(const QString& path, const QByteArray& tempFolder)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE; // rows go to disk as they are written
        options.tmpdir = const_cast<char*>(tempFolder.constData());
        const QByteArray file = QFile::encodeName(path);
        m_book = workbook_new_opt(file.constData(), &options);
    }
    ~Workbook()
    {
        if (m_book)
            workbook_close(m_book);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* get() const { return m_book; }
    lxw_error close()
    {
        const lxw_error error = workbook_close(m_book);
        m_book = nullptr;
        return error;
    }

private:
    lxw_workbook* m_book = nullptr;
};

} // namespace

void exportXlsx(const PageCollection& pages, const QString& fileName)
{
    // One column per distinct left edge of a text; the widths follow the edges.
    std::map<int, int> rightOf;
    for (int p = 0; p < pages.count(); ++p) {
        for (const Band& band : pages.page(p).bands) {
            for (const TextBox& t : band.texts) {
                int& right = rightOf[t.rect.left()];
                right = std::max(right, t.rect.left() + t.rect.width());
            }
        }
    }
    QList<int> edges;
    for (const auto& [left, right] : rightOf)
        edges.append(left);
    QHash<int, lxw_col_t> columnOf;
    for (qsizetype i = 0; i < edges.size(); ++i)
        columnOf.insert(edges[i], static_cast<lxw_col_t>(i));

    // Written beside the file under a temporary name, then put in its place.
    const QFileInfo target(fileName);
    QTemporaryFile placeholder(target.absoluteDir().filePath(QStringLiteral(".xlsx-XXXXXX")));
    if (!placeholder.open())
        throw fileError(fileName, placeholder.errorString());
    const QString temporary = placeholder.fileName();
    placeholder.setAutoRemove(false);
    placeholder.close();
    struct Cleanup {
        QString path;
        ~Cleanup()
        {
            if (!path.isEmpty())
                QFile::remove(path);
        }
    } cleanup{temporary};

    const QByteArray tempFolder = QFile::encodeName(QDir::tempPath());
    Workbook book(temporary, tempFolder);
    if (!book.get())
        throw fileError(fileName, QStringLiteral("the workbook cannot be created"));
    lxw_format* bold = workbook_add_format(book.get());
    format_set_bold(bold);
    lxw_format* wrap = workbook_add_format(book.get());
    format_set_text_wrap(wrap);
    format_set_align(wrap, LXW_ALIGN_VERTICAL_TOP);
    lxw_format* boldWrap = workbook_add_format(book.get());
    format_set_bold(boldWrap);
    format_set_text_wrap(boldWrap);
    format_set_align(boldWrap, LXW_ALIGN_VERTICAL_TOP);

    lxw_worksheet* sheet = nullptr;
    lxw_row_t row = kSheetRows;
    const auto newSheet = [&] {
        sheet = workbook_add_worksheet(book.get(), nullptr);
        if (!sheet)
            throw fileError(fileName, QStringLiteral("the sheet cannot be added"));
        for (qsizetype i = 0; i < edges.size(); ++i) {
            const int width = (i + 1 < edges.size() ? edges[i + 1] : rightOf[edges[i]]) - edges[i];
            worksheet_set_column(sheet, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i),
                                 std::max(width / kTwipsPerWidthUnit, 1.0), nullptr);
        }
        row = 0;
    };
    for (int p = 0; p < pages.count(); ++p) {
        for (const Band& band : pages.page(p).bands) {
            for (const TextRow& textRow : textRows(band)) {
                if (row >= kSheetRows)
                    newSheet();
                qsizetype lines = 1;
                for (const TextBox* cell : textRow.cells)
                    lines = std::max(lines, cell->text.count(QLatin1Char('\n')) + 1);
                if (lines > 1)
                    worksheet_set_row(sheet, row, 15.0 * static_cast<double>(lines), nullptr);
                for (const TextBox* cell : textRow.cells) {
                    const lxw_col_t column = columnOf.value(cell->rect.left());
                    const bool isBold = pages.fonts().value(cell->font).bold;
                    const bool multiLine = cell->text.contains(QLatin1Char('\n'));
                    lxw_format* format =
                        multiLine ? (isBold ? boldWrap : wrap) : (isBold ? bold : nullptr);
                    bool isNumber = false;
                    const double number =
                        (cell->flags & Number) ? cell->text.toDouble(&isNumber) : 0.0;
                    const lxw_error error =
                        isNumber ? worksheet_write_number(sheet, row, column, number, format)
                                 : worksheet_write_string(sheet, row, column,
                                                          cellText(cell->text).constData(), format);
                    if (error != LXW_NO_ERROR)
                        throw fileError(fileName, QString::fromUtf8(lxw_strerror(error)));
                }
                ++row;
            }
        }
    }
    if (!sheet)
        newSheet();
    if (const lxw_error error = book.close(); error != LXW_NO_ERROR)
        throw fileError(fileName, QString::fromUtf8(lxw_strerror(error)));
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(fileName).constData()) != 0)
        throw fileError(fileName, QStringLiteral("the finished file cannot be put in place"));
    cleanup.path.clear();
}

} // namespace tallix::reports

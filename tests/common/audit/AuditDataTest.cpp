#include "common/audit/AuditData.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tallix;
using audit::DataColumn;
using tallix::test::s;

TEST(AuditData, ReadsTheTriggersTextWhole)
{
    const struct {
        QString data;
        QList<DataColumn> columns;
    } cases[] = {
        {s("<AUDIT><COLUMN NAME='it&apos;s' BEFORE='O&apos;Brien' AFTER='NULL'/>"
           "<COLUMN NAME='Qty' BEFORE='' AFTER='7'/></AUDIT>"),
         {{s("it's"), s("O'Brien"), s("NULL")}, {s("Qty"), s(""), s("7")}}},
        {s("<AUDIT></AUDIT>"), {}},
        // Blanks and line ends between elements, blanks in the tag, double quotes.
        {s("<AUDIT>\r\n\t<COLUMN  NAME = \"a\" BEFORE=\"x'y\" AFTER='&lt;b&gt;' />\r\n</AUDIT>\n"),
         {{s("a"), s("x'y"), s("&lt;b&gt;")}}},
        // A value holds anything but its own quote.
        {s("<AUDIT><COLUMN NAME='n' BEFORE='a\r\nGO\r\n' AFTER='x/><y'/></AUDIT>"),
         {{s("n"), s("a\r\nGO\r\n"), s("x/><y")}}},
    };
    for (const auto& c : cases) {
        const audit::DataReading r = audit::readData(c.data);
        EXPECT_TRUE(r.complete()) << qPrintable(c.data) << "\n" << qPrintable(r.error);
        EXPECT_EQ(r.columns, c.columns) << qPrintable(c.data);
    }
}

TEST(AuditData, ATextThatIsNotReadWholeSaysWhyAndKeepsWhatCameBefore)
{
    const QString first = s("<COLUMN NAME='a' BEFORE='1' AFTER='2'/>");
    const struct {
        QString data;
        const char* error;
        int columnsRead;
    } cases[] = {
        {s(""), "The audit data is empty.", 0},
        {s(" <AUDIT></AUDIT>"), "The audit data does not begin with <AUDIT>.", 0},
        {s("<AUDIT>") + first, "The audit data ends without </AUDIT>.", 1},
        {s("<AUDIT></AUDIT>x"), "The audit data goes on after </AUDIT> at character 16.", 0},
        {s("<AUDIT><ROW/></AUDIT>"),
         "The audit data holds something other than a COLUMN element at character 8.", 0},
        // An apostrophe of a text column's value, which the triggers do not escape.
        {s("<AUDIT><COLUMN NAME='au_lname' BEFORE='O'Brien' AFTER='White'/></AUDIT>"),
         "Column 1 (\"au_lname\") of the audit data has no AFTER attribute where character 42 "
         "stands (is an apostrophe in the BEFORE value not written as &apos;?).",
         0},
        {s("<AUDIT>") + first + s("<COLUMN NAME='b' BEFORE='1' AFTER='x'y'/></AUDIT>"),
         "Column 2 (\"b\") of the audit data does not end with \"/>\" after its AFTER value (is "
         "an apostrophe in that value not written as &apos;?).",
         1},
        {s("<AUDIT><COLUMN NAME='' BEFORE='1' AFTER='2'/></AUDIT>"),
         "Column 1 of the audit data has no name.", 0},
        {s("<AUDIT>") + first + s("<COLUMN NAME='A' BEFORE='3' AFTER='4'/></AUDIT>"),
         "The audit data records the column \"A\" more than once.", 1},
        {s("<AUDIT><COLUMN NAME='a' BEFORE='1'/></AUDIT>"),
         "Column 1 (\"a\") of the audit data has no AFTER attribute where character 35 stands "
         "(is an apostrophe in the BEFORE value not written as &apos;?).",
         0},
        {s("<AUDIT><COLUMN BEFORE='1' NAME='a' AFTER='2'/></AUDIT>"),
         "Column 1 of the audit data has no NAME attribute where character 16 stands.", 0},
        {s("<AUDIT><COLUMN\nNAME='a' BEFORE='1' AFTER='2'/></AUDIT>"),
         "Column 1 of the audit data has no NAME attribute where character 15 stands.", 0},
        {s("<AUDIT><COLUMN NAME='a' BEFORE='1' AFTER='2' EXTRA='3'/></AUDIT>"),
         "Column 1 (\"a\") of the audit data does not end with \"/>\" after its AFTER value (is "
         "an apostrophe in that value not written as &apos;?).",
         0},
        {s("<AUDIT><COLUMN NAME='a' BEFORE=1 AFTER='2'/></AUDIT>"),
         "Column 1 of the audit data has no quoted BEFORE value.", 0},
        {s("<AUDIT><COLUMN NAME='a' BEFORE '1' AFTER='2'/></AUDIT>"),
         "Column 1 of the audit data has no \"=\" after BEFORE.", 0},
        {s("<AUDIT><COLUMN NAME='a' BEFORE='1"),
         "Column 1 of the audit data ends inside its BEFORE value.", 0},
        // A name that reads like a placeholder stays as it is.
        {s("<AUDIT><COLUMN NAME='%4\r\n' BEFORE='1'></AUDIT>"),
         "Column 1 (\"%4??\") of the audit data has no AFTER attribute where character 38 stands "
         "(is an apostrophe in the BEFORE value not written as &apos;?).",
         0},
    };
    for (const auto& c : cases) {
        const audit::DataReading r = audit::readData(c.data);
        EXPECT_EQ(r.error, s(c.error)) << qPrintable(c.data);
        EXPECT_EQ(r.columns.size(), c.columnsRead) << qPrintable(c.data);
    }
}

// The writers' side: hand-written texts, and every recorded name and value read back as it was
// (but for the two texts the data text cannot carry, checked in the round trip of the triggers).
TEST(AuditData, WrittenTextsAreTheTriggersFormAndReadBack)
{
    EXPECT_EQ(audit::dataText({audit::columnElement(audit::recordedText(u"it's"), u"O&apos;B",
                                                    QString(audit::kNullValue)),
                               audit::columnElement(u"Qty", u"", u"7")}),
              s("<AUDIT><COLUMN NAME='it&apos;s' BEFORE='O&apos;B' AFTER='NULL'/>"
                "<COLUMN NAME='Qty' BEFORE='' AFTER='7'/></AUDIT>"));
    EXPECT_EQ(audit::dataText({}), s("<AUDIT></AUDIT>"));
    EXPECT_EQ(audit::recordedText(u"''a'"), s("&apos;&apos;a&apos;"));

    const QString texts[] = {
        s("O'Brien"), s("<b>&amp;</b>"), s("a\r\nGO\u0001\""), s("'/><COLUMN NAME='x"),
        s(""),        s("&apos")};
    for (const QString& text : texts) {
        const audit::DataReading r = audit::readData(audit::dataText(
            {audit::columnElement(audit::recordedText(text + s("n")), audit::recordedText(text),
                                  audit::recordedText(text))}));
        EXPECT_TRUE(r.complete()) << qPrintable(text) << qPrintable(r.error);
        EXPECT_EQ(r.columns, (QList<DataColumn>{{text + s("n"), text, text}}));
    }
}

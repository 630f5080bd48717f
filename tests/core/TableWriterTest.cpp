#include "core/TableWriter.h"
#include "materials/exchange/CsvRecords.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace korvane {
namespace {

std::vector<TableColumn> columns(std::initializer_list<const char*> keys)
{
    std::vector<TableColumn> result;
    for (const char* key : keys)
        result.push_back({key, key});
    return result;
}

// What a file holds from its start.
std::string contents(std::FILE* file)
{
    std::string text(size_t(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    return text;
}

// Texts that a reader of the file must get back byte for byte, including
// the empty text, which differs from an empty cell (no value).
TEST(TableWriterTest, RoundTripCsvReadsBackTheSameBytes)
{
    const std::vector<std::string> texts = {
        "plain",
        "comma, inside",
        "a \"quoted\" word",
        "\"",
        "line one\r\nline two",
        "bare\nfeed",
        "bare\rcr",
        " leading blank",
        "trailing blank ",
        "",
        "tab\there",
        "Ä € 𝄞",
        "\\n",
        "\"\",\"\r\n,\"\"",
        "x\x01y\x7f",
        "=1+2",
    };
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    TableWriter table(TableFormat::Csv, columns({"text", "none", "number", "key, with comma"}), file,
                      text::CsvQuoting::RoundTrip);
    for (const std::string& text : texts) {
        table.text(text);
        table.empty();
        table.number("2.6500000953674316");
        table.text(text);
        ASSERT_TRUE(table.endRow());
    }
    ASSERT_TRUE(table.finish()) << table.error();
    const QByteArray bytes = QByteArray::fromStdString(contents(file));
    std::fclose(file);
    EXPECT_TRUE(bytes.startsWith("text,none,number,\"key, with comma\"\nplain,,2.6500000953674316,plain\n"));
    EXPECT_TRUE(bytes.contains("\n\"line one\r\nline two\",,2.6500000953674316,\"line one\r\nline two\"\n"));
    EXPECT_TRUE(bytes.contains("\n\"\",,2.6500000953674316,\"\"\n"));

    QBuffer device;
    device.setData(bytes);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    CsvRecords records(device, 1 << 20);
    std::vector<QByteArray> cells;
    ASSERT_TRUE(records.next(&cells));
    EXPECT_EQ(cells, (std::vector<QByteArray>{"text", "none", "number", "key, with comma"}));
    for (const std::string& text : texts) {
        ASSERT_TRUE(records.next(&cells)) << text << ": " << records.error().toStdString();
        ASSERT_EQ(cells.size(), 4u) << text;
        EXPECT_EQ(cells[0].toStdString(), text);
        EXPECT_FALSE(cells[0].isNull()) << text; // a text, even an empty one
        EXPECT_TRUE(cells[1].isNull()) << text;  // no value
        EXPECT_EQ(cells[2], "2.6500000953674316");
        EXPECT_EQ(cells[3].toStdString(), text);
    }
    EXPECT_FALSE(records.next(&cells));
    EXPECT_EQ(records.error(), QString());
}

// A report's CSV keeps every row on one line for a person: control
// characters and the Unicode line separators become escapes, which the
// reader sees as text.
TEST(TableWriterTest, ReportCsvKeepsEachRowOnOneLine)
{
    TableWriter table(TableFormat::Csv, columns({"material", "error"}));
    table.text("\"A\", \x1b[2J\a\nb");
    table.text("tab\tcr\rnul" + std::string(1, '\0') + "c1\xc2\x85 ls\xe2\x80\xa8ps\xe2\x80\xa9 del\x7f é");
    table.endRow();
    table.text("plain");
    table.empty();
    table.endRow();
    EXPECT_EQ(table.finishedText(),
              "material,error\n"
              "\"\"\"A\"\", \\u001b[2J\\u0007\\nb\",tab\\tcr\\rnul\\u0000c1\\u0085 ls\\u2028ps\\u2029 del\\u007f é\n"
              "plain,\n");
}

// Members named by the keys, texts as JSON strings: quotes and backslashes
// escaped, control characters as \u00XX, everything else (non-ASCII, DEL, the
// line separators) as its own UTF-8 bytes, which JSON allows.
TEST(TableWriterTest, JsonEscapesControlCharactersAndKeepsNonAscii)
{
    TableWriter table(TableFormat::Json, columns({"name", "valel s+p,n", "n", "\"key\""}));
    table.text("\"q\" \\ \b\f\n\r\t\x01\x1f" + std::string(1, '\0') + "\x7f é € 𝄞 \xe2\x80\xa8");
    table.empty();
    table.number("1e-30");
    table.text("inf");
    table.endRow();
    table.text("");
    table.number("0");
    table.empty();
    table.empty();
    table.endRow();
    EXPECT_EQ(table.finishedText(),
              "[\n"
              "  {\"name\": \"\\\"q\\\" \\\\ \\u0008\\u000c\\u000a\\u000d\\u0009\\u0001\\u001f\\u0000\x7f é € 𝄞 "
              "\xe2\x80\xa8\", \"valel s+p,n\": null, \"n\": 1e-30, \"\\\"key\\\"\": \"inf\"},\n"
              "  {\"name\": \"\", \"valel s+p,n\": 0, \"n\": null, \"\\\"key\\\"\": null}\n"
              "]\n");
    EXPECT_EQ(TableWriter(TableFormat::Json, columns({"name"})).finishedText(), "[]\n");
}

// Widths count characters, not bytes; numbers flush right; a column that no
// row fills can be left out; no line ends in blanks.
TEST(TableWriterTest, AlignedTextCountsCharacters)
{
    TableWriter table(
        TableFormat::AlignedText,
        {{"name", "Name"}, {"value", "Value (Å)", true}, {"error", "Error", false, true}, {"note", "Note"}});
    for (const char* name : {"Ä€𝄞", "a\nb", "longer name"}) {
        table.text(name);
        table.number("1.5");
        table.empty();
        table.empty();
        table.endRow();
    }
    EXPECT_EQ(table.finishedText(),
              "Name         Value (Å)  Note\n"
              "-----------  ---------  ----\n"
              "Ä€𝄞                1.5\n"
              "a\\nb               1.5\n"
              "longer name        1.5\n");
}

// A full disk: what fits in the buffer seems written until the flush at the
// end says otherwise; a large output stops at the first piece that fails,
// and every step after it reports the same failure.
TEST(TableWriterTest, AFailedWriteIsReportedAndEndsTheOutput)
{
    const std::string full = "the output cannot be written: No space left on device";
    for (const TableFormat format : {TableFormat::Csv, TableFormat::Json, TableFormat::AlignedText}) {
        std::FILE* file = std::fopen("/dev/full", "w");
        ASSERT_NE(file, nullptr);
        TableWriter small(format, columns({"a"}), file);
        small.text("x");
        EXPECT_TRUE(small.endRow());
        EXPECT_EQ(small.error(), "");
        EXPECT_FALSE(small.finish());
        EXPECT_EQ(small.error(), full);
        std::fclose(file);
    }

    std::FILE* file = std::fopen("/dev/full", "w");
    ASSERT_NE(file, nullptr);
    TableWriter large(TableFormat::Csv, columns({"a", "b"}), file);
    int rows = 0;
    for (; rows < 100'000; ++rows) {
        large.text("a text of some length");
        large.number("12345.678");
        if (!large.endRow())
            break;
    }
    EXPECT_EQ(rows, 2047); // the first piece of 64 KiB: 32 bytes a row and the header
    EXPECT_EQ(large.error(), full);
    large.text("more");
    large.number("1");
    EXPECT_FALSE(large.endRow());
    EXPECT_FALSE(large.finish());
    EXPECT_EQ(large.error(), full);
    std::fclose(file);
}

} // namespace
} // namespace korvane

// The DOCX and ODT readers on documents the tests write with libzip, one per rule, and the
// containers and parts a hostile or damaged file may bring.

#include "formatstest.h"

#include "formats/docxreader.h"
#include "formats/odtreader.h"
#include "formats/ziparchive.h"

namespace norvak {
namespace {
using test::MakeZip;

const char* const kW = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";

std::string Docx(const std::string& body, const std::string& styles = "") {
    std::vector<std::pair<std::string, std::string>> parts = {
        {"[Content_Types].xml", "<?xml version=\"1.0\"?><Types/>"},
        {"word/document.xml",
         std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document ") + kW + "><w:body>" +
             body + "</w:body></w:document>"},
        {"word/header1.xml",
         std::string("<w:hdr ") + kW + "><w:p><w:r><w:t>Колонтитул</w:t></w:r></w:p></w:hdr>"}};
    if (!styles.empty())
        parts.push_back(
            {"word/styles.xml", std::string("<w:styles ") + kW + ">" + styles + "</w:styles>"});
    return MakeZip(parts);
}

FlowDocument ReadDocxOk(const std::string& bytes) {
    FlowDocument doc;
    std::string error;
    EXPECT_TRUE(ReadDocx(bytes, doc, &error)) << Cp1251ToUtf8(error);
    return doc;
}

const FlowParagraph& P(const FlowDocument& doc, std::size_t i) {
    static const FlowParagraph none;
    if (i >= doc.blocks.size() || doc.blocks[i].isTable) {
        ADD_FAILURE() << "no paragraph " << i;
        return none;
    }
    return doc.blocks[i].paragraph;
}

TEST(Docx, DirectAndInheritedAlignmentAndIndents) {
    const std::string styles =
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:pPr>"
        "<w:ind w:left=\"180\"/></w:pPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Body\"><w:basedOn w:val=\"Normal\"/><w:pPr>"
        "<w:jc w:val=\"both\"/><w:ind w:firstLine=\"709\"/></w:pPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Title\"><w:basedOn w:val=\"Body\"/><w:pPr>"
        "<w:jc w:val=\"center\"/></w:pPr><w:rPr><w:b/></w:rPr></w:style>";
    const FlowDocument doc = ReadDocxOk(
        Docx("<w:p><w:pPr><w:pStyle w:val=\"Title\"/></w:pPr><w:r><w:t>ЗАКОН</w:t></w:r></w:p>"
             "<w:p><w:pPr><w:pStyle w:val=\"Body\"/></w:pPr><w:r><w:t>Текст</w:t></w:r></w:p>"
             "<w:p><w:pPr><w:pStyle w:val=\"Body\"/><w:jc w:val=\"right\"/><w:ind w:left=\"1890\" "
             "w:hanging=\"1215\"/></w:pPr><w:r><w:t>Справа</w:t></w:r></w:p>"
             "<w:p><w:r><w:t>Обычный</w:t></w:r></w:p>",
             styles));
    ASSERT_EQ(doc.blocks.size(), 4u);
    EXPECT_EQ(P(doc, 0).align, FlowAlign::Centre);
    EXPECT_TRUE(P(doc, 0).bold);
    EXPECT_EQ(P(doc, 1).align, FlowAlign::Justify);
    EXPECT_DOUBLE_EQ(P(doc, 1).firstIndentPt, 709 / 20.0);
    EXPECT_DOUBLE_EQ(P(doc, 1).leftIndentPt, 9);
    EXPECT_EQ(P(doc, 2).align, FlowAlign::Right);
    EXPECT_DOUBLE_EQ(P(doc, 2).firstIndentPt, -1215 / 20.0);
    EXPECT_DOUBLE_EQ(P(doc, 2).leftIndentPt, 1890 / 20.0);
    EXPECT_EQ(P(doc, 3).align, FlowAlign::Left) << "the default style sets no alignment";
}

TEST(Docx, RunsTabsBreaksLinksAndWhatIsNoText) {
    const FlowDocument doc = ReadDocxOk(
        Docx("<w:p><w:r><w:t xml:space=\"preserve\">Ста</w:t></w:r><w:r><w:t>тья 7</w:t></w:r>"
             "<w:r><w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr><w:t>1</w:t></w:r>"
             "<w:r><w:t>.</w:t><w:tab/><w:t>Москва</w:t><w:br/><w:t>Кремль</w:t>"
             "<w:br w:type=\"page\"/></w:r>"
             "<w:hyperlink><w:r><w:t xml:space=\"preserve\"> ссылка</w:t></w:r></w:hyperlink>"
             "<w:del><w:r><w:delText>удалено</w:delText></w:r></w:del>"
             "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText>HYPERLINK x"
             "</w:instrText></w:r><w:r><w:rPr><w:vanish/></w:rPr><w:t>скрыто</w:t></w:r>"
             "<w:ins><w:r><w:t xml:space=\"preserve\"> вставка</w:t></w:r></w:ins></w:p>"));
    ASSERT_EQ(doc.blocks.size(), 1u);
    EXPECT_EQ(Cp1251ToUtf8(P(doc, 0).text), "Статья 7.1.\tМосква\nКремль ссылка вставка");
}

TEST(Docx, TablesWithGridSpansMergesAndBorders) {
    const std::string border =
        "<w:tcPr><w:tcBorders><w:top w:val=\"single\"/></w:tcBorders></w:tcPr>";
    const FlowDocument doc = ReadDocxOk(Docx(
        "<w:tbl><w:tblGrid><w:gridCol w:w=\"1000\"/><w:gridCol w:w=\"2000\"/>"
        "<w:gridCol w:w=\"3000\"/></w:tblGrid>"
        "<w:tr><w:tc>" +
        border +
        "<w:p><w:r><w:t>Шапка</w:t></w:r></w:p></w:tc>"
        "<w:tc><w:tcPr><w:gridSpan w:val=\"2\"/><w:vMerge w:val=\"restart\"/></w:tcPr>"
        "<w:p><w:r><w:t>Двойная</w:t></w:r></w:p></w:tc></w:tr>"
        "<w:tr><w:tc><w:p><w:r><w:t>а</w:t></w:r></w:p><w:p><w:r><w:t>б</w:t></w:r></w:p></w:tc>"
        "<w:tc><w:tcPr><w:gridSpan w:val=\"2\"/><w:vMerge/></w:tcPr><w:p/></w:tc></w:tr>"
        "</w:tbl>"
        "<w:tbl><w:tblGrid><w:gridCol w:w=\"5000\"/><w:gridCol w:w=\"4000\"/></w:tblGrid>"
        "<w:tr><w:tc><w:p><w:r><w:t>Председатель</w:t></w:r></w:p></w:tc>"
        "<w:tc><w:p><w:r><w:t>И.Иванов</w:t></w:r></w:p></w:tc></w:tr></w:tbl>"));
    ASSERT_EQ(doc.blocks.size(), 2u);
    const FlowTable& t = doc.blocks[0].table;
    EXPECT_TRUE(t.bordered);
    EXPECT_EQ(t.columnWidths, (std::vector<double>{1000, 2000, 3000}));
    EXPECT_EQ(t.rows, 2);
    ASSERT_EQ(t.cells.size(), 3u);
    EXPECT_EQ(t.cells[1].columnSpan, 2);
    EXPECT_EQ(t.cells[1].rowSpan, 2);
    EXPECT_EQ(t.cells[2].paragraphs.size(), 2u);
    EXPECT_FALSE(doc.blocks[1].table.bordered) << "a table placing text side by side";
}

TEST(Docx, TableBordersFromTheTableStyle) {
    const FlowDocument doc = ReadDocxOk(
        Docx("<w:tbl><w:tblPr><w:tblStyle w:val=\"Grid\"/></w:tblPr><w:tr><w:tc><w:p><w:r><w:t>x"
             "</w:t></w:r></w:p></w:tc></w:tr></w:tbl>",
             "<w:style w:type=\"table\" w:styleId=\"Base\"><w:tblPr><w:tblBorders><w:top "
             "w:val=\"single\"/></w:tblBorders></w:tblPr></w:style><w:style w:type=\"table\" "
             "w:styleId=\"Grid\"><w:basedOn w:val=\"Base\"/></w:style>"));
    ASSERT_EQ(doc.blocks.size(), 1u);
    EXPECT_TRUE(doc.blocks[0].table.bordered);
    EXPECT_EQ(doc.blocks[0].table.columnWidths.size(), 1u) << "a grid told from the cells";
}

std::string Odt(const std::string& text, const std::string& automatic,
                const std::string& named = "") {
    const std::string ns =
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\"";
    return MakeZip({{"mimetype", "application/vnd.oasis.opendocument.text"},
                    {"content.xml", "<office:document-content " + ns +
                                        "><office:automatic-styles>" + automatic +
                                        "</office:automatic-styles><office:body>"
                                        "<office:text>" +
                                        text +
                                        "</office:text></office:body>"
                                        "</office:document-content>"},
                    {"styles.xml", "<office:document-styles " + ns + "><office:styles>" + named +
                                       "</office:styles></office:document-styles>"}});
}

FlowDocument ReadOdtOk(const std::string& bytes) {
    FlowDocument doc;
    std::string error;
    EXPECT_TRUE(ReadOdt(bytes, doc, &error)) << Cp1251ToUtf8(error);
    return doc;
}

TEST(Odt, AutomaticAndNamedStylesSpacesAndSpans) {
    const FlowDocument doc = ReadOdtOk(Odt(
        "<text:p text:style-name=\"P1\">ЗАКОН</text:p>"
        "<text:p text:style-name=\"P2\">Раз<text:s text:c=\"3\"/>два<text:tab/>три"
        "<text:line-break/>четыре <text:span text:style-name=\"T1\">1</text:span>"
        "<text:note><text:note-body><text:p>сноска</text:p></text:note-body></text:note>"
        "</text:p>"
        "<text:list><text:list-item><text:p text:style-name=\"Body\">пункт</text:p>"
        "</text:list-item></text:list>",
        "<style:style style:name=\"P1\" style:family=\"paragraph\" "
        "style:parent-style-name=\"Heading\"/>"
        "<style:style style:name=\"P2\" style:family=\"paragraph\" "
        "style:parent-style-name=\"Body\"><style:paragraph-properties "
        "fo:margin-left=\"1cm\"/></style:style>"
        "<style:style style:name=\"T1\" style:family=\"text\"><style:text-properties "
        "style:text-position=\"super 58%\"/></style:style>",
        "<style:style style:name=\"Heading\" "
        "style:family=\"paragraph\"><style:paragraph-properties "
        "fo:text-align=\"center\"/><style:text-properties fo:font-weight=\"bold\"/></style:style>"
        "<style:style style:name=\"Body\" style:family=\"paragraph\"><style:paragraph-properties "
        "fo:text-align=\"justify\" fo:text-indent=\"1.25cm\"/></style:style>"));
    ASSERT_EQ(doc.blocks.size(), 3u);
    EXPECT_EQ(P(doc, 0).align, FlowAlign::Centre);
    EXPECT_TRUE(P(doc, 0).bold);
    EXPECT_EQ(P(doc, 1).align, FlowAlign::Justify);
    EXPECT_NEAR(P(doc, 1).firstIndentPt, 35.43, 0.01);
    EXPECT_NEAR(P(doc, 1).leftIndentPt, 28.35, 0.01);
    EXPECT_EQ(Cp1251ToUtf8(P(doc, 1).text), "Раз   два\tтри\nчетыре 1");
    EXPECT_EQ(Cp1251ToUtf8(P(doc, 2).text), "пункт");
}

TEST(Odt, TablesWithColumnsSpansCoveredCellsAndBorders) {
    const FlowDocument doc = ReadOdtOk(
        Odt("<table:table><table:table-column table:style-name=\"C1\"/>"
            "<table:table-column table:style-name=\"C2\" table:number-columns-repeated=\"2\"/>"
            "<table:table-row><table:table-cell table:style-name=\"B\" "
            "table:number-columns-spanned=\"2\"><text:p>Шапка</text:p></table:table-cell>"
            "<table:covered-table-cell/><table:table-cell><text:p>в</text:p></table:table-cell>"
            "</table:table-row><table:table-row table:number-rows-repeated=\"2\"><table:table-cell>"
            "<text:p>а</text:p></table:table-cell></table:table-row></table:table>",
            "<style:style style:name=\"C1\" style:family=\"table-column\"><style:table-column-"
            "properties style:column-width=\"2cm\"/></style:style><style:style style:name=\"C2\" "
            "style:family=\"table-column\"><style:table-column-properties "
            "style:column-width=\"4cm\"/></style:style><style:style style:name=\"B\" "
            "style:family=\"table-cell\"><style:table-cell-properties fo:border=\"0.5pt solid "
            "#000000\"/></style:style>"));
    ASSERT_EQ(doc.blocks.size(), 1u);
    const FlowTable& t = doc.blocks[0].table;
    EXPECT_TRUE(t.bordered);
    ASSERT_EQ(t.columnWidths.size(), 3u);
    EXPECT_NEAR(t.columnWidths[1] / t.columnWidths[0], 2.0, 1e-9);
    EXPECT_EQ(t.rows, 3);
    ASSERT_EQ(t.cells.size(), 4u);
    EXPECT_EQ(t.cells[0].columnSpan, 2);
    EXPECT_EQ(t.cells[1].column, 2);
    EXPECT_EQ(t.cells[3].row, 2);
}

struct BadCase {
    const char* name;
    std::string bytes;
    const char* error; // UTF-8
};

std::vector<BadCase> BadContainers() {
    const std::string good = Docx("<w:p><w:r><w:t>x</w:t></w:r></w:p>");
    std::vector<std::pair<std::string, std::string>> many;
    for (std::size_t i = 0; i <= FormatLimits::kMaxZipEntries; ++i)
        many.push_back({"p" + std::to_string(i), ""});
    return {
        {"not_a_zip", "PK\x03\x04 broken", "архив повреждён"},
        {"truncated_zip", good.substr(0, good.size() / 2), "архив повреждён"},
        {"too_many_entries", MakeZip(many), "в архиве слишком много частей"},
        {"no_document_part", MakeZip({{"word/other.xml", "<a/>"}}),
         "в архиве нет части word/document.xml"},
        {"external_entity",
         MakeZip(
             {{"word/document.xml",
               std::string("<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY e SYSTEM "
                           "\"file:///etc/passwd\">]><w:document ") +
                   kW + "><w:body><w:p><w:r><w:t>&e;</w:t></w:r></w:p></w:body></w:document>"}}),
         "документ объявляет DTD или сущности; такие файлы не открываются"},
        {"entity_expansion",
         MakeZip({{"word/document.xml",
                   "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
                   "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><d>&b;</d>"}}),
         "документ объявляет DTD или сущности; такие файлы не открываются"},
        {"not_xml", MakeZip({{"word/document.xml", "<w:document><unclosed"}}),
         "часть документа не разбирается как XML"},
        {"no_body", MakeZip({{"word/document.xml", std::string("<w:document ") + kW + "/>"}}),
         "в документе нет текста (w:body)"},
    };
}

TEST(DocxBadInput, EachGivesItsMessageAndNoContent) {
    for (const BadCase& c : BadContainers()) {
        FlowDocument doc;
        doc.Add(FlowParagraph());
        std::string error;
        EXPECT_FALSE(ReadDocx(c.bytes, doc, &error)) << c.name;
        EXPECT_EQ(Cp1251ToUtf8(error), c.error) << c.name;
        EXPECT_TRUE(doc.blocks.empty()) << c.name;
    }
}

TEST(ZipBadInput, PartsThatUnpackBeyondTheLimitsAreRefused) {
    const std::string zeros(100000, '\0');
    const std::string bytes = MakeZip({{"a", zeros}, {"b", zeros}});
    ASSERT_LT(bytes.size(), 2000u) << "a small file that unpacks a hundredfold";
    {
        CZipArchive zip(50000, 1000000);
        ASSERT_TRUE(zip.Open(bytes, nullptr));
        std::string out, error;
        EXPECT_FALSE(zip.Read("a", out, &error));
        EXPECT_EQ(error, "часть архива распаковывается в слишком большой объём"_cp);
        EXPECT_TRUE(out.empty());
    }
    {
        CZipArchive zip(150000, 150000); // each part fits, both together do not
        ASSERT_TRUE(zip.Open(bytes, nullptr));
        std::string out;
        EXPECT_TRUE(zip.Read("a", out, nullptr));
        EXPECT_EQ(out.size(), zeros.size());
        EXPECT_FALSE(zip.Read("b", out, nullptr));
    }
}

TEST(ZipBadInput, EncryptedPartsAreRefused) {
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* src = zip_source_buffer_create(nullptr, 0, 0, &ze);
    zip_t* z = zip_open_from_source(src, ZIP_TRUNCATE, &ze);
    zip_source_keep(src);
    const std::string body = std::string("<w:document ") + kW + "><w:body/></w:document>";
    const zip_int64_t i =
        zip_file_add(z, "word/document.xml", zip_source_buffer(z, body.data(), body.size(), 0), 0);
    const bool canEncrypt =
        zip_file_set_encryption(z, static_cast<zip_uint64_t>(i), ZIP_EM_AES_256, "secret") == 0;
    zip_close(z);
    std::string bytes;
    if (zip_source_open(src) == 0) {
        char buf[4096];
        zip_int64_t n;
        while ((n = zip_source_read(src, buf, sizeof buf)) > 0)
            bytes.append(buf, static_cast<std::size_t>(n));
        zip_source_close(src);
    }
    zip_source_free(src);
    zip_error_fini(&ze);
    if (!canEncrypt)
        GTEST_SKIP() << "this libzip cannot write encrypted entries";
    FlowDocument doc;
    std::string error;
    EXPECT_FALSE(ReadDocx(bytes, doc, &error));
    EXPECT_EQ(error, "документ зашифрован"_cp);
}

TEST(ZipBadInput, HugeTablesAreRefused) {
    std::string rows;
    for (int r = 0; r <= FormatLimits::kMaxTableRows; ++r)
        rows += "<w:tr><w:tc><w:p/></w:tc></w:tr>";
    FlowDocument doc;
    std::string error;
    EXPECT_FALSE(ReadDocx(Docx("<w:tbl>" + rows + "</w:tbl>"), doc, &error));
    EXPECT_EQ(error, "таблица документа слишком велика"_cp);

    EXPECT_FALSE(ReadOdt(Odt("<table:table><table:table-row table:number-rows-repeated="
                             "\"100000000\"><table:table-cell/></table:table-row></table:table>",
                             ""),
                         doc, &error));
    EXPECT_EQ(error, "таблица документа слишком велика"_cp);
    EXPECT_FALSE(ReadOdt(Odt("<table:table><table:table-column table:number-columns-repeated="
                             "\"100000000\"/></table:table>",
                             ""),
                         doc, &error));
}

TEST(OdtBadInput, DamagedAndIncompleteFiles) {
    FlowDocument doc;
    std::string error;
    EXPECT_FALSE(ReadOdt("PK\x03\x04", doc, &error));
    EXPECT_FALSE(
        ReadOdt(MakeZip({{"mimetype", "application/vnd.oasis.opendocument.text"}}), doc, &error));
    EXPECT_EQ(Cp1251ToUtf8(error), "в архиве нет части content.xml");
    EXPECT_FALSE(ReadOdt(MakeZip({{"content.xml", "<office:document-content/>"}}), doc, &error));
    EXPECT_EQ(Cp1251ToUtf8(error), "в документе нет текста (office:text)");
}

} // namespace
} // namespace norvak

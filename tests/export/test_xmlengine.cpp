#include <gtest/gtest.h>

#include <filesystem>

#include "export/xmlengine.h"
#include "storage/codepage.h"
#include "storage/errors.h"
#include "storage/fileloader.h"
#include "tempdir.h"

namespace zorv {
namespace {

std::string Cp1251(const std::string& utf8) {
    return Utf8ToCp1251(utf8).text;
}

const std::string kSkeleton = Cp1251("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Файл/>");

TEST(XmlEngine, BuildsTreeWithAttributesInOrderAndWritesDeclaredEncoding) {
    XmlDocument doc;
    doc.LoadFromText(kSkeleton);
    XmlElement root = doc.Root();
    root.SetAttribute("Я", "1");
    root.SetAttribute("Б", "2");
    root.SetAttribute("А", "3");
    root.SetAttribute("Б", "два");  // replaced in place, keeps its position
    XmlElement child = doc.CreateElement("Документ");
    root.AppendChild(child);
    child.SetAttribute("Текст", "a&b <c> \"d\" 'e'");
    root.AppendChild(doc.CreateElement("Второй"));

    EXPECT_EQ(doc.Serialise(),
              Cp1251("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                     "<Файл Я=\"1\" Б=\"два\" А=\"3\"><Документ Текст=\"a&amp;b &lt;c&gt; "
                     "&quot;d&quot; 'e'\"/><Второй/></Файл>\n"));
}

TEST(XmlEngine, BadTextIsRefusedAndLeavesTheDocumentAsItWas) {
    XmlDocument doc;
    EXPECT_TRUE(doc.Root().IsNull());
    EXPECT_THROW(doc.CreateElement("A"), XmlError);
    doc.LoadFromText("<a x=\"1\"/>");
    EXPECT_THROW(doc.LoadFromText("<a><b></a>"), XmlError);
    EXPECT_THROW(doc.LoadFromText(""), XmlError);
    EXPECT_EQ(doc.Serialise(), "<?xml version=\"1.0\"?>\n<a x=\"1\"/>\n");
}

TEST(XmlEngine, ElementsLeftOutOfTheTreeAreNotWritten) {
    XmlDocument doc;
    doc.LoadFromText("<a/>");
    XmlElement kept = doc.CreateElement("kept");
    XmlElement dropped = doc.CreateElement("dropped");
    dropped.AppendChild(doc.CreateElement("inner"));
    doc.Root().AppendChild(kept);
    EXPECT_FALSE(dropped.IsNull());
    EXPECT_TRUE(doc.Root().HasChildren());
    EXPECT_FALSE(kept.HasChildren());
    EXPECT_EQ(doc.Serialise(), "<?xml version=\"1.0\"?>\n<a><kept/></a>\n");
}

long FailingWrite(int, const void*, size_t) {
    return -1;
}

TEST(XmlEngine, SaveReplacesTheFileWholeOrNotAtAll) {
    testing::TempDir dir;
    const std::string path = dir.File("out.xml");
    XmlDocument doc;
    doc.LoadFromText(kSkeleton);
    doc.SaveToFile(path);
    std::vector<uint8_t> saved = testing::ReadBytes(path);
    EXPECT_EQ(std::string(saved.begin(), saved.end()), doc.Serialise());

    doc.Root().SetAttribute("Новый", "1");
    SetWriteFunctionForTesting(FailingWrite);
    EXPECT_THROW(doc.SaveToFile(path), mEBadStorage);
    SetWriteFunctionForTesting(nullptr);
    std::vector<uint8_t> kept = testing::ReadBytes(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()),
              Cp1251("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<Файл/>\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace zorv

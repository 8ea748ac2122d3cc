#pragma once

// Shared helpers of the export tests: declarations from JSON text, an export
// with a fixed date and GUID, and a parsed view of the result for queries by path.

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <optional>
#include <string>
#include <vector>

#include "export/exportxml.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/daynumber.h"

namespace zorv::testing {

inline constexpr const char* kGuid = "0F8FAD5B-D9CB-469F-A165-70867728950E";

inline double Day(int y, int m, int d) {
    return DayNumber(y, m, d);
}

// A declaration from its JSON form; keys left out keep their defaults.
inline mTDeclaration FromJson(const std::string& json) {
    mTDeclaration d;
    DeclarationFromJson(Json::parse(json), d);
    return d;
}

struct Exported {
    std::string text;  // the result of ExportXml
    std::vector<ExportMessage> messages;
};

// Mode 2 (the document's bytes) dated 15.03.2009 with the fixed GUID.
inline Exported ExportText(mTDeclaration& d, int mode = 2, const std::string& folder = {}) {
    Exported result;
    ExportOptions options;
    options.today = Day(2009, 3, 15);
    options.guid = kGuid;
    options.report = [&](const ExportMessage& m) { result.messages.push_back(m); };
    result.text = ExportXml(folder, d, mode, options);
    return result;
}

// The exported document parsed back; queries are paths of element names.
class XmlView {
  public:
    explicit XmlView(const std::string& bytes) {
        doc_ = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                             XML_PARSE_NONET);
    }
    explicit XmlView(mTDeclaration& d) : XmlView(ExportedBytes(d)) {}
    ~XmlView() {
        if (doc_ != nullptr) xmlFreeDoc(doc_);
    }
    XmlView(const XmlView&) = delete;
    XmlView& operator=(const XmlView&) = delete;

    bool Parsed() const { return doc_ != nullptr; }

    size_t Count(const std::string& path) const {
        std::vector<xmlNode*> nodes = Nodes(path);
        return nodes.size();
    }

    // The attribute of the single element at path; nothing when the element or
    // the attribute is missing.
    std::optional<std::string> Attr(const std::string& path, const std::string& name) const {
        std::vector<xmlNode*> nodes = Nodes(path);
        if (nodes.size() != 1) {
            ADD_FAILURE() << path << " matches " << nodes.size() << " elements";
            return std::nullopt;
        }
        xmlChar* value = xmlGetProp(nodes[0], reinterpret_cast<const xmlChar*>(name.c_str()));
        if (value == nullptr) return std::nullopt;
        std::string text(reinterpret_cast<const char*>(value));
        xmlFree(value);
        return text;
    }

    // The attribute names of the single element at path, in document order.
    std::vector<std::string> AttrNames(const std::string& path) const {
        std::vector<std::string> names;
        std::vector<xmlNode*> nodes = Nodes(path);
        if (nodes.size() != 1) {
            ADD_FAILURE() << path << " matches " << nodes.size() << " elements";
            return names;
        }
        for (xmlAttr* a = nodes[0]->properties; a != nullptr; a = a->next) {
            names.emplace_back(reinterpret_cast<const char*>(a->name));
        }
        return names;
    }

    // The names of the children of the single element at path, in order.
    std::vector<std::string> Children(const std::string& path) const {
        std::vector<std::string> names;
        std::vector<xmlNode*> nodes = Nodes(path);
        if (nodes.size() != 1) {
            ADD_FAILURE() << path << " matches " << nodes.size() << " elements";
            return names;
        }
        for (xmlNode* c = nodes[0]->children; c != nullptr; c = c->next) {
            names.emplace_back(reinterpret_cast<const char*>(c->name));
        }
        return names;
    }

    // The values of one attribute over every element at path.
    std::vector<std::string> AttrOfAll(const std::string& path, const std::string& name) const {
        std::vector<std::string> values;
        for (xmlNode* node : Nodes(path)) {
            xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name.c_str()));
            values.emplace_back(value ? reinterpret_cast<const char*>(value) : "<none>");
            if (value != nullptr) xmlFree(value);
        }
        return values;
    }

    // An indented UTF-8 rendering of the whole document, for comparing files.
    std::string Pretty() const {
        xmlChar* memory = nullptr;
        int size = 0;
        xmlDocDumpFormatMemoryEnc(doc_, &memory, &size, "UTF-8", 1);
        std::string text(reinterpret_cast<const char*>(memory), static_cast<size_t>(size));
        xmlFree(memory);
        return text;
    }

  private:
    static std::string ExportedBytes(mTDeclaration& d) {
        Exported e = ExportText(d);
        EXPECT_TRUE(e.messages.empty()) << e.messages.front().text;
        return e.text;
    }

    // A path of element names from the root, "/a/b[2]/*": every element that
    // matches, in document order; "[n]" picks the n-th of that name under each
    // parent. Kept simple, since XPath of libxml2 trips over some Cyrillic names.
    std::vector<xmlNode*> Nodes(const std::string& path) const {
        std::vector<xmlNode*> current;
        if (doc_ == nullptr || path.empty() || path[0] != '/') {
            ADD_FAILURE() << "bad path " << path;
            return current;
        }
        size_t pos = 1;
        bool first = true;
        while (pos <= path.size()) {
            size_t slash = path.find('/', pos);
            std::string step =
                path.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
            pos = slash == std::string::npos ? path.size() + 1 : slash + 1;
            int index = 0;
            size_t bracket = step.find('[');
            if (bracket != std::string::npos) {
                index = std::stoi(step.substr(bracket + 1));
                step.resize(bracket);
            }
            std::vector<xmlNode*> next;
            auto take = [&](xmlNode* first) {
                int seen = 0;
                for (xmlNode* n = first; n != nullptr; n = n->next) {
                    if (n->type != XML_ELEMENT_NODE) continue;
                    if (step != "*" && step != reinterpret_cast<const char*>(n->name)) continue;
                    ++seen;
                    if (index == 0 || seen == index) next.push_back(n);
                }
            };
            if (first) {
                take(xmlDocGetRootElement(doc_));
                first = false;
            } else {
                for (xmlNode* parent : current) take(parent->children);
            }
            current = std::move(next);
        }
        return current;
    }

    xmlDoc* doc_ = nullptr;
};

// Paths used throughout.
inline const std::string kDoc = "/Файл/Документ";
inline const std::string kPayer = kDoc + "/СвНП/НПФЛ3";
inline const std::string kTotals = kDoc + "/НДФЛ3/ИтогУплВозв";
inline const std::string kDetails = kTotals + "/СведДохВыч";

}  // namespace zorv::testing

#include "export/xmlengine.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <limits>
#include <memory>

#include "storage/fileloader.h"

namespace zorv {
namespace {

const xmlChar* Xml(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

std::string TrimmedMessage(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

struct ParserContextDeleter {
    void operator()(xmlParserCtxt* ctxt) const { xmlFreeParserCtxt(ctxt); }
};

}  // namespace

void XmlElement::SetAttribute(std::string_view name, std::string_view value) {
    if (node_ == nullptr) throw XmlError("Атрибут задаётся пустому элементу");
    std::string n(name);
    std::string v(value);
    if (xmlSetProp(node_, Xml(n), Xml(v)) == nullptr) {
        throw XmlError("Не удалось задать атрибут " + n);
    }
}

void XmlElement::AppendChild(XmlElement child) {
    if (node_ == nullptr || child.node_ == nullptr) throw XmlError("Пустой элемент в дереве");
    if (xmlAddChild(node_, child.node_) == nullptr) throw XmlError("Не удалось добавить элемент");
}

bool XmlElement::HasChildren() const {
    return node_ != nullptr && node_->children != nullptr;
}

XmlDocument::~XmlDocument() {
    Release();
}

void XmlDocument::Release() {
    // Elements never appended are freed with everything under them; those are
    // picked first, as freeing one frees elements further on in the list.
    std::vector<xmlNode*> detached;
    for (xmlNode* node : created_) {
        if (node->parent == nullptr) detached.push_back(node);
    }
    for (xmlNode* node : detached) xmlFreeNode(node);
    created_.clear();
    if (doc_ != nullptr) xmlFreeDoc(doc_);
    doc_ = nullptr;
}

void XmlDocument::LoadFromText(std::string_view text) {
    xmlInitParser();
    if (text.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
        throw XmlError("Текст XML слишком велик");
    }
    std::unique_ptr<xmlParserCtxt, ParserContextDeleter> ctxt(xmlNewParserCtxt());
    if (!ctxt) throw XmlError("Недостаточно памяти для разбора XML");
    xmlDoc* doc =
        xmlCtxtReadMemory(ctxt.get(), text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                          XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (doc == nullptr || xmlDocGetRootElement(doc) == nullptr) {
        const xmlError* error = xmlCtxtGetLastError(ctxt.get());
        std::string reason = error ? TrimmedMessage(error->message) : "документ пуст";
        if (doc != nullptr) xmlFreeDoc(doc);
        throw XmlError("Ошибка разбора XML: " + reason);
    }
    Release();
    doc_ = doc;
}

XmlElement XmlDocument::Root() const {
    return XmlElement(doc_ ? xmlDocGetRootElement(doc_) : nullptr);
}

XmlElement XmlDocument::CreateElement(std::string_view name) {
    if (doc_ == nullptr) throw XmlError("Документ XML не загружен");
    std::string n(name);
    xmlNode* node = xmlNewDocNode(doc_, nullptr, Xml(n), nullptr);
    if (node == nullptr) throw XmlError("Не удалось создать элемент " + n);
    created_.push_back(node);
    return XmlElement(node);
}

std::string XmlDocument::Serialise() const {
    if (doc_ == nullptr) throw XmlError("Документ XML не загружен");
    // Without a declared encoding the document is written in UTF-8.
    const char* encoding = reinterpret_cast<const char*>(doc_->encoding);
    xmlChar* memory = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(doc_, &memory, &size, encoding);
    if (memory == nullptr || size <= 0) {
        if (memory != nullptr) xmlFree(memory);
        throw XmlError(std::string("Не удалось записать документ XML в кодировке ") +
                       (encoding ? encoding : "UTF-8"));
    }
    std::string text(reinterpret_cast<const char*>(memory), static_cast<size_t>(size));
    xmlFree(memory);
    return text;
}

void XmlDocument::SaveToFile(const std::string& path) const {
    std::string text = Serialise();
    WriteFileAtomically(path, text.data(), text.size());
}

}  // namespace zorv

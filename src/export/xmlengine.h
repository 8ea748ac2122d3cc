#pragma once

// The small part of an XML DOM that the export needs, over libxml2: load a
// document from text, create elements, set attributes, append children, save to
// a file and serialise. Names and values are UTF-8; the file and the serialised
// text are in the encoding the loaded text declares.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace zorv {

// A failure of the XML engine (bad text, no memory, an encoding it cannot write).
class XmlError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An element of an XmlDocument; valid while its document lives.
class XmlElement {
  public:
    XmlElement() = default;
    explicit XmlElement(_xmlNode* node) : node_(node) {}

    bool IsNull() const { return node_ == nullptr; }
    _xmlNode* Node() const { return node_; }

    // Sets the attribute; a new attribute goes after those already set.
    void SetAttribute(std::string_view name, std::string_view value);
    // Appends child as the last child of this element.
    void AppendChild(XmlElement child);
    bool HasChildren() const;

  private:
    _xmlNode* node_ = nullptr;
};

class XmlDocument {
  public:
    XmlDocument() = default;
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Replaces the document by the one parsed from text (bytes in the encoding
    // its XML declaration names). Throws XmlError with the parser's reason.
    void LoadFromText(std::string_view text);

    // The document element; null before a successful load.
    XmlElement Root() const;

    // A new element owned by the document, not yet in the tree.
    XmlElement CreateElement(std::string_view name);

    // The whole document in its declared encoding, with its XML declaration.
    std::string Serialise() const;

    // Writes Serialise() to path through a temporary file and a rename, so a
    // failed save leaves no partial file under the name.
    void SaveToFile(const std::string& path) const;

  private:
    void Release();

    _xmlDoc* doc_ = nullptr;
    std::vector<_xmlNode*> created_;  // freed at the end unless they joined the tree
};

}  // namespace zorv

#pragma once

#include <map>
#include <string>

class TiXmlDocument;
class TiXmlElement;

namespace orvalis::media {

// Attribute name -> value, applied in ascending name order.
using AttributeMap = std::map<std::string, std::string>;

// One XML document read and written by TinyXML, with the few edits the authoring step
// makes to its template.
class XmlFile {
public:
    explicit XmlFile(std::string fileName);
    ~XmlFile();
    XmlFile(const XmlFile&) = delete;
    XmlFile& operator=(const XmlFile&) = delete;

    // Parses the named file. A missing or malformed file leaves the document empty.
    void Load();
    // The first element of that name (case-sensitive) in depth-first pre-order from the
    // root element; nullptr when there is none.
    TiXmlElement* FindElement(const std::string& name) const;
    // Replaces, on the first element of that name, the values of the attributes it already
    // has whose names are keys of the map; adds none. False when there is no such element.
    bool SetElementAttributes(const std::string& elementName, const AttributeMap& attributes);
    // Appends a new element with every attribute of the map as the last child of the first
    // element named parentName. False when there is no such element.
    bool AppendChildElement(const std::string& parentName, const std::string& childName,
                            const AttributeMap& attributes);
    // Writes the document in TinyXML's own layout. True when it was written.
    bool Save(const std::string& fileName) const;

    const std::string& fileName() const { return fileName_; }

private:
    std::string fileName_;
    TiXmlDocument* document_;
};

}  // namespace orvalis::media

#include "media/XmlFile.h"

#include <tinyxml.h>

namespace orvalis::media {
namespace {

TiXmlElement* FindBelow(TiXmlElement* element, const std::string& name) {
    if (!element) return nullptr;
    if (element->ValueStr() == name) return element;
    for (TiXmlElement* child = element->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        if (TiXmlElement* found = FindBelow(child, name)) return found;
    }
    return nullptr;
}

}  // namespace

XmlFile::XmlFile(std::string fileName)
    : fileName_(std::move(fileName)), document_(new TiXmlDocument(fileName_)) {}

XmlFile::~XmlFile() { delete document_; }

void XmlFile::Load() {
    if (!document_->LoadFile(TIXML_DEFAULT_ENCODING)) document_->Clear();
}

TiXmlElement* XmlFile::FindElement(const std::string& name) const {
    return FindBelow(document_->RootElement(), name);
}

bool XmlFile::SetElementAttributes(const std::string& elementName, const AttributeMap& attributes) {
    TiXmlElement* element = FindElement(elementName);
    if (!element) return false;
    for (TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next()) {
        if (auto it = attributes.find(a->NameTStr()); it != attributes.end()) {
            a->SetValue(it->second);
        }
    }
    return true;
}

bool XmlFile::AppendChildElement(const std::string& parentName, const std::string& childName,
                                 const AttributeMap& attributes) {
    TiXmlElement* parent = FindElement(parentName);
    if (!parent) return false;
    auto* child = new TiXmlElement(childName);
    for (const auto& [name, value] : attributes) child->SetAttribute(name, value);
    parent->LinkEndChild(child);
    return true;
}

bool XmlFile::Save(const std::string& fileName) const { return document_->SaveFile(fileName); }

}  // namespace orvalis::media

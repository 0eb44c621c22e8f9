#include "IrrXMLReader.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <pugixml.hpp>
#include <string>

#include "platform/files.h"

namespace {

// pugixml parses the whole document; this walks its tree in document order, visiting each element
// with children a second time as its end.
class TreeReader final : public IrrXMLReader {
 public:
  explicit TreeReader(const std::string& text) {
    const unsigned options = pugi::parse_default | pugi::parse_comments | pugi::parse_pi |
                             pugi::parse_declaration | pugi::parse_doctype;
    if (!document_.load_buffer(text.data(), text.size(), options)) {
      document_.reset();
      platform::NoteLoadFailure("not well-formed XML");
    }
  }

  bool read() override {
    if (!started_) {
      started_ = true;
      node_ = document_.first_child();
      return node_;
    }
    if (!node_) return false;
    if (!leaving_ && node_.type() == pugi::node_element && node_.first_child()) {
      node_ = node_.first_child();
    } else if (node_.next_sibling()) {
      node_ = node_.next_sibling();
      leaving_ = false;
    } else {
      node_ = node_.parent();
      leaving_ = true;
      if (node_.type() == pugi::node_document) node_ = pugi::xml_node();
    }
    return node_;
  }

  XmlNodeType getNodeType() const override {
    switch (node_.type()) {
      case pugi::node_null:
      case pugi::node_document:
        return kXmlNodeNone;
      case pugi::node_element:
        return leaving_ ? kXmlNodeElementEnd : kXmlNodeElement;
      case pugi::node_pcdata:
        return kXmlNodeText;
      case pugi::node_comment:
        return kXmlNodeComment;
      case pugi::node_cdata:
        return kXmlNodeCdata;
      default:
        return kXmlNodeUnknown;
    }
  }

  const char* getNodeName() const override {
    return node_.type() == pugi::node_element ? node_.name() : "";
  }

  const char* getNodeData() const override {
    switch (node_.type()) {
      case pugi::node_pcdata:
      case pugi::node_comment:
      case pugi::node_cdata:
        return node_.value();
      default:
        return "";
    }
  }

  const char* getAttributeValue(const char* name) const override {
    if (name == nullptr || getNodeType() != kXmlNodeElement) return nullptr;
    pugi::xml_attribute attribute = node_.attribute(name);
    return attribute ? attribute.value() : nullptr;
  }

  int getAttributeValueAsInt(const char* name) const override {
    return XmlTextToInt(getAttributeValue(name));
  }

 private:
  pugi::xml_document document_;
  pugi::xml_node node_;
  bool started_ = false;
  bool leaving_ = false;  // node_ is an element being left, after its content
};

}  // namespace

IrrXMLReader* createIrrXMLReader(const char* fileName) {
  if (fileName == nullptr) return nullptr;
  std::string text;
  if (const char* reason = platform::ReadRegularFile(fileName, kMaxXmlFileBytes, &text)) {
    platform::NoteLoadFailure(reason);
    return nullptr;
  }
  return new TreeReader(text);
}

int XmlTextToInt(const char* text) {
  if (text == nullptr) return 0;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  // The magnitude is gathered in 64 bits and held at the limit, so that no digit string overflows.
  const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
  int64_t magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    magnitude = std::min(magnitude * 10 + (*text - '0'), limit);
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

// A pull reader for XML files: read() steps through the nodes in document order and the getters
// describe the node it stands on. The level loader reads its files through this interface.
#pragma once

#include <cstddef>

enum XmlNodeType {
  kXmlNodeNone = 0,        // before the first read()
  kXmlNodeElement = 1,     // an opening or empty element; its attributes can be read
  kXmlNodeElementEnd = 2,  // the end of an element that has content
  kXmlNodeText = 3,
  kXmlNodeComment = 4,
  kXmlNodeCdata = 5,
  kXmlNodeUnknown = 6,  // declarations, document types, processing instructions
};

class IrrXMLReader {
 public:
  virtual ~IrrXMLReader() = default;

  // Moves to the next node; false at the end of the document.
  virtual bool read() = 0;
  virtual XmlNodeType getNodeType() const = 0;
  // The element's name for elements and element ends, otherwise "".
  virtual const char* getNodeName() const = 0;
  // The text of text, comment and CDATA nodes, otherwise "".
  virtual const char* getNodeData() const = 0;
  // The value of the element's first attribute of that name, or null when it has none.
  virtual const char* getAttributeValue(const char* name) const = 0;
  // That value as an integer (XmlTextToInt); 0 when the attribute is missing.
  virtual int getAttributeValueAsInt(const char* name) const = 0;
};

// Reads the whole file (path in Windows or native form). Null when the file cannot be read, is
// empty or is larger than kMaxXmlFileBytes; a file that is not well-formed XML gives a reader with
// no nodes. Either failure is noted as a load failure.
IrrXMLReader* createIrrXMLReader(const char* fileName);

constexpr size_t kMaxXmlFileBytes = 16L * 1024 * 1024;

// The integer at the start of the text: an optional sign, then decimal digits up to the first other
// character; no leading spaces; saturates at the limits of int; 0 for null or no digits.
int XmlTextToInt(const char* text);

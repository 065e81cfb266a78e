// The checks on the XML writer's element names: the check made when the user edits a name in
// the element tree, and the full XML name check made before a document is written.
#pragma once

#include <array>
#include <optional>

#include <QString>

#include "core/messages/Message.h"
#include "core/settings/Settings.h"

namespace vek {

enum class ElementNameVerdict {
  Accepted,
  RefusedSilently,     // the empty name
  RefusedWithMessage,  // one of the forbidden characters; the message says which name
};

struct ElementNameCheck {
  ElementNameVerdict verdict = ElementNameVerdict::Accepted;
  std::optional<Message> message;  // set for RefusedWithMessage
};

// The check of an edited name: empty → refused silently; any of > < ! / # $ % & ' ( ) = ~ | \ *
// → refused with the "不正な文字列" warning; anything else is accepted here (a space or a leading
// digit is only caught when the document is written).
ElementNameCheck checkElementName(const QString& name);

// True when name is an XML 1.0 Name (fifth edition character classes) without a colon: a
// prefix with no namespace declaration makes the document unreadable for namespace-aware
// readers, so a colon is refused as well.
bool isXmlElementName(QStringView name);

// The eleven names in document order (root, file, fullpath, path, name, type, size, date
// group, make, access, update).
std::array<const QString*, 11> elementNameList(const ElementNames& names);

}  // namespace vek

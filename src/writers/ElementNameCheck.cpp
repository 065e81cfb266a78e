#include "writers/ElementNameCheck.h"

#include <QCoreApplication>

namespace vek {

namespace {

bool isNameStartChar(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == U'_' ||
         (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
         (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
         (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
         (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0xEFFFF);
}

bool isNameChar(char32_t c) {
  return isNameStartChar(c) || c == U'-' || c == U'.' || (c >= U'0' && c <= U'9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

}  // namespace

ElementNameCheck checkElementName(const QString& name) {
  if (name.isEmpty()) return {ElementNameVerdict::RefusedSilently, std::nullopt};
  static const QString forbidden = QStringLiteral("><!/#$%&'()=~|\\*");
  for (QChar c : name) {
    if (forbidden.contains(c)) {
      Message message{QCoreApplication::translate("ElementNameCheck", "設定エラー"),
                      QCoreApplication::translate("ElementNameCheck",
                                                  "不正な文字列「%1」が要素名に設定されました。")
                          .arg(name),
                      MessageIcon::Warning};
      return {ElementNameVerdict::RefusedWithMessage, message};
    }
  }
  return {ElementNameVerdict::Accepted, std::nullopt};
}

bool isXmlElementName(QStringView name) {
  if (name.isEmpty()) return false;
  bool first = true;
  for (qsizetype i = 0; i < name.size(); ++i) {
    char32_t c = name[i].unicode();
    if (QChar::isHighSurrogate(c)) {
      if (i + 1 >= name.size() || !name[i + 1].isLowSurrogate()) return false;
      c = QChar::surrogateToUcs4(name[i], name[i + 1]);
      ++i;
    } else if (QChar::isLowSurrogate(c)) {
      return false;
    }
    if (first ? !isNameStartChar(c) : !isNameChar(c)) return false;
    first = false;
  }
  return true;
}

std::array<const QString*, 11> elementNameList(const ElementNames& names) {
  return {&names.root,     &names.fileInfo,   &names.fileFullPath, &names.filePath,
          &names.fileName, &names.fileType,   &names.fileSize,     &names.fileDate,
          &names.makeDate, &names.accessDate, &names.updateDate};
}

}  // namespace vek

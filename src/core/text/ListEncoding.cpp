#include "core/text/ListEncoding.h"

#include <array>

#include <QCoreApplication>

#include "core/text/NarrowText.h"

namespace vek {

namespace {

struct Keyword {
  ListEncoding encoding;
  const char16_t* text;
};

constexpr std::array<Keyword, 4> kKeywords = {{{ListEncoding::System, u"SYSTEM"},
                                               {ListEncoding::Utf8, u"UTF8"},
                                               {ListEncoding::Utf8WithMark, u"UTF8BOM"},
                                               {ListEncoding::Cp932, u"CP932"}}};

}  // namespace

TextCodec listCodec(ListEncoding encoding) {
  switch (encoding) {
    case ListEncoding::System:
      return TextCodec::system();
    case ListEncoding::Utf8:
    case ListEncoding::Utf8WithMark:
      return TextCodec(QByteArrayLiteral("UTF-8"));
    case ListEncoding::Cp932:
      return TextCodec(QByteArrayLiteral("CP932"));
  }
  return TextCodec::system();
}

QByteArray listByteOrderMark(ListEncoding encoding) {
  return encoding == ListEncoding::Utf8WithMark ? QByteArrayLiteral("\xEF\xBB\xBF") : QByteArray();
}

QString listEncodingName(ListEncoding encoding, EncodingCaption caption) {
  const bool choice = caption == EncodingCaption::Choice;
  switch (encoding) {
    case ListEncoding::Utf8:
      return QStringLiteral("UTF-8");
    case ListEncoding::Utf8WithMark:
      return choice ? QCoreApplication::translate("ListEncoding", "UTF-8（BOM付き）")
                    : QCoreApplication::translate("ListEncoding", "UTF-8 (BOM付き)");
    case ListEncoding::Cp932:
      return choice ? QCoreApplication::translate("ListEncoding", "Shift_JIS（CP932）")
                    : QStringLiteral("Shift_JIS (CP932)");
    case ListEncoding::System:
      break;
  }
  const QByteArray name = TextCodec::system().name();
  const QString system =
      name == "CP932" ? QStringLiteral("Shift_JIS (CP932)") : QString::fromLatin1(name);
  return choice
             ? QCoreApplication::translate("ListEncoding", "システムの文字コード（%1）").arg(system)
             : system;
}

QString listEncodingKeyword(ListEncoding encoding) {
  for (const Keyword& keyword : kKeywords)
    if (keyword.encoding == encoding) return QString::fromUtf16(keyword.text);
  return QStringLiteral("SYSTEM");
}

std::optional<ListEncoding> listEncodingFromKeyword(const QString& text) {
  const QString wanted = upperNarrow(text);
  for (const Keyword& keyword : kKeywords)
    if (wanted == QStringView(keyword.text)) return keyword.encoding;
  return std::nullopt;
}

}  // namespace vek

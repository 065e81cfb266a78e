// The element-name checks: the edit-time check with its message and the XML name rule used
// before a document is written.
#include <gtest/gtest.h>

#include "writers/ElementNameCheck.h"
#include "writers/XmlListWriter.h"

using namespace vek;

TEST(ElementNameCheck, EditedNames) {
  EXPECT_EQ(checkElementName(QString()).verdict, ElementNameVerdict::RefusedSilently);
  EXPECT_FALSE(checkElementName(QString()).message);

  for (QChar c : QStringLiteral("><!/#$%&'()=~|\\*")) {
    const ElementNameCheck check = checkElementName(u"a" % c % u"b");
    EXPECT_EQ(check.verdict, ElementNameVerdict::RefusedWithMessage) << char(c.unicode());
  }
  const ElementNameCheck amp = checkElementName(QStringLiteral("a&b"));
  ASSERT_TRUE(amp.message);
  EXPECT_EQ(amp.message->text, QStringLiteral("不正な文字列「a&b」が要素名に設定されました。"));
  EXPECT_EQ(amp.message->title, QStringLiteral("設定エラー"));
  EXPECT_EQ(amp.message->icon, MessageIcon::Warning);

  // Caught only when the document is written.
  for (const char16_t* accepted : {u"my file", u"1st", u"a?b", u"a\"b", u"ファイル", u"file"}) {
    const ElementNameCheck check = checkElementName(QString::fromUtf16(accepted));
    EXPECT_EQ(check.verdict, ElementNameVerdict::Accepted);
    EXPECT_FALSE(check.message);
  }
}

TEST(ElementNameCheck, XmlNames) {
  const struct {
    const char16_t* name;
    bool valid;
  } cases[] = {
      {u"root", true},     {u"_x", true},       {u"a-b.c9", true}, {u"ファイル情報", true},
      {u"名前・一", true}, {u"x\u00B7y", true}, {u"𠮷", true},     {u"", false},
      {u"my file", false}, {u"1st", false},     {u"-a", false},    {u".a", false},
      {u"a?b", false},     {u"a\"b", false},    {u"a:b", false},   {u"a\tb", false},
      {u"\u3000a", false}, {u"a\uFFFE", false}, {u"①", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(isXmlElementName(QStringView(c.name)), c.valid)
        << QString::fromUtf16(c.name).toStdString();
  const QChar lone[] = {QChar(u'a'), QChar(0xD800)};
  EXPECT_FALSE(isXmlElementName(QStringView(lone, 2)));
}

TEST(ElementNameCheck, NamesAgainstTheEncoding) {
  ElementNames names;
  EXPECT_FALSE(checkXmlElementNames(names, XmlCharset::Utf8));
  names.fileInfo = QStringLiteral("ファイル");
  for (int code = 0; code < 5; ++code)
    EXPECT_FALSE(checkXmlElementNames(names, XmlCharset(code))) << code;
  // Characters that cannot be written as themselves in the chosen encoding.
  names.fileInfo = QStringLiteral("café");
  EXPECT_FALSE(checkXmlElementNames(names, XmlCharset::Utf8));
  EXPECT_TRUE(checkXmlElementNames(names, XmlCharset::ShiftJis));
  EXPECT_TRUE(checkXmlElementNames(names, XmlCharset::Iso2022Jp));
  names.fileInfo = QStringLiteral("𠮷");
  EXPECT_FALSE(checkXmlElementNames(names, XmlCharset::Utf8));
  EXPECT_TRUE(checkXmlElementNames(names, XmlCharset::Unicode));
  names.fileInfo = QStringLiteral("my file");
  const std::optional<Message> message = checkXmlElementNames(names, XmlCharset::Utf8);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, xmlSaveFailedMessage().text);
}

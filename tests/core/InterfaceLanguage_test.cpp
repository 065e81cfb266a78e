// Which language the interface speaks, from VEK_LANG and the locale variables, and what installing
// it does to the texts.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include "core/list/ListTotals.h"
#include "core/messages/MessageCatalogue.h"
#include "core/settings/InterfaceLanguage.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {

TEST(InterfaceLanguage, VekLangWinsThenTheFirstLocaleVariableSet) {
  constexpr auto ja = InterfaceLanguage::Japanese;
  constexpr auto en = InterfaceLanguage::English;
  const struct {
    const char* vekLang;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    InterfaceLanguage expected;
  } cases[] = {
      {"", "", "", "", ja},  // nothing set: no language chosen, Vek's own
      {"", "", "", "ja_JP.UTF-8", ja},
      {"", "", "", "ja_JP.eucJP", ja},
      {"", "", "", "ja", ja},
      {"", "", "", "ja_JP@euro", ja},
      {"", "", "", "en_US.UTF-8", en},
      {"", "", "", "de_DE.UTF-8", en},
      {"", "", "", "C", ja},  // cron and services: scripts keep the bytes they know
      {"", "", "", "C.UTF-8", ja},
      {"", "", "", "POSIX", ja},
      {"", "", "", "jav_ID", en},                  // Javanese is not Japanese
      {"", "", "ja_JP.UTF-8", "en_US.UTF-8", ja},  // LC_MESSAGES before LANG
      {"", "", "en_GB.UTF-8", "ja_JP.UTF-8", en},
      {"", "en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", en},  // LC_ALL before both
      {"", "ja_JP.UTF-8", "en_US.UTF-8", "C", ja},
      {"en", "ja_JP.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", en},  // VEK_LANG before all
      {"ja", "C", "C", "C", ja},
      {"JA", "", "", "en_US.UTF-8", ja},  // case does not matter
      {"en_US", "", "", "ja_JP.UTF-8", en},
      {"ja_JP.UTF-8", "", "", "C", ja},
      {"fr", "", "", "ja_JP.UTF-8", ja},  // a language Vek does not have: the locale decides
      {"fr", "", "", "C", ja},
      {"fr", "", "", "en_US.UTF-8", en},
      {"", "", "C", "en_US.UTF-8", ja},  // LC_MESSAGES=C is a choice too
      {"", "", "", "de_DE.UTF-8", en},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "VEK_LANG=" << c.vekLang << " LC_ALL=" << c.lcAll
                                    << " LC_MESSAGES=" << c.lcMessages << " LANG=" << c.lang);
    const LanguageInputs inputs{QString::fromUtf8(c.vekLang), QString::fromUtf8(c.lcAll),
                                QString::fromUtf8(c.lcMessages), QString::fromUtf8(c.lang)};
    EXPECT_EQ(chooseInterfaceLanguage(inputs), c.expected);
  }
}

// QLocale (type descriptions, month names) follows VEK_LANG only where it overrides the locale
// with the other language: under the locale's own language, or under C, its bytes stay.
TEST(InterfaceLanguage, QLocaleFollowsVekLangOnlyOverTheOtherLanguage) {
  const struct {
    const char* vekLang;
    const char* lang;
    const char* expected;  // the locale's name, or "" for none
  } cases[] = {
      {"", "en_US.UTF-8", ""},
      {"", "ja_JP.UTF-8", ""},
      {"ja", "ja_JP.UTF-8", ""},
      {"ja", "C.UTF-8", ""},
      {"ja", "", ""},
      {"en", "en_GB.UTF-8", ""},
      {"en", "ja_JP.UTF-8", "en_US"},
      {"en", "C.UTF-8", "en_US"},
      {"ja", "en_US.UTF-8", "ja_JP"},
      {"ja", "de_DE.UTF-8", "ja_JP"},
      {"fr", "en_US.UTF-8", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "VEK_LANG=" << c.vekLang << " LANG=" << c.lang);
    const auto locale = localeToFollow(
        {QString::fromUtf8(c.vekLang), QString(), QString(), QString::fromUtf8(c.lang)});
    EXPECT_EQ(locale ? locale->name() : QString(), QString::fromUtf8(c.expected));
  }
}

TEST(InterfaceLanguage, EnglishIsBuiltInAndJapaneseIsTheSource) {
  const Message japanese = MessageCatalogue::noFileTypeChosen();

  ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::English));
  ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::English));  // replaces, does not add
  EXPECT_EQ(MessageCatalogue::warningTitle(), u"Warning");
  EXPECT_EQ(MessageCatalogue::progressDetail(3, 12), u"Folders done: 3 of 12");
  // Lines written as one text still come out joined by CR LF.
  EXPECT_EQ(MessageCatalogue::moreFileInfoFailures(2).text,
            u"The information of 2 more files could not be read.\r\n\r\n"
            u"These files are not added to the list.");
  EXPECT_EQ(MessageCatalogue::moreFileInfoFailures(1).text,
            u"The information of 1 more file could not be read.\r\n\r\n"
            u"It is not added to the list.");
  EXPECT_EQ(MessageCatalogue::notReadHeading(1),
            u"The following item could not be read, so the list is incomplete:");
  EXPECT_EQ(MessageCatalogue::notReadHeading(5'000'000'000),
            u"The following 5000000000 items could not be read, so the list is incomplete:");
  EXPECT_EQ(tickedTotalsCaption(1, 1), u"Ticked files: 1   Total: 1 byte");
  EXPECT_EQ(tickedTotalsCaption(2, 1024), u"Ticked files: 2   Total: 1.0 KB (1,024 bytes)");

  ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::Japanese));
  EXPECT_EQ(MessageCatalogue::warningTitle(), u"警告");
  EXPECT_EQ(MessageCatalogue::progressDetail(3, 12), u"処理件数：3　/　総ﾌｫﾙﾀﾞ数：12件");
  EXPECT_EQ(MessageCatalogue::moreFileInfoFailures(2).text,
            u"ほかに 2 件のファイルの情報取得に失敗しました。\r\n\r\n"
            u"これらのファイルはリストに追加されません。");
  EXPECT_EQ(MessageCatalogue::noFileTypeChosen().text, japanese.text);
  EXPECT_EQ(tickedTotalsCaption(1, 1), u"ﾁｪｯｸ済み：1 ﾌｧｲﾙ　合計 1 バイト");
  EXPECT_EQ(MessageCatalogue::notReadHeading(1),
            u"次の 1 件を読み取れなかったため、リストは完全ではありません:");
}

}  // namespace
}  // namespace vek

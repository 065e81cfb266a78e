// The HTML page in a real browser: a tree of files with hostile names is listed with links and
// full paths, the page is opened in headless Chromium, and the DOM the browser built is read
// back: every name shows as text, no script ran, every link opens the file it names.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "support/MissingHere.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "writers/HtmlListExport.h"

using namespace vek;

namespace {

// Reads Chromium's DOM dump: the tags present, the title, the links and the cell texts.
const char kDomReader[] = R"(
import sys, json
from html.parser import HTMLParser
class Reader(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags, self.links, self.cells, self.title = set(), [], [], None
        self.stack, self.text = [], ''
    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)
        if tag in ('a', 'td', 'title'):
            self.stack.append((tag, dict(attrs)))
            self.text = ''
    def handle_endtag(self, tag):
        if self.stack and self.stack[-1][0] == tag:
            name, attrs = self.stack.pop()
            if name == 'a': self.links.append([attrs.get('href', ''), self.text])
            elif name == 'td': self.cells.append(self.text)
            else: self.title = self.text
    def handle_data(self, data):
        self.text += data
r = Reader()
r.feed(sys.stdin.read())
sys.stdout.write(json.dumps({'tags': sorted(r.tags), 'links': r.links, 'cells': r.cells,
                             'title': r.title}))
)";

QString findChromium() {
  const QString fixed = QStringLiteral("/usr/bin/chromium");
  if (QFileInfo(fixed).isExecutable()) return fixed;
  return QStandardPaths::findExecutable(QStringLiteral("chromium"));
}

FileEntry entryFor(const QString& fullPath) {
  const QFileInfo info(fullPath);
  FileEntry entry;
  FileEntry::splitName(info.fileName(), entry.name, entry.extension);
  entry.folder = info.absolutePath() + u'/';
  entry.type = QStringLiteral("平文テキストドキュメント");
  entry.size = info.size();
  entry.created = DateStamp::fromLocal(2005, 8, 18, 14, 3, 9);
  return entry;
}

}  // namespace

TEST(HtmlBrowser, HostileNamesShowAsTextAndLinksOpenTheirFiles) {
  const QString chromium = findChromium();
  if (chromium.isEmpty())
    VEK_SKIP_WHERE_MISSING("chromium is not installed (scripts/setup installs it)");
  const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  if (python.isEmpty()) VEK_SKIP_WHERE_MISSING("python3 is not installed");

  test::TempTree tree;
  // A file name cannot hold "/", so the script tag is split over a folder and its file: the
  // full path cell then reads <script>alert(1)</script>.txt.
  const QStringList files = {
      QStringLiteral("<script>alert(1)</script>.txt"),
      QStringLiteral("<img src=x onerror=alert(1)>.txt"),
      QStringLiteral("a&b.txt"),
      QStringLiteral("it's.txt"),
      QStringLiteral("x#y?.txt"),
      QStringLiteral("100%.txt"),
      QStringLiteral("\"quoted\" name.txt"),
      QStringLiteral("日本語の名前.txt"),
  };
  FileList list;
  list.setSortingEnabled(false);
  for (const QString& file : files) list.append(entryFor(tree.file(file, "x")));

  Settings settings;
  settings.html.fileLink = 1;
  settings.html.columns.chkPath = 1;
  const QString title = QStringLiteral("<script>document.title='PWNED'</script>一覧 & 'x'");
  const QString page = tree.path(QStringLiteral("page.htm"));
  test::RecordingInteraction said;
  ASSERT_TRUE(createHtmlList(page, list, settings, said, title, PathStyle::Posix));

  QTemporaryDir profile;
  QProcess browser;
  browser.start(
      chromium,
      {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
       QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
       QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
       QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
       u"--user-data-dir=" % profile.path(), QStringLiteral("--virtual-time-budget=2000"),
       QStringLiteral("--dump-dom"), QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded)});
  if (!browser.waitForFinished(60000)) {
    browser.kill();
    browser.waitForFinished(5000);
    FAIL() << "the browser did not finish: a script from the page probably opened a dialog";
  }
  const QByteArray dom = browser.readAllStandardOutput();
  ASSERT_EQ(browser.exitCode(), 0) << browser.readAllStandardError().toStdString();
  ASSERT_FALSE(dom.isEmpty());

  QProcess reader;
  reader.start(python, {QStringLiteral("-c"), QString::fromUtf8(kDomReader)});
  reader.write(dom);
  reader.closeWriteChannel();
  ASSERT_TRUE(reader.waitForFinished(30000));
  ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
  const QJsonObject seen = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();

  // Only the page's own elements exist: nothing from a name became an element.
  const QStringList allowed = {
      QStringLiteral("a"),      QStringLiteral("body"), QStringLiteral("br"),
      QStringLiteral("center"), QStringLiteral("font"), QStringLiteral("h1"),
      QStringLiteral("head"),   QStringLiteral("html"), QStringLiteral("table"),
      QStringLiteral("tbody"),  QStringLiteral("td"),   QStringLiteral("title"),
      QStringLiteral("tr")};
  for (const QJsonValue tag : seen[u"tags"].toArray())
    EXPECT_TRUE(allowed.contains(tag.toString()))
        << "unexpected element " << tag.toString().toStdString();
  // The title is the text as given, so no script changed it.
  EXPECT_EQ(seen[u"title"].toString().toStdString(), title.toStdString());

  QStringList cells;
  for (const QJsonValue cell : seen[u"cells"].toArray()) cells << cell.toString();
  const QJsonArray links = seen[u"links"].toArray();
  ASSERT_EQ(links.size(), files.size());
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString path = tree.path(files[i]);
    SCOPED_TRACE(path.toStdString());
    EXPECT_TRUE(cells.contains(path)) << "full path shown as text";
    const QJsonArray link = links[i].toArray();
    EXPECT_EQ(link[1].toString().toStdString(), QFileInfo(path).fileName().toStdString());
    const QUrl url(link[0].toString(), QUrl::StrictMode);
    ASSERT_TRUE(url.isValid()) << link[0].toString().toStdString();
    EXPECT_EQ(url.scheme(), QStringLiteral("file"));
    EXPECT_EQ(url.toLocalFile().toStdString(), path.toStdString());
    EXPECT_TRUE(QFileInfo::exists(url.toLocalFile()));
  }
}

// The INI reader and writer: any bytes are read without a crash; a file nobody changed comes
// back byte for byte; reading the settings and writing them back reaches a fixed point.
#include "FuzzCheck.h"
#include "core/settings/IniFile.h"
#include "core/settings/SettingsFile.h"

using namespace vek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const TextCodec codecs[] = {TextCodec("UTF-8"), TextCodec("CP932"), TextCodec("EUC-JP")};
  const TextCodec& codec = codecs[data[0] % 3];
  const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);

  IniFile ini(codec);
  ini.setBytes(bytes);
  const QByteArray read = ini.toBytes();
  // Whatever its mark and the system's encoding.
  fuzz::require(read == bytes, "a file nobody changed is written back byte for byte");

  // Settings read and written settle by the second round: a text the file cannot hold is written
  // empty, read back as its default, and from then on written as that.
  QByteArray previous;
  for (int round = 0; round < 3; ++round) {
    IniFile pass(codec);
    pass.setBytes(round == 0 ? bytes : previous);
    Settings settings;
    WindowState window;
    window.screenWidth = 28800;
    window.screenHeight = 16200;
    readSettings(pass, settings, window, QStringLiteral("/nonexistent/"));
    writeSettings(pass, settings, window, QStringLiteral("/nonexistent/"));
    const QByteArray written = pass.toBytes();
    if (round == 2) fuzz::require(written == previous, "read and write reach a fixed point");
    previous = written;
  }
  return 0;
}

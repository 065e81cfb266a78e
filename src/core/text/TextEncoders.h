// The encoders behind TextCodec::makeEncoder: UTF-8 through Qt's own converter, a table for
// CP932, and iconv for every other encoding. Only the text codec's own files use these.
#pragma once

#include <memory>

#include <QByteArray>

#include "core/text/IconvText.h"
#include "core/text/TextCodec.h"

namespace vek::iconvtext {

std::unique_ptr<TextEncoder> makeUtf8Encoder(Unmappable mode);
// Replace only: the table has no room for references.
std::unique_ptr<TextEncoder> makeTableEncoder(const CharacterTable& table, const QByteArray& name);
// nullptr when iconv cannot open the encoding.
std::unique_ptr<TextEncoder> makeIconvEncoder(const QByteArray& name, Unmappable mode);

}  // namespace vek::iconvtext

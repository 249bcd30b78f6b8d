#pragma once
// A strict JSON reader that keeps the text. It checks a whole document and,
// when it is an object, says where each member's name and value stand, so a
// value can be written back byte for byte instead of through a converted
// copy (Qt's reader rounds big integers and drops a U+FEFF that opens a raw
// string).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace orvinda {

enum class JsonError {
  None,
  UnterminatedObject,
  MissingNameSeparator,
  UnterminatedArray,
  MissingValueSeparator,
  NameExpected,
  IllegalValue,
  IllegalNumber,
  IllegalEscape,
  IllegalUtf8,
  ControlCharacter,
  UnterminatedString,
  DeepNesting,
  GarbageAtEnd,
};

// Byte offsets into the document; the name's span includes its quotes.
struct JsonMember {
  QString name;
  qsizetype name_begin = 0;
  qsizetype name_end = 0;
  qsizetype value_begin = 0;
  qsizetype value_end = 0;
};

struct JsonScan {
  JsonError error = JsonError::None;
  qsizetype error_offset = 0;
  bool is_object = false;
  std::vector<JsonMember> members;  // the top level's, in order, repeated names too
};

// Nesting deeper than this is refused: Qt's reader stops at the same depth.
inline constexpr int kMaxJsonDepth = 1024;

// RFC 8259 and nothing more: no raw control characters, no unknown escapes,
// no ".5", strict UTF-8. One UTF-8 byte order mark may open the document.
JsonScan scan_json(QByteArrayView document);

// A string's text as checked by scan_json, quotes included, decoded; every
// U+FEFF and every escaped lone surrogate is kept.
QString json_string(QByteArrayView text);

}  // namespace orvinda

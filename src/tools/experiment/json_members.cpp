#include "tools/experiment/json_members.h"

#include <QChar>

namespace orvinda {

namespace {

bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

bool is_hex(unsigned char c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hex_value(unsigned char c) {
  if (is_digit(c)) return c - '0';
  return (c | 0x20) - 'a' + 10;
}

// The length of the well-formed UTF-8 character at text[0], or 0: no
// overlong forms, no surrogates, nothing beyond U+10FFFF.
int utf8_length(const unsigned char* text, qsizetype available) {
  const unsigned char lead = text[0];
  int length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (available < length) return 0;
  if (text[1] < low || text[1] > high) return 0;
  for (int i = 2; i < length; ++i) {
    if (text[i] < 0x80 || text[i] > 0xBF) return 0;
  }
  return length;
}

class Scanner {
 public:
  explicit Scanner(QByteArrayView document)
      : text_(reinterpret_cast<const unsigned char*>(document.data())), size_(document.size()) {}

  JsonScan scan() {
    if (size_ >= 3 && text_[0] == 0xEF && text_[1] == 0xBB && text_[2] == 0xBF) pos_ = 3;
    skip_spaces();
    result_.is_object = pos_ < size_ && text_[pos_] == '{';
    if (value(0)) {
      skip_spaces();
      if (pos_ != size_) fail(JsonError::GarbageAtEnd);
    }
    if (result_.error != JsonError::None) result_.members.clear();
    return std::move(result_);
  }

 private:
  bool fail(JsonError error) {
    result_.error = error;
    result_.error_offset = pos_;
    return false;
  }

  bool at_end() const { return pos_ >= size_; }

  void skip_spaces() {
    while (!at_end()) {
      const unsigned char c = text_[pos_];
      if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return;
      ++pos_;
    }
  }

  bool value(int depth) {
    if (at_end()) return fail(JsonError::IllegalValue);
    switch (text_[pos_]) {
      case '{': return object(depth + 1);
      case '[': return array(depth + 1);
      case '"': return string();
      case 't': return literal("true");
      case 'f': return literal("false");
      case 'n': return literal("null");
      default: return number();
    }
  }

  bool literal(const char* word) {
    for (; *word != '\0'; ++word, ++pos_) {
      if (at_end() || text_[pos_] != static_cast<unsigned char>(*word)) {
        return fail(JsonError::IllegalValue);
      }
    }
    return true;
  }

  bool digits() {
    if (at_end() || !is_digit(text_[pos_])) return fail(JsonError::IllegalNumber);
    while (!at_end() && is_digit(text_[pos_])) ++pos_;
    return true;
  }

  bool number() {
    const qsizetype begin = pos_;
    if (text_[pos_] == '-') ++pos_;
    if (at_end() || !is_digit(text_[pos_])) {
      return begin == pos_ ? fail(JsonError::IllegalValue) : fail(JsonError::IllegalNumber);
    }
    if (text_[pos_] == '0') {
      ++pos_;
    } else {
      digits();
    }
    if (!at_end() && text_[pos_] == '.') {
      ++pos_;
      if (!digits()) return false;
    }
    if (!at_end() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      ++pos_;
      if (!at_end() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
      if (!digits()) return false;
    }
    return true;
  }

  bool string() {
    ++pos_;  // the opening quote
    while (!at_end()) {
      const unsigned char c = text_[pos_];
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (c < 0x20) return fail(JsonError::ControlCharacter);
      if (c == '\\') {
        if (!escape()) return false;
      } else if (c < 0x80) {
        ++pos_;
      } else {
        const int length = utf8_length(text_ + pos_, size_ - pos_);
        if (length == 0) return fail(JsonError::IllegalUtf8);
        pos_ += length;
      }
    }
    return fail(JsonError::UnterminatedString);
  }

  bool escape() {
    ++pos_;  // the backslash
    if (at_end()) return fail(JsonError::UnterminatedString);
    switch (text_[pos_]) {
      case '"':
      case '\\':
      case '/':
      case 'b':
      case 'f':
      case 'n':
      case 'r':
      case 't': ++pos_; return true;
      case 'u':
        for (int i = 1; i <= 4; ++i) {
          if (pos_ + i >= size_ || !is_hex(text_[pos_ + i])) {
            return fail(JsonError::IllegalEscape);
          }
        }
        pos_ += 5;
        return true;
      default: return fail(JsonError::IllegalEscape);
    }
  }

  bool object(int depth) {
    if (depth > kMaxJsonDepth) return fail(JsonError::DeepNesting);
    ++pos_;  // {
    skip_spaces();
    if (!at_end() && text_[pos_] == '}') {
      ++pos_;
      return true;
    }
    while (true) {
      skip_spaces();
      if (at_end()) return fail(JsonError::UnterminatedObject);
      if (text_[pos_] != '"') return fail(JsonError::NameExpected);
      JsonMember member;
      member.name_begin = pos_;
      if (!string()) return false;
      member.name_end = pos_;
      skip_spaces();
      if (at_end()) return fail(JsonError::UnterminatedObject);
      if (text_[pos_] != ':') return fail(JsonError::MissingNameSeparator);
      ++pos_;
      skip_spaces();
      member.value_begin = pos_;
      if (!value(depth)) return false;
      member.value_end = pos_;
      if (depth == 1) {
        member.name = json_string(
            QByteArrayView(text_ + member.name_begin, member.name_end - member.name_begin));
        result_.members.push_back(std::move(member));
      }
      skip_spaces();
      if (at_end()) return fail(JsonError::UnterminatedObject);
      if (text_[pos_] == '}') {
        ++pos_;
        return true;
      }
      if (text_[pos_] != ',') return fail(JsonError::MissingValueSeparator);
      ++pos_;
    }
  }

  bool array(int depth) {
    if (depth > kMaxJsonDepth) return fail(JsonError::DeepNesting);
    ++pos_;  // [
    skip_spaces();
    if (!at_end() && text_[pos_] == ']') {
      ++pos_;
      return true;
    }
    while (true) {
      skip_spaces();
      if (!value(depth)) return false;
      skip_spaces();
      if (at_end()) return fail(JsonError::UnterminatedArray);
      if (text_[pos_] == ']') {
        ++pos_;
        return true;
      }
      if (text_[pos_] != ',') return fail(JsonError::MissingValueSeparator);
      ++pos_;
    }
  }

  const unsigned char* text_;
  qsizetype size_;
  qsizetype pos_ = 0;
  JsonScan result_;
};

}  // namespace

JsonScan scan_json(QByteArrayView document) { return Scanner(document).scan(); }

QString json_string(QByteArrayView text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const qsizetype end = text.size() - 1;  // the closing quote
  QString out;
  out.reserve(end);
  for (qsizetype i = 1; i < end;) {
    const unsigned char c = p[i];
    if (c == '\\') {
      const unsigned char e = p[i + 1];
      i += 2;
      switch (e) {
        case 'b': out += QChar(u'\b'); break;
        case 'f': out += QChar(u'\f'); break;
        case 'n': out += QChar(u'\n'); break;
        case 'r': out += QChar(u'\r'); break;
        case 't': out += QChar(u'\t'); break;
        case 'u': {
          char16_t unit = 0;
          for (int k = 0; k < 4; ++k) unit = static_cast<char16_t>(unit * 16 + hex_value(p[i + k]));
          out += QChar(unit);
          i += 4;
          break;
        }
        default: out += QChar(static_cast<char16_t>(e)); break;  // " \ /
      }
    } else if (c < 0x80) {
      out += QChar(static_cast<char16_t>(c));
      ++i;
    } else {
      const int length = utf8_length(p + i, end - i);
      if (length == 0) {  // not from scan_json: never loop on it
        out += QChar(QChar::ReplacementCharacter);
        ++i;
        continue;
      }
      char32_t code = c & (0xFF >> (length + 1));
      for (int k = 1; k < length; ++k) code = (code << 6) | (p[i + k] & 0x3F);
      if (QChar::requiresSurrogates(code)) {
        out += QChar(QChar::highSurrogate(code));
        out += QChar(QChar::lowSurrogate(code));
      } else {
        out += QChar(static_cast<char16_t>(code));
      }
      i += length;
    }
  }
  return out;
}

}  // namespace orvinda

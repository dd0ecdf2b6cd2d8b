#include "output/pdf_text_map.h"

#include <QByteArrayView>
#include <QList>
#include <optional>

namespace fondara::output {
namespace {

constexpr QByteArrayView kTab = "<0009>";
constexpr QByteArrayView kBlank = "<0020>";

bool is_space(char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

// Reads PDF tokens from a part of the file: numbers, names, hex strings, brackets.
class Tokens {
 public:
  Tokens(const QByteArray& bytes, qsizetype from, qsizetype to)
      : bytes_(bytes), at_(from), end_(to) {}

  // The next token and where it starts; empty at the end.
  QByteArrayView next() {
    while (at_ < end_ && is_space(bytes_[at_])) ++at_;
    start_ = at_;
    if (at_ >= end_) return {};
    const char c = bytes_[at_];
    const bool doubled = at_ + 1 < end_ && bytes_[at_ + 1] == c;
    if ((c == '<' || c == '>') && doubled) {
      at_ += 2;  // a dictionary's brackets
    } else if (c == '<' || c == '[' || c == ']' || c == '>') {
      const qsizetype close = c == '<' ? bytes_.indexOf('>', at_) : at_;
      if (close < 0 || close >= end_) return {};
      at_ = close + 1;
    } else {
      ++at_;
      while (at_ < end_ && !is_space(bytes_[at_]) && !QByteArrayView("<>[]/").contains(bytes_[at_]))
        ++at_;
    }
    return QByteArrayView(bytes_).sliced(start_, at_ - start_);
  }
  qsizetype start() const { return start_; }
  qsizetype position() const { return at_; }

 private:
  const QByteArray& bytes_;
  qsizetype at_;
  qsizetype end_;
  qsizetype start_ = 0;
};

std::optional<long long> number(QByteArrayView token) {
  bool ok = false;
  const long long value = token.toLongLong(&ok);
  return ok && value >= 0 ? std::optional(value) : std::nullopt;
}

// The offsets of the objects in the file's last cross-reference table, by number.
QList<qsizetype> object_offsets(const QByteArray& pdf) {
  const qsizetype mark = pdf.lastIndexOf("startxref");
  if (mark < 0) return {};
  Tokens trailer(pdf, mark + 9, pdf.size());
  const auto table = number(trailer.next());
  if (!table || *table >= pdf.size()) return {};
  Tokens xref(pdf, static_cast<qsizetype>(*table), pdf.size());
  if (xref.next() != "xref") return {};
  QList<qsizetype> offsets;
  for (;;) {
    const auto first = number(xref.next());
    const auto count = first ? number(xref.next()) : std::nullopt;
    if (!count) return offsets;
    for (long long i = 0; i < *count; ++i) {
      const auto offset = number(xref.next());
      const auto generation = number(xref.next());
      const QByteArrayView kind = xref.next();
      if (!offset || !generation || (kind != "n" && kind != "f")) return {};
      const auto index = static_cast<qsizetype>(*first + i);
      if (offsets.size() <= index) offsets.resize(index + 1, -1);
      offsets[index] = kind == "n" ? static_cast<qsizetype>(*offset) : -1;
    }
  }
}

// The bytes [begin, end) of the unfiltered stream of object `object` at `offset`.
std::optional<std::pair<qsizetype, qsizetype>> stream_of(const QByteArray& pdf, long long object,
                                                         qsizetype offset) {
  if (offset < 0 || offset >= pdf.size()) return std::nullopt;
  Tokens tokens(pdf, offset, pdf.size());
  if (number(tokens.next()) != object || !number(tokens.next()) || tokens.next() != "obj")
    return std::nullopt;
  if (tokens.next() != "<<") return std::nullopt;
  std::optional<long long> length;
  for (QByteArrayView token = tokens.next(); token != ">>"; token = tokens.next()) {
    if (token.isEmpty() || token == "<<" || token == "/Filter") return std::nullopt;
    if (token == "/Length") length = number(tokens.next());
  }
  if (!length || tokens.next() != "stream") return std::nullopt;
  qsizetype begin = tokens.position();
  if (pdf.mid(begin, 2) == "\r\n")
    begin += 2;
  else if (pdf.mid(begin, 1) == "\n")
    begin += 1;
  else
    return std::nullopt;
  const qsizetype end = begin + static_cast<qsizetype>(*length);
  if (end > pdf.size()) return std::nullopt;
  Tokens after(pdf, end, pdf.size());
  if (after.next() != "endstream") return std::nullopt;
  return std::pair{begin, end};
}

// Remaps the glyphs of one CMap stream [begin, end); the count remapped.
int remap_stream(QByteArray& pdf, qsizetype begin, qsizetype end) {
  if (QByteArrayView(pdf).sliced(begin, end - begin).indexOf("begincmap") < 0) return 0;
  int remapped = 0;
  const auto remap = [&](qsizetype at) {
    pdf.replace(at, kBlank.size(), kBlank.data(), kBlank.size());
    ++remapped;
  };
  Tokens tokens(pdf, begin, end);
  for (QByteArrayView token = tokens.next(); !token.isEmpty(); token = tokens.next()) {
    const bool chars = token == "beginbfchar";
    if (!chars && token != "beginbfrange") continue;
    const QByteArrayView close = chars ? "endbfchar" : "endbfrange";
    for (QByteArrayView low = tokens.next(); low != close; low = tokens.next()) {
      if (!low.startsWith('<')) return remapped;  // not a map laid out as expected
      const QByteArrayView high = chars ? low : tokens.next();
      const QByteArrayView target = tokens.next();
      if (target == "[") {
        for (QByteArrayView item = tokens.next(); item != "]"; item = tokens.next()) {
          if (!item.startsWith('<')) return remapped;
          if (item == kTab) remap(tokens.start());
        }
      } else if (!target.startsWith('<')) {
        return remapped;
      } else if (target == kTab && high == low) {
        // A range of several glyphs maps to consecutive code points from the tab on:
        // none that Qt writes, and not one to change in place.
        remap(tokens.start());
      }
    }
  }
  return remapped;
}

}  // namespace

int map_tab_glyphs_to_blank(QByteArray& pdf) {
  const QList<qsizetype> offsets = object_offsets(pdf);
  QList<long long> maps;
  for (qsizetype at = pdf.indexOf("/ToUnicode"); at >= 0; at = pdf.indexOf("/ToUnicode", at + 1)) {
    Tokens reference(pdf, at + 10, pdf.size());
    const auto object = number(reference.next());
    if (object && number(reference.next()) && reference.next() == "R" && !maps.contains(*object))
      maps.append(*object);
  }
  int remapped = 0;
  for (const long long object : maps) {
    if (object >= offsets.size()) continue;
    if (const auto stream = stream_of(pdf, object, offsets[static_cast<qsizetype>(object)]))
      remapped += remap_stream(pdf, stream->first, stream->second);
  }
  return remapped;
}

}  // namespace fondara::output

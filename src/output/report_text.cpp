#include "output/report_text.h"

#include <array>
#include <cstdint>
#include <optional>

#include "core/utf8.h"

namespace fondara::output {
namespace {

// Joins statements into lines: an open line is continued by the next statement.
class LineWriter {
 public:
  explicit LineWriter(int points) : points_(points) {}

  void write(const Event& event) {
    if (const auto* size = std::get_if<FontSize>(&event)) {
      points_ = size->points;
      return;
    }
    if (const auto* drawing = std::get_if<Drawing>(&event)) {
      // A drawing that comes while a line is open follows that line.
      (open_ ? drawings_ : lines_).push_back({{}, points_, *drawing});
      return;
    }
    const auto& statement = std::get<Statement>(event);
    for (const Item& item : statement.items) current_ += item_text(item);
    open_ = true;
    if (statement.end == End::line_break) {
      lines_.push_back({std::move(current_), points_});
      current_.clear();
      open_ = false;
      flush_drawings();
    }
  }

  // The ended lines and, when `with_drawings` is set, the drawings between them; a last line
  // left open is appended when `with_open` is set.
  std::vector<Line> finish(bool with_open, bool with_drawings) {
    if (open_ && with_open) lines_.push_back({std::move(current_), points_});
    flush_drawings();
    if (!with_drawings) std::erase_if(lines_, [](const Line& line) { return line.drawing; });
    return std::move(lines_);
  }

  bool open() const { return open_; }
  const std::string& current() const { return current_; }

 private:
  void flush_drawings() {
    for (Line& drawing : drawings_) lines_.push_back(std::move(drawing));
    drawings_.clear();
  }

  int points_;
  std::vector<Line> lines_;
  std::vector<Line> drawings_;
  std::string current_;
  bool open_ = false;
};

// Unicode code points U+0152 to U+2122 that Windows-1252 holds in 0x80 to 0x9F.
// The bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D hold no character.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The Windows-1252 byte of a code point; nothing when it holds no such character.
std::optional<char> to_windows1252(char32_t code) {
  if (code < 0x80) return static_cast<char>(code);
  if (code >= 0xA0 && code <= 0xFF) return static_cast<char>(code);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] != 0 && kHighControls[i] == code) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

// Calls `emit(byte, sequence)` for each character of `utf8` (each malformed sequence
// counting as one): its Windows-1252 byte, if it has one, and its UTF-8 bytes.
template <typename Emit>
void each_character(std::string_view utf8, Emit emit) {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const auto code = decode_utf8(utf8, pos);
    emit(code ? to_windows1252(*code) : std::nullopt, utf8.substr(start, pos - start));
  }
}

}  // namespace

std::string report_title(std::string_view kind_title) {
  return "Relazione di calcolo - " + std::string(kind_title);
}

std::vector<Line> write_lines(const Report& report, int initial_points) {
  LineWriter writer(initial_points);
  for (const Event& event : report) writer.write(event);
  std::vector<Line> lines = writer.finish(true, true);
  for (Line& line : lines) line.text = windows1252_text(line.text);
  return lines;
}

std::string encode_windows1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  each_character(utf8, [&](std::optional<char> byte, std::string_view) {
    bytes.push_back(byte.value_or('?'));
  });
  return bytes;
}

std::string windows1252_text(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  each_character(utf8, [&](std::optional<char> byte, std::string_view sequence) {
    if (byte)
      text.append(sequence);
    else
      text.push_back('?');
  });
  return text;
}

std::string file_bytes(const Report& report) {
  LineWriter writer(10);
  for (const Event& event : report) writer.write(event);
  const bool open = writer.open();
  const std::string last = writer.current();
  std::string bytes;
  for (const Line& line : writer.finish(false, false)) {
    bytes += encode_windows1252(line.text);
    bytes += "\r\n";
  }
  if (open) bytes += encode_windows1252(last);
  return bytes;
}

Outcome<std::string, Failure> file_bytes(const Calculation& calculation,
                                         std::string_view description) {
  std::string bytes;
  const auto made = each_report_part(calculation, Version::file, description,
                                     [&bytes](Report&& part) { bytes += file_bytes(part); });
  if (!made) return Failed{made.error()};
  return bytes;
}

}  // namespace fondara::output

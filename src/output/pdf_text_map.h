// Mends the text map of the PDF files that Qt writes, so that blanks read back as blanks.
//
// Qt's PDF writer maps each embedded glyph back to the lowest code point that its font
// engine draws with that glyph, and the engine draws a tab with the blank's glyph when
// the font has no tab of its own (Liberation Mono has none): the blank's glyph is then
// mapped to U+0009, and text extractors, and copying from a PDF viewer, give tabs. The
// blanks have to be drawn as glyphs (drawn as gaps, extractors split the report's
// columns into pieces), so the map is corrected afterwards.
#pragma once

#include <QByteArray>

namespace fondara::output {

// In the ToUnicode maps of `pdf` (uncompressed streams, found through the cross-reference
// table), every glyph mapped to U+0009 alone is mapped to U+0020. The edit keeps every
// byte offset, so the file stays valid; a map or a file laid out otherwise is left as it
// is. Returns the number of glyphs remapped.
int map_tab_glyphs_to_blank(QByteArray& pdf);

}  // namespace fondara::output

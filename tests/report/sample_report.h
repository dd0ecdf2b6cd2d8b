// A printed report in miniature and the texts it must show when read back.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "pdf_lines.h"
#include "report/statement.h"

namespace fondara::report::test {

// A printed report in miniature: the heading in 10 points, an empty line in 10 and one
// in 8, then 8-point lines with leading, inner and trailing blanks, accented letters and
// an empty line between two paragraphs.
inline const std::vector<Line> sample_report = {
    {"PROGRAMMA: FONDARA VER.3.0/2012/PORTANZA DELLE FONDAZIONI DIRETTE", 10},
    {"", 10},
    {"", 8},
    {"Si calcola il carico limite del terreno sottostante la fondazione superficiale posta a "
     "profondita'H",
     8},
    {"secondo Fondara. ", 8},
    {"", 8},
    {"DESCRIZIONE:plinto <A> & \"B\" sotto la più bassa", 8},
    {"L     =  10  m, lunghezza della fondazione", 8},
    {"Ø'    =  30  gradi, angolo attrito del terreno di fondazione", 8},
    {"z1    = tang(Ø') ............................... 0,5773503 ", 8},
    {"   tre blanks davanti,    quattro in mezzo", 8},
    {"", 8},
    {"", 8},
    {"qd = qR / YR = -1,5  daN/cm^2 (bar)", 8},
};

// The non-empty lines as a PDF gives them back: without trailing blanks.
inline std::vector<QString> printed_texts(const std::vector<Line>& lines) {
  std::vector<QString> texts;
  for (const Line& line : lines) {
    QString text = QString::fromStdString(line.text);
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    if (!text.isEmpty()) texts.push_back(text);
  }
  return texts;
}

inline std::vector<QString> texts_of(const std::vector<PdfLine>& lines) {
  std::vector<QString> texts;
  for (const PdfLine& line : lines) texts.push_back(line.text);
  return texts;
}

}  // namespace fondara::report::test

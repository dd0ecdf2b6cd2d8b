// What the reports of the two bearing-pressure kinds (undrained and drained) share: the
// heading, the introductions and the design bearing pressure at their end, and the
// safety factors whose verification approach the reports name.
#pragma once

#include <string>
#include <string_view>

#include "core/report.h"

namespace fondara {

// The heading line of both reports.
inline constexpr const char* kTitolo =
    "PROGRAMMA: FONDARA VER.3.0/2012/PORTANZA DELLE FONDAZIONI DIRETTE";

// The safety factor of Approccio 2: the text its field starts with (and fondara-calc's
// default), and the float whose reports name the approach. 1,8 is Approccio 1, Comb. 2.
inline constexpr std::string_view kYRApproccio2Text = "2,3";
inline constexpr float kYRApproccio2 = 2.3f;
inline constexpr float kYRApproccio1 = 1.8f;

// The head of the file reports: the heading, an empty line and the introduction in two
// paragraphs, each followed by an empty line. The undrained and drained files word the
// depth differently, so the second line of the first paragraph is given.
void testa_file(Builder& r, std::string riga_profondita);

// The introduction of the printed reports (at 8 points), without the empty lines around
// it, which differ between the two printed reports.
void introduzione_stampa(Builder& r);

// The design bearing pressure, last lines of both reports: "Si ottiene il carico limite
// di progetto", continued by the verification approach when YR is the float 2.3 or
// 1.8, then the qd line after two line ends.
void carico_di_progetto(Builder& r, float YR, float qd);

}  // namespace fondara

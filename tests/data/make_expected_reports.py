#!/usr/bin/env python3
"""Writes the expected report files of the worked examples into this folder.

Run once by hand when an example is added; the files are checked in and the tests
compare the program's output with them byte for byte. This script is kept apart
from the program on purpose: it computes the values with its own float32 steps and
writes the report lines from the statement lists as literal texts, and it checks
the published values of the worked examples before it writes anything.

  *.txt         file reports: Windows-1252, every line ended by CR LF
  *.stampa.txt  printed reports as preview text: UTF-8, every line ended by LF
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def f32(x):
    """Rounds a double to the nearest float32 (the value stored by a step)."""
    return struct.unpack("<f", struct.pack("<f", x))[0]


def general(x, digits):
    text = "%.*g" % (digits, x)
    assert "e" not in text, text
    return text.replace(".", ",")


def num_s(x):
    """Number item of a float: sign position, 7 significant digits, one blank."""
    t = general(x, 7)
    return (t if t.startswith("-") else " " + t) + " "


def num_d(x):
    t = general(x, 15)
    return (t if t.startswith("-") else " " + t) + " "


def parse(text):
    """A field text with the decimal comma, as a float32."""
    return f32(float(text.replace(",", ".")))


TITLE = "PROGRAMMA: FONDARA VER.3.0/2012/PORTANZA DELLE FONDAZIONI DIRETTE"
YR23 = f32(2.3)
YR18 = f32(1.8)

# ---------------------------------------------------------------- undrained


def calc_undrained(L, B, H, cu, G1, YR):
    f = (B * 0.2) / L + 1.0
    t = f * (cu * 5.14)
    g = G1 * 1.2 * H / 10000.0
    qRc = f32(t + g)
    qR = f32(math.floor(qRc * 100.0) / 100.0)
    qd = f32(math.floor(qRc / YR * 100.0) / 100.0)
    return qR, qd


def undrained_lines(inp, descr, printed):
    """Returns (lines, open_last, size_change_index) for the undrained report."""
    L, B, H, cu, G1, YR = (parse(inp[k]) for k in ("L", "B", "H", "cu", "G1", "YR"))
    qR, qd = calc_undrained(L, B, H, cu, G1, YR)
    lines = []
    if not printed:
        lines += [
            TITLE,
            "",
            "Si calcola il carico limite del terreno sottostante la fondazione superficiale posta",
            "a profondità H, secondo Fondara.",
            "",
            "Come noto si individua un meccanismo di rottura nel piano verticale che contiene",
            "il lato minore  della fondazione, trascurando prudenzialmente l'attrito tra",
            "fondazione e terreno.",
            "",
        ]
        big = None
    else:
        lines += [TITLE, "", ""]
        big = len(lines)  # lines before this index are printed at 10 points
        lines += [
            "Si calcola il carico limite del terreno sottostante la fondazione superficiale posta a profondita'H",
            "secondo Fondara. ",
            "",
            "Come noto si individua un meccanismo di rottura nel piano verticale che contiene il lato minore",
            "della fondazione, trascurando prudenzialmente l'attrito tra fondaziuone e terreno.",
            "",
            "",
        ]
    approach = ""
    if YR == YR23:
        approach = " allo SLU, secondo Approccio 2:"
    if YR == YR18:
        approach = " allo SLU, secondo Approccio 1, Comb.2:"
    lines += [
        "IL CALCOLO SI RIFERISCE AD UN TERRENO COESIVO IN CONDIZIONI NON DRENATE",
        "",
        "DESCRIZIONE:" + descr,
        "",
        "DATI DI CALCOLO:",
        "",
        "L      = " + num_s(L) + " m, lunghezza della fondazione",
        "B      = " + num_s(B) + " m, larghezza della fondazione",
        "H      = " + num_s(H) + " m, altezza di rinterro dal piano di fondazione",
        "G1     = " + num_s(G1) + " daN/m^3, peso specifico del terreno di rinterro",
        "cu     = " + num_s(cu) + " daN/cm^2 (bar), coesione non drenata del terreno di fondazione",
        "",
        "In condizioni non drenate il fattore di portanza, Nc = 5,14",
        "",
        "Si calcola il carico limite:",
        "",
        "CARICO DI ROTTURA: qR = 5,14*cu*(1+0,2*B/L) + 1,2*G1*H = "
        + num_s(f32(qR * 10000.0))
        + " daN/m^2",
        "",
        "qR = " + num_s(qR) + " daN/cm^2 (bar)",
        "",
        "Adottando un coefficiente parziale di sicurezza, YR = " + num_s(YR),
        "",
        "Si ottiene il carico limite di progetto" + approach,
    ]
    if approach:
        lines.append("")
    lines += ["", "qd = qR / YR = " + num_s(qd) + " daN/cm^2 (bar)", ""]
    return lines, big, (qR, qd)


# ---------------------------------------------------------------- drained


def calc_drained(L, B, H, phi, c, G, G1, YR, falda):
    v = {}
    if falda:
        G = f32(G - 1000.0)
    phi = f32(phi * 0.0174533)
    c = f32(c * 10000.0)
    z1 = f32(math.tan(phi))
    z2 = f32(math.pow(2.7182, math.tan(phi) * 3.14))
    z3 = f32(math.pow(math.tan(phi / 2.0 + 3.14 / 4.0), 2.0))
    n1 = f32((z3 * z2 - 1.0) * (z1 * 1.5))
    s1 = f32(1.0 - (B * 0.4) / L)
    q2 = f32(math.floor((1.0 / 2.0) * G * B * n1 * s1))
    n2 = f32(z3 * z2)
    s2 = f32((B / L) * z1 + 1.0)
    k = math.pow(1.0 - math.sin(phi), 2.0)
    t = z1 + z1
    if H > B:
        d2 = f32(k * t * math.atan(H / B) + 1.0)
    else:
        d2 = f32(k * t * (H / B) + 1.0)
    q1 = f32(math.floor(G1 * H * n2 * s2 * d2))
    n3 = f32((z3 * z2 - 1.0) * (1.0 / z1))
    s3 = f32((n2 * B) / (n3 * L) + 1.0)
    if H > B:
        d3 = f32(math.atan(H / B) * 0.4 + 1.0)
    else:
        d3 = f32((H * 0.4) / B + 1.0)
    q3 = f32(math.floor(n3 * c * s3 * d3))
    q_tot = f32(q2 + q1 + q3)
    qR = f32(math.floor(q_tot / 10000.0 * 100.0) / 100.0)
    qd = f32(math.floor(q_tot / YR / 10000.0 * 100.0) / 100.0)
    v.update(L=L, B=B, H=H, phi=phi, c=c, G=G, G1=G1, YR=YR, z1=z1, z2=z2, z3=z3,
             n1=n1, n2=n2, n3=n3, s1=s1, s2=s2, s3=s3, d2=d2, d3=d3,
             q1=q1, q2=q2, q3=q3, q_tot=q_tot, qR=qR, qd=qd)
    return v


def drained_lines(inp, descr, printed):
    keys = ("L", "B", "H", "phi", "c", "G", "G1", "YR")
    falda = inp["falda"] == "SI"
    v = calc_drained(*(parse(inp[k]) for k in keys), falda)
    if not printed:
        lines = [
            TITLE,
            "",
            "Si calcola il carico limite del terreno sottostante la fondazione superficiale posta",
            "a profondita'H, secondo Fondara.",
            "",
            "Come noto si individua un meccanismo di rottura nel piano verticale che contiene",
            "il lato minore  della fondazione, trascurando prudenzialmente l'attrito tra",
            "fondazione e terreno.",
            "",
        ]
        big = None
    else:
        lines = [TITLE, ""]
        big = len(lines)
        lines += [
            "",
            "Si calcola il carico limite del terreno sottostante la fondazione superficiale posta a profondita'H",
            "secondo Fondara. ",
            "",
            "Come noto si individua un meccanismo di rottura nel piano verticale che contiene il lato minore",
            "della fondazione, trascurando prudenzialmente l'attrito tra fondaziuone e terreno.",
            "",
        ]
    angle = float(math.floor(v["phi"] / 0.0174533 + 0.5))
    lines += [
        "IL CALCOLO SI RIFERISCE AD UN TERRENO SCIOLTO",
        "",
        "DESCRIZIONE:" + descr,
        "",
        "DATI DI CALCOLO:",
        "",
        "L     = " + num_s(v["L"]) + " m, lunghezza della fondazione",
        "B     = " + num_s(v["B"]) + " m, larghezza della fondazione",
        "H     = " + num_s(v["H"]) + " m, altezza di rinterro dal piano di fondazione",
        "Ø'    = " + num_d(angle) + " gradi, angolo attrito del terreno di fondazione",
        "c'    = " + num_s(f32(v["c"] / 10000.0))
        + " daN/cm^2 (bar), coesione drenata del terreno di fondazione",
    ]
    if falda:
        lines += [
            "W     = " + num_s(f32(v["G"] + 1000.0))
            + " daN/m^3, peso specifico del terreno di fondazione",
            "G= W-1000    = " + num_s(v["G"])
            + " daN/m^3, peso specifico del terreno di fondazione immerso",
        ]
    else:
        lines.append("G     = " + num_s(v["G"]) + " daN/m^3, peso specifico del terreno di fondazione")
    lines += [
        "G1    = " + num_s(v["G1"]) + " daN/m^3, peso specifico del terreno di rinterro",
        "",
        "La fondazione e' interessata da falda d'acqua" if falda
        else "La fondazione non e' interessata da falda d'acqua",
        "",
        "Con i dati di cui sopra si calcolano i seguenti valori:",
        "",
    ]
    dotted = [
        ("z1    = tang(Ø') ", "z1"),
        ("z2    = e^[3,14*tang(Ø')] ", "z2"),
        ("z3    = (tang(45+Ø'/2))^2 ", "z3"),
        ("n1    = 1.5*z1( z2*z3 -1 ) ", "n1"),
        ("n2    = z2*z3 ", "n2"),
        ("n3    = (1/z1)*(z2*z3 -1) ", "n3"),
        ("s1    = 1 - 0.4 B/L ", "s1"),
        ("s2    = 1 +(B/L)*z1 ", "s2"),
        ("s3    = 1 +(n2*B)/(n3*L) ", "s3"),
    ]
    if v["H"] > v["B"]:
        dotted += [("d2    = 1+2*z1(1-sin(Ø'))^2*atn(H/B) ", "d2"),
                   ("d3    = 1+0.4*atn(H/B) ", "d3")]
    else:
        dotted += [("d2    = 1+2*z1(1-sin(Ø'))^2*(H/B) ", "d2"),
                   ("d3    = 1+0.4*H/B ", "d3")]

    def leader(start):
        # The dotted leader fills every label to 49 characters, the last a blank.
        return start + "." * (48 - len(start)) + " "

    lines += [leader(s) + num_s(v[k]) for s, k in dotted]
    lines += ["", "Risultano i seguenti fattori di portanza:", ""]
    lines += [leader(s) + num_s(v[k]) for s, k in (
        ("Nq    = n2 = ", "n2"),
        ("NY    = 1,5x(Nq-1)tang(ø') ", "n1"),
        ("Nc    = (Nq-1)/tang(ø') ", "n3"))]
    lines += ["", "Risultano i seguenti contributi di portanza, corretti:", ""]
    lines += [leader(s) + num_s(v[k]) for s, k in (
        ("q1    = G1*H*Nq*s2*d2 (contributo rinterro) ", "q1"),
        ("q2    = (1/2)G*B*NY*s1 (contributo attrito) ", "q2"),
        ("q3    = c'*Nc*s3*d3 (contributo coesione) ", "q3"))]
    approach = ""
    if v["YR"] == YR23:
        approach = " allo SLU, secondo Approccio 2:"
    if v["YR"] == YR18:
        approach = " allo SLU, secondo Approccio 1, Comb.2:"
    lines += [
        "",
        leader("CARICO DI ROTTURA: qR  ") + num_s(f32(v["q1"] + v["q2"] + v["q3"])) + " daN/m^2",
        "",
        "qR = " + num_s(v["qR"]) + " daN/cm^2 (bar)",
        "",
        "Adottando un coeff. parziale di sicurezza, YR = " + num_s(v["YR"]),
        "",
        "Si ottiene il carico limite di progetto" + approach,
    ]
    if approach:
        lines.append("")
    lines += ["", "qd = qR / YR = " + num_s(v["qd"]) + " daN/cm^2 (bar)"]
    return lines, big, v


# ---------------------------------------------------------------- examples

ACCENTI = "Plinto via Dante — città di Forlì, costo 5 €, φ' stimato"

UNDRAINED = {
    "non_drenato_yr23": (dict(L="10", B="2", H="1", G1="1800", cu="0,5", YR="2,3"), ""),
    "non_drenato_yr18": (dict(L="5", B="1", H="1,5", G1="1850", cu="0,3", YR="1,8"), ACCENTI),
    "non_drenato_yr3": (dict(L="1", B="1", H="1", G1="1800", cu="0,5", YR="3"), "Muro"),
}

DRAINED = {
    "drenato_no": (dict(L="10", B="2", H="1", phi="30", c="0", G="1900", G1="1800",
                        YR="2,3", falda="NO"), ""),
    "drenato_si": (dict(L="10", B="2", H="1", phi="30", c="0", G="1900", G1="1800",
                        YR="2,3", falda="SI"), ""),
    "drenato_h_oltre_b": (dict(L="3", B="2", H="3", phi="28", c="0,1", G="2000", G1="1800",
                               YR="2,3", falda="NO"), ACCENTI),
    "drenato_yr18": (dict(L="2", B="2", H="2", phi="25", c="0,05", G="1900", G1="1700",
                          YR="1,8", falda="NO"), "Capannone"),
    "drenato_yr3": (dict(L="10", B="2", H="1", phi="27,5", c="0,5", G="1900", G1="1800",
                         YR="3", falda="SI"), "Angolo 27,5"),
}


def check_published_values():
    qR, qd = calc_undrained(*(parse(t) for t in ("10", "2", "1", "0,5", "1800", "2,3")))
    assert (general(qR, 7), general(qd, 7)) == ("2,88", "1,25")
    qR, qd = calc_undrained(*(parse(t) for t in ("5", "1", "1,5", "0,3", "1850", "2,3")))
    assert (general(qR, 7), general(qd, 7)) == ("1,93", "0,84")
    qR, qd = calc_undrained(*(parse(t) for t in ("1", "1", "1", "0,5", "1800", "2,3")))
    assert (general(qR, 7), general(qd, 7)) == ("3,29", "1,43")

    first = calc_drained(*(parse(t) for t in ("10", "2", "1", "30", "0", "1900", "1800", "2,3")),
                         False)
    expected = dict(z1="0,5773506", z2="6,127742", z3="2,994491", n1="15,02509",
                    n2="18,34947", n3="30,05014", s1="0,92", s2="1,11547", s3="1,122126",
                    d2="1,144338", d3="1,2", q1="42160", q2="26263", q3="0",
                    q_tot="68423", qR="6,84", qd="2,97")
    for key, text in expected.items():
        assert general(first[key], 7) == text, (key, first[key])
    wet = calc_drained(*(parse(t) for t in ("10", "2", "1", "30", "0", "1900", "1800", "2,3")),
                       True)
    for key, text in dict(G="900", q2="12440", q_tot="54600", qR="5,46", qd="2,37").items():
        assert general(wet[key], 7) == text, (key, wet[key])
    third = calc_drained(*(parse(t) for t in ("3", "2", "3", "28", "0,1", "2000", "1800", "2,3")),
                         False)
    for key, text in dict(d2="1,29416", d3="1,393118", q1="138958", q2="16002", q3="49477",
                          qR="20,44", qd="8,88").items():
        assert general(third[key], 7) == text, (key, third[key])
    fourth = calc_drained(*(parse(t) for t in ("2", "2", "2", "25", "0,05", "1900", "1700", "1,8")),
                          False)
    for key, text in dict(s1="0,6", d2="1,310906", d3="1,4", q1="69504", q2="7682",
                          q3="21908", qR="9,9", qd="5,5").items():
        assert general(fourth[key], 7) == text, (key, fourth[key])
    for typed, printed in (("27,5", 27.0), ("32,5", 33.0), ("30", 30.0)):
        rad = f32(parse(typed) * 0.0174533)
        assert math.floor(rad / 0.0174533 + 0.5) == printed, typed


def write(name, lines, printed):
    if printed:
        data = "".join(line + "\n" for line in lines).encode("utf-8")
        path = os.path.join(HERE, name + ".stampa.txt")
    else:
        data = b"".join(line.encode("cp1252", errors="replace") + b"\r\n" for line in lines)
        path = os.path.join(HERE, name + ".txt")
    with open(path, "wb") as out:
        out.write(data)


def main():
    check_published_values()
    for name, (inp, descr) in UNDRAINED.items():
        for printed in (False, True):
            lines, _, _ = undrained_lines(inp, descr, printed)
            write(name, lines, printed)
    for name, (inp, descr) in DRAINED.items():
        for printed in (False, True):
            lines, _, _ = drained_lines(inp, descr, printed)
            write(name, lines, printed)

    no, _, _ = drained_lines(DRAINED["drenato_no"][0], "", False)
    si, _, _ = drained_lines(DRAINED["drenato_si"][0], "", False)
    assert len(no) == 61 and len(si) == 62
    assert "68423" in no[51] and "54600" in si[52]  # line 52 of each file


if __name__ == "__main__":
    main()

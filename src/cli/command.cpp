#include "cli/command.h"

#include <iostream>
#include <iterator>
#include <optional>
#include <set>

#include "cli/csv.h"
#include "cli/fields.h"
#include "cli/output_file.h"

namespace fondara::cli {
namespace {

constexpr const char* kStandard = "-";

struct Opzioni {
  Terreno terreno = Terreno::coesivi;
  Testi testi;
  std::optional<std::string> report;
  bool stampa = false;
  std::optional<std::string> csv;
  std::optional<std::string> output;
};

struct Errore {
  int codice;
  std::string messaggio;
};

int fallisce(std::ostream& err, int codice, const std::string& messaggio) {
  err << "fondara-calc: " << messaggio << '\n';
  return codice;
}

std::optional<Terreno> terreno_da_nome(std::string_view nome) {
  if (nome == "coesivi") return Terreno::coesivi;
  if (nome == "sciolti") return Terreno::sciolti;
  return std::nullopt;
}

// Reads "--name VALUE" or "--name=VALUE" at args[i]; advances i past the value.
std::optional<std::string> valore_opzione(const std::vector<std::string>& args, std::size_t& i,
                                          std::string_view nome) {
  const std::string& arg = args[i];
  if (arg.size() > nome.size() && arg.compare(0, nome.size(), nome) == 0 && arg[nome.size()] == '=')
    return arg.substr(nome.size() + 1);
  if (arg != nome || i + 1 >= args.size()) return std::nullopt;
  return args[++i];
}

std::variant<Opzioni, Errore> leggi_opzioni(const std::vector<std::string>& args) {
  Opzioni o;
  std::optional<std::string> nome_terreno;
  std::vector<std::string> assegnazioni;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) == 0) {
      const std::string nome = arg.substr(0, arg.find('='));
      std::optional<std::string>* destinazione = nome == "--report"   ? &o.report
                                                 : nome == "--csv"    ? &o.csv
                                                 : nome == "--output" ? &o.output
                                                                      : nullptr;
      if (nome == "--stampa" && arg == nome) {
        o.stampa = true;
      } else if (destinazione) {
        *destinazione = valore_opzione(args, i, nome);
        if (!*destinazione || (*destinazione)->empty())
          return Errore{
              exit_uso,
              "L'opzione " + nome + " richiede un nome di file (oppure - per i flussi standard)."};
      } else {
        return Errore{exit_uso, "Opzione sconosciuta: " + arg + " (vedere fondara-calc --help)."};
      }
    } else if (arg.find('=') != std::string::npos) {
      assegnazioni.push_back(arg);
    } else if (!nome_terreno) {
      nome_terreno = arg;
    } else {
      return Errore{exit_uso, "Argomento non riconosciuto: \"" + arg + "\" (atteso campo=valore)."};
    }
  }

  if (!nome_terreno)
    return Errore{exit_uso,
                  "Indicare il tipo di terreno, coesivi o sciolti (vedere fondara-calc --help)."};
  const auto terreno = terreno_da_nome(*nome_terreno);
  if (!terreno)
    return Errore{exit_uso, "Tipo di terreno sconosciuto: \"" + *nome_terreno +
                                "\"; usare coesivi o sciolti."};
  o.terreno = *terreno;

  for (const std::string& assegnazione : assegnazioni) {
    const std::size_t uguale = assegnazione.find('=');
    const std::string nome = assegnazione.substr(0, uguale);
    if (!trova_campo(o.terreno, nome))
      return Errore{exit_uso, "Campo sconosciuto per " + *nome_terreno + ": " + nome +
                                  " (vedere fondara-calc --help)."};
    if (!o.testi.emplace(nome, assegnazione.substr(uguale + 1)).second)
      return Errore{exit_uso, "Il campo " + nome + " è indicato due volte."};
  }

  if (o.csv) {
    if (!o.testi.empty())
      return Errore{exit_uso,
                    "Con --csv i dati si leggono dal file CSV: non indicare campi nel comando."};
    if (o.report || o.stampa)
      return Errore{exit_uso, "Le opzioni --report e --stampa non valgono con --csv."};
  } else {
    if (o.output) return Errore{exit_uso, "L'opzione --output vale solo con --csv."};
    if (o.stampa && o.report == kStandard)
      return Errore{exit_uso,
                    "--report - e --stampa scrivono entrambe sullo standard output: usarne una."};
  }
  return o;
}

std::string righe_di_testo(const std::vector<std::string>& righe) {
  std::string testo;
  for (const std::string& riga : righe) testo += riga + '\n';
  return testo;
}

// One calculation from the command line's fields.
int esegui_singolo(const Opzioni& o, std::ostream& out, std::ostream& err) {
  const auto esito = calcola(o.terreno, o.testi);
  if (const auto* problema = std::get_if<Problema>(&esito))
    return fallisce(err, problema->codice, problema->messaggio);
  const Calcolo& calcolo = std::get<Calcolo>(esito);

  // Both reports are prepared before anything is written.
  std::string file;
  if (o.report) {
    const auto relazione = calcolo.relazione(report::Version::file);
    if (!relazione)
      return fallisce(err, exit_dati, report::report_failure_message(relazione.failure()));
    file = report::file_bytes(*relazione);
  }
  std::vector<std::string> anteprima;
  if (o.stampa) {
    const auto relazione = calcolo.relazione(report::Version::stampa);
    if (!relazione)
      return fallisce(err, exit_dati, report::report_failure_message(relazione.failure()));
    for (const auto& riga : report::write_lines(*relazione)) anteprima.push_back(riga.text);
  }

  if (o.report && *o.report != kStandard) {
    if (const auto errore = write_file_atomically(*o.report, file))
      return fallisce(err, exit_file, *errore);
  }
  if (o.report == kStandard)
    out << file;
  else if (o.stampa)
    out << righe_di_testo(anteprima);
  else
    out << righe_di_testo(calcolo.righe);
  out.flush();
  return exit_ok;
}

// The header's columns checked against the window's fields; nothing when they fit.
std::optional<std::string> controlla_intestazione(Terreno terreno,
                                                  const csv::Record& intestazione) {
  std::set<std::string, std::less<>> visti;
  for (const std::string& colonna : intestazione) {
    if (!trova_campo(terreno, colonna))
      return "Intestazione CSV: colonna sconosciuta \"" + colonna + "\".";
    if (!visti.insert(colonna).second)
      return "Intestazione CSV: la colonna " + colonna + " compare due volte.";
  }
  for (const Campo& campo : campi(terreno))
    if (!campo.predefinito && !visti.contains(campo.nome))
      return "Intestazione CSV: manca la colonna " + std::string(campo.nome) + ".";
  return std::nullopt;
}

csv::Record intestazione_uscita(Terreno terreno) {
  csv::Record record;
  for (const Campo& campo : campi(terreno)) record.emplace_back(campo.nome);
  for (const std::string& nome : nomi_risultati(terreno)) record.push_back(nome);
  record.emplace_back("errore");
  return record;
}

// One output row: the inputs as given (defaults where a column is absent), then
// the results or, when the row cannot be computed, empty results and the message.
csv::Record riga_uscita(Terreno terreno, const csv::Record& intestazione, const csv::Record& riga) {
  Testi testi;
  std::string errore;
  if (riga.size() != intestazione.size()) {
    errore = "La riga ha " + std::to_string(riga.size()) + " campi, l'intestazione ne ha " +
             std::to_string(intestazione.size()) + ".";
  } else {
    for (std::size_t i = 0; i < riga.size(); ++i) testi.emplace(intestazione[i], riga[i]);
  }

  csv::Record record;
  for (const Campo& campo : campi(terreno)) {
    const auto it = testi.find(campo.nome);
    record.push_back(it != testi.end() ? it->second : std::string(campo.predefinito.value_or("")));
  }
  std::vector<std::pair<std::string, std::string>> risultati;
  if (errore.empty()) {
    const auto esito = calcola(terreno, testi);
    if (const auto* problema = std::get_if<Problema>(&esito))
      errore = problema->messaggio;
    else
      risultati = std::get<Calcolo>(esito).risultati;
  }
  if (risultati.empty()) {
    for (std::size_t i = 0; i < nomi_risultati(terreno).size(); ++i) record.emplace_back();
  } else {
    for (const auto& risultato : risultati) record.push_back(risultato.second);
  }
  record.push_back(errore);
  return record;
}

int esegui_csv(const Opzioni& o, std::istream& in, std::ostream& out, std::ostream& err) {
  std::string testo;
  if (*o.csv == kStandard) {
    testo.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } else {
    auto contenuto = read_file(*o.csv);
    if (!contenuto.bytes) return fallisce(err, exit_file, contenuto.error);
    testo = std::move(*contenuto.bytes);
  }
  auto letto = csv::parse(testo);
  if (!letto.document) return fallisce(err, exit_uso, letto.error);
  csv::Document documento = std::move(*letto.document);
  // Blanks around a column name are not part of it.
  for (std::string& colonna : documento.header) {
    colonna.erase(0, colonna.find_first_not_of(" \t"));
    colonna.erase(colonna.find_last_not_of(" \t") + 1);
  }
  if (const auto errore = controlla_intestazione(o.terreno, documento.header))
    return fallisce(err, exit_uso, *errore);

  std::string uscita = csv::format_record(intestazione_uscita(o.terreno), documento.separator);
  bool righe_con_errore = false;
  for (const csv::Record& riga : documento.rows) {
    const csv::Record record = riga_uscita(o.terreno, documento.header, riga);
    righe_con_errore = righe_con_errore || !record.back().empty();
    uscita += csv::format_record(record, documento.separator);
  }

  if (o.output && *o.output != kStandard) {
    if (const auto errore = write_file_atomically(*o.output, uscita))
      return fallisce(err, exit_file, *errore);
  } else {
    out << uscita;
    out.flush();
  }
  return righe_con_errore ? exit_dati : exit_ok;
}

}  // namespace

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      out << help_text();
      return exit_ok;
    }
  }
  const auto opzioni = leggi_opzioni(args);
  if (const auto* errore = std::get_if<Errore>(&opzioni))
    return fallisce(err, errore->codice, errore->messaggio);
  const Opzioni& o = std::get<Opzioni>(opzioni);
  return o.csv ? esegui_csv(o, in, out, err) : esegui_singolo(o, out, err);
}

}  // namespace fondara::cli

#include "cli/command.h"

#include <optional>
#include <variant>

#include "cli/batch.h"
#include "cli/fields.h"
#include "cli/message_text.h"
#ifdef FONDARA_PDF
#include "cli/pdf_file.h"
#endif
#include "report/channel_texts.h"
#include "report/file_writer.h"

namespace fondara::cli {
namespace {

// An option either names a file ("--name FILE" or "--name=FILE", "-" for a standard
// stream) or is a flag; exactly one of the two members is set.
struct OptionRule {
  std::string_view name;
  std::optional<std::string> Options::*file;
  bool Options::*flag;
};

const OptionRule kOptionRules[] = {
    {"--report", &Options::report, nullptr}, {"--stampa", nullptr, &Options::print},
    {"--csv", &Options::csv, nullptr},       {"--output", &Options::output, nullptr},
#ifdef FONDARA_PDF
    {"--pdf", &Options::pdf, nullptr},
#endif
};

const OptionRule* find_option(std::string_view name) {
  for (const OptionRule& rule : kOptionRules)
    if (rule.name == name) return &rule;
  return nullptr;
}

std::optional<Terreno> terreno_from_name(std::string_view name) {
  if (name == "coesivi") return Terreno::coesivi;
  if (name == "sciolti") return Terreno::sciolti;
  return std::nullopt;
}

// The file name of an option at args[i]; advances i past a separate value.
std::optional<std::string> option_value(const std::vector<std::string>& args, std::size_t& i,
                                        std::string_view name) {
  const std::string& arg = args[i];
  if (arg.size() > name.size()) return arg.substr(name.size() + 1);
  if (i + 1 >= args.size()) return std::nullopt;
  return args[++i];
}

std::optional<Failure> read_option(const std::vector<std::string>& args, std::size_t& i,
                                   Options& options) {
  const std::string& arg = args[i];
  const std::string name = arg.substr(0, arg.find('='));
  const OptionRule* rule = find_option(name);
  if (!rule || (rule->flag && arg != name))
    return Failure{exit_uso,
                   "Opzione sconosciuta: " + safe_quoted(arg) + " (vedere fondara-calc --help)."};
  if (rule->flag) {
    options.*rule->flag = true;
    return std::nullopt;
  }
  auto value = option_value(args, i, name);
  if (!value || value->empty())
    return Failure{exit_uso, "L'opzione " + name +
                                 " richiede un nome di file (oppure - per i flussi standard)."};
  options.*rule->file = std::move(value);
  return std::nullopt;
}

// The combinations of options that cannot go together.
std::optional<Failure> check_combination(const Options& o) {
  if (o.csv) {
    if (!o.testi.empty())
      return Failure{exit_uso,
                     "Con --csv i dati si leggono dal file CSV: non indicare campi nel comando."};
    if (o.report || o.print || o.pdf)
      return Failure{exit_uso, "Le opzioni --report, --stampa e --pdf non valgono con --csv."};
  } else {
    if (o.output) return Failure{exit_uso, "L'opzione --output vale solo con --csv."};
    if (o.pdf == standard_stream)
      return Failure{exit_uso, "L'opzione --pdf richiede un nome di file."};
    if (o.print && o.report == standard_stream)
      return Failure{exit_uso,
                     "--report - e --stampa scrivono entrambe sullo standard output: usarne una."};
  }
  return std::nullopt;
}

// The printed report's lines as UTF-8 text, one per line.
std::string preview_text(const report::Report& printed) {
  std::string text;
  for (const report::Line& line : report::write_lines(printed)) text += line.text + '\n';
  return text;
}

// Writes `text` to standard output and flushes it: 0 or the errno of the failure.
int write_standard_output(int fd, std::string_view text) {
  files::Output out(fd);
  out.write(text);
  return out.flush() ? 0 : out.error();
}

// One calculation from the command line's fields.
int run_single(const Options& o, const Streams& streams) {
  const auto outcome = calcola(o.terreno, o.testi);
  if (const auto* problema = std::get_if<Problema>(&outcome))
    return fail(streams.err, problema->codice, problema->messaggio);
  const Calcolo& calcolo = std::get<Calcolo>(outcome);

  // Every report is prepared, each version once, before anything is written.
  report::Report file_report;
  report::Report printed;
  for (const auto& [needed, version, into] :
       {std::tuple{o.report.has_value(), report::Version::file, &file_report},
        std::tuple{o.print || o.pdf.has_value(), report::Version::stampa, &printed}}) {
    if (!needed) continue;
    auto result = relazione(calcolo, version);
    if (!result)
      return fail(streams.err, exit_dati, report::report_failure_message(result.failure()));
    *into = *std::move(result);
  }
  std::string file = o.report ? report::file_bytes(file_report) : std::string();
  std::string pdf;
#ifdef FONDARA_PDF
  if (o.pdf) {
    auto bytes = pdfa_bytes(printed, o.terreno);
    if (!bytes) return fail(streams.err, exit_file, report::pdf_error_message);
    pdf = *std::move(bytes);
  }
#endif

  for (const auto& [name, bytes] : {std::pair{o.report, &file}, std::pair{o.pdf, &pdf}}) {
    if (!name || *name == standard_stream) continue;
    if (const int error_number = files::write_file(*name, *bytes))
      return fail(streams.err, exit_file, write_failure(*name, error_number));
  }
  const std::string shown = o.report == standard_stream ? file
                            : o.print                   ? preview_text(printed)
                                                        : testo_risultati(calcolo);
  if (const int error_number = write_standard_output(streams.out, shown))
    return fail(streams.err, exit_file, write_failure(standard_stream, error_number));
  return exit_ok;
}

}  // namespace

std::variant<Options, Failure> read_options(const std::vector<std::string>& args) {
  Options o;
  std::optional<std::string> soil_name;
  std::vector<std::string> assignments;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) == 0) {
      if (auto failure = read_option(args, i, o)) return *failure;
    } else if (arg.find('=') != std::string::npos) {
      assignments.push_back(arg);
    } else if (!soil_name) {
      soil_name = arg;
    } else {
      return Failure{exit_uso,
                     "Argomento non riconosciuto: " + safe_quoted(arg) + " (atteso campo=valore)."};
    }
  }

  if (!soil_name)
    return Failure{exit_uso,
                   "Indicare il tipo di terreno, coesivi o sciolti (vedere fondara-calc --help)."};
  const auto terreno = terreno_from_name(*soil_name);
  if (!terreno)
    return Failure{exit_uso, "Tipo di terreno sconosciuto: " + safe_quoted(*soil_name) +
                                 "; usare coesivi o sciolti."};
  o.terreno = *terreno;

  for (const std::string& assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    const std::string name = assignment.substr(0, equals);
    if (!trova_campo(o.terreno, name))
      return Failure{exit_uso, "Campo sconosciuto per " + *soil_name + ": " + safe_quoted(name) +
                                   " (vedere fondara-calc --help)."};
    if (!o.testi.emplace(name, assignment.substr(equals + 1)).second)
      return Failure{exit_uso, "Il campo " + name + " è indicato due volte."};
  }
  if (auto failure = check_combination(o)) return *failure;
  return o;
}

int run(const std::vector<std::string>& args, const Streams& streams) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      if (const int error_number = write_standard_output(streams.out, help_text()))
        return fail(streams.err, exit_file, write_failure(standard_stream, error_number));
      return exit_ok;
    }
  }
  const auto options = read_options(args);
  if (const auto* failure = std::get_if<Failure>(&options))
    return fail(streams.err, failure->code, failure->message);
  const Options& o = std::get<Options>(options);
  if (o.csv)
    return run_batch(o.terreno, *o.csv, o.output.value_or(std::string(standard_stream)), streams);
  return run_single(o, streams);
}

}  // namespace fondara::cli

#include "cli/command.h"

#include <set>
#include <tuple>

#include "cli/batch.h"
#include "cli/messages.h"
#include "cli/same_file.h"
#include "core/user_text.h"
#include "kinds/kinds.h"
#include "output/file_writer.h"
#include "output/report_text.h"
#ifdef FONDARA_PDF
#include "output/pdfa_file.h"
#endif

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

// The file name of an option at args[i]; advances i past a separate value.
std::optional<std::string> option_value(const std::vector<std::string>& args, std::size_t& i,
                                        std::string_view name) {
  const std::string& arg = args[i];
  if (arg.size() > name.size()) return arg.substr(name.size() + 1);
  if (i + 1 >= args.size()) return std::nullopt;
  return args[++i];
}

std::optional<CommandError> read_option(const std::vector<std::string>& args, std::size_t& i,
                                        Options& options, std::set<std::string>& seen) {
  const std::string& arg = args[i];
  const std::string name = arg.substr(0, arg.find('='));
  const OptionRule* rule = find_option(name);
  if (!rule || (rule->flag && arg != name))
    return CommandError{exit_bad_input, "Opzione sconosciuta: " + safe_quoted(arg) +
                                            " (vedere fondara-calc --help)."};
  // A second value would silently replace the first.
  if (!seen.insert(name).second)
    return CommandError{exit_bad_input, "L'opzione " + name + " è indicata due volte."};
  if (rule->flag) {
    options.*rule->flag = true;
    return std::nullopt;
  }
  auto value = option_value(args, i, name);
  if (!value || value->empty())
    return CommandError{
        exit_bad_input,
        "L'opzione " + name + " richiede un nome di file (oppure - per i flussi standard)."};
  // "--report --stampa" is a forgotten name far more often than a file called so.
  if (value->starts_with("--"))
    return CommandError{exit_bad_input, "L'opzione " + name +
                                            " richiede un nome di file, non un'altra opzione: " +
                                            safe_quoted(*value) +
                                            " (un file con questo nome si indica come ./--nome)."};
  options.*rule->file = std::move(value);
  return std::nullopt;
}

std::string same_file_message() {
  return "--report e --pdf indicano lo stesso file: scrivere le due relazioni in file diversi.";
}

// "--report -", or "--report "/dev/stdout"" for a name that is standard output.
std::string option_and_name(std::string_view option, const std::string& name) {
  return std::string(option) + ' ' + (name == standard_stream ? name : safe_quoted(name));
}

// Two outputs of one command on standard output, where each needs it alone: --stampa, a
// report or a PDF whose name is "-" or the file already open as standard output.
std::optional<CommandError> standard_output_taken_twice(const Options& o, bool report, bool pdf) {
  std::vector<std::string> users;
  if (report) users.push_back(option_and_name("--report", *o.report));
  if (o.print) users.emplace_back("--stampa");
  if (pdf) users.push_back(option_and_name("--pdf", *o.pdf));
  if (users.size() < 2) return std::nullopt;
  return CommandError{exit_bad_input, users[0] + " e " + users[1] +
                                          " scrivono entrambe sullo standard output: usarne una."};
}

// The combinations of options that cannot go together.
std::optional<CommandError> check_combination(const Options& o) {
  if (o.csv) {
    if (!o.texts.empty())
      return CommandError{
          exit_bad_input,
          "Con --csv i dati si leggono dal file CSV: non indicare campi nel comando."};
    if (o.report || o.print || o.pdf)
      return CommandError{exit_bad_input,
                          "Le opzioni --report, --stampa e --pdf non valgono con --csv."};
  } else {
    if (o.output) return CommandError{exit_bad_input, "L'opzione --output vale solo con --csv."};
    if (o.pdf == standard_stream)
      return CommandError{exit_bad_input, "L'opzione --pdf richiede un nome di file."};
    if (o.report && o.report == o.pdf) return CommandError{exit_bad_input, same_file_message()};
    return standard_output_taken_twice(o, o.report == standard_stream, false);
  }
  return std::nullopt;
}

// The printed report's lines as UTF-8 text, one per line.
std::string preview_text(const Report& printed) {
  std::string text;
  for (const output::Line& line : output::write_lines(printed)) text += line.text + '\n';
  return text;
}

// Writes `text` to standard output and flushes it.
output::WriteOutcome write_standard_output(int fd, std::string_view text) {
  output::Output out(fd);
  out.write(text);
  return out.flush();
}

// The bytes of the PDF/A report, or the message of why there are none.
Outcome<std::string, std::string> pdf_bytes([[maybe_unused]] const Report& printed,
                                            [[maybe_unused]] const Kind& kind) {
#ifdef FONDARA_PDF
  return output::pdfa_file(printed, output::report_title(kind.title));
#else
  return Failed{std::string("Questa versione di fondara-calc non scrive file PDF.")};
#endif
}

// Where a report goes: standard output for "-" and for the file already open as standard
// output, which is written through it rather than replaced behind it.
struct Targets {
  bool report_on_standard_output = false;
  bool pdf_on_standard_output = false;
};

Outcome<Targets, CommandError> resolve_targets(const Options& o, int out) {
  const auto on_standard_output = [out](const std::optional<std::string>& name) {
    return name && (*name == standard_stream || is_standard_output(*name, out));
  };
  const Targets targets{on_standard_output(o.report), on_standard_output(o.pdf)};
  if (auto taken = standard_output_taken_twice(o, targets.report_on_standard_output,
                                               targets.pdf_on_standard_output))
    return Failed{*taken};
  if (o.report && o.pdf) {
    const auto report = identity_of(*o.report);
    const auto pdf = identity_of(*o.pdf);
    if (report && pdf && report->same_file(*pdf))
      return Failed{CommandError{exit_bad_input, same_file_message()}};
  }
  return targets;
}

// One calculation from the command line's fields.
int run_single(const Options& o, const Streams& streams) {
  const auto targets = resolve_targets(o, streams.out);
  if (!targets) return exit_with(streams.err, targets.error().code, targets.error().message);
  const CalculationOutcome outcome = o.kind->compute(o.texts, Source::terminal);
  if (!outcome)
    return exit_with(streams.err, exit_code(outcome.error().type), outcome.error().message);
  const Calculation& calculation = *outcome;

  // Every report is prepared, each version once, before anything is written.
  Report file_report;
  Report printed;
  for (const auto& [needed, version, into] :
       {std::tuple{o.report.has_value(), Version::file, &file_report},
        std::tuple{o.print || o.pdf.has_value(), Version::printed, &printed}}) {
    if (!needed) continue;
    auto result = calculation.report(version, calculation.description);
    if (!result)
      return exit_with(streams.err, exit_not_computable, report_failure_message(result.error()));
    *into = *std::move(result);
  }
  std::string file = o.report ? output::file_bytes(file_report) : std::string();
  std::string pdf;
  if (o.pdf) {
    auto bytes = pdf_bytes(printed, *o.kind);
    if (!bytes) return exit_with(streams.err, exit_file, bytes.error());
    pdf = *std::move(bytes);
  }

  for (const auto& [name, on_standard_output, bytes] :
       {std::tuple{o.report, targets->report_on_standard_output, &file},
        std::tuple{o.pdf, targets->pdf_on_standard_output, &pdf}}) {
    if (!name || on_standard_output) continue;
    if (const auto written = output::write_file(*name, *bytes); !written)
      return exit_with(streams.err, exit_file, write_failure(*name, written.error()));
  }
  // Standard output shows the results unless an output took it.
  const std::string shown = targets->report_on_standard_output ? file
                            : targets->pdf_on_standard_output  ? pdf
                            : o.print                          ? preview_text(printed)
                                                               : result_lines(*o.kind, calculation);
  if (const auto written = write_standard_output(streams.out, shown); !written)
    return exit_with(streams.err, exit_file, write_failure(standard_stream, written.error()));
  return exit_ok;
}

}  // namespace

std::string result_lines(const Kind& kind, const Calculation& calculation) {
  std::string text;
  for (std::size_t i = 0; i < kind.results.size() && i < calculation.results.size(); ++i) {
    const ResultField& result = kind.results[i];
    const std::string& value = calculation.results[i];
    if (result.caption.empty() || value.empty()) continue;
    // The window's caption without its trailing blanks, joined to the value by " = "
    // unless it ends in one.
    std::string_view caption = result.caption;
    caption.remove_suffix(caption.size() - (caption.find_last_not_of(' ') + 1));
    text.append(caption).append(caption.ends_with('=') ? " " : " = ").append(value);
    text.append(result.line_unit).push_back('\n');
  }
  return text;
}

Outcome<Options, CommandError> read_options(const std::vector<std::string>& args) {
  Options o;
  std::optional<std::string> kind_name;
  std::vector<std::string> assignments;
  std::set<std::string> seen_options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) == 0) {
      if (auto failure = read_option(args, i, o, seen_options)) return Failed{*failure};
    } else if (arg.find('=') != std::string::npos) {
      assignments.push_back(arg);
    } else if (!kind_name) {
      kind_name = arg;
    } else {
      return Failed{CommandError{exit_bad_input, "Argomento non riconosciuto: " + safe_quoted(arg) +
                                                     " (atteso campo=valore)."}};
    }
  }

  if (!kind_name)
    return Failed{CommandError{exit_bad_input, "Indicare il tipo di calcolo, " + kind_names() +
                                                   " (vedere fondara-calc --help)."}};
  o.kind = find_kind(*kind_name);
  if (o.kind == nullptr)
    return Failed{
        CommandError{exit_bad_input, "Tipo di calcolo sconosciuto: " + safe_quoted(*kind_name) +
                                         "; usare " + kind_names() + "."}};

  for (const std::string& assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    const std::string name = assignment.substr(0, equals);
    if (!find_field(o.kind->fields, name))
      return Failed{CommandError{exit_bad_input, "Campo sconosciuto per " + *kind_name + ": " +
                                                     safe_quoted(name) +
                                                     " (vedere fondara-calc --help)."}};
    if (!o.texts.emplace(name, assignment.substr(equals + 1)).second)
      return Failed{CommandError{exit_bad_input, "Il campo " + name + " è indicato due volte."}};
  }
  if (auto failure = check_combination(o)) return Failed{*failure};
  return o;
}

int run(const std::vector<std::string>& args, const Streams& streams) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      if (const auto written = write_standard_output(streams.out, help_text()); !written)
        return exit_with(streams.err, exit_file, write_failure(standard_stream, written.error()));
      return exit_ok;
    }
  }
  const auto options = read_options(args);
  if (!options) return exit_with(streams.err, options.error().code, options.error().message);
  const Options& o = *options;
  if (o.csv)
    return run_batch(*o.kind, *o.csv, o.output.value_or(std::string(standard_stream)), streams);
  return run_single(o, streams);
}

}  // namespace fondara::cli

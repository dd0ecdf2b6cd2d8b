#include "cli/command.h"

#include <algorithm>
#include <set>

#include "cli/batch.h"
#include "cli/messages.h"
#include "cli/results_table.h"
#include "cli/same_file.h"
#include "core/data_file.h"
#include "core/user_text.h"
#include "kinds/kinds.h"
#include "kinds/open_calculation.h"
#include "output/file_writer.h"
#include "output/report_text.h"
#ifdef FONDARA_PDF
#include "output/pdfa_file.h"
#endif

namespace fondara::cli {
namespace {

// What one calculation can write, once it has completed.
struct Products {
  const Kind& kind;
  const std::string& data;  // the calculation's data file
  const Calculation& calculation;
};

// Takes an output's bytes as they are made.
using Sink = std::function<void(std::string_view bytes)>;
// Done once an output has given all its bytes, or why it could not.
using Made = Outcome<Done, CommandError>;

// An option either names a file ("--name FILE" or "--name=FILE") or is a flag; exactly one
// of the two members is set. An output of one calculation makes its bytes; it goes to its
// file, or to standard output for "-", for the file already open as standard output, and
// for a flag.
struct OptionRule {
  std::string_view name;
  std::optional<std::string> Options::*file;
  bool Options::*flag;
  bool standard_stream;                          // "-" names standard input or output
  Made (*output)(const Products&, const Sink&);  // null: not an output of one calculation
  std::string_view argument;                     // after the name in --help: "FILE", or empty
  std::string_view help;                         // --help's lines, '\n' between them
};

Failed<CommandError> report_failure(Failure cause) {
  return Failed{CommandError{exit_not_computable, report_failure_message(cause)}};
}

// The report file, made part by part.
Made file_report(const Products& p, const Sink& take) {
  const auto made = each_report_part(p.calculation, Version::file, p.calculation.description,
                                     [&take](Report&& part) { take(output::file_bytes(part)); });
  if (!made) return report_failure(made.error());
  return Done{};
}

// The printed report's lines as UTF-8 text, one per line, made part by part.
Made preview(const Products& p, const Sink& take) {
  const auto made = each_report_part(p.calculation, Version::printed, p.calculation.description,
                                     [&take](Report&& part) {
                                       std::string text;
                                       for (const output::Line& line : output::write_lines(part))
                                         if (!line.drawing) text += line.text + '\n';
                                       take(text);
                                     });
  if (!made) return report_failure(made.error());
  return Done{};
}

#ifdef FONDARA_PDF
// A file of a document format, or the message of why there is none.
Made document_file(const Outcome<std::string, std::string>& file, const Sink& take) {
  if (!file) return Failed{CommandError{exit_file, file.error()}};
  take(*file);
  return Done{};
}

// The printed report, or why it cannot be prepared.
Outcome<Report, CommandError> printed_report(const Products& p) {
  auto report = p.calculation.report(Version::printed, p.calculation.description);
  if (!report) return report_failure(report.error());
  return *std::move(report);
}

// The PDF/A report with the calculation's data: the typeset document of a kind that has one,
// else the printed report.
Made pdf_report(const Products& p, const Sink& take) {
  const std::string& data = p.data;
  if (p.calculation.document)
    return document_file(output::pdfa_file(p.calculation.document(p.calculation.description), data),
                         take);
  const auto printed = printed_report(p);
  if (!printed) return Failed{printed.error()};
  return document_file(output::pdfa_file(*printed, output::report_title(p.kind.title), data), take);
}

// The ODT report, its content chosen as the PDF's.
Made odt_report(const Products& p, const Sink& take) {
  if (p.calculation.document)
    return document_file(output::odt_file(p.calculation.document(p.calculation.description)), take);
  const auto printed = printed_report(p);
  if (!printed) return Failed{printed.error()};
  return document_file(output::odt_file(*printed, output::report_title(p.kind.title)), take);
}
#endif

Made data_text(const Products& p, const Sink& take) {
  take(p.data);
  return Done{};
}

// The table of every check, for a kind that makes several, row by row.
Made check_table(const Products& p, const Sink& take) {
  if (!p.calculation.check)
    return Failed{CommandError{exit_bad_input, texts::no_check_table(p.kind.name)}};
  write_check_table(p.kind, p.calculation, take);
  return Done{};
}

// clang-format off
const OptionRule kOptionRules[] = {
    {"--apri", &Options::open, nullptr, false, nullptr, "FILE",
     "legge i dati del calcolo da un file di dati di Fondara (.fondara) o da una\n"
     "relazione PDF/A salvata da Fondara, al posto di TIPO e dei campi"},
    {"--report", &Options::report, nullptr, true, file_report, "FILE",
     "scrive la relazione di calcolo come il pulsante SALVA\n"
     "(Windows-1252, righe CR LF); con - la scrive sullo standard output"},
    {"--stampa", nullptr, &Options::print, false, preview, "",
     "mostra le righe della relazione stampata (STAMPA) come anteprima\n"
     "di testo UTF-8, al posto dei risultati"},
#ifdef FONDARA_PDF
    {"--pdf", &Options::pdf, nullptr, false, pdf_report, "FILE",
     "scrive la relazione stampata, su A4, in un file PDF/A-1b, come\n"
     "SALVA con il tipo \"relazione PDF/A\", con i dati del calcolo"},
    {"--odt", &Options::odt, nullptr, true, odt_report, "FILE",
     "scrive la relazione in un documento ODT da modificare con un\n"
     "programma di videoscrittura, come SALVA con il tipo \"documento ODT\";\n"
     "con - lo scrive sullo standard output"},
#endif
    {"--salva-dati", &Options::data, nullptr, true, data_text, "FILE",
     "scrive il file di dati del calcolo (.fondara), come SALVA con il\n"
     "tipo \"dati del calcolo\"; con - lo scrive sullo standard output"},
    {"--tabella", &Options::table, nullptr, true, check_table, "FILE",
     "(verifica) scrive il CSV di tutte le verifiche, una riga ciascuna:\n"
     "combinazione;origine;condizione; poi le colonne di una riga del CSV\n"
     "dei risultati; con - lo scrive sullo standard output"},
    {"--csv", &Options::csv, nullptr, true, nullptr, "FILE",
     "un calcolo per ogni riga del file CSV; con - legge lo standard input"},
    {"--output", &Options::output, nullptr, true, nullptr, "FILE",
     "dove scrivere il CSV dei risultati; predefinito: standard output"},
};
// clang-format on

const OptionRule* find_option(std::string_view name) {
  for (const OptionRule& rule : kOptionRules)
    if (rule.name == name) return &rule;
  return nullptr;
}

bool given(const Options& o, const OptionRule& rule) {
  return rule.file ? (o.*rule.file).has_value() : o.*rule.flag;
}

// A refusal of the command line: exit status 2 and the message.
Failed<CommandError> bad_input(std::string message) {
  return Failed{CommandError{exit_bad_input, std::move(message)}};
}

// Done, or why the command line is refused.
using Checked = Outcome<Done, CommandError>;

// The file name of an option at args[i]; advances i past a separate value.
std::optional<std::string> option_value(const std::vector<std::string>& args, std::size_t& i,
                                        std::string_view name) {
  const std::string& arg = args[i];
  if (arg.size() > name.size()) return arg.substr(name.size() + 1);
  if (i + 1 >= args.size()) return std::nullopt;
  return args[++i];
}

Checked read_option(const std::vector<std::string>& args, std::size_t& i, Options& options,
                    std::set<std::string>& seen) {
  const std::string& arg = args[i];
  const std::string name = arg.substr(0, arg.find('='));
  const OptionRule* rule = find_option(name);
  if (!rule || (rule->flag && arg != name))
    return bad_input(texts::unknown_option(safe_quoted(arg)));
  // A second value would silently replace the first.
  if (!seen.insert(name).second) return bad_input(texts::option_twice(name));
  if (rule->flag) {
    options.*rule->flag = true;
    return Done{};
  }
  auto value = option_value(args, i, name);
  if (!value || value->empty() || (*value == standard_stream && !rule->standard_stream))
    return bad_input(texts::option_needs_file(name, rule->standard_stream));
  // "--report --stampa" is a forgotten name far more often than a file called so.
  if (value->starts_with("--"))
    return bad_input(texts::option_value_is_option(name, safe_quoted(*value)));
  options.*rule->file = std::move(value);
  return Done{};
}

// "--report -", or "--report "/dev/stdout"" for a name that is standard output.
std::string option_and_name(std::string_view option, const std::string& name) {
  return std::string(option) + ' ' + (name == standard_stream ? name : safe_quoted(name));
}

// Whether an output given goes to standard output: a flag, "-", or a name of the file open
// as standard output `out` (-1: only "-" counts, before the files are looked at).
bool on_standard_output(const Options& o, const OptionRule& rule, int out) {
  if (!rule.file) return true;
  const std::string& name = *(o.*rule.file);
  return name == standard_stream || (out >= 0 && is_standard_output(name, out));
}

// Two outputs of one command on standard output, where each needs it alone.
Checked standard_output_taken_twice(const Options& o, int out) {
  std::vector<std::string> users;
  for (const OptionRule& rule : kOptionRules)
    if (rule.output && given(o, rule) && on_standard_output(o, rule, out))
      users.push_back(rule.file ? option_and_name(rule.name, *(o.*rule.file))
                                : std::string(rule.name));
  if (users.size() < 2) return Done{};
  return bad_input(texts::standard_output_twice(users[0], users[1]));
}

// The outputs given that name files, by their options.
std::vector<const OptionRule*> file_outputs(const Options& o) {
  std::vector<const OptionRule*> outputs;
  for (const OptionRule& rule : kOptionRules)
    if (rule.output && rule.file && given(o, rule) && *(o.*rule.file) != standard_stream)
      outputs.push_back(&rule);
  return outputs;
}

// Two outputs named alike, or (`by_identity`) naming one existing file by two names.
Checked one_file_twice(const Options& o, bool by_identity) {
  const auto outputs = file_outputs(o);
  for (std::size_t i = 0; i < outputs.size(); ++i)
    for (std::size_t j = i + 1; j < outputs.size(); ++j) {
      const std::string& first = *(o.*outputs[i]->file);
      const std::string& second = *(o.*outputs[j]->file);
      const auto same = [&] {
        if (!by_identity) return first == second;
        const auto a = identity_of(first), b = identity_of(second);
        return a && b && a->same_file(*b);
      };
      if (same()) return bad_input(texts::same_file(outputs[i]->name, outputs[j]->name));
    }
  return Done{};
}

// The combinations of options that cannot go together.
Checked check_combination(const Options& o) {
  if (o.csv) {
    if (!o.texts.empty()) return bad_input(std::string(texts::csv_with_fields));
    if (o.report || o.print || o.pdf || o.open || o.data)
      return bad_input(std::string(texts::csv_with_outputs));
    return Done{};
  }
  if (o.output) return bad_input(std::string(texts::output_without_csv));
  if (o.open && !o.texts.empty()) return bad_input(std::string(texts::open_with_fields));
  if (auto twice = one_file_twice(o, false); !twice) return twice;
  return standard_output_taken_twice(o, -1);
}

// The outputs checked against the files as they stand: none twice on standard output, none
// two names of one file, none the file of --apri (not even as standard output), before
// anything is read or written.
Checked check_targets(const Options& o, int out) {
  if (auto alone = standard_output_taken_twice(o, out); !alone) return alone;
  if (auto twice = one_file_twice(o, true); !twice) return twice;
  const auto input = o.open ? identity_of(*o.open) : std::nullopt;
  if (!input) return Done{};
  const auto standard = identity_of(out);
  if (standard && standard->same_file(*input))
    return Failed{CommandError{exit_file, texts::output_is_input("lo standard output")}};
  for (const OptionRule* rule : file_outputs(o))
    if (const auto target = identity_of(*(o.*rule->file)); target && target->same_file(*input))
      return Failed{CommandError{exit_file, texts::output_is_input(rule->name)}};
  return Done{};
}

// Writes `text` to standard output and flushes it.
output::WriteOutcome write_standard_output(int fd, std::string_view text) {
  output::Output out(fd);
  out.write(text);
  return out.flush();
}

// What the calculation is given: the data of the file of --apri, or the fields of the
// command line, typed at the terminal.
Outcome<CalculationData, CommandError> calculation_data(const Options& o) {
  if (!o.open) return single_calculation(*o.kind, Source::terminal, o.texts);
  auto opened = open_calculation(*o.open);
  if (!opened)
    return Failed{CommandError{opened.error().unreadable ? exit_file : exit_bad_input,
                               open_failure_message(safe_quoted(*o.open), opened.error())}};
  return *std::move(opened);
}

// The output given that goes to standard output, if one does (check_targets lets one at most).
const OptionRule* standard_output_taker(const Options& o, int out) {
  for (const OptionRule& rule : kOptionRules)
    if (rule.output && given(o, rule) && on_standard_output(o, rule, out)) return &rule;
  return nullptr;
}

// Makes the outputs given, in the order of the options' table: each that names a file into its
// temporary file, the files then replaced all or none; the one on standard output into `shown`,
// or not at all when `shown` is null (it is streamed after the files).
Made make_outputs(const Options& o, const Products& products, int out, std::string* shown) {
  output::FileSet files;
  std::vector<std::string_view> paths;
  for (const OptionRule& rule : kOptionRules) {
    if (!rule.output || !given(o, rule)) continue;
    if (on_standard_output(o, rule, out)) {
      if (!shown) continue;
      if (auto made = rule.output(products, [shown](std::string_view b) { *shown += b; }); !made)
        return made;
      continue;
    }
    const std::string& path = *(o.*rule.file);
    const auto opened = files.open(path);
    if (!opened) return Failed{CommandError{exit_file, write_failure(path, opened.error())}};
    paths.push_back(path);
    if (auto made = rule.output(products, [&](std::string_view b) { files.write(*opened, b); });
        !made)
      return made;
  }
  if (const auto written = files.commit(); !written)
    return Failed{CommandError{exit_file,
                               write_failure(paths[written.error().index], written.error().error)}};
  return Done{};
}

// One calculation from the command line's fields or the file of --apri.
int run_single(const Options& o, const Streams& streams) {
  if (const auto targets = check_targets(o, streams.out); !targets)
    return exit_with(streams.err, targets.error().code, targets.error().message);
  auto data = calculation_data(o);
  if (!data) return exit_with(streams.err, data.error().code, data.error().message);
  const Kind& kind = *data->kind;
  const CalculationOutcome outcome = kind.calculate(*data);
  if (!outcome) {
    const Problem& problem = outcome.error();
    // A value of the file refused as input names the file and its line.
    const std::string message =
        o.open && problem.type == ProblemType::bad_input
            ? open_failure_message(safe_quoted(*o.open), input_refusal(*data, problem))
            : problem.message;
    return exit_with(streams.err, exit_code(problem.type), message);
  }

  // The data kept as its file's text, the fields released: a file of thousands of combinations
  // holds far more as fields.
  const std::string data_text = data_file_text(*data);
  { const CalculationData released = *std::move(data); }
  const Products products{kind, data_text, *outcome};
  const OptionRule* shown = standard_output_taker(o, streams.out);
  // A kind whose reports come in parts (thousands of checks) streams standard output after the
  // files; another's is made first, so that a failure writes nothing.
  const bool stream_shown = static_cast<bool>(outcome->report_parts);
  std::string shown_bytes;
  if (const auto made =
          make_outputs(o, products, streams.out, stream_shown ? nullptr : &shown_bytes);
      !made)
    return exit_with(streams.err, made.error().code, made.error().message);
  // Standard output shows the results unless an output took it.
  output::Output out(streams.out);
  if (!shown) {
    out.write(result_lines(kind, *outcome));
  } else if (!stream_shown) {
    out.write(shown_bytes);
  } else if (const auto made =
                 shown->output(products, [&out](std::string_view b) { out.write(b); });
             !made) {
    return exit_with(streams.err, made.error().code, made.error().message);
  }
  if (const auto written = out.flush(); !written)
    return exit_with(streams.err, exit_file, write_failure(standard_stream, written.error()));
  // Every check was written; a refused one is a calculation that did not complete.
  return outcome->refused ? exit_not_computable : exit_ok;
}

// The lines of one row of results.
std::string row_lines(const Kind& kind, const std::vector<std::string>& row) {
  std::string text;
  for (std::size_t i = 0; i < kind.results.size() && i < row.size(); ++i) {
    const ResultField& result = kind.results[i];
    const std::string& value = row[i];
    if (result.caption.empty() || value.empty()) continue;
    // The window's caption without its trailing blanks, joined to the value by " = "
    // unless it ends in one or in a colon.
    std::string_view caption = result.caption;
    caption.remove_suffix(caption.size() - (caption.find_last_not_of(' ') + 1));
    const bool joined = caption.ends_with('=') || caption.ends_with(':');
    text.append(caption).append(joined ? " " : " = ").append(value);
    text.append(result.line_unit).push_back('\n');
  }
  return text;
}

}  // namespace

std::string result_lines(const Kind& kind, const Calculation& calculation) {
  if (calculation.checks < 2) return row_lines(kind, calculation.results);
  std::string text;
  for (std::size_t i = 0; i < calculation.checks; ++i) {
    const CheckRow check = calculation.check(i);
    text += (i > 0 ? "\n" : "") + check.title + ":\n" + row_lines(kind, check.results);
  }
  text += '\n';
  for (const std::string& line : calculation.summary) text += line + '\n';
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
      if (auto read = read_option(args, i, o, seen_options); !read) return Failed{read.error()};
    } else if (arg.find('=') != std::string::npos) {
      assignments.push_back(arg);
    } else if (!kind_name) {
      kind_name = arg;
    } else {
      return bad_input(texts::unknown_argument(safe_quoted(arg)));
    }
  }

  if (o.open && !kind_name) {
    if (!assignments.empty()) return bad_input(std::string(texts::open_with_fields));
    if (auto combined = check_combination(o); !combined) return Failed{combined.error()};
    return o;
  }
  if (o.open) return bad_input(std::string(texts::open_with_kind));
  if (!kind_name) return bad_input(texts::kind_missing(kind_names()));
  o.kind = find_kind(*kind_name);
  if (o.kind == nullptr)
    return bad_input(texts::kind_unknown(safe_quoted(*kind_name), kind_names()));

  for (const std::string& assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    const std::string name = assignment.substr(0, equals);
    if (!find_field(o.kind->fields, name))
      return bad_input(texts::field_unknown(*kind_name, safe_quoted(name)));
    if (!o.texts.emplace(name, assignment.substr(equals + 1)).second)
      return bad_input(texts::field_twice(name));
  }
  if (auto combined = check_combination(o); !combined) return Failed{combined.error()};
  return o;
}

std::vector<std::string_view> option_names() {
  std::vector<std::string_view> names;
  for (const OptionRule& rule : kOptionRules) names.push_back(rule.name);
  return names;
}

std::string output_synopsis() {
  std::string text;
  for (const OptionRule& rule : kOptionRules) {
    if (!rule.output) continue;
    text += " [" + std::string(rule.name);
    if (!rule.argument.empty())
      text += ' ' + std::string(rule.argument) + (rule.standard_stream ? "|-" : "");
    text += ']';
  }
  return text;
}

std::string option_lines() {
  std::string text;
  for (const OptionRule& rule : kOptionRules) {
    std::string line = "  " + std::string(rule.name);
    if (!rule.argument.empty()) line += ' ' + std::string(rule.argument);
    line.resize(std::max<std::size_t>(line.size() + 1, 21), ' ');
    std::string_view help = rule.help;
    for (std::size_t end; (end = help.find('\n')) != std::string_view::npos;) {
      text += line + std::string(help.substr(0, end)) + '\n';
      line = std::string(21, ' ');
      help.remove_prefix(end + 1);
    }
    text += line + std::string(help) + '\n';
  }
  return text;
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

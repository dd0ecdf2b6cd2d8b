#include "cli/command.h"

#include <set>
#include <tuple>

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
    {"--apri", &Options::open, nullptr},     {"--salva-dati", &Options::data, nullptr},
    {"--tabella", &Options::table, nullptr},
#ifdef FONDARA_PDF
    {"--pdf", &Options::pdf, nullptr},       {"--odt", &Options::odt, nullptr},
#endif
};

const OptionRule* find_option(std::string_view name) {
  for (const OptionRule& rule : kOptionRules)
    if (rule.name == name) return &rule;
  return nullptr;
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
  if (!value || value->empty()) return bad_input(texts::option_needs_file(name));
  // "--report --stampa" is a forgotten name far more often than a file called so.
  if (value->starts_with("--"))
    return bad_input(texts::option_value_is_option(name, safe_quoted(*value)));
  options.*rule->file = std::move(value);
  return Done{};
}

// The outputs of one calculation that name files, with their options.
std::vector<std::pair<std::string_view, const std::optional<std::string>*>> file_outputs(
    const Options& o) {
  return {{"--report", &o.report},
          {"--pdf", &o.pdf},
          {"--odt", &o.odt},
          {"--salva-dati", &o.data},
          {"--tabella", &o.table}};
}

// "--report -", or "--report "/dev/stdout"" for a name that is standard output.
std::string option_and_name(std::string_view option, const std::string& name) {
  return std::string(option) + ' ' + (name == standard_stream ? name : safe_quoted(name));
}

// Two outputs of one command on standard output, where each needs it alone: --stampa, a
// report or a PDF whose name is "-" or the file already open as standard output.
Checked standard_output_taken_twice(const Options& o, bool report, bool pdf, bool odt, bool data,
                                    bool table) {
  std::vector<std::string> users;
  if (report) users.push_back(option_and_name("--report", *o.report));
  if (o.print) users.emplace_back("--stampa");
  if (pdf) users.push_back(option_and_name("--pdf", *o.pdf));
  if (odt) users.push_back(option_and_name("--odt", *o.odt));
  if (data) users.push_back(option_and_name("--salva-dati", *o.data));
  if (table) users.push_back(option_and_name("--tabella", *o.table));
  if (users.size() < 2) return Done{};
  return bad_input(texts::standard_output_twice(users[0], users[1]));
}

// The combinations of options that cannot go together.
Checked check_combination(const Options& o) {
  if (o.csv) {
    if (!o.texts.empty()) return bad_input(std::string(texts::csv_with_fields));
    if (o.report || o.print || o.pdf || o.odt || o.open || o.data || o.table)
      return bad_input(std::string(texts::csv_with_outputs));
    return Done{};
  }
  if (o.output) return bad_input(std::string(texts::output_without_csv));
  if (o.open && !o.texts.empty()) return bad_input(std::string(texts::open_with_fields));
  if (o.open == standard_stream) return bad_input(texts::option_needs_a_name("--apri"));
  if (o.pdf == standard_stream) return bad_input(texts::option_needs_a_name("--pdf"));
  const auto outputs = file_outputs(o);
  for (std::size_t i = 0; i < outputs.size(); ++i)
    for (std::size_t j = i + 1; j < outputs.size(); ++j)
      if (*outputs[i].second && *outputs[i].second == *outputs[j].second &&
          **outputs[i].second != standard_stream)
        return bad_input(texts::same_file(outputs[i].first, outputs[j].first));
  return standard_output_taken_twice(o, o.report == standard_stream, false,
                                     o.odt == standard_stream, o.data == standard_stream,
                                     o.table == standard_stream);
}

// The printed report's lines as UTF-8 text, one per line.
std::string preview_text(const Report& printed) {
  std::string text;
  for (const output::Line& line : output::write_lines(printed))
    if (!line.drawing) text += line.text + '\n';
  return text;
}

// Writes `text` to standard output and flushes it.
output::WriteOutcome write_standard_output(int fd, std::string_view text) {
  output::Output out(fd);
  out.write(text);
  return out.flush();
}

// The bytes of the PDF/A report with the calculation's data: the typeset document of a kind
// that has one, else the printed report; or the message of why there are none.
Outcome<std::string, std::string> pdf_bytes([[maybe_unused]] const Calculation& calculation,
                                            [[maybe_unused]] const Report& printed,
                                            [[maybe_unused]] const Kind& kind,
                                            [[maybe_unused]] std::string_view data) {
#ifdef FONDARA_PDF
  if (calculation.document)
    return output::pdfa_file(calculation.document(calculation.description), data);
  return output::pdfa_file(printed, output::report_title(kind.title), data);
#else
  return Failed{std::string(texts::no_pdf_here)};
#endif
}

// The bytes of the ODT report, as pdf_bytes chooses its content.
Outcome<std::string, std::string> odt_bytes([[maybe_unused]] const Calculation& calculation,
                                            [[maybe_unused]] const Report& printed,
                                            [[maybe_unused]] const Kind& kind) {
#ifdef FONDARA_PDF
  if (calculation.document) return output::odt_file(calculation.document(calculation.description));
  return output::odt_file(printed, output::report_title(kind.title));
#else
  return Failed{std::string(texts::no_pdf_here)};
#endif
}

// Where a report goes: standard output for "-" and for the file already open as standard
// output, which is written through it rather than replaced behind it.
struct Targets {
  bool report_on_standard_output = false;
  bool pdf_on_standard_output = false;
  bool odt_on_standard_output = false;
  bool data_on_standard_output = false;
  bool table_on_standard_output = false;
};

Outcome<Targets, CommandError> resolve_targets(const Options& o, int out) {
  const auto on_standard_output = [out](const std::optional<std::string>& name) {
    return name && (*name == standard_stream || is_standard_output(*name, out));
  };
  const Targets targets{on_standard_output(o.report), on_standard_output(o.pdf),
                        on_standard_output(o.odt), on_standard_output(o.data),
                        on_standard_output(o.table)};
  if (auto alone = standard_output_taken_twice(
          o, targets.report_on_standard_output, targets.pdf_on_standard_output,
          targets.odt_on_standard_output, targets.data_on_standard_output,
          targets.table_on_standard_output);
      !alone)
    return Failed{alone.error()};
  const auto outputs = file_outputs(o);
  for (std::size_t i = 0; i < outputs.size(); ++i)
    for (std::size_t j = i + 1; j < outputs.size(); ++j) {
      if (!*outputs[i].second || !*outputs[j].second) continue;
      const auto first = identity_of(**outputs[i].second);
      const auto second = identity_of(**outputs[j].second);
      if (first && second && first->same_file(*second))
        return bad_input(texts::same_file(outputs[i].first, outputs[j].first));
    }
  return targets;
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

// One calculation from the command line's fields.
int run_single(const Options& o, const Streams& streams) {
  const auto targets = resolve_targets(o, streams.out);
  if (!targets) return exit_with(streams.err, targets.error().code, targets.error().message);
  const auto data = calculation_data(o);
  if (!data) return exit_with(streams.err, data.error().code, data.error().message);
  const Kind& kind = *data->kind;
  const CalculationOutcome outcome = kind.calculate(*data);
  if (!outcome)
    return exit_with(streams.err, exit_code(outcome.error().type), outcome.error().message);
  const Calculation& calculation = *outcome;

  // Every report is prepared, each version once, before anything is written.
  Report file_report;
  Report printed;
  for (const auto& [needed, version, into] :
       {std::tuple{o.report.has_value(), Version::file, &file_report},
        std::tuple{o.print || o.pdf.has_value() || o.odt.has_value(), Version::printed,
                   &printed}}) {
    if (!needed) continue;
    auto result = calculation.report(version, calculation.description);
    if (!result)
      return exit_with(streams.err, exit_not_computable, report_failure_message(result.error()));
    *into = *std::move(result);
  }
  if (o.table && !calculation.check)
    return exit_with(streams.err, exit_bad_input, texts::no_check_table(kind.name));
  std::string file = o.report ? output::file_bytes(file_report) : std::string();
  std::string table;
  if (o.table)
    write_check_table(kind, calculation, [&table](std::string_view line) { table += line; });
  std::string data_text = data_file_text(*data);
  std::string pdf, odt;
  for (const auto& [needed, bytes, into] :
       {std::tuple{o.pdf.has_value(),
                   o.pdf ? pdf_bytes(calculation, printed, kind, data_text)
                         : Outcome<std::string, std::string>(std::string()),
                   &pdf},
        std::tuple{o.odt.has_value(),
                   o.odt ? odt_bytes(calculation, printed, kind)
                         : Outcome<std::string, std::string>(std::string()),
                   &odt}}) {
    if (!needed) continue;
    if (!bytes) return exit_with(streams.err, exit_file, bytes.error());
    *into = bytes.value();
  }

  for (const auto& [name, on_standard_output, bytes] :
       {std::tuple{o.report, targets->report_on_standard_output, &file},
        std::tuple{o.pdf, targets->pdf_on_standard_output, &pdf},
        std::tuple{o.odt, targets->odt_on_standard_output, &odt},
        std::tuple{o.data, targets->data_on_standard_output, &data_text},
        std::tuple{o.table, targets->table_on_standard_output, &table}}) {
    if (!name || on_standard_output) continue;
    if (const auto written = output::write_file(*name, *bytes); !written)
      return exit_with(streams.err, exit_file, write_failure(*name, written.error()));
  }
  // Standard output shows the results unless an output took it.
  const std::string shown = targets->report_on_standard_output  ? file
                            : targets->pdf_on_standard_output   ? pdf
                            : targets->odt_on_standard_output   ? odt
                            : targets->data_on_standard_output  ? data_text
                            : targets->table_on_standard_output ? table
                            : o.print                           ? preview_text(printed)
                                                                : result_lines(kind, calculation);
  if (const auto written = write_standard_output(streams.out, shown); !written)
    return exit_with(streams.err, exit_file, write_failure(standard_stream, written.error()));
  // Every check was written; a refused one is a calculation that did not complete.
  return calculation.refused ? exit_not_computable : exit_ok;
}

}  // namespace

namespace {

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

#include "kinds/open_calculation.h"

#include "core/messages.h"
#include "kinds/kinds.h"
#include "output/file_reader.h"
#include "output/pdf_metadata.h"

namespace fondara {

namespace {

std::string pdf_failure_cause(output::PdfDataFailure failure) {
  switch (failure) {
    case output::PdfDataFailure::unreadable:
      return std::string(messages::pdf_unreadable);
    case output::PdfDataFailure::password:
      return std::string(messages::pdf_password);
    case output::PdfDataFailure::too_large:
      return messages::pdf_metadata_too_large(output::kMetadataMaxBytes / (1024 * 1024));
    case output::PdfDataFailure::without_data:
      break;
  }
  return std::string(messages::pdf_without_data);
}

}  // namespace

Outcome<CalculationData, DataFileError> open_calculation(const std::string& path) {
  // A PDF may be far larger than its data: the data file's own limit holds for the data.
  const output::ReadOutcome bytes = output::read_file(path, output::kPdfMaxBytes);
  if (!bytes) return Failed{DataFileError{bytes.error().cause, 0, !bytes.error().too_large}};
  if (!bytes->starts_with("%PDF-")) return read_data_file(*bytes, kinds());
  const auto data = output::calculation_data(*bytes);
  if (!data) return Failed{DataFileError{pdf_failure_cause(data.error()), 0}};
  return read_data_file(*data, kinds());
}

DataFileError input_refusal(const CalculationData& data, const Problem& problem) {
  // A kind's message as the cause after "Impossibile aprire il file ...: ".
  std::string cause = problem.message;
  if (!cause.empty() && cause.front() >= 'A' && cause.front() <= 'Z')
    cause.front() = static_cast<char>(cause.front() - 'A' + 'a');
  if (cause.ends_with('.')) cause.pop_back();
  return {std::move(cause), line_of(data, problem.field, problem.combination, problem.action)};
}

std::string open_failure_message(std::string_view quoted_name, const DataFileError& error) {
  return messages::open_failure(quoted_name, error.cause, error.line);
}

}  // namespace fondara

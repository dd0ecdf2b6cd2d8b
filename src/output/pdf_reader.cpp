#include "output/pdf_reader.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <utility>

namespace fondara::output {
namespace {

// A text sink that stops a stream's decoding past `limit` bytes: a small compressed stream
// can decode to gigabytes.
class BoundedText final : public Pipeline {
 public:
  explicit BoundedText(std::size_t limit) : Pipeline("metadati", nullptr), limit_(limit) {}
  struct Exceeded {};

  void write(unsigned char const* data, std::size_t length) override {
    if (length > limit_ - text_.size()) {
      exceeded_ = true;
      throw Exceeded{};
    }
    text_.append(reinterpret_cast<const char*>(data), length);
  }
  void finish() override {}

  std::string& text() { return text_; }
  bool exceeded() const { return exceeded_; }

 private:
  std::size_t limit_;
  std::string text_;
  bool exceeded_ = false;
};

}  // namespace

Outcome<std::string, PdfDataFailure> metadata_text(std::string_view pdf) {
  BoundedText sink(kMetadataMaxBytes);
  try {
    QPDF document;
    document.setSuppressWarnings(true);
    document.processMemoryFile("PDF", pdf.data(), pdf.size());
    QPDFObjectHandle metadata = document.getRoot().getKey("/Metadata");
    if (!metadata.isStream()) return Failed{PdfDataFailure::without_data};
    bool decoded = false;
    const bool piped = metadata.pipeStreamData(&sink, &decoded, 0, qpdf_dl_generalized, true);
    // Undecodable data is not text to search.
    if (!piped || (!decoded && !metadata.getDict().getKey("/Filter").isNull()))
      return Failed{sink.exceeded() ? PdfDataFailure::too_large : PdfDataFailure::without_data};
  } catch (const QPDFExc& failure) {
    return Failed{failure.getErrorCode() == qpdf_e_password ? PdfDataFailure::password
                                                            : PdfDataFailure::unreadable};
  } catch (...) {
    // libqpdf's other exceptions (std::logic_error, std::runtime_error), and our bound.
    return Failed{sink.exceeded() ? PdfDataFailure::too_large : PdfDataFailure::unreadable};
  }
  return std::move(sink.text());
}

}  // namespace fondara::output

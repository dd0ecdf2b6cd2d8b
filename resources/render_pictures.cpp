// Renders the pictures of the windows at build time into pixel tables compiled into the
// program, so that its start reads no SVG and no image file: no SVG renderer, no image
// format plugin, no decoding.
//
//   fondara_render_pictures OUTPUT.h OUTPUT.cpp NAME=FILE:KIND:SIZE[,SIZE...] ...
//
// KIND says how the picture is drawn, the same way the toolkit would draw it at run time:
//   icon   an SVG on a transparent background, premultiplied (as an SVG icon is rendered)
//   white  an SVG on white, opaque (as a pixmap filled with white and painted on)
//   png    a PNG read as it is, straight alpha (as a PNG file is loaded)
// A SIZE is WIDTHxHEIGHT in pixels; the whole drawing fills each size, so twice a picture's
// own size is that picture at pixel ratio 2.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <QTextStream>
#include <cstdio>
#include <optional>

namespace {

struct Request {
  QString name;
  QString file;
  QString kind;
  QList<QSize> sizes;
};

std::optional<QSize> read_size(const QString& text) {
  const QStringList parts = text.split(QLatin1Char('x'));
  bool width_ok = false;
  bool height_ok = false;
  const QSize size =
      parts.size() == 2 ? QSize(parts[0].toInt(&width_ok), parts[1].toInt(&height_ok)) : QSize();
  if (!width_ok || !height_ok || size.isEmpty()) return std::nullopt;
  return size;
}

std::optional<Request> read_request(const QString& argument) {
  const qsizetype equals = argument.indexOf(QLatin1Char('='));
  const QStringList parts = argument.mid(equals + 1).split(QLatin1Char(':'));
  if (equals <= 0 || parts.size() != 3) return std::nullopt;
  Request request{argument.left(equals), parts[0], parts[1], {}};
  for (const QString& text : parts[2].split(QLatin1Char(','))) {
    const auto size = read_size(text);
    if (!size) return std::nullopt;
    request.sizes.append(*size);
  }
  return request;
}

// The whole drawing fills the image: at twice the picture's own size it is the drawing at
// pixel ratio 2.
QImage render_svg(QSvgRenderer& renderer, QSize size, QImage::Format format, const QColor& fill) {
  QImage image(size, format);
  image.fill(fill);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  return image;
}

// The images of one request, or an empty list with a message on standard error.
QList<QImage> draw(const Request& request) {
  QList<QImage> images;
  if (request.kind == QLatin1String("png")) {
    const QImage image = QImage(request.file).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull() || request.sizes.size() != 1 || image.size() != request.sizes[0]) {
      std::fprintf(stderr, "immagine PNG non leggibile o di altre misure: %s\n",
                   qPrintable(request.file));
      return {};
    }
    return {image};
  }
  QSvgRenderer renderer(request.file);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "immagine SVG non leggibile: %s\n", qPrintable(request.file));
    return {};
  }
  for (const QSize size : request.sizes) {
    if (request.kind == QLatin1String("icon"))
      images.append(
          render_svg(renderer, size, QImage::Format_ARGB32_Premultiplied, Qt::transparent));
    else if (request.kind == QLatin1String("white"))
      images.append(render_svg(renderer, size, QImage::Format_RGB32, Qt::white));
  }
  if (images.size() != request.sizes.size())
    std::fprintf(stderr, "tipo di disegno sconosciuto: %s\n", qPrintable(request.kind));
  return images.size() == request.sizes.size() ? images : QList<QImage>{};
}

const char* format_name(QImage::Format format) {
  switch (format) {
    case QImage::Format_ARGB32_Premultiplied:
      return "QImage::Format_ARGB32_Premultiplied";
    case QImage::Format_RGB32:
      return "QImage::Format_RGB32";
    default:
      return "QImage::Format_ARGB32";
  }
}

void write_pixels(QTextStream& out, const QString& array, const QImage& image) {
  out << "const std::uint32_t " << array << "[] = {";
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((y * image.width() + x) % 8 == 0) out << "\n   ";
      out << " 0x" << QString::number(line[x], 16).rightJustified(8, QLatin1Char('0')) << ',';
    }
  }
  out << "\n};\n";
}

bool write_file(const QString& path, const QString& text) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
      file.write(text.toUtf8()) == text.toUtf8().size() && file.flush())
    return true;
  std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() < 4) {
    std::fprintf(stderr,
                 "uso: fondara_render_pictures <uscita.h> <uscita.cpp> "
                 "NOME=FILE:TIPO:LxA[,LxA...] ...\n");
    return 2;
  }
  QString header;
  QString source;
  QTextStream h(&header);
  QTextStream cpp(&source);
  const char* const banner =
      "// Generated by fondara_render_pictures from resources/; do not edit.\n";
  h << banner << "#pragma once\n\n#include <QImage>\n#include <cstdint>\n\n"
    << "namespace fondara::picture_data {\n\n"
    << "struct Picture {\n  int width;\n  int height;\n  QImage::Format format;\n"
    << "  const std::uint32_t* pixels;\n};\n\n";
  cpp << banner << "#include \"picture_data.h\"\n\nnamespace fondara::picture_data {\n"
      << "namespace {\n\n";
  QString tables;
  QTextStream t(&tables);
  for (const QString& argument : args.mid(3)) {
    const auto request = read_request(argument);
    if (!request) {
      std::fprintf(stderr, "richiesta non valida: %s\n", qPrintable(argument));
      return 2;
    }
    const QList<QImage> images = draw(*request);
    if (images.isEmpty()) return 1;
    h << "extern const Picture " << request->name << '[' << images.size() << "];\n";
    t << "const Picture " << request->name << '[' << images.size() << "] = {\n";
    for (qsizetype i = 0; i < images.size(); ++i) {
      const QString array = request->name + QLatin1Char('_') + QString::number(i);
      write_pixels(cpp, array, images[i]);
      t << "    {" << images[i].width() << ", " << images[i].height() << ", "
        << format_name(images[i].format()) << ", " << array << "},\n";
    }
    t << "};\n";
  }
  h << "\n}  // namespace fondara::picture_data\n";
  cpp << "\n}  // namespace\n\n" << tables << "\n}  // namespace fondara::picture_data\n";
  h.flush();
  cpp.flush();
  return write_file(args[1], header) && write_file(args[2], source) ? 0 : 1;
}

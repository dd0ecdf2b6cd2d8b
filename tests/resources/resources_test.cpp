// The drawings in resources/ (compiled into this test under :/fondara/): of the sizes the
// windows need, the drawing sharp at 100 % and 200 %, the cursor's fingertip on its hot spot
// (12, 1), the committed cursor PNG drawn from its SVG; and the pictures that the program
// shows, built into it from these drawings, equal to them.

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <algorithm>
#include <cstdlib>

#include "app/pictures.h"

namespace {

QImage render(const QString& path, QSize size, const QColor& background = Qt::transparent) {
  QSvgRenderer renderer(path);
  QImage image(size, QImage::Format_ARGB32);
  image.fill(background);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  return image;
}

bool is_green(QColor c) {
  return c.green() > c.red() + 40 && c.green() > c.blue() + 40;
}
bool is_yellow(QColor c) {
  return c.red() > 200 && c.green() > 180 && c.blue() < 120;
}
bool is_blue(QColor c) {
  return c.blue() > 150 && c.red() < 100 && c.green() < 130;
}

// Backfill, column outline and column fill of the drawing, as written in sezione.svg.
const QColor backfill(0xf3, 0xe6, 0xb4);
const QColor footing_outline(0x14, 0x5a, 0x22);
const QColor footing_fill(0x2e, 0xa0, 0x43);

}  // namespace

class ResourcesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void built_in_pictures_are_the_drawings() {
    const auto argb = [](QImage image) {
      image.setDevicePixelRatio(1);
      return image.convertToFormat(QImage::Format_ARGB32);
    };
    // At the screen's pixel ratio: 1, and 2 in the run with QT_SCALE_FACTOR=2.
    const QPixmap drawing = fondara::app::sezione_fondazione();
    QCOMPARE(drawing.deviceIndependentSize(), QSizeF(113, 130));
    QCOMPARE(argb(drawing.toImage()), render(":/fondara/sezione.svg", drawing.size(), Qt::white));
    // The sizes handed to the window manager for the title bar and the task bar.
    const QList<QSize> sizes{{16, 16}, {32, 32}, {64, 64}, {128, 128}};
    QCOMPARE(fondara::app::icona_principale().availableSizes(), sizes);
    QCOMPARE(fondara::app::icona_calcolo().availableSizes(), sizes);
    QCOMPARE(argb(fondara::app::icona_principale().pixmap(QSize(64, 64), 1).toImage()),
             render(":/fondara/icona-principale.svg", QSize(64, 64)));
    QCOMPARE(argb(fondara::app::icona_calcolo().pixmap(QSize(16, 16), 1).toImage()),
             render(":/fondara/icona-calcolo.svg", QSize(16, 16)));
    QCOMPARE(argb(fondara::app::mano().pixmap().toImage()), argb(QImage(":/fondara/mano.png")));
  }

  void every_picture_is_registered_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("start window icon") << ":/fondara/icona-principale.svg";
    QTest::newRow("calculation window icon") << ":/fondara/icona-calcolo.svg";
    QTest::newRow("foundation drawing") << ":/fondara/sezione.svg";
    QTest::newRow("cursor picture") << ":/fondara/mano.png";
    QTest::newRow("cursor drawing") << ":/fondara/mano.svg";
  }
  void every_picture_is_registered() {
    QFETCH(QString, path);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    if (path.endsWith(".svg")) QVERIFY(QSvgRenderer(path).isValid());
  }

  void drawing_is_113_by_130_pixels() {
    QSvgRenderer renderer(QStringLiteral(":/fondara/sezione.svg"));
    QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 113, 130));
    QCOMPARE(renderer.defaultSize(), QSize(113, 130));
  }

  void drawing_shows_a_green_footing_on_white() {
    const QImage image = render(":/fondara/sezione.svg", QSize(113, 130));
    QCOMPARE(image.pixelColor(1, 1), QColor(Qt::white));
    QCOMPARE(image.pixelColor(111, 1), QColor(Qt::white));
    QVERIFY(is_green(image.pixelColor(57, 40)));  // column
    QVERIFY(is_green(image.pixelColor(40, 68)));  // base slab
  }

  // A line off the pixel grid blends into its neighbours; across the column's left edge every
  // pixel must be exactly backfill, outline or fill at both scales.
  void drawing_edges_are_sharp_data() {
    QTest::addColumn<int>("scale");
    QTest::newRow("100 %") << 1;
    QTest::newRow("200 %") << 2;
  }
  void drawing_edges_are_sharp() {
    QFETCH(int, scale);
    const QImage image = render(":/fondara/sezione.svg", QSize(113, 130) * scale);
    const int y = 40 * scale;
    int outline_pixels = 0;
    for (int x = 44 * scale; x < 56 * scale; ++x) {
      const QColor c = image.pixelColor(x, y);
      QVERIFY2(c == backfill || c == footing_outline || c == footing_fill,
               qPrintable(QStringLiteral("pixel %1 is %2").arg(x).arg(c.name())));
      if (c == footing_outline) ++outline_pixels;
    }
    QCOMPARE(outline_pixels, scale);
  }

  // The words and symbols are drawn: the band of "terreno fondazione" holds dark pixels.
  void drawing_has_its_words() {
    const QImage image = render(":/fondara/sezione.svg", QSize(113, 130));
    int dark = 0;
    for (int y = 110; y < 122; ++y)
      for (int x = 10; x < 103; ++x)
        if (image.pixelColor(x, y).lightness() < 80) ++dark;
    QVERIFY2(dark > 60, qPrintable(QString::number(dark)));
  }

  void icons_show_a_yellow_block_on_a_green_base_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("start window") << ":/fondara/icona-principale.svg";
    QTest::newRow("calculation windows") << ":/fondara/icona-calcolo.svg";
  }
  void icons_show_a_yellow_block_on_a_green_base() {
    QFETCH(QString, path);
    QSvgRenderer renderer(path);
    QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 32, 32));
    const QImage image = render(path, QSize(32, 32));
    QVERIFY(is_yellow(image.pixelColor(13, 16)));
    QVERIFY(is_green(image.pixelColor(12, 27)));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
  }

  void the_two_icons_differ() {
    QVERIFY(render(":/fondara/icona-principale.svg", QSize(32, 32)) !=
            render(":/fondara/icona-calcolo.svg", QSize(32, 32)));
  }

  void cursor_is_32_by_32_with_transparent_background() {
    const QImage cursor(QStringLiteral(":/fondara/mano.png"));
    QCOMPARE(cursor.size(), QSize(32, 32));
    QVERIFY(cursor.hasAlphaChannel());
    QCOMPARE(cursor.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(cursor.pixelColor(31, 0).alpha(), 0);
    QCOMPARE(cursor.pixelColor(0, 31).alpha(), 0);
    QCOMPARE(cursor.pixelColor(31, 31).alpha(), 0);
  }

  // Hot spot (12, 1): the fingertip is the topmost point of the hand, centred on column 12.
  void cursor_fingertip_is_on_the_hot_spot() {
    const QImage cursor(QStringLiteral(":/fondara/mano.png"));
    for (int x = 0; x < 32; ++x) QCOMPARE(cursor.pixelColor(x, 0).alpha(), 0);
    QVERIFY(cursor.pixelColor(12, 1).alpha() >= 192);
    int left = 32;
    int right = -1;
    for (int x = 0; x < 32; ++x) {
      if (cursor.pixelColor(x, 1).alpha() >= 128) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    QCOMPARE(left + right, 2 * 12);
  }

  void cursor_is_a_white_hand_with_a_blue_cuff() {
    const QImage cursor(QStringLiteral(":/fondara/mano.png"));
    int white = 0;
    int blue = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QColor c = cursor.pixelColor(x, y);
        if (c.alpha() < 255) continue;
        if (c == QColor(Qt::white) && y < 25) ++white;
        if (is_blue(c) && y >= 25) ++blue;
      }
    }
    QVERIFY2(white > 150, qPrintable(QString::number(white)));
    QVERIFY2(blue > 40, qPrintable(QString::number(blue)));
  }

  // mano.png is committed; after a change of mano.svg it must be drawn again.
  void cursor_picture_matches_its_drawing() {
    const QImage committed =
        QImage(QStringLiteral(":/fondara/mano.png")).convertToFormat(QImage::Format_ARGB32);
    const QImage drawn = render(":/fondara/mano.svg", QSize(32, 32));
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QColor a = committed.pixelColor(x, y);
        const QColor b = drawn.pixelColor(x, y);
        const int difference =
            std::max({std::abs(a.alpha() - b.alpha()),
                      std::abs(a.red() - b.red()) * std::min(a.alpha(), b.alpha()) / 255,
                      std::abs(a.blue() - b.blue()) * std::min(a.alpha(), b.alpha()) / 255});
        QVERIFY2(difference <= 24, qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
      }
    }
  }
};

QTEST_MAIN(ResourcesTest)
#include "resources_test.moc"

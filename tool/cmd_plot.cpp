// plot: the map pane's picture of a list, as an SVG, PNG or PDF file.
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <memory>

#include "map/MapDraw.h"
#include "map/cTileCache.h"
#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"

namespace {
constexpr int kDefaultW = 1600, kDefaultH = 1200;
constexpr double kMargin_px = 40;
// The tiles get this long in all, so that a silent server still lets the plot end within 20 s.
constexpr int kTileBudget_ms = 14000;
constexpr int kPdfDpi = 120;
const char* const kDefaultAttribution = "© OpenStreetMap contributors";

// Waits for the view's tiles until they are all in or the budget is spent; warns on stderr for
// those that did not come.
void Fetch_Tiles(cTileCache& tiles, const cMapView& view) {
  QEventLoop loop;
  QTimer budget;
  budget.setSingleShot(true);
  QObject::connect(&budget, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(&tiles, &cTileCache::Idle, &loop, &QEventLoop::quit);
  const std::vector<cTilePlace> places = MapTiles::For_View(view);
  std::vector<cTileKey> keys;
  for (const cTilePlace& p : places) keys.push_back(p.key);
  tiles.Want(keys);
  if (tiles.Pending() > 0) {
    budget.start(kTileBudget_ms);
    loop.exec();
  }
  const int missing = tiles.Pending() + tiles.Failures();
  tiles.Cancel_All();
  if (missing > 0) {
    ToolUtil::Error(QStringLiteral("warning: %1 of %2 tile(s) did not come (%3); the plot has no "
                                   "base map there")
                        .arg(missing)
                        .arg(keys.size())
                        .arg(tiles.Last_Error().isEmpty() ? QStringLiteral("no answer in time")
                                                          : tiles.Last_Error()));
  }
}

bool Parse_Size(const QString& text, QSize& size) {
  static const QRegularExpression re(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
  const QRegularExpressionMatch m = re.match(text.trimmed());
  if (!m.hasMatch()) return false;
  size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
  return size.width() >= 16 && size.height() >= 16 && size.width() <= 20000 &&
         size.height() <= 20000;
}
}  // namespace

// plot [--latlon | --itm] [--true-datum] [--pick P] [--size WxH] [--no-labels] [--tiles URL]
// [--attribution TEXT] FILE OUT
int Cmd_Plot(const cToolArgs& args) {
  if (args.files.size() != 2)
    return args.Usage(QStringLiteral("give FILE and OUT (.svg, .png or .pdf)"));
  if (args.Is_Set("latlon") && args.Is_Set("itm"))
    return args.Usage(QStringLiteral("give --latlon or --itm, not both"));
  const QString out = args.files[1];
  const QString kind = QFileInfo(out).suffix().toLower();
  if (kind != QLatin1String("svg") && kind != QLatin1String("png") && kind != QLatin1String("pdf"))
    return args.Usage(
        QStringLiteral("%1: the output name must end in .svg, .png or .pdf").arg(out));
  QSize size(kDefaultW, kDefaultH);
  if (args.Is_Set("size") && !Parse_Size(args.Value("size"), size))
    return args.Usage(QStringLiteral("bad value '%1' for --size (WxH, 16 to 20000 pixels each)")
                          .arg(args.Value("size")));
  const QString url = args.Value("tiles");
  const QString scheme = QUrl(url).scheme();
  if (args.Is_Set("tiles") && scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
      scheme != QLatin1String("file"))
    return args.Usage(
        QStringLiteral("--tiles needs an http, https or file URL with {z}, {x}, {y}"));
  if (args.Is_Set("itm") && !ToolUtil::Proj_Ready()) return 1;
  cVQPoints points;
  if (!ToolUtil::Load(args.files[0], points, args.Value("pick"), args.Is_Set("true-datum")))
    return 1;
  const int coorSys = args.Is_Set("latlon") ? 0 : args.Is_Set("itm") ? 2 : 1;
  points.Set_CoorSys(qint16(coorSys));

  QSaveFile file(out);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    ToolUtil::Error(QStringLiteral("%1: cannot write: %2").arg(out, file.errorString()));
    return 1;
  }
  QImage image;
  QSvgGenerator svg;
  std::unique_ptr<QPdfWriter> pdf;
  if (kind == QLatin1String("png")) {
    image = QImage(size, QImage::Format_ARGB32_Premultiplied);
  } else if (kind == QLatin1String("svg")) {
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(points.Title);
  } else {
    pdf = std::make_unique<QPdfWriter>(&file);
    pdf->setTitle(points.Title);
    pdf->setCreator(QStringLiteral("VQ"));
    if (args.Is_Set("size")) {
      pdf->setResolution(72);  // one image pixel is one point
      pdf->setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    } else {
      pdf->setResolution(kPdfDpi);
      pdf->setPageSize(QPageSize(QPageSize::A4));
      pdf->setPageOrientation(QPageLayout::Landscape);
    }
    pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
    size = QSize(pdf->width(), pdf->height());
  }

  cMapScene scene;
  cMapStyle style;
  style.grid = MapPlane::Grid_Of(coorSys, points.Datum());
  style.labels = !args.Is_Set("no-labels");
  scene.Build(points, args.Is_Set("tiles") ? cPlane::Mercator : style.grid);
  cMapView view;
  view.size = size;
  view.Fit(scene.Bounds(), kMargin_px);
  std::unique_ptr<cTileCache> tiles;
  if (args.Is_Set("tiles")) {
    tiles = std::make_unique<cTileCache>();
    tiles->Set_Template(url);
    Fetch_Tiles(*tiles, view);
    style.tile = [&tiles](const cTileKey& k) { return tiles->Image(k); };
    style.attribution = args.Is_Set("attribution") ? args.Value("attribution")
                                                   : QString::fromUtf8(kDefaultAttribution);
  }
  QPainter painter;
  const bool began = kind == QLatin1String("png")   ? painter.begin(&image)
                     : kind == QLatin1String("svg") ? painter.begin(&svg)
                                                    : painter.begin(pdf.get());
  if (began) {
    MapDraw::Draw(painter, scene, view, style);
    painter.end();
  }
  const bool written = began && (kind != QLatin1String("png") || image.save(&file, "PNG")) &&
                       file.error() == QFileDevice::NoError && file.commit();
  if (!written) {
    ToolUtil::Error(QStringLiteral("%1: cannot write: %2").arg(out, file.errorString()));
    return 1;
  }
  std::fprintf(stderr, "%d point(s) plotted to %s\n", points.Count(),
               out.toLocal8Bit().constData());
  return 0;
}

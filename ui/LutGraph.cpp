#include "ui/LutGraph.h"

#include <QtGui/QPainter>
#include <array>

namespace vistrel {
namespace {

constexpr int kFrameOuter = 260;
constexpr int kGridDivisions = 10;
constexpr int kPointRadius = 4;
constexpr int kLinePenWidth = 2;
const QColor kGridColour(100, 50, 100);
const std::array<QColor, kLutChannels> kLineColours{QColor(255, 0, 0), QColor(0, 255, 0),
                                                    QColor(0, 0, 255)};

}  // namespace

LutGraph::LutGraph(LutCurve& curve, int channel, QWidget* parent)
    : QFrame(parent), curve_(curve), channel_(channel) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth((kFrameOuter - LutCurve::kGraphSize) / 2);
  setFixedSize(kFrameOuter, kFrameOuter);
  setAutoFillBackground(true);
  setPalette(QPalette(Qt::white));
  // The editor window follows the mouse over the graph itself.
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LutGraph::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  ++paints_;
  QPainter painter(this);
  painter.translate(contentsRect().topLeft());
  const int w = contentsRect().width();
  const int h = contentsRect().height();
  const QPen gridPen(kGridColour, 1, Qt::SolidLine);
  painter.setPen(gridPen);
  const int s = w / kGridDivisions;
  const int t = h / kGridDivisions;
  for (int x = 0; s > 0 && x < w; x += s)
    painter.drawLine(x, 0, x, h);
  for (int y = h - 1; t > 0 && y >= 0; y -= t)
    painter.drawLine(0, y, w, y);

  if (curve_.InEditMode()) {
    for (int i = 0; i < curve_.PointCount(); ++i) {
      if (!curve_.Live(i))
        continue;
      const LutCurve::Point p = curve_.PointAt(i);
      painter.drawEllipse(QRect(QPoint(p.x - kPointRadius, p.y - kPointRadius),
                                QPoint(p.x + kPointRadius, p.y + kPointRadius)));
    }
    curve_.ComputeTableFromCurve();
  }

  painter.setPen(QPen(kLineColours[static_cast<size_t>(channel_)], kLinePenWidth, Qt::SolidLine));
  const std::vector<LutCurve::Point> line = curve_.LinePoints();
  for (size_t i = 1; i < line.size(); ++i)
    painter.drawLine(line[i - 1].x, line[i - 1].y, line[i].x, line[i].y);
}

}  // namespace vistrel

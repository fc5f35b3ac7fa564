#include "views/check/navmap_view.h"

#include <QGraphicsPathItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>

#include "check/navmap_layout.h"
#include "views/common/text.h"

namespace mirdal::gui {

namespace {

QPointF point(const mirdal::MapPoint& p) { return {p.x, p.y}; }

// Entries and menus stand out from the objects and files between them.
QColor fillOf(mirdal::NodeKind k) {
  using K = mirdal::NodeKind;
  switch (k) {
    case K::FirstPlayback:
    case K::TopMenu:
    case K::Title: return QColor(0xdd, 0xea, 0xf7);
    case K::Object:
    case K::BdjObject: return QColor(0xfd, 0xf1, 0xd6);
    case K::Playlist:
    case K::Clip: return QColor(0xe4, 0xf2, 0xe0);
    case K::Menu:
    case K::Page:
    case K::Button: return QColor(0xf2, 0xe2, 0xf2);
  }
  return Qt::white;
}

}  // namespace

NavmapView::NavmapView(QWidget* parent) : QGraphicsView(parent) {
  setObjectName("gvNavMap");
  setScene(new QGraphicsScene(this));
  setRenderHint(QPainter::Antialiasing);
  setDragMode(QGraphicsView::ScrollHandDrag);
  setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void NavmapView::setGraph(const mirdal::NavGraph& graph) {
  graph_ = graph;
  QGraphicsScene* s = scene();
  s->clear();
  boxes_.clear();
  const mirdal::NavLayout layout = mirdal::layoutNavGraph(graph_);
  // Edges first, so that the boxes cover their ends.
  for (std::size_t i = 0; i < graph_.edges.size() && i < layout.curves.size(); ++i) {
    const mirdal::EdgeCurve& c = layout.curves[i];
    QPainterPath path(point(c.from));
    path.cubicTo(point(c.control1), point(c.control2), point(c.to));
    const bool live = graph_.nodes[graph_.edges[i].from].reachable;
    auto* item = s->addPath(path, QPen(live ? QColor(0x50, 0x60, 0x70) : QColor(0xb0, 0xb0, 0xb0), 1));
    if (!graph_.edges[i].label.empty()) item->setToolTip(messageText(graph_.edges[i].label));
  }
  for (std::size_t i = 0; i < graph_.nodes.size() && i < layout.boxes.size(); ++i) {
    const mirdal::NavNode& n = graph_.nodes[i];
    const mirdal::NodeBox& b = layout.boxes[i];
    const QRectF r(b.x, b.y, b.width, b.height);
    boxes_.push_back(r);
    auto* box = s->addRect(r, QPen(n.reachable ? QColor(0x40, 0x40, 0x40) : QColor(0xa0, 0xa0, 0xa0)),
                           QBrush(n.reachable ? fillOf(n.kind) : QColor(0xe8, 0xe8, 0xe8)));
    box->setToolTip(messageText(mirdal::placeText(n.place)) + (n.reachable ? QString() : tr(" (nothing leads here)")));
    auto* text = s->addSimpleText(messageText(n.label));
    text->setBrush(n.reachable ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    const QRectF t = text->boundingRect();
    text->setPos(r.center() - QPointF(t.width() / 2, t.height() / 2));
    text->setParentItem(box);
    text->setPos(r.center() - QPointF(t.width() / 2, t.height() / 2));
  }
  s->setSceneRect(0, 0, layout.width, layout.height);
}

QPointF NavmapView::nodeCentre(std::size_t i) const { return i < boxes_.size() ? boxes_[i].center() : QPointF(); }

void NavmapView::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    const QPointF at = mapToScene(e->position().toPoint());
    for (std::size_t i = 0; i < boxes_.size(); ++i)
      if (boxes_[i].contains(at)) {
        emit nodeClicked(graph_.nodes[i].place);
        return;
      }
  }
  QGraphicsView::mousePressEvent(e);
}

void NavmapView::wheelEvent(QWheelEvent* e) {
  const double steps = e->angleDelta().y() / 120.0;
  if (steps == 0) return QGraphicsView::wheelEvent(e);
  const double f = std::pow(1.15, steps);
  scale(f, f);
}

}  // namespace mirdal::gui

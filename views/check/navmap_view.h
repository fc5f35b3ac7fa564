// The navigation map as a picture (`gvNavMap`): one box per node in the
// columns check/navmap_layout.h gives, unreachable ones grey, a curve per
// edge with the command line as its tooltip. The wheel zooms; a click on a
// box names the node, and the main window opens its page.
#pragma once

#include <QGraphicsView>

#include "check/nav_graph.h"

namespace mirdal::gui {

class NavmapView : public QGraphicsView {
  Q_OBJECT
 public:
  explicit NavmapView(QWidget* parent = nullptr);

  void setGraph(const mirdal::NavGraph& graph);
  const mirdal::NavGraph& graph() const { return graph_; }
  // The scene position of node i's box centre (tests click there).
  QPointF nodeCentre(std::size_t i) const;

 signals:
  void nodeClicked(const mirdal::Place& place);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  mirdal::NavGraph graph_;
  std::vector<QRectF> boxes_;
};

}  // namespace mirdal::gui

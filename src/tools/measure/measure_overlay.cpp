#include "tools/measure/measure_overlay.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "plot/label_placement.h"
#include "plot/plot_surface.h"
#include "tools/measure/measure_text.h"
#include "tools/measure/model/figure_nodes.h"
#include "ui/characteristics_text.h"
#include "ui/fonts.h"

namespace orvinda {

namespace {

const QColor kLineColor(150, 0, 170);
const QColor kWarningColor(230, 110, 0);
const QColor kSegmentColor(0, 125, 125);
const QColor kCursorColor(20, 20, 90);
constexpr int kGap = 6;                // between a label and what it describes
constexpr int kEdge = 3;               // between a label and the plot's edge
constexpr int kClickPixels = 3;        // a press and release closer than this is a click
constexpr qint64 kRecountMs = 200;     // during a run, at most this often
constexpr int kRecountCostShare = 20;  // recounts take at most a twentieth of the run

// Cyrillic letters on the H, V and E keys of the Russian layout, and Э.
constexpr int kKeyCyrillicEr = 0x0420;
constexpr int kKeyCyrillicEm = 0x041C;
constexpr int kKeyCyrillicU = 0x0423;
constexpr int kKeyCyrillicE = 0x042D;

bool measuring_key(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_H:
    case Qt::Key_V:
    case kKeyCyrillicEr:
    case kKeyCyrillicEm:
    case Qt::Key_E:
    case kKeyCyrillicU:
    case kKeyCyrillicE:
    case Qt::Key_Escape: return true;
    default: return false;
  }
}

bool same_count(const CrossingCount& a, const CrossingCount& b) {
  if (a.count() != b.count() || a.near_node != b.near_node || a.tangency != b.tangency ||
      a.arc_end != b.arc_end || a.nodes.size() != b.nodes.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.crossings.size(); ++i) {
    const LineCrossing& p = a.crossings[i];
    const LineCrossing& q = b.crossings[i];
    if (p.kind != q.kind || p.point.x != q.point.x || p.point.y != q.point.y) return false;
  }
  for (std::size_t i = 0; i < a.nodes.size(); ++i) {
    if (a.nodes[i].x != b.nodes[i].x || a.nodes[i].y != b.nodes[i].y) return false;
  }
  return true;
}

// Where a one-pixel line through a position in pixels is drawn: the centre of
// the pixel row or column it falls in, as the surface draws its axes.
double pixel_centre(double px) { return std::floor(px) + 0.5; }

// The pixel a position falls in, held to a sane distance from the plot.
int whole_pixel(double px) {
  if (!std::isfinite(px)) return 0;
  return static_cast<int>(std::floor(std::clamp(px, -1e6, 1e6)));
}

}  // namespace

MeasureOverlay::MeasureOverlay(PlotSurface* surface) : QWidget(surface), surface_(surface) {
  setObjectName(QStringLiteral("measureOverlay"));
  setAccessibleName(QStringLiteral("Измерения"));
  setFocusPolicy(Qt::NoFocus);  // a click gives the focus to the surface beneath
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  hide();
  settle_ = new QTimer(this);
  settle_->setSingleShot(true);
  settle_->setInterval(0);
  connect(settle_, &QTimer::timeout, this, [this] {
    // Another range is another figure: what was measured on the last one
    // goes, where it might stand far off the plot.
    const std::array<double, 4> range = plotRange();
    if (range != range_) {
      range_ = range;
      clearMeasurements();
    }
    recount();
    refreshTexts();
    layoutLabels();
    update();
  });
  cursor_label_ = makeLabel(QStringLiteral("Координаты точки"));
  cursor_label_->setObjectName(QStringLiteral("measureCursorLabel"));
  ellipse_label_ = makeLabel(QStringLiteral("Метод эллипса"));
  ellipse_label_->setObjectName(QStringLiteral("measureEllipseLabel"));
  context_menu_ = new QMenu(this);
  ellipse_action_ = context_menu_->addAction(QStringLiteral("Эллипс"));
  ellipse_action_->setObjectName(QStringLiteral("measureEllipseAction"));
  ellipse_action_->setShortcut(QKeySequence(Qt::Key_E));
  ellipse_action_->setShortcutContext(Qt::WidgetShortcut);  // the surface's key handler runs it
  connect(ellipse_action_, &QAction::triggered, this, &MeasureOverlay::runEllipseMethod);
  QAction* clear = context_menu_->addAction(QStringLiteral("Очистить"));
  connect(clear, &QAction::triggered, this, &MeasureOverlay::clearMeasurements);
}

MeasureOverlay::~MeasureOverlay() {
  if (active_) surface_->removeEventFilter(this);
}

void MeasureOverlay::setActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active) {
    surface_description_ = surface_->accessibleDescription();
    setGeometry(surface_->rect());
    const QPoint pointer = mapFromGlobal(QCursor::pos());
    pointer_inside_ = rect().contains(pointer);
    const QPointF origin = pixelAt({0, 0});
    cursor_px_ =
        pointer_inside_ ? pointer : QPoint(whole_pixel(origin.x()), whole_pixel(origin.y()));
    cursor_px_ = QPoint(std::clamp(cursor_px_.x(), 0, std::max(0, width() - 1)),
                        std::clamp(cursor_px_.y(), 0, std::max(0, height() - 1)));
    cursor_from_keys_ = false;
    range_ = plotRange();
    figure_stale_ = true;
    surface_->installEventFilter(this);
    raise();  // above the device's pieces
    show();
    refreshTexts();
    layoutLabels();
    update();
  } else {
    clearMeasurements();
    surface_->removeEventFilter(this);
    settle_->stop();
    hide();
    cursor_label_->hide();
    surface_->setAccessibleDescription(surface_description_);
    figure_ = DrawnFigure();
    nodes_.clear();
    figure_stale_ = true;
  }
}

void MeasureOverlay::clearMeasurements() {
  for (Line& l : lines_) delete l.label;
  for (Segment& s : segments_) delete s.label;
  lines_.clear();
  segments_.clear();
  ellipse_.reset();
  ellipse_label_->hide();
  pending_.reset();
  delete pending_label_;
  pending_label_ = nullptr;
  dragging_ = false;
  if (active_) {
    refreshTexts();
    layoutLabels();
  }
  update();
}

// The mapping counts the surface's drawing pixels; the overlay's are the
// view's factor larger.
double MeasureOverlay::pixelMetres() const {
  return surface_->mapping().unit_per_px_x() / surface_->viewScale();
}

TracePoint MeasureOverlay::metresAt(QPoint pixel) const {
  const ScaleMapping& m = surface_->mapping();
  const double f = surface_->viewScale();
  return {m.from_px_x((pixel.x() + 0.5) / f), m.from_px_y((pixel.y() + 0.5) / f)};
}

QPointF MeasureOverlay::pixelAt(TracePoint metres) const {
  const ScaleMapping& m = surface_->mapping();
  const double f = surface_->viewScale();
  return {m.to_px_x(metres.x) * f, m.to_px_y(metres.y) * f};
}

std::array<double, 4> MeasureOverlay::plotRange() const {
  const ScaleMapping& m = surface_->mapping();
  return {m.left(), m.top(), m.right(), m.bottom()};
}

TracePoint MeasureOverlay::cursorPoint() const { return metresAt(cursor_px_); }

MeasureFormat MeasureOverlay::format() const {
  return {decimals_for_pixel(pixelMetres()), decimal_separator(), unit_};
}

void MeasureOverlay::setFigureSource(std::function<DrawnFigure()> source) {
  figure_source_ = std::move(source);
  figure_stale_ = true;
}

const DrawnFigure& MeasureOverlay::figure() {
  if (figure_stale_) {
    figure_ = figure_source_ ? figure_source_() : DrawnFigure();
    nodes_ = figure_nodes(figure_, pixelMetres());
    figure_stale_ = false;
  }
  return figure_;
}

Snap MeasureOverlay::snapAt(QPoint pixel) {
  const DrawnFigure& f = figure();
  return snap_point(metresAt(pixel), f, nodes_, kSnapPixels * pixelMetres(), pixelMetres());
}

CrossingCount MeasureOverlay::countOn(const CountingLine& line) {
  if (marks_only_) return {};
  const DrawnFigure& f = figure();
  return count_crossings(f, nodes_, line, pixelMetres());
}

void MeasureOverlay::setMarksOnly(bool marks_only) {
  marks_only_ = marks_only;
  if (marks_only) {
    context_menu_->removeAction(ellipse_action_);
    ellipse_.reset();
    ellipse_label_->hide();
  } else if (!context_menu_->actions().contains(ellipse_action_)) {
    context_menu_->insertAction(context_menu_->actions().value(0), ellipse_action_);
  }
  recount();
  refreshTexts();
  layoutLabels();
  update();
}

void MeasureOverlay::setUnit(const QString& unit) {
  unit_ = unit;
  refreshTexts();
  layoutLabels();
}

void MeasureOverlay::runEllipseMethod() {
  if (!active_ || marks_only_) return;
  ellipse_ = ellipse_method(figure(), pixelMetres());
  refreshTexts();
  layoutLabels();
  update();
}

// --- counting ---------------------------------------------------------------

void MeasureOverlay::traceGrew() {
  figure_stale_ = true;
  if (!active_ || lines_.empty()) return;
  if (since_recount_.isValid() && since_recount_.elapsed() < recount_interval_ms_) return;
  if (recount()) {
    refreshTexts();
    layoutLabels();
  }
}

void MeasureOverlay::traceChanged() {
  figure_stale_ = true;
  if (active_) settle_->start();
}

bool MeasureOverlay::recount() {
  QElapsedTimer cost;
  cost.start();
  bool changed = false;
  for (Line& l : lines_) {
    CrossingCount count = countOn(l.line);
    if (!same_count(count, l.count)) {
      l.count = std::move(count);
      changed = true;
    }
  }
  if (ellipse_) {
    EllipseReading reading = ellipse_method(figure(), pixelMetres());
    if (reading.applies != ellipse_->applies || reading.refusal != ellipse_->refusal ||
        reading.b != ellipse_->b || reading.a != ellipse_->a) {
      ellipse_ = std::move(reading);
      changed = true;
    }
  }
  // A long run's trace costs more to count: the pause between counts grows
  // with it, so counting never takes more than a small share of the run.
  recount_interval_ms_ = std::max(kRecountMs, kRecountCostShare * cost.elapsed());
  since_recount_.start();
  if (changed) update();
  return changed;
}

void MeasureOverlay::addCountingLine(LineDirection direction, QPoint pixel) {
  const TracePoint at = metresAt(pixel);
  const CountingLine line{direction, direction == LineDirection::kHorizontal ? at.y : at.x};
  for (const Line& l : lines_) {
    if (l.line.direction == line.direction && l.line.value == line.value) return;
  }
  Line l;
  l.line = line;
  l.count = countOn(line);
  l.label = makeLabel(QString());
  l.label->setObjectName(QStringLiteral("measureLineLabel"));
  lines_.push_back(l);
  refreshTexts();
  layoutLabels();
  update();
}

// --- segments ---------------------------------------------------------------

void MeasureOverlay::startSegment(QPoint pixel) {
  const Snap end = snapAt(pixel);
  pending_ = Segment{end, end, nullptr};
  if (!pending_label_) {
    pending_label_ = makeLabel(QStringLiteral("Измеряемый отрезок"));
    pending_label_->setObjectName(QStringLiteral("measureSegmentLabel"));
  }
  refreshTexts();
  layoutLabels();
  update();
}

void MeasureOverlay::moveSegmentEnd(QPoint pixel) {
  if (!pending_) return;
  pending_->to = snapAt(pixel);
  refreshTexts();
  layoutLabels();
  update();
}

void MeasureOverlay::finishSegment() {
  if (!pending_) return;
  Segment s = *pending_;
  pending_.reset();
  dragging_ = false;
  if (s.from.point.x == s.to.point.x && s.from.point.y == s.to.point.y) {
    delete pending_label_;
  } else {
    s.label = pending_label_;
    s.label->setAccessibleDescription(QStringLiteral("Измеренный отрезок"));
    segments_.push_back(s);
  }
  pending_label_ = nullptr;
  refreshTexts();
  layoutLabels();
  update();
}

// --- the cursor point -------------------------------------------------------

void MeasureOverlay::moveCursor(QPoint pixel, bool from_keys) {
  const QPoint clamped(std::clamp(pixel.x(), 0, std::max(0, width() - 1)),
                       std::clamp(pixel.y(), 0, std::max(0, height() - 1)));
  const QRect old_mark = QRect(cursor_px_ - QPoint(16, 16), QSize(33, 33));
  cursor_px_ = clamped;
  update(old_mark);  // the cross, where it was and where it goes
  update(QRect(cursor_px_ - QPoint(16, 16), QSize(33, 33)));
  cursor_from_keys_ = from_keys;
  if (pending_) {
    moveSegmentEnd(cursor_px_);
  } else {
    refreshTexts();
    layoutLabels();
  }
}

// --- input ------------------------------------------------------------------

void MeasureOverlay::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  pointer_inside_ = true;
  moveCursor(at, false);
  const Qt::KeyboardModifiers mods = event->modifiers();
  if (mods & Qt::ShiftModifier) {
    addCountingLine(LineDirection::kHorizontal, at);
  } else if (mods & Qt::ControlModifier) {
    addCountingLine(LineDirection::kVertical, at);
  } else {
    dragging_ = true;
    press_px_ = at;
    startSegment(at);
  }
  event->accept();
}

void MeasureOverlay::mouseMoveEvent(QMouseEvent* event) {
  pointer_inside_ = true;
  moveCursor(event->position().toPoint(), false);
  event->accept();
}

void MeasureOverlay::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return QWidget::mouseReleaseEvent(event);
  const QPoint at = event->position().toPoint();
  moveCursor(at, false);
  if ((at - press_px_).manhattanLength() < kClickPixels) {
    // A click only places the cursor point.
    pending_.reset();
    delete pending_label_;
    pending_label_ = nullptr;
    dragging_ = false;
    refreshTexts();
    layoutLabels();
    update();
  } else {
    finishSegment();
  }
  event->accept();
}

void MeasureOverlay::contextMenuEvent(QContextMenuEvent* event) {
  // Not exec(): the run goes on beneath an open menu.
  context_menu_->popup(event->globalPos());
  event->accept();
}

void MeasureOverlay::leaveEvent(QEvent* event) {
  pointer_inside_ = false;
  refreshTexts();
  layoutLabels();
  update();
  QWidget::leaveEvent(event);
}

bool MeasureOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched != surface_ || !active_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // The measuring keys belong to the plot while it has the focus.
      if (measuring_key(static_cast<QKeyEvent*>(event)->key())) event->accept();
      return false;
    case QEvent::KeyPress: return handleKey(static_cast<QKeyEvent*>(event));
    case QEvent::Resize:
      setGeometry(surface_->rect());
      moveCursor(cursor_px_, cursor_from_keys_);
      layoutLabels();
      break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      refreshTexts();
      layoutLabels();
      update();
      break;
    default: break;
  }
  return false;
}

bool MeasureOverlay::handleKey(QKeyEvent* event) {
  const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
  switch (event->key()) {
    case Qt::Key_Left: moveCursor(cursor_px_ + QPoint(-step, 0), true); return true;
    case Qt::Key_Right: moveCursor(cursor_px_ + QPoint(step, 0), true); return true;
    case Qt::Key_Up: moveCursor(cursor_px_ + QPoint(0, -step), true); return true;
    case Qt::Key_Down: moveCursor(cursor_px_ + QPoint(0, step), true); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      cursor_from_keys_ = true;
      if (pending_) {
        finishSegment();
      } else {
        startSegment(cursor_px_);
      }
      return true;
    case Qt::Key_H:
    case kKeyCyrillicEr: addCountingLine(LineDirection::kHorizontal, cursor_px_); return true;
    case Qt::Key_V:
    case kKeyCyrillicEm: addCountingLine(LineDirection::kVertical, cursor_px_); return true;
    case Qt::Key_E:
    case kKeyCyrillicU:
    case kKeyCyrillicE: runEllipseMethod(); return true;
    case Qt::Key_Escape: clearMeasurements(); return true;
    default: return false;
  }
}

// --- readouts ---------------------------------------------------------------

QLabel* MeasureOverlay::makeLabel(const QString& role) {
  auto* label = new QLabel(this);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->setTextFormat(Qt::PlainText);
  label->setFont(sans_font());
  label->setStyleSheet(
      QStringLiteral("QLabel { background: rgba(255, 255, 255, 225); color: black;"
                     " border: 1px solid rgb(140, 140, 140); padding: 1px 3px; }"));
  if (!role.isEmpty()) label->setAccessibleDescription(role);
  label->hide();
  return label;
}

void MeasureOverlay::refreshTexts() {
  if (!active_) return;
  const MeasureFormat f = format();
  QStringList summary;
  const QString cursor = coordinates_text(cursorPoint(), f);
  cursor_label_->setText(cursor);
  summary << QStringLiteral("Точка: ") + cursor;
  if (pending_ && pending_label_) {
    const QString text = segment_texts(pending_->from.point, pending_->to.point, f).join('\n');
    pending_label_->setText(text);
    summary << QStringLiteral("Отрезок: ") + text;
  }
  for (Line& l : lines_) {
    l.label->setText(marks_only_ ? counting_line_position(l.line, f)
                                 : counting_line_texts(l.line, l.count, f).join('\n'));
    const QString description = marks_only_ ? QStringLiteral("Линия: ") + l.label->text()
                                            : counting_line_description(l.line, l.count, f);
    l.label->setAccessibleDescription(description);
    summary << description;
  }
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    const Segment& s = segments_[i];
    const QString text = segment_texts(s.from.point, s.to.point, f).join('\n');
    s.label->setText(text);
    summary << QStringLiteral("Отрезок %1: ").arg(i + 1) + text;
  }
  if (ellipse_) {
    const QString text = ellipse_texts(*ellipse_, f).join('\n');
    ellipse_label_->setText(text);
    summary << text;
  }
  describeSurface();
  const QString description =
      summary.join(QStringLiteral(". ")).replace('\n', QStringLiteral("; "));
  if (accessibleDescription() != description) setAccessibleDescription(description);
}

void MeasureOverlay::describeSurface() {
  // The surface keeps the focus: what it says is the latest reading.
  const QString text = QStringLiteral("Измерения. ") + coordinates_text(cursorPoint(), format());
  if (surface_->accessibleDescription() != text) surface_->setAccessibleDescription(text);
}

void MeasureOverlay::layoutLabels() {
  if (!active_) return;
  const QRect bounds = rect().adjusted(kEdge, kEdge, -kEdge, -kEdge);
  LabelObstacles placed;
  auto show_at = [&placed](QLabel* label, const QRect& r) {
    label->setGeometry(r);
    label->show();
    placed.rects.push_back(QRectF(r));
  };

  for (const Line& l : lines_) {
    const QSize size = l.label->sizeHint();
    LabelObstacles o = placed;
    for (const LineCrossing& c : l.count.crossings) o.points.push_back(pixelAt(c.point));
    std::vector<QRect> candidates;
    if (l.line.direction == LineDirection::kHorizontal) {
      const int y = whole_pixel(pixelAt({0, l.line.value}).y());
      const int above = y - kGap - size.height();
      const int below = y + kGap + 1;
      const int right = width() - kEdge - size.width();
      const int middle = (width() - size.width()) / 2;
      for (int x : {right, kEdge, middle}) {
        candidates.emplace_back(QPoint(x, above), size);
        candidates.emplace_back(QPoint(x, below), size);
      }
    } else {
      const int x = whole_pixel(pixelAt({l.line.value, 0}).x());
      const int right = x + kGap + 1;
      const int left = x - kGap - size.width();
      const int bottom = height() - kEdge - size.height();
      const int middle = (height() - size.height()) / 2;
      for (int y : {kEdge, bottom, middle}) {
        candidates.emplace_back(QPoint(right, y), size);
        candidates.emplace_back(QPoint(left, y), size);
      }
    }
    show_at(l.label, place_label(candidates, bounds, o, kGap));
  }

  auto place_segment = [&](const Segment& s, QLabel* label) {
    const QPointF a = pixelAt(s.from.point);
    const QPointF b = pixelAt(s.to.point);
    const QSize size = label->sizeHint();
    LabelObstacles o = placed;
    o.points = {a, b};
    o.lines.push_back(QLineF(a, b));
    std::vector<QRect> candidates = around_point((a + b) / 2, size, kGap);
    for (QPointF end : {b, a}) {
      const std::vector<QRect> more = around_point(end, size, kGap);
      candidates.insert(candidates.end(), more.begin(), more.end());
    }
    show_at(label, place_label(candidates, bounds, o, kGap));
  };
  if (ellipse_) {
    // Beside the figure, clear of the chords it explains.
    const QSize size = ellipse_label_->sizeHint();
    LabelObstacles o = placed;
    if (ellipse_->applies) {
      o.lines.push_back(QLineF(pixelAt(ellipse_->b_from), pixelAt(ellipse_->b_to)));
      o.points = {pixelAt(ellipse_->a_top), pixelAt(ellipse_->a_bottom)};
    }
    const std::vector<QRect> candidates{
        QRect(QPoint(kEdge, kEdge), size),
        QRect(QPoint(width() - kEdge - size.width(), kEdge), size),
        QRect(QPoint(kEdge, height() - kEdge - size.height()), size),
        QRect(QPoint(width() - kEdge - size.width(), height() - kEdge - size.height()), size)};
    show_at(ellipse_label_, place_label(candidates, bounds, o, kGap));
  } else {
    ellipse_label_->hide();
  }
  for (const Segment& s : segments_) place_segment(s, s.label);
  if (pending_ && pending_label_) place_segment(*pending_, pending_label_);

  const bool cursor_shown = pointer_inside_ || surface_->hasFocus();
  if (cursor_shown) {
    const QPointF at(cursor_px_.x() + 0.5, cursor_px_.y() + 0.5);
    const QSize size = cursor_label_->sizeHint();
    LabelObstacles o = placed;
    o.points = {at};
    cursor_label_->setGeometry(place_label(around_point(at, size, kGap + 6), bounds, o, kGap));
    cursor_label_->show();
    cursor_label_->raise();
  } else {
    cursor_label_->hide();
  }
}

// --- painting ---------------------------------------------------------------

void MeasureOverlay::paintEvent(QPaintEvent*) {
  if (!active_ || !surface_->mapping().valid()) return;
  QPainter p(this);
  const double w = width(), h = height();

  for (const Line& l : lines_) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kLineColor, 1));
    if (l.line.direction == LineDirection::kHorizontal) {
      const double y = pixel_centre(pixelAt({0, l.line.value}).y());
      p.drawLine(QPointF(0, y), QPointF(w, y));
    } else {
      const double x = pixel_centre(pixelAt({l.line.value, 0}).x());
      p.drawLine(QPointF(x, 0), QPointF(x, h));
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    for (const LineCrossing& c : l.count.crossings) {
      const QPointF at = pixelAt(c.point);
      if (c.kind != CrossingKind::kPass) {
        p.setPen(QPen(kWarningColor, 2));
        p.drawRect(QRectF(at - QPointF(4, 4), QSizeF(8, 8)));
      } else {
        p.setPen(QPen(kLineColor, 2));
        p.drawEllipse(at, 4, 4);
      }
    }
    p.setPen(QPen(kWarningColor, 2));
    for (TracePoint node : l.count.nodes) {
      const QPointF at = pixelAt(node);
      p.drawEllipse(at, 7, 7);
    }
  }

  paintEllipse(p);
  p.setRenderHint(QPainter::Antialiasing, true);
  auto draw_segment = [&](const Segment& s, Qt::PenStyle style) {
    const QPointF a = pixelAt(s.from.point);
    const QPointF b = pixelAt(s.to.point);
    p.setPen(QPen(kSegmentColor, 2, style, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(a, b);
    for (const Snap& end : {s.from, s.to}) {
      const QPointF at = pixelAt(end.point);
      p.setPen(Qt::NoPen);
      p.setBrush(kSegmentColor);
      p.drawEllipse(at, 2.5, 2.5);
      if (end.target != SnapTarget::kNone) {
        // Snapped: a ring says the end sits exactly on what it found.
        p.setPen(QPen(kSegmentColor, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(at, 5.5, 5.5);
      }
    }
  };
  for (const Segment& s : segments_) draw_segment(s, Qt::SolidLine);
  if (pending_) draw_segment(*pending_, Qt::DashLine);

  if (surface_->hasFocus() && (cursor_from_keys_ || !pointer_inside_)) {
    // The pointer is not there to show the cursor point: a cross does.
    // A white edge keeps it visible on the axes and the trace.
    const QPointF c(cursor_px_.x() + 0.5, cursor_px_.y() + 0.5);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const QPen& pen : {QPen(Qt::white, 3), QPen(kCursorColor, 1)}) {
      p.setPen(pen);
      p.drawLine(c + QPointF(-14, 0), c + QPointF(-4, 0));
      p.drawLine(c + QPointF(4, 0), c + QPointF(14, 0));
      p.drawLine(c + QPointF(0, -14), c + QPointF(0, -4));
      p.drawLine(c + QPointF(0, 4), c + QPointF(0, 14));
    }
  }
}

void MeasureOverlay::paintEllipse(QPainter& p) {
  if (!ellipse_ || !ellipse_->applies) return;
  const EllipseReading& e = *ellipse_;
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setBrush(Qt::NoBrush);
  // a: between the horizontal tangents, drawn through the top tangent's point.
  const double half_width = 12;
  const QPointF top = pixelAt(e.a_top), bottom = pixelAt(e.a_bottom);
  p.setPen(QPen(kSegmentColor, 1, Qt::DashLine));
  for (const QPointF& at : {top, bottom}) {
    p.drawLine(QPointF(std::min(top.x(), bottom.x()) - half_width, at.y()),
               QPointF(std::max(top.x(), bottom.x()) + half_width, at.y()));
  }
  p.setPen(QPen(kSegmentColor, 2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(top.x(), top.y()), QPointF(top.x(), bottom.y()));
  // b: the chord on the y axis.
  p.setPen(QPen(kLineColor, 3, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(pixelAt(e.b_from), pixelAt(e.b_to));
  p.setPen(Qt::NoPen);
  for (const TracePoint end : {e.b_from, e.b_to}) {
    p.setBrush(kLineColor);
    p.drawEllipse(pixelAt(end), 3.5, 3.5);
  }
  for (const QPointF& at : {top, bottom}) {
    p.setBrush(kSegmentColor);
    p.drawEllipse(at, 3.5, 3.5);
  }
}

}  // namespace orvinda

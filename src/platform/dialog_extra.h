#pragma once
// A few controls a tool adds to a stock dialog (a file or print dialog),
// such as what a picture shows. changed() lets the dialog show it anew.

#include <QWidget>

namespace orvinda {

class DialogExtra : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

 Q_SIGNALS:
  void changed();
};

}  // namespace orvinda

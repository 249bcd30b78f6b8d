#include "ui/plot_look.h"

#include <QPalette>

#include "plot/plot_surface.h"
#include "ui/fonts.h"

namespace orvinda {

void style_plot_surface(PlotSurface* surface) {
  surface->setFont(sans_font());
  QPalette palette = surface->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  surface->setPalette(palette);
}

}  // namespace orvinda

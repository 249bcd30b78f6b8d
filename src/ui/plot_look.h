#pragma once

namespace orvinda {

class PlotSurface;

// The plot's design look: white, drawn in black, in the small sans font.
// Every surface that shows a figure the way the main window does gets it.
void style_plot_surface(PlotSurface* surface);

}  // namespace orvinda

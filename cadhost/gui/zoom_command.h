#pragma once

// ZOOM: Extents (or All) shows the whole drawing; Window, or a first
// corner given at once, shows the box between two corners.
namespace cadhost::gui {
class DrawingView;
// The command zooms this view; with null it says there is no view to zoom.
void registerZoomCommand(DrawingView* view);
}  // namespace cadhost::gui

#pragma once

class QCustomPlot;
class QRegion;

// A chart painted straight from its layers. QCustomPlot paints a chart by copying the picture
// its replot drew into a buffer as large as the chart (6 MB on a full-HD screen, for as long
// as the chart lives), and then only whole. Painted from its layers instead, a chart repaints
// just the region asked for, and its buffer is needed only while a replot draws.

// From now on the chart's paint events paint `plot` from its layers, and a replot gives its
// buffer back once drawn.
void PaintFromLayers(QCustomPlot* plot);

// Paints `region` of the chart, as its paint event would copy it from the buffer. Only the
// points of a curve near the region are drawn, so a strip of new points costs little however
// long or thick the curve.
void PaintRegion(QCustomPlot* plot, const QRegion& region);

// A layer added or changed in a way only a replot takes in.
bool NeedsReplot(QCustomPlot* plot);

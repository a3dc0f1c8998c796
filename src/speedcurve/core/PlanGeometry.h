#pragma once

// The drawing area `picPlan` of the speed-curve editor, in its own pixels (x to the
// right, y downwards). One speed step is 16 pixels wide and one value unit one pixel high:
// a marker's top is its scroll value + 8, so its centre stands at y 12 for value 255
// and at y 267 for value 0.
namespace PlanGeometry {

// The editor measures a marker drag in twips, 15 to the pixel.
constexpr int twipsPerPixel = 15;

constexpr int width = 464;
constexpr int height = 280;

constexpr int markerSize = 8;
constexpr int markerHalf = markerSize / 2;
constexpr int stepWidth = 16;
constexpr int markerLeft(int step) { return 12 + stepWidth * (step - 1); }
constexpr int markerTop(int scrollValue) { return scrollValue + 8; }
constexpr int centreX(int step) { return markerLeft(step) + markerHalf; }

// A dragged handle's top-left corner stops here; there is no lower limit.
constexpr int handleMaxLeft = 440;
constexpr int handleMaxTop = 265;

// The rows the sampling looks at, and the value a row stands for.
constexpr int sampleTop = 8;
constexpr int sampleBottom = 270;
constexpr int valueOfRow(int y) { return 267 - y; }

// The grid: horizontal lines 10 pixels apart from value 260 (y 7) down to value 0 (y 267).
constexpr int gridTop = 7;
constexpr int gridBottom = 267;
constexpr int gridLeft = 8;
constexpr int gridRight = 456;
constexpr int hLineSpacing = 10;
constexpr int hLineY(int index) { return gridTop + index; }  // index 0, 10, .., 260

}  // namespace PlanGeometry

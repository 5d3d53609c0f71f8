#pragma once

#include "runtime/Runtime.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>

#include <cmath>

namespace tarnelby {

// The window's fixed layout, in twips (1/1440 inch) as the layout gives it.
// Everything is converted to pixels by the functions below and nowhere else.
namespace twips {

constexpr int kPerPixel = 15; // 1,440 twips to the inch at 96 dots per inch

struct Box {
    int left, top, width, height;
};

constexpr Box kClientArea = {0, 0, 9150, 5895};

constexpr Box kControlPanel = {0, -15, 2775, 5895};
constexpr Box kReadMePanel = {2760, 15, 6390, 5880};

constexpr int kMarkerRadius = 30;

// The largest coordinate a point can have: the table and the experiment hold 16 bits.
constexpr int kLargestCoordinate = 32767;

// The control panel's controls, from its outer top-left corner.
constexpr Box kBeginStopButton = {735, 1080, 1170, 615};
constexpr Box kClearButton = {600, 4800, 1455, 375};
constexpr Box kDotCounter = {1665, 5460, 90, 195};
constexpr Box kTableBox = {600, 2160, 1455, 2535};
constexpr Box kTableBoxHighlight = {615, 2175, 1455, 2535};

struct VerticalLine {
    int x, top, bottom;
};
constexpr VerticalLine kColumnDivider = {1320, 2160, 4680};
constexpr VerticalLine kColumnDividerHighlight = {1335, 2180, 4680};

// The coordinate table: row k's labels lie at kFirstRowTop + (k - 1) * kRowPitch.
constexpr int kFirstRowTop = 2280;
constexpr int kRowPitch = 240;
constexpr int kRowHeight = 195;
constexpr int kXLabelLeft = 840;
constexpr int kXLabelWidth = 360;
constexpr int kYLabelLeft = 1440;
constexpr int kYLabelWidth = 90;

// The Read Me panel's controls, from its outer top-left corner.
constexpr Box kOkButton = {5100, 5325, 1185, 480};
constexpr Box kPicture = {5640, 1320, 480, 480};

} // namespace twips

// Twips to pixels, rounding down to the pixel that holds the twip:
// 4500 -> 300, 4004 -> 266, -15 -> -1.
inline double toPixelsF(double twipsValue) noexcept { return twipsValue / twips::kPerPixel; }
inline int toPixels(int twipsValue) noexcept { return static_cast<int>(std::floor(toPixelsF(twipsValue))); }
QPoint toPixel(QPointF twipsPosition) noexcept;
QRect toPixels(const twips::Box& box) noexcept;
QRect toPixels(const twips::VerticalLine& line) noexcept; // one pixel wide, both ends included

// A position in pixels to twips, as Singles: (300, 100) -> (4500, 1500).
QPointF toTwips(QPointF pixels) noexcept;

// A coordinate in twips as the user reads it, a Single's plain decimal text:
// 4500 -> "4500", 4500.5 -> "4500.5".
inline QString twipsText(double twipsValue) { return QString::fromStdString(toText(static_cast<Single>(twipsValue))); }

} // namespace tarnelby

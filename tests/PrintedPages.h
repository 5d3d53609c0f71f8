#pragma once

#include <QImage>
#include <QRect>
#include <QStringList>

#include <functional>

namespace tarnelby::testing {

// True when poppler's pdfinfo and pdftoppm are installed.
bool pdfToolsInstalled();

// How many pages the PDF at `path` has; -1 when it cannot be read.
int pdfPageCount(const QString& path);

// The first page of the PDF at `path` as an image of `dpi` dots per inch;
// null when it cannot be rendered.
QImage renderFirstPage(const QString& path, int dpi);

// The smallest rectangle inside `area` holding every pixel of `image` that
// `wanted` accepts; null when none does.
QRect boundsWhere(const QImage& image, QRect area, const std::function<bool(QRgb)>& wanted);

// How many pixels inside `area` `wanted` accepts.
int countWhere(const QImage& image, QRect area, const std::function<bool(QRgb)>& wanted);

// A printed page's ink and its paper, as the grey of a rendered pixel tells.
constexpr int kDarkBelow = 64;
constexpr int kBrightAbove = 160;
inline bool isDark(QRgb pixel) { return qGray(pixel) < kDarkBelow; }
inline bool isBright(QRgb pixel) { return qGray(pixel) > kBrightAbove; }

} // namespace tarnelby::testing

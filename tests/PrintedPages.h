#pragma once

#include "window/Form1.h"

#include <QImage>
#include <QRect>
#include <QStringList>

#include <functional>
#include <memory>

namespace tarnelby::testing {

// A Form1 on the offscreen platform that prints through the system's printing
// as the program does, with a fixed clock, a seeded generator and its error
// messages collected instead of shown.
class SystemPrintingWindow {
public:
    SystemPrintingWindow();

    Form1& window() { return *window_; }

    // Chooses "&Print" from the menu bar.
    void choosePrint();

    QStringList errors;

private:
    std::unique_ptr<Form1> window_;
};

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

bool isDark(QRgb pixel);
bool isBright(QRgb pixel);

} // namespace tarnelby::testing

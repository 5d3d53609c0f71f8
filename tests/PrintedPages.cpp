#include "PrintedPages.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>

namespace tarnelby::testing {

namespace {

constexpr int kToolTimeoutMs = 60'000;

// The standard output of `program`; nothing when it failed.
std::optional<QString> outputOf(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kToolTimeoutMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

template <typename Visit>
void forEachPixel(const QImage& image, QRect area, Visit&& visit)
{
    const QRect box = area.intersected(image.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            visit(x, y, image.pixel(x, y));
}

} // namespace

bool pdfToolsInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

int pdfPageCount(const QString& path)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(outputOf(QStringLiteral("pdfinfo"), {path}).value_or(QString()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QImage renderFirstPage(const QString& path, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    if (outputOf(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                              QStringLiteral("-r"), QString::number(dpi), path, prefix})
        == std::nullopt)
        return {};
    return QImage(prefix + QStringLiteral(".png"));
}

QRect boundsWhere(const QImage& image, QRect area, const std::function<bool(QRgb)>& wanted)
{
    QRect bounds;
    forEachPixel(image, area, [&](int x, int y, QRgb pixel) {
        if (wanted(pixel))
            bounds |= QRect(x, y, 1, 1);
    });
    return bounds;
}

int countWhere(const QImage& image, QRect area, const std::function<bool(QRgb)>& wanted)
{
    int count = 0;
    forEachPixel(image, area, [&](int, int, QRgb pixel) { count += wanted(pixel); });
    return count;
}

} // namespace tarnelby::testing

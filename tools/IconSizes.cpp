// Build-time tool: renders the program's icon at the sizes a desktop's icon
// theme asks for, from the one drawn icon.
//
//   icon_sizes SOURCE.png THEME_DIR NAME SIZE...
//
// writes THEME_DIR/<SIZE>x<SIZE>/apps/NAME.png for each SIZE.

#include <QDir>
#include <QImage>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int kFirstSizeArgument = 4;

// The icon enlarged by whole pixels to at least `size`, so no edge is blurred,
// then smoothed down to exactly `size`.
QImage iconAt(const QImage& icon, int size)
{
    const int factor = std::max(1, (size + icon.width() - 1) / icon.width());
    const QImage enlarged = icon.scaled(icon.size() * factor, Qt::KeepAspectRatio, Qt::FastTransformation);
    return enlarged.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

int main(int argc, char* argv[])
{
    QTextStream err(stderr);
    if (argc <= kFirstSizeArgument) {
        err << "usage: icon_sizes SOURCE.png THEME_DIR NAME SIZE...\n";
        return 2;
    }
    const QImage icon = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    if (icon.isNull() || icon.width() != icon.height()) {
        err << "cannot read a square icon from " << argv[1] << '\n';
        return 1;
    }
    const QDir theme(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = kFirstSizeArgument; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        if (size <= 0 || !theme.mkpath(dir)
            || !iconAt(icon, size).save(theme.filePath(dir + '/' + name + QStringLiteral(".png")))) {
            err << "cannot write the " << argv[i] << " px icon\n";
            return 1;
        }
    }
    return 0;
}

#include "window/Fonts.h"

#include <QStringList>

namespace tarnelby {

namespace {

// Liberation Sans sets text about 3% wider than the face the layout was drawn
// with; at 97% of its letter spacing the texts take the widths the layout
// gives them, and the long Read Me texts fit their boxes.
constexpr int kSansSerifSpacingPercent = 97;

QFont make(const QStringList& families, QFont::StyleHint hint, FontSize size, unsigned style)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPixelSize(static_cast<int>(size));
    font.setBold(style & Bold);
    font.setItalic(style & Italic);
    font.setUnderline(style & Underlined);
    return font;
}

} // namespace

QFont sansSerif(FontSize size, unsigned style)
{
    QFont font = make({"Liberation Sans", "DejaVu Sans"}, QFont::SansSerif, size, style);
    font.setLetterSpacing(QFont::PercentageSpacing, kSansSerifSpacingPercent);
    return font;
}

QFont serif(FontSize size, unsigned style)
{
    return make({"Liberation Serif", "DejaVu Serif"}, QFont::Serif, size, style);
}

} // namespace tarnelby

#include "window/NumberGlyphs.h"

#include <QFont>
#include <QTextLayout>

#include <algorithm>

namespace tarnelby {

namespace {

const QString kCharacterText = QStringLiteral("0123456789-");
constexpr int kMinus = 10;
constexpr qreal kUnbounded = 1e6;

// The glyph runs of `text` on one line.
QList<QGlyphRun> shape(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine().setLineWidth(kUnbounded);
    layout.endLayout();
    return layout.glyphRuns();
}

} // namespace

std::optional<NumberGlyphs> NumberGlyphs::of(const QFont& font)
{
    // Every ordered pair of characters stands side by side somewhere in
    // `pairs`; where each glyph stands at the sum of the advances before it,
    // no pair is kerned and any number can be put together from the table.
    QString pairs;
    for (QChar first : kCharacterText)
        for (QChar second : kCharacterText)
            pairs.append(first).append(second);
    const QList<QGlyphRun> single = shape(kCharacterText + kCharacterText.front(), font);
    const QList<QGlyphRun> paired = shape(pairs, font);
    if (single.size() != 1 || paired.size() != 1 || single.front().glyphIndexes().size() != kCharacters + 1
        || paired.front().glyphIndexes().size() != pairs.size())
        return std::nullopt;

    NumberGlyphs table;
    const QList<QPointF> places = single.front().positions();
    const QList<quint32> glyphs = single.front().glyphIndexes();
    for (int c = 0; c < kCharacters; ++c) {
        table.glyphs_[static_cast<std::size_t>(c)] = glyphs[c];
        table.advances_[static_cast<std::size_t>(c)] = places[c + 1].x() - places[c].x();
    }
    table.origin_ = places.front().x();
    table.baseline_ = places.front().y();

    const QList<QPointF> pairPlaces = paired.front().positions();
    qreal x = pairPlaces.front().x();
    for (int i = 0; i < pairs.size(); ++i) {
        if (pairPlaces[i] != QPointF(x, table.baseline_))
            return std::nullopt;
        x += table.advances_[static_cast<std::size_t>(kCharacterText.indexOf(pairs[i]))];
    }
    table.shaped_ = single.front();
    return table;
}

int NumberGlyphs::charactersOf(Long number, std::array<int, 12>& characters)
{
    // Digits from the last, in a wide type so that the lowest Long has a magnitude.
    long long magnitude = number < 0 ? -static_cast<long long>(number) : number;
    int count = 0;
    do {
        characters[static_cast<std::size_t>(count++)] = static_cast<int>(magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (number < 0)
        characters[static_cast<std::size_t>(count++)] = kMinus;
    std::reverse(characters.begin(), characters.begin() + count);
    return count;
}

QGlyphRun NumberGlyphs::run(Long number) const
{
    std::array<int, 12> characters{};
    const int count = charactersOf(number, characters);
    QList<quint32> glyphs;
    QList<QPointF> places;
    glyphs.reserve(count);
    places.reserve(count);
    qreal x = origin_;
    for (int i = 0; i < count; ++i) {
        const auto c = static_cast<std::size_t>(characters[static_cast<std::size_t>(i)]);
        glyphs.append(glyphs_[c]);
        places.append({x, baseline_});
        x += advances_[c];
    }
    QGlyphRun run = shaped_;
    run.setGlyphIndexes(glyphs);
    run.setPositions(places);
    run.setBoundingRect({});
    return run;
}

qreal NumberGlyphs::width(Long number) const
{
    std::array<int, 12> characters{};
    const int count = charactersOf(number, characters);
    qreal width = 0;
    for (int i = 0; i < count; ++i)
        width += advances_[static_cast<std::size_t>(characters[static_cast<std::size_t>(i)])];
    return width;
}

} // namespace tarnelby

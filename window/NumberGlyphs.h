#pragma once

#include "runtime/Numbers.h"

#include <QGlyphRun>

#include <array>
#include <optional>

class QFont;

namespace tarnelby {

// The glyphs of whole numbers in one font, shaped once: a counter that
// changes every step is measured and drawn without laying out its text again.
// Where the font places its digits and minus sign side by side without
// kerning, which of() checks, the glyphs stand exactly where the text
// layout would put them.
class NumberGlyphs {
public:
    // The glyphs of `font`, or none where a number's glyphs depend on their neighbours.
    static std::optional<NumberGlyphs> of(const QFont& font);

    // The number's decimal text as glyphs, placed as a text layout of one
    // line at (0, 0) places them: -45 -> "-", "4", "5".
    QGlyphRun run(Long number) const;

    // The width of that text, in pixels.
    qreal width(Long number) const;

private:
    static constexpr int kCharacters = 11; // "0" to "9", then "-"

    NumberGlyphs() = default;

    // Indexes into the tables for the characters of the number's text, and how many.
    static int charactersOf(Long number, std::array<int, 12>& characters);

    QGlyphRun shaped_;
    std::array<quint32, kCharacters> glyphs_{};
    std::array<qreal, kCharacters> advances_{};
    qreal origin_ = 0;
    qreal baseline_ = 0;
};

} // namespace tarnelby

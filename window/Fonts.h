#pragma once

#include <QFont>

namespace tarnelby {

// The layout's fonts, sized in pixels so that text fits the boxes it was laid
// out for: 8.25 pt -> 11 px, 9.75 pt -> 13 px, 12 pt -> 16 px, 24 pt -> 32 px.
// Each size's value is its height in pixels.
enum class FontSize { Small = 11, Medium = 13, Large = 16, Title = 32 };

enum FontStyle : unsigned {
    Regular = 0,
    Bold = 1u << 0,
    Italic = 1u << 1,
    Underlined = 1u << 2,
};

// "MS Sans Serif", drawn with Liberation Sans or else DejaVu Sans, its letters
// set slightly closer so that text takes the widths the layout gives it.
QFont sansSerif(FontSize size, unsigned style = Regular);

// "Times New Roman", drawn with Liberation Serif, which has its metrics.
QFont serif(FontSize size, unsigned style = Regular);

} // namespace tarnelby

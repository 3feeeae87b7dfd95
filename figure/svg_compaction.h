#pragma once

#include <QByteArray>

namespace trazel::figure {

// An SVG as QSvgGenerator writes it made smaller without changing what it
// draws: groups that hold nothing left out, and the numbers of coordinates
// rounded to decimals places. Returns svg unchanged if it is not well-formed.
QByteArray CompactSvg(const QByteArray& svg, int decimals);

}  // namespace trazel::figure
